// A 32-bit program on 64-bit Windows (WOW64) sees a redirected system: its "system32" is the
// 32-bit SysWOW64, "%windir%\regedit.exe" is the 32-bit editor, and its keys under
// HKEY_LOCAL_MACHINE\SOFTWARE are, but for a few keys both views share, the 32-bit view kept in
// SOFTWARE\Wow6432Node, which 64-bit Windows does not read. Here is decided, without any Windows header, how the
// program reaches the 64-bit system instead: the file each tool is started from, whether file-system redirection is off
// while it starts, and the flags every registry key is opened with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sysaccess {

// KEY_WOW64_64KEY: a key opened with it is the 64-bit view's, whatever the process's bitness.
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;

// The tools the program runs, by name, in their folders on Windows.
inline constexpr std::string_view kToolNames[] = {"regedit", "reg", "sc", "sfc", "chkntfs", "regsvr32"};

// What the program finds out once, at start.
struct Platform {
    bool wow64 = false;        // a 32-bit process on 64-bit Windows
    std::string windowsFolder; // as GetWindowsDirectoryW says ("C:\WINDOWS")
    std::string systemFolder;  // as GetSystemDirectoryW says: "...\system32" under WOW64 too
};

// How one tool is started.
struct ToolStart {
    std::string path;            // the full path handed to CreateProcessW
    bool redirectionOff = false; // file-system redirection turned off around CreateProcessW alone
    bool operator==(const ToolStart&) const = default;
};

// The tool a command line starts, as named in kToolNames ("REG.EXE add x" -> "reg"); nothing
// for any other program, or for one given with a folder.
std::optional<std::string_view> ToolOf(const std::string& commandLine);

// True for the tool kept in the Windows folder (regedit); the others are in the system folder.
bool InWindowsFolder(std::string_view tool);

// How tool (one of kToolNames) is started. sysnativeHasTool: "%windir%\Sysnative\<tool>.exe"
// exists, which a 32-bit process sees from Windows Vista on.
//  - Not under WOW64: from its own folder, as always.
//  - Under WOW64, a system-folder tool that Sysnative holds: the 64-bit one through Sysnative.
//  - Under WOW64 otherwise (regedit, which Sysnative does not cover; XP x64): from its own folder
//    with redirection off, which reaches the 64-bit file of that name.
ToolStart DecideToolStart(std::string_view tool, const Platform& platform, bool sysnativeHasTool);

// The view flags added to every registry key the program opens: the 64-bit view under WOW64.
std::uint32_t RegViewFlags(const Platform& platform);

} // namespace sysaccess
