// The second half of the security page: display properties, Start menu and other restrictions.
// Every command here runs to completion before the next step: kNoAddRemovePrograms writes into the key its
// command recreates, and kNoSafeMode must not delete a key before its copy is known to be complete.
#include <string>

#include "optimize/catalogue.h"
#include "optimize/keys.h"
#include "optimize/sections.h"
#include "sysaccess/folders.h"

namespace optimize {

namespace {

void Wait(sysaccess::System& sys, const std::string& commandLine) {
    (void)RunAndWait(sys, commandLine);
}

// kNoControlPanelAccess and kNoControlPanel govern one value: either box ticked restricts.
void ControlPanel(const form::MainForm& form, sysaccess::System& sys) {
    const bool either = form.Ticked(kNoControlPanelAccess) || form.Ticked(kNoControlPanel);
    Write(sys, kUserExplorerPolicies, kDword, "NoControlPanel", either ? "00000001" : "00000000");
}

// kNoAddRemovePrograms: Add or Remove Programs. The value "1" goes into the key only after the command that
// creates or deletes that key has ended, so a cleared box leaves the key with an empty "1".
void AddRemovePrograms(const form::MainForm& form, sysaccess::System& sys) {
    const std::string key = std::string(kDisallowCpl) + "\\";
    if (form.Ticked(kNoAddRemovePrograms)) {
        Write(sys, kUserExplorerPolicies, kDword, "DisallowCpl", "00000001");
        Wait(sys, "reg add " + key + " /f");
        Write(sys, kDisallowCpl, kString, "1", "Appwiz.cpl");
    } else {
        Write(sys, kUserExplorerPolicies, kDword, "DisallowCpl", "00000000");
        Wait(sys, "reg delete " + key + " /f");
        Write(sys, kDisallowCpl, kString, "1", "");
    }
}

// kNoCatalogUpdateItems: removes the two shortcuts when ticked; cleared, it restores only the MUICache entry.
void StartMenuShortcuts(const form::MainForm& form, sysaccess::System& sys) {
    if (form.Ticked(kNoCatalogUpdateItems)) {
        const std::string startMenu = sysaccess::FixedStartMenu(sysaccess::kAllUsers);
        DeleteIfExists(sys, startMenu + "\\Windows Catalog.lnk");
        DeleteIfExists(sys, startMenu + "\\Windows Update.lnk");
    } else {
        Write(sys, kMuiCache, kString, "@shell32.dll,-22075", "Windows Catalog");
    }
}

// kNoRecycleBin: the Recycle Bin's desktop entry.
void RecycleBin(const form::MainForm& form, sysaccess::System& sys) {
    const std::string key =
        R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{645FF040-5081-101B-9F08-00AA002F954E})";
    Wait(sys, (form.Ticked(kNoRecycleBin) ? "reg delete " : "reg add ") + key + " /f");
}

// kNoSafeMode: ticked moves the safe-boot keys Minimal and Network to Minimal1 and Network1; cleared
// moves them back. Each copy takes the whole subtree, and a key is deleted only after its copy
// has exited 0, so the safe-boot configuration always survives in one of the two places.
void SafeMode(const form::MainForm& form, sysaccess::System& sys) {
    const bool ticked = form.Ticked(kNoSafeMode);
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
    Reg(kHideThemePage, kUserSystemPolicies, "NoDispAppearancePage", kDword, "00000001", "00000000"),
    Reg(kHideDesktopPage, kUserSystemPolicies, "NoDispBackgroundPage", kDword, "00000001", "00000000"),
    Reg(kHideScreenSaverPage, kUserSystemPolicies, "NoDispScrSavPage", kDword, "00000001", "00000000"),
    Progress(8000),
    Reg(kNoWallpaperChange, kActiveDesktopPolicies, "NoDispBackgroundPage", kDword, "00000001", "00000000"),
    Reg(kNoScreenSaver, kDesktopPolicies, "ScreenSaveActive", kDword, "00000000", "00000001"),
    Reg(kNoRunItem, kMachineExplorerPolicies, "noRun", kDword, "00000001", "00000000"),
    Reg(kNoFindItem, kMachineExplorerPolicies, "noFind", kDword, "00000001", "00000000"),
    Reg(kNoSettingsItem, kMachineExplorerPolicies, "NoSetFolders", kDword, "00000001", "00000000"),
    Reg(kNoSettingsItem, kMachineExplorerPolicies, "NoSetTaskbar", kDword, "00000001", "00000000"),
    Reg(kNoDocumentsItem, kMachineExplorerPolicies, "NoRecentDocsMenu", kDword, "00000001", "00000000"),
    Progress(9000),
    Reg(kNoHelpItem, kMachineExplorerPolicies, "NoSMHelp", kDword, "00000001", "00000000"),
    Special(ControlPanel),
    Reg(kNoTaskManager, kUserSystemPolicies, "DisableTaskMgr", kDword, "00000001", "00000000"),
    Reg(kNoDesktopContextMenu, kUserExplorerPolicies, "NoViewContextMenu", kDword, "00000001", "00000000"),
    Special(AddRemovePrograms),
    Progress(9900),
    Reg(kNoPasswordChange, kUserSystemPolicies, "DisableChangePassword", kDword, "00000001", "00000000"),
    Reg(kNoMyComputer, kNonEnum, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", kDword, "00000001", "00000000"),
    Reg(kNoFileMenu, kUserExplorerPolicies, "NoFileMenu", kDword, "00000001", "00000000"),
    Special(StartMenuShortcuts),
    Reg(kNoStartMenuContextMenu, kUserExplorerPolicies, "NoChangeStartMenu", kDword, "00000001", "00000000"),
    Reg(kNoTaskbarSettings, kMachineExplorerPolicies, "NoSetTaskbar", kDword, "00000001", "00000000"),
    Reg(kNoDrivesFromIe, kMachineExplorerPolicies, "noRun", kDword, "00000001", "00000000"),
    Reg(kNoNetworkPlaces, kUserExplorerPolicies, "NoNetHood", kDword, "00000001", "00000000"),
    Special(RecycleBin),
    Reg(kNoManageItem, kUserExplorerPolicies, "NoManageMyComputerVerb", kDword, "00000001", "00000000"),
    Special(SafeMode),
    Reg(kNoFolderOptions, kUserExplorerPolicies, "NoFolderOptions", kDword, "00000001", "00000000"),
    Progress(form::kFullProgress),
};

} // namespace

void RunDisplayStartMenuSection(form::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
