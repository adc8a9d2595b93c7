#include "optimize/catalogue.h"

#include "lang/strings.h"

#include "form/facts.h"
#include "sysaccess/folders.h"

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
        if (ticked) DeleteIfExists(sys, sysaccess::ResolveOrFixed(sys, step.folder, step.key));
        break;
    case Step::Kind::RemoveFolder:
        // Only an empty folder goes; its contents are never deleted on its behalf.
        if (ticked) {
            const std::string path = sysaccess::ResolveOrFixed(sys, step.folder, step.key);
            if (sys.FolderExists(path)) (void)sys.RemoveFolder(path);
        }
        break;
    case Step::Kind::Progress:
        form.SetProgress(step.twips);
        break;
    case Step::Kind::Special:
        step.special(form, sys);
        break;
    }
}

void ApplySteps(const Step* steps, std::size_t count, form::MainForm& form, sysaccess::System& sys) {
    int current = -2; // the option whose operations run now; -1: none
    for (std::size_t i = 0; i < count; ++i) {
        const Step& step = steps[i];
        if (step.kind != Step::Kind::Progress && step.chk != current) {
            current = step.chk;
            if (current < 0) {
                sys.OptionBegins({}, sysaccess::kEveryRelease);
            } else {
                // The effect lines name an option by its Chinese caption, whatever the language.
                const std::string caption = lang::OptionCaption(current, lang::Language::Chinese);
                if (form.Applies(current)) {
                    sys.OptionBegins(caption, form::OptionFact(current).releases);
                } else {
                    sys.OptionSkipped(caption, form.WhyNot(current)); // said whether ticked or not, as in status
                }
            }
        }
        if (step.chk < 0 || form.Applies(step.chk)) Apply(step, form, sys);
    }
}

} // namespace optimize
