#include "optimize/catalogue.h"

namespace optimize {

void Write(sysaccess::System& sys, const char* key, sysaccess::RegType type, const char* name, const char* data) {
    // A value the import rejects stays as it was; the next option goes on regardless.
    (void)sys.WriteRegValue(key, type, name, data);
}

sysaccess::RunResult RunAndWait(sysaccess::System& sys, const std::string& commandLine) {
    return sys.Run(commandLine, sysaccess::RunMode::Wait);
}

void DeleteIfExists(sysaccess::System& sys, const std::string& path) {
    // A locked or read-only match stays; nothing later depends on it being gone.
    if (sys.FileExists(path)) (void)sys.DeleteFiles(path);
}

void Apply(const Step& step, form::MainForm& form, sysaccess::System& sys) {
    const bool ticked = step.chk >= 0 && form.Ticked(step.chk);
    switch (step.kind) {
    case Step::Kind::Write: {
        const bool both = step.key32 && sys.Has32BitView();
        if (ticked && step.ticked) {
            Write(sys, step.key, step.type, step.name, step.ticked);
            if (both) Write(sys, step.key32, step.type, step.name, step.ticked);
        }
        if (!ticked && step.cleared) {
            Write(sys, step.keyCleared, step.type, step.nameCleared, step.cleared);
            if (both) Write(sys, step.key32, step.type, step.nameCleared, step.cleared);
        }
        break;
    }
    case Step::Kind::Run:
        if (const char* line = ticked ? step.ticked : step.cleared) {
            (void)sys.Run(line, sysaccess::RunMode::Start);
        }
        break;
    case Step::Kind::DeleteFile:
        if (ticked) DeleteIfExists(sys, step.key);
        break;
    case Step::Kind::RemoveFolder:
        // Only an empty folder goes; its contents are never deleted on its behalf.
        if (ticked && sys.FolderExists(step.key)) (void)sys.RemoveFolder(step.key);
        break;
    case Step::Kind::Progress:
        form.SetProgress(step.twips);
        break;
    case Step::Kind::Special:
        step.special(form, sys);
        break;
    }
}

} // namespace optimize
