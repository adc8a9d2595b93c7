// The registry keys the pages write, one constant per distinct text. Windows compares key names
// without regard to case, but the text written is the program's own and stays as it is: two
// spellings of one key are two constants.
#pragma once

namespace optimize {

inline constexpr const char* kIeControlPanelPolicies =
    R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Internet Explorer\Control Panel)";
inline constexpr const char* kIeRestrictions =
    R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Internet Explorer\Restrictions)";
inline constexpr const char* kInternetZone3 =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Zones\3)";
inline constexpr const char* kInternetExplorer = R"(HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer)";
// Spelt "SOFTWARE": the drive masks have always gone to this text of the key.
inline constexpr const char* kMachineExplorerPoliciesUpper =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\Explorer)";
inline constexpr const char* kUserSystemPolicies =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\System)";
inline constexpr const char* kActiveDesktopPolicies =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\ActiveDesktop)";
inline constexpr const char* kDesktopPolicies =
    R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Windows\Control Panel\Desktop)";
inline constexpr const char* kMachineExplorerPolicies =
    R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
inline constexpr const char* kUserExplorerPolicies =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer)";
inline constexpr const char* kDisallowCpl =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\DisallowCpl)";
inline constexpr const char* kNonEnum =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\NonEnum)";
inline constexpr const char* kMuiCache = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\ShellNoRoam\MUICache)";
// The Recycle Bin's desktop entry.
inline constexpr const char* kRecycleBinEntry =
    R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{645FF040-5081-101B-9F08-00AA002F954E})";
inline constexpr const char* kSafeBoot = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\SafeBoot\)";
inline constexpr const char* kBios = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\BIOS)";
inline constexpr const char* kCrashControl = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\CrashControl)";
inline constexpr const char* kSystemRestore =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore)";
inline constexpr const char* kAeDebug = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug)";
// On 64-bit Windows, AeDebug of the 64-bit view governs crashes of 64-bit programs and that of
// the 32-bit view crashes of 32-bit ones: the options write both.
inline constexpr const char* kAeDebug32 =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug)";
inline constexpr const char* kWindowsUpdate =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\WindowsUpdate)";
inline constexpr const char* kCleanupWiz =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz)";
inline constexpr const char* kSecurityCenter = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Security Center)";
inline constexpr const char* kMachineSystemPolicies =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\system)";
inline constexpr const char* kMediaPlayer = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Policies\Microsoft\WindowsMediaPlayer)";
inline constexpr const char* kMemory =
    R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management)";
inline constexpr const char* kPrefetch =
    R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management\PrefetchParameters)";
inline constexpr const char* kDesktopUpper = R"(HKEY_CURRENT_USER\Control Panel\Desktop)";
// The same key spelt with a small d: some values have always been written under this text.
inline constexpr const char* kDesktopLower = R"(HKEY_CURRENT_USER\Control Panel\desktop)";
inline constexpr const char* kMenuClsid =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{00021400-0000-0000-C000-000000000046})";
inline constexpr const char* kGpoSystemPolicies =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Group Policy Objects\)"
    R"({93DA6881-55BF-487D-B0AE-C8EB3C54121A}Machine\Software\Microsoft\Windows\CurrentVersion\Policies\System)";
inline constexpr const char* kAdvanced =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced)";
inline constexpr const char* kMachineExplorer =
    R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer)";
inline constexpr const char* kFileSystem = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\FileSystem)";

} // namespace optimize
