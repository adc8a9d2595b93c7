// The system page: 31 check boxes, the L2-cache option buttons and the two combo boxes.
// Commands are started without waiting: no later step of this page depends on them.
#include "optimize/catalogue.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

constexpr const char* kBios = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\BIOS)";
constexpr const char* kCrashControl = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\CrashControl)";
constexpr const char* kMachineExplorerPolicies =
    R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
constexpr const char* kSystemRestore =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore)";
constexpr const char* kAeDebug = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug)";
// On 64-bit Windows, AeDebug of the 64-bit view governs crashes of 64-bit programs and that of
// the 32-bit view crashes of 32-bit ones: the options write both.
constexpr const char* kAeDebug32 =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug)";
constexpr const char* kWindowsUpdate =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\WindowsUpdate)";
constexpr const char* kCleanupWiz =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz)";
constexpr const char* kUserExplorerPolicies =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer)";
constexpr const char* kSecurityCenter = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Security Center)";
constexpr const char* kMachineSystemPolicies =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\system)";
constexpr const char* kMediaPlayer = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Policies\Microsoft\WindowsMediaPlayer)";
constexpr const char* kMemory =
    R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management)";
constexpr const char* kPrefetch =
    R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management\PrefetchParameters)";
constexpr const char* kDesktopUpper = R"(HKEY_CURRENT_USER\Control Panel\Desktop)";
constexpr const char* kDesktopLower = R"(HKEY_CURRENT_USER\Control Panel\desktop)";
constexpr const char* kMenuClsid =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{00021400-0000-0000-C000-000000000046})";
constexpr const char* kGpoSystemPolicies =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Group Policy Objects\)"
    R"({93DA6881-55BF-487D-B0AE-C8EB3C54121A}Machine\Software\Microsoft\Windows\CurrentVersion\Policies\System)";
constexpr const char* kAdvanced = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced)";
constexpr const char* kMachineExplorer = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer)";
constexpr const char* kFileSystem = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\FileSystem)";

constexpr const char* kAllUsersStartMenuShortcuts = R"(C:\Documents and Settings\All Users\「开始」菜单\*.lnk)";

// chk(56) with Combo3: more processor time for programs (index 0) or background services.
void CpuPriority(const app::MainForm& form, sysaccess::System& sys) {
    const char* data = !form.Ticked(56) ? "00000003" : form.Combo3() == 0 ? "00000001" : "00000002";
    Write(sys, kBios, kDword, "CPUPriority", data);
}

// chk(76): tidy the Start menu. Clearing it releases only the values whose security-page box is
// clear (0), so a restriction set there survives a pass of this page.
void TidyStartMenu(const app::MainForm& form, sysaccess::System& sys) {
    const char* k = kMachineExplorerPolicies;
    if (form.Ticked(76)) {
        for (const char* name :
             {"NoSMHelp", "NoSetFolders", "NoSetTaskbar", "NoFind", "NoRecentDocsMenu", "StartMenuLogOff"}) {
            Write(sys, k, kDword, name, "00000001");
        }
        DeleteIfExists(sys, kAllUsersStartMenuShortcuts);
        return;
    }
    const auto clear = [&form](int i) { return form.chk(i) == app::kCleared; };
    if (clear(20)) Write(sys, k, kDword, "NoFind", "00000000");
    if (clear(21)) {
        Write(sys, k, kDword, "NoSetFolders", "00000000");
        Write(sys, k, kDword, "NoSetTaskbar", "00000000");
    }
    if (clear(23)) Write(sys, k, kDword, "NoSMHelp", "00000000");
    if (clear(22)) Write(sys, k, kDword, "NoRecentDocsMenu", "00000000");
    Write(sys, k, kDword, "NoLogoff", "00000000");
}

// chk(75) with Opt(0..4): the L2-cache size in KB, from the first selected option button.
void SecondLevelCache(const app::MainForm& form, sysaccess::System& sys) {
    static constexpr const char* kSizes[app::kOptCount] = {"00000040", "00000080", "00000100", "00000200", "00000400"};
    if (!form.Ticked(75)) return;
    for (int i = 0; i < app::kOptCount; ++i) {
        if (form.Opt(i)) {
            Write(sys, kMemory, kDword, "SecondLevelDataCache", kSizes[i]);
            return;
        }
    }
}

// Combo2, on every pass: prefetch applications (index 0) or boot prefetch.
void Prefetch(const app::MainForm& form, sysaccess::System& sys) {
    Write(sys, kPrefetch, kString, "EnablePrefetcher", form.Combo2() == 0 ? "5" : "3");
}

// chk(58) runs its service command only: the automatic-update policy is chk(65)'s alone.
constexpr Step kSteps[] = {
    Progress(2000),
    Special(CpuPriority),
    Reg(54, kCrashControl, "AutoReboot", kDword, "00000001", "00000000"),
    Special(TidyStartMenu),
    Reg(67, kSystemRestore, "DisableSR", kDword, "00000001", "00000000"),
    InBothViews(Reg(66, kAeDebug, "Auto", kString, "0", "1"), kAeDebug32),
    Reg(65, kWindowsUpdate, "DisableWindowsUpdateAccess", kDword, "00000001", "00000000"),
    Cmd(57, R"(sc \\. config RDSessMgr start= disabled)", R"(sc \\. config RDSessMgr start= demand)"),
    Cmd(58, R"(sc \\. config ERSvc start= disabled)", R"(sc \\. config ERSvc start= demand)"),
    Progress(4000),
    Reg(59, kCleanupWiz, "NoRun", kDword, "00000001", "00000000"),
    Cmd(60, R"(sc \\. config wuauserv start= disabled)", R"(sc \\. config wuauserv start= demand)"),
    Reg(61, kUserExplorerPolicies, "NoSimpleStartMenu", kDword, "00000001", "00000000"),
    Reg(62, kUserExplorerPolicies, "NoWinKeys", kDword, "00000001", "00000000"),
    Reg(63, kSecurityCenter, "FirewallDisableNotify", kDword, "00000001", "00000000"),
    Progress(6000),
    Reg(64, kMachineSystemPolicies, "LogonType", kDword, "00000000", "00000001"),
    Reg(68, kMediaPlayer, "DisableAutoUpdate", kDword, "00000001", "00000000"),
    Reg(72, kMemory, "DisablePagingExecutive", kDword, "00000001", "00000000"),
    RegKeys(43, kDesktopUpper, kDesktopLower, "WaitToKillAppTimeout", kString, "1000", "20000"),
    Reg(44, kDesktopLower, "AutoEndTasks", kString, "1", "0"),
    Reg(70, kMemory, "ClearPageFileAtShutdown", kString, "1", "0"),
    Progress(7600),
    Reg(55, kMemory, "LargeSystemCache", kString, "1", "0"),
    Reg(73, kMenuClsid, "MenuShowDelay", kString, "1", "200"),
    Reg(69, kGpoSystemPolicies, "DisableStatusMessages", kDword, "00000001", "00000000"),
    Reg(69, kMachineSystemPolicies, "DisableStatusMessages", kDword, "00000001", "00000000"),
    Reg(50, kUserExplorerPolicies, "NoRecycleFiles", kDword, "00000001", "00000000"),
    Cmd(53,
        R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\TrayNotify\IconStreams /f)",
        kNothing),
    Cmd(53,
        R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\TrayNotify\PastIconsStream /f)",
        kNothing),
    Reg(51, kAdvanced, "TaskbarGlomming", kDword, "00000000", "00000001"),
    Reg(71, kDesktopUpper, "HungAppTimeout", kString, "5000", kNothing),
    Cmd(74, "chkntfs /x c: d:", kNothing),
    Progress(9000),
    Special(SecondLevelCache),
    Reg(49, kMachineExplorer, "AlwaysUnloadDLL", kString, "1", kNothing),
    InBothViews(Reg(48, kAeDebug, "auto", kString, "0", kNothing), kAeDebug32),
    Reg(47, kFileSystem, "ContigFileAllocSize", kDword, "00000400", kNothing),
    Special(Prefetch),
    Progress(app::kFullProgress),
};

} // namespace

void RunSystemSection(app::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
