// The second half of the security page: display properties, Start menu and other restrictions.
// Every command here runs to completion before the next step: chk(27) writes into the key its
// command recreates, and chk(39) must not delete a key before its copy is known to be complete.
#include <string>

#include "optimize/catalogue.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

constexpr const char* kK6 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\System)";
constexpr const char* kK7 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\ActiveDesktop)";
constexpr const char* kK8 = R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Windows\Control Panel\Desktop)";
constexpr const char* kK9 = R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
constexpr const char* kK10 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer)";
constexpr const char* kK11 =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\DisallowCpl)";
constexpr const char* kK12 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\NonEnum)";
constexpr const char* kK13 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\ShellNoRoam\MUICache)";

constexpr const char* kCatalogShortcut = R"(C:\Documents and Settings\All Users\「开始」菜单\Windows Catalog.lnk)";
constexpr const char* kUpdateShortcut = R"(C:\Documents and Settings\All Users\「开始」菜单\Windows Update.lnk)";

constexpr const char* kSafeBoot = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\SafeBoot\)";

void Wait(sysaccess::System& sys, const std::string& commandLine) {
    (void)RunAndWait(sys, commandLine);
}

// chk(24) and chk(28) govern one value: either box ticked restricts.
void ControlPanel(const app::MainForm& form, sysaccess::System& sys) {
    const bool either = form.Ticked(24) || form.Ticked(28);
    Write(sys, kK10, kDword, "NoControlPanel", either ? "00000001" : "00000000");
}

// chk(27): Add or Remove Programs. The value "1" goes into the key only after the command that
// creates or deletes that key has ended, so a cleared box leaves the key with an empty "1".
void AddRemovePrograms(const app::MainForm& form, sysaccess::System& sys) {
    const std::string key = std::string(kK11) + "\\";
    if (form.Ticked(27)) {
        Write(sys, kK10, kDword, "DisallowCpl", "00000001");
        Wait(sys, "reg add " + key + " /f");
        Write(sys, kK11, kString, "1", "Appwiz.cpl");
    } else {
        Write(sys, kK10, kDword, "DisallowCpl", "00000000");
        Wait(sys, "reg delete " + key + " /f");
        Write(sys, kK11, kString, "1", "");
    }
}

// chk(32): removes the two shortcuts when ticked; cleared, it restores only the MUICache entry.
void StartMenuShortcuts(const app::MainForm& form, sysaccess::System& sys) {
    if (form.Ticked(32)) {
        DeleteIfExists(sys, kCatalogShortcut);
        DeleteIfExists(sys, kUpdateShortcut);
    } else {
        Write(sys, kK13, kString, "@shell32.dll,-22075", "Windows Catalog");
    }
}

// chk(37): the Recycle Bin's desktop entry.
void RecycleBin(const app::MainForm& form, sysaccess::System& sys) {
    const std::string key =
        R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{645FF040-5081-101B-9F08-00AA002F954E})";
    Wait(sys, (form.Ticked(37) ? "reg delete " : "reg add ") + key + " /f");
}

// chk(39): ticked moves the safe-boot keys Minimal and Network to Minimal1 and Network1; cleared
// moves them back. Each copy takes the whole subtree, and a key is deleted only after its copy
// has exited 0, so the safe-boot configuration always survives in one of the two places.
void SafeMode(const app::MainForm& form, sysaccess::System& sys) {
    const bool ticked = form.Ticked(39);
    const std::string base = kSafeBoot;
    const auto from = [&](const char* name) { return base + name + (ticked ? "\\" : "1\\"); };
    const auto to = [&](const char* name) { return base + name + (ticked ? "1\\" : "\\"); };
    const auto copied = [](const sysaccess::RunResult& r) { return r.started && r.finished && r.exitCode == 0; };

    const bool minimal = copied(RunAndWait(sys, "reg copy " + from("Minimal") + " " + to("Minimal") + " /s /f"));
    const bool network = copied(RunAndWait(sys, "reg copy " + from("Network") + " " + to("Network") + " /s /f"));
    if (minimal) Wait(sys, "reg delete " + from("Minimal") + " /f");
    if (network) Wait(sys, "reg delete " + from("Network") + " /f");
}

constexpr Step kSteps[] = {
    Reg(14, kK6, "NoDispAppearancePage", kDword, "00000001", "00000000"),
    Reg(15, kK6, "NoDispBackgroundPage", kDword, "00000001", "00000000"),
    Reg(16, kK6, "NoDispScrSavPage", kDword, "00000001", "00000000"),
    Progress(8000),
    Reg(17, kK7, "NoDispBackgroundPage", kDword, "00000001", "00000000"),
    Reg(18, kK8, "ScreenSaveActive", kDword, "00000000", "00000001"),
    Reg(19, kK9, "noRun", kDword, "00000001", "00000000"),
    Reg(20, kK9, "noFind", kDword, "00000001", "00000000"),
    Reg(21, kK9, "NoSetFolders", kDword, "00000001", "00000000"),
    Reg(21, kK9, "NoSetTaskbar", kDword, "00000001", "00000000"),
    Reg(22, kK9, "NoRecentDocsMenu", kDword, "00000001", "00000000"),
    Progress(9000),
    Reg(23, kK9, "NoSMHelp", kDword, "00000001", "00000000"),
    Special(ControlPanel),
    Reg(25, kK6, "DisableTaskMgr", kDword, "00000001", "00000000"),
    Reg(26, kK10, "NoViewContextMenu", kDword, "00000001", "00000000"),
    Special(AddRemovePrograms),
    Progress(9900),
    Reg(29, kK6, "DisableChangePassword", kDword, "00000001", "00000000"),
    Reg(30, kK12, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", kDword, "00000001", "00000000"),
    Reg(31, kK10, "NoFileMenu", kDword, "00000001", "00000000"),
    Special(StartMenuShortcuts),
    Reg(33, kK10, "NoChangeStartMenu", kDword, "00000001", "00000000"),
    Reg(34, kK9, "NoSetTaskbar", kDword, "00000001", "00000000"),
    Reg(35, kK9, "noRun", kDword, "00000001", "00000000"),
    Reg(36, kK10, "NoNetHood", kDword, "00000001", "00000000"),
    Special(RecycleBin),
    Reg(38, kK10, "NoManageMyComputerVerb", kDword, "00000001", "00000000"),
    Special(SafeMode),
    Reg(40, kK10, "NoFolderOptions", kDword, "00000001", "00000000"),
    Progress(app::kFullProgress),
};

} // namespace

void RunDisplayStartMenuSection(app::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
