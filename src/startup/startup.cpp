#include "startup/startup.h"

#include <string_view>

#include "sysaccess/cmdline.h"
#include "sysaccess/folders.h"
#include "sysaccess/text.h"

namespace startup {

namespace {

// The pass yields to the window this many times before listing again.
constexpr int kYields = 1001;

void AppendFolder(form::MainForm& form, sysaccess::System& sys, const std::string& folder) {
    if (!sys.FolderExists(folder)) return;
    for (std::string& name : sys.ListFolder(folder))
        form.AddStartup(std::move(name));
}

void DeleteFromFolder(sysaccess::System& sys, const std::string& folder, const std::string& name) {
    const std::string path = folder + "\\" + name;
    // A file that cannot be deleted shows again when the list is rebuilt.
    if (sys.FileExists(path)) (void)sys.DeleteFiles(path);
}

// The Run keys this machine has.
bool Present(const RunKey& key, sysaccess::System& sys) {
    return !key.view32 || sys.Has32BitView();
}

} // namespace

std::string RunKeyPath(const RunKey& key) {
    return std::string(sysaccess::RegRootName(key.root)) + "\\" + key.below;
}

std::string StartupFolder(const form::MainForm& form, sysaccess::System& sys, bool allUsers) {
    using sysaccess::KnownFolder;
    if (allUsers) {
        return sysaccess::ResolveOrFixed(sys, KnownFolder::CommonStartup,
                                         sysaccess::XpFolder(KnownFolder::CommonStartup));
    }
    const std::string fixed = sysaccess::XpFolder(KnownFolder::Startup, form.UserName);
    const auto startup = sys.KnownFolderPath(KnownFolder::Startup);
    if (!startup || startup->empty()) return fixed;
    // The folder of the user the form names: the Startup folder's place inside a profile, in that
    // user's profile.
    std::string folder = *startup;
    const auto profile = sys.KnownFolderPath(KnownFolder::Profile);
    const auto profiles = sys.KnownFolderPath(KnownFolder::Profiles);
    if (!form.UserName.empty() && profile && profiles && sysaccess::InFolder(*startup, *profile)) {
        folder = *profiles + "\\" + form.UserName + startup->substr(profile->size());
    }
    return sysaccess::SameName(folder, fixed) ? fixed : folder;
}

bool IsPlainFileName(const std::string& name) {
    // Windows drops trailing dots and blanks from a path, so "..." or ".. " would name the folder
    // itself or its parent; no file's own name ends that way.
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    constexpr std::string_view kForbidden = R"(\/:*?"<>|)";
    for (unsigned char c : name) {
        if (c < 0x20 || kForbidden.find(static_cast<char>(c)) != std::string_view::npos) return false;
    }
    return true;
}

void FillStartupList(form::MainForm& form, sysaccess::System& sys) {
    form.ClearStartup();
    for (const RunKey& key : kRunKeys) {
        if (!Present(key, sys)) continue;
        for (std::string& name : sys.EnumRegValues(key.root, key.below))
            form.AddStartup(std::move(name));
    }
    AppendFolder(form, sys, StartupFolder(form, sys, false));
    AppendFolder(form, sys, StartupFolder(form, sys, true));
}

std::vector<StartupSource> StartupSources(const form::MainForm& form, sysaccess::System& sys, const std::string& name) {
    std::vector<StartupSource> out;
    for (const RunKey& key : kRunKeys) {
        if (!Present(key, sys)) continue;
        if (const auto value = sys.ReadRegValue(RunKeyPath(key), name)) out.push_back({RunKeyPath(key), value->text});
    }
    if (!IsPlainFileName(name)) return out;
    for (bool allUsers : {false, true}) {
        const std::string folder = StartupFolder(form, sys, allUsers);
        if (sys.FileExists(folder + "\\" + name)) out.push_back({folder, folder + "\\" + name});
    }
    return out;
}

void RemoveStartupItem(const form::MainForm& form, sysaccess::System& sys, const std::string& name) {
    // The name comes from whatever program wrote the value: quoted so that reg receives exactly it.
    const std::string quoted = sysaccess::QuoteArgument(name);
    // Run to completion, so that the list built afterwards no longer shows what was removed. The
    // list does not say which key or view an entry came from: it goes from whichever holds it.
    for (const RunKey& key : kRunKeys) {
        if (Present(key, sys))
            (void)sys.Run("reg delete " + RunKeyPath(key) + " /v " + quoted + " /f", sysaccess::RunMode::Wait);
    }
    // Only a plain file name may become a path: no way out of the folder, no wildcard.
    if (!IsPlainFileName(name)) return;
    DeleteFromFolder(sys, StartupFolder(form, sys, false), name);
    DeleteFromFolder(sys, StartupFolder(form, sys, true), name);
}

void RunStartupSection(form::MainForm& form, sysaccess::System& sys, form::Host& host) {
    // A copy: the list must not change under the loop.
    const form::CheckList list = form.lstStartup();
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (i < list.ticked.size() && list.ticked[i]) RemoveStartupItem(form, sys, list.items[i]);
    }
    form.ClearStartup();
    // Every removal above ran to completion; the window gets its chance to repaint.
    for (int i = 0; i < kYields; ++i)
        host.DoEvents();
    FillStartupList(form, sys);
}

} // namespace startup
