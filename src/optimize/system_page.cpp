// The system page: 31 check boxes, the L2-cache option buttons and the two combo boxes.
// Commands are started without waiting: no later step of this page depends on them.
#include "optimize/catalogue.h"
#include "optimize/keys.h"
#include "optimize/sections.h"
#include "sysaccess/folders.h"

namespace optimize {

namespace {

// kCpuPriority with Combo3: more processor time for programs (index 0) or background services.
void CpuPriority(const form::MainForm& form, sysaccess::System& sys) {
    const char* data = !form.Ticked(kCpuPriority) ? "00000003" : form.Combo3() == 0 ? "00000001" : "00000002";
    Write(sys, kBios, kDword, "CPUPriority", data);
}

// kTidyStartMenu: tidy the Start menu. Clearing it releases only the values whose security-page box is
// clear (0), so a restriction set there survives a pass of this page.
void TidyStartMenu(const form::MainForm& form, sysaccess::System& sys) {
    const char* k = kMachineExplorerPolicies;
    if (form.Ticked(kTidyStartMenu)) {
        for (const char* name :
             {"NoSMHelp", "NoSetFolders", "NoSetTaskbar", "NoFind", "NoRecentDocsMenu", "StartMenuLogOff"}) {
            Write(sys, k, kDword, name, "00000001");
        }
        DeleteIfExists(sys, sysaccess::FixedStartMenu(sysaccess::kAllUsers) + "\\*.lnk"); // its root's shortcuts
        return;
    }
    const auto clear = [&form](int i) { return form.chk(i) == form::kCleared; };
    if (clear(kNoFindItem)) Write(sys, k, kDword, "NoFind", "00000000");
    if (clear(kNoSettingsItem)) {
        Write(sys, k, kDword, "NoSetFolders", "00000000");
        Write(sys, k, kDword, "NoSetTaskbar", "00000000");
    }
    if (clear(kNoHelpItem)) Write(sys, k, kDword, "NoSMHelp", "00000000");
    if (clear(kNoDocumentsItem)) Write(sys, k, kDword, "NoRecentDocsMenu", "00000000");
    Write(sys, k, kDword, "NoLogoff", "00000000");
}

// kL2Cache with Opt(0..4): the L2-cache size in KB, from the first selected option button.
void SecondLevelCache(const form::MainForm& form, sysaccess::System& sys) {
    static constexpr const char* kSizes[form::kOptCount] = {"00000040", "00000080", "00000100", "00000200", "00000400"};
    if (!form.Ticked(kL2Cache)) return;
    for (int i = 0; i < form::kOptCount; ++i) {
        if (form.Opt(i)) {
            Write(sys, kMemory, kDword, "SecondLevelDataCache", kSizes[i]);
            return;
        }
    }
}

// Combo2, on every pass: prefetch applications (index 0) or boot prefetch.
void Prefetch(const form::MainForm& form, sysaccess::System& sys) {
    Write(sys, kPrefetch, kString, "EnablePrefetcher", form.Combo2() == 0 ? "5" : "3");
}

// kNoErrorReporting runs its service command only: the automatic-update policy is kNoWindowsUpdate's alone.
constexpr Step kSteps[] = {
    Progress(2000),
    Special(CpuPriority),
    Reg(kRebootOnCrash, kCrashControl, "AutoReboot", kDword, "00000001", "00000000"),
    Special(TidyStartMenu),
    Reg(kNoSystemRestore, kSystemRestore, "DisableSR", kDword, "00000001", "00000000"),
    InBothViews(Reg(kNoErrorDebugInfo, kAeDebug, "Auto", kString, "0", "1"), kAeDebug32),
    Reg(kNoWindowsUpdate, kWindowsUpdate, "DisableWindowsUpdateAccess", kDword, "00000001", "00000000"),
    Cmd(kNoRemoteAssistance, R"(sc \\. config RDSessMgr start= disabled)", R"(sc \\. config RDSessMgr start= demand)"),
    Cmd(kNoErrorReporting, R"(sc \\. config ERSvc start= disabled)", R"(sc \\. config ERSvc start= demand)"),
    Progress(4000),
    Reg(kNoCleanupWizard, kCleanupWiz, "NoRun", kDword, "00000001", "00000000"),
    Cmd(kNoAutoUpdateService, R"(sc \\. config wuauserv start= disabled)", R"(sc \\. config wuauserv start= demand)"),
    Reg(kClassicStartMenu, kUserExplorerPolicies, "NoSimpleStartMenu", kDword, "00000001", "00000000"),
    Reg(kNoAccessibilityKeys, kUserExplorerPolicies, "NoWinKeys", kDword, "00000001", "00000000"),
    Reg(kNoFirewall, kSecurityCenter, "FirewallDisableNotify", kDword, "00000001", "00000000"),
    Progress(6000),
    Reg(kClassicLogon, kMachineSystemPolicies, "LogonType", kDword, "00000000", "00000001"),
    Reg(kNoMediaPlayerUpdate, kMediaPlayer, "DisableAutoUpdate", kDword, "00000001", "00000000"),
    Reg(kNoPagingExecutive, kMemory, "DisablePagingExecutive", kDword, "00000001", "00000000"),
    RegKeys(kShortKillTimeout, kDesktopUpper, kDesktopLower, "WaitToKillAppTimeout", kString, "1000", "20000"),
    Reg(kAutoEndTasks, kDesktopLower, "AutoEndTasks", kString, "1", "0"),
    Reg(kClearPageFile, kMemory, "ClearPageFileAtShutdown", kString, "1", "0"),
    Progress(7600),
    Reg(kLargeSystemCache, kMemory, "LargeSystemCache", kString, "1", "0"),
    Reg(kFastMenus, kMenuClsid, "MenuShowDelay", kString, "1", "200"),
    Reg(kNoStatusMessages, kGpoSystemPolicies, "DisableStatusMessages", kDword, "00000001", "00000000"),
    Reg(kNoStatusMessages, kMachineSystemPolicies, "DisableStatusMessages", kDword, "00000001", "00000000"),
    Reg(kNoRecycleOnDelete, kUserExplorerPolicies, "NoRecycleFiles", kDword, "00000001", "00000000"),
    Cmd(kShowInactiveIcons,
        R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\TrayNotify\IconStreams /f)",
        kNothing),
    Cmd(kShowInactiveIcons,
        R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\TrayNotify\PastIconsStream /f)",
        kNothing),
    Reg(kNoTaskbarGrouping, kAdvanced, "TaskbarGlomming", kDword, "00000000", "00000001"),
    Reg(kFastShutdown, kDesktopUpper, "HungAppTimeout", kString, "5000", kNothing),
    Cmd(kShortDiskCheck, "chkntfs /x c: d:", kNothing),
    Progress(9000),
    Special(SecondLevelCache),
    Reg(kUnloadDlls, kMachineExplorer, "AlwaysUnloadDLL", kString, "1", kNothing),
    InBothViews(Reg(kNoAutoDebug, kAeDebug, "auto", kString, "0", kNothing), kAeDebug32),
    Reg(kContigFileAlloc, kFileSystem, "ContigFileAllocSize", kDword, "00000400", kNothing),
    Special(Prefetch),
    Progress(form::kFullProgress),
};

} // namespace

void RunSystemSection(form::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
