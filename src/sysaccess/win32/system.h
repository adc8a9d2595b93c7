// The real machine: the System seam on the Win32 API.
//
// The six tools the program runs are always started from their system folders, never from the
// program's folder or the working folder, and no command line goes through a shell.
//
// Under WOW64 (this 32-bit program on 64-bit Windows, found out once at start) the tools started
// are the 64-bit ones and every key is opened in the 64-bit view: see sysaccess/wow64.h.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sysaccess/system.h"
#include "win32/handles.h"

namespace win32 {

class System final : public sysaccess::System {
public:
    System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;
    ~System() override = default;

    std::vector<std::string> EnumRegValues(sysaccess::RegRoot root, const std::string& subkey) override;
    std::optional<sysaccess::RegData> ReadRegValue(const std::string& key, const std::string& name) override;
    std::optional<sysaccess::RegKeyListing> ListRegKey(const std::string& key) override;

    sysaccess::RunResult Run(const std::string& commandLine, sysaccess::RunMode mode) override;
    std::vector<sysaccess::StartedCommand> CollectStarted() override;

    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    sysaccess::Result DeleteFiles(const std::string& path) override;
    sysaccess::Result RemoveFolder(const std::string& path) override;
    sysaccess::Result CreateFolder(const std::string& path) override;
    std::vector<std::string> ListFolder(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    sysaccess::LimitedRead ReadFileUpTo(const std::string& path, std::uint64_t limit) override;
    sysaccess::Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) override;
    sysaccess::Result CreateHeldFile(const std::string& path, const std::string& bytes,
                                     std::unique_ptr<sysaccess::FileHold>& hold) override;

    std::optional<std::string> ToAnsi(const std::string& utf8) override;
    std::string FromAnsi(const std::string& ansi) override;
    std::string UserName() override;
    std::string UserSid() override;
    std::string ProgramFolder() override;
    std::string ComputerName() override;
    std::optional<std::string> ShellStartupFolder(bool allUsers) override;
    bool Has32BitView() override;

private:
    // Waits for a process, letting the idle hook run every 50 ms; nothing when the wait fails.
    std::optional<DWORD> WaitForExit(HANDLE process) const;

    struct Started {
        std::string commandLine;
        Handle process;
    };
    std::vector<Started> started_;
};

// The full path of the program a command line starts when it names one of the tools the program
// runs ("reg", "REGEDIT.EXE"...); nothing for any other program, or one given with a folder.
// Under WOW64 it is the 64-bit tool's path as the decision gives it.
std::optional<std::wstring> ToolPath(const std::string& commandLine);

} // namespace win32
