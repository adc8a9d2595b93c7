#include "startup/startup.h"

#include <string_view>

#include "sysaccess/cmdline.h"

namespace startup {

namespace {

constexpr const char* kUserRun = R"(Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kMachineRun = R"(SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
// 32-bit programs' entries on 64-bit Windows: the machine Run key of the 32-bit view, where it
// lies in the 64-bit registry. They start at log-on too.
constexpr const char* kMachineRun32 = R"(SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run)";

constexpr const char* kDeleteUserRun =
    R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v )";
constexpr const char* kDeleteMachineRun =
    R"(reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v )";
constexpr const char* kDeleteMachineRun32 =
    R"(reg delete HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run /v )";

constexpr const char* kProfiles = R"(C:\Documents and Settings\)";
constexpr const char* kStartupUnderProfile = R"(\「开始」菜单\程序\启动)";

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

} // namespace

std::string StartupFolder(const form::MainForm& form, sysaccess::System& sys, bool allUsers) {
    const std::string fixed =
        std::string(kProfiles) + (allUsers ? std::string("All Users") : form.UserName) + kStartupUnderProfile;
    if (sys.FolderExists(fixed)) return fixed;
    if (auto shell = sys.ShellStartupFolder(allUsers); shell && !shell->empty()) return *shell;
    return fixed;
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
    for (std::string& name : sys.EnumRegValues(sysaccess::RegRoot::CurrentUser, kUserRun)) {
        form.AddStartup(std::move(name));
    }
    for (std::string& name : sys.EnumRegValues(sysaccess::RegRoot::LocalMachine, kMachineRun)) {
        form.AddStartup(std::move(name));
    }
    if (sys.Has32BitView()) {
        for (std::string& name : sys.EnumRegValues(sysaccess::RegRoot::LocalMachine, kMachineRun32)) {
            form.AddStartup(std::move(name));
        }
    }
    AppendFolder(form, sys, StartupFolder(form, sys, false));
    AppendFolder(form, sys, StartupFolder(form, sys, true));
}

std::vector<StartupSource> StartupSources(const form::MainForm& form, sysaccess::System& sys, const std::string& name) {
    std::vector<StartupSource> out;
    std::vector<std::string> keys = {std::string("HKEY_CURRENT_USER\\") + kUserRun,
                                     std::string("HKEY_LOCAL_MACHINE\\") + kMachineRun};
    if (sys.Has32BitView()) keys.push_back(std::string("HKEY_LOCAL_MACHINE\\") + kMachineRun32);
    for (const std::string& key : keys) {
        if (const auto value = sys.ReadRegValue(key, name)) out.push_back({key, value->text});
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
    // Run to completion, so that the list built afterwards no longer shows what was removed.
    (void)sys.Run(kDeleteUserRun + quoted + " /f", sysaccess::RunMode::Wait);
    (void)sys.Run(kDeleteMachineRun + quoted + " /f", sysaccess::RunMode::Wait);
    // The list does not say which view an entry came from: it goes from whichever holds it.
    if (sys.Has32BitView()) (void)sys.Run(kDeleteMachineRun32 + quoted + " /f", sysaccess::RunMode::Wait);
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
