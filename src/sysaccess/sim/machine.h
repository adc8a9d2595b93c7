// A simulated Windows machine: an in-memory registry, drive C: as a file tree with attributes,
// services as registry keys, and the six tools the program runs, interpreted from the exact
// command lines it passes them. Used natively for every test of the program's effects and by
// sysvela-cli on Linux.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sysaccess/system.h"

namespace sim {

// File attributes the simulation keeps.
inline constexpr unsigned kHidden = 1;
inline constexpr unsigned kSystem = 2;
inline constexpr unsigned kReadOnly = 4;

// One command line the machine was asked to run, in order.
struct CommandRecord {
    std::string commandLine;
    sysaccess::RunMode mode;
    sysaccess::RunResult result;
};

class MachineState; // registry and drive, defined in state.h

struct LoadedMachine;

class Machine : public sysaccess::System {
public:
    // An empty machine: the registry roots, an empty drive C:, user "Administrator" (whose SID
    // ends in -500, as the built-in administrator's does), ANSI code page 936, program folder
    // "C:\Program Files\Sysvela".
    Machine();
    Machine(const Machine& other);
    Machine& operator=(const Machine& other);
    ~Machine() override;

    // A small Simplified-Chinese Windows XP, as kept in the repository's seed folder.
    static Machine Seeded();

    // Reads a machine folder (registry.reg, drive_c/, attributes.txt); nothing and a reason
    // when it cannot be read.
    static LoadedMachine Load(const std::string& dir);
    // Writes the machine folder, each file replaced atomically.
    sysaccess::Result Save(const std::string& dir) const;

    // --- System ---
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
    std::string UserName() override { return userName_; }
    std::string UserSid() override { return userSid_; }
    std::string ProgramFolder() override { return programFolder_; }
    bool Has32BitView() override { return wow64_; }
    std::string ComputerName() override { return computerName_; }

    // --- Direct access, for tests and for setting a machine up ---
    void SetUserName(std::string name) { userName_ = std::move(name); }
    void SetUserSid(std::string sid) { userSid_ = std::move(sid); }
    void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
    void SetComputerName(std::string name) { computerName_ = std::move(name); }
    void SetCodePage(unsigned cp) { codePage_ = cp; }
    // The machine as a 32-bit program sees 64-bit Windows: the 32-bit view of
    // HKEY_LOCAL_MACHINE\SOFTWARE is the key SOFTWARE\Wow6432Node, which the tools, run as the
    // 64-bit ones, reach by that path.
    void SetWow64(bool wow64) { wow64_ = wow64; }
    unsigned CodePage() const { return codePage_; }

    // Registry, keys as full paths with the root written out ("HKEY_CURRENT_USER\...");
    // HKCU and HKLM are accepted too. Names compare without regard to case.
    bool KeyExists(const std::string& key) const;
    void CreateKey(const std::string& key);
    bool DeleteKey(const std::string& key);
    std::vector<std::string> SubKeys(const std::string& key) const; // creation order
    void SetValue(const std::string& key, const std::string& name, const sysaccess::RegData& data);
    void SetString(const std::string& key, const std::string& name, const std::string& text);
    void SetDword(const std::string& key, const std::string& name, std::uint32_t value);
    bool DeleteValue(const std::string& key, const std::string& name);
    // Imports a registry script (UTF-8 text, "Windows Registry Editor Version 5.00" first);
    // returns how many lines were rejected. Keys are created as needed.
    int ImportScript(const std::string& utf8Text);
    // The registry as registry.reg holds it.
    std::string ExportRegistry() const;

    // Drive C:, paths like "C:\WINDOWS\help" (any case; "c:\" too).
    void AddFolder(const std::string& path, unsigned attributes = 0); // parents made as needed
    void AddFile(const std::string& path, const std::string& bytes = "", unsigned attributes = 0);
    bool PathExists(const std::string& path) const; // file or folder
    std::optional<unsigned> Attributes(const std::string& path) const;
    void SetAttributes(const std::string& path, unsigned attributes);
    // Every file and folder path under C:, depth first, names in stored case.
    std::vector<std::string> AllPaths() const;

    // Services: the start type the service manager holds (what "sc qc" shows and StartService
    // goes by), which may differ from the Start value in the registry; nothing for a service it
    // does not know. Restart() has the manager read every Start value again, as a reboot does;
    // Seeded() and Load() give machines that have just started.
    std::optional<std::uint32_t> ServiceStartType(const std::string& service) const;
    void Restart();

    // Every command line run so far, in order.
    const std::vector<CommandRecord>& Commands() const { return commands_; }
    void ClearCommands() { commands_.clear(); }

private:
    friend struct MachineAccess; // the folder reader and writer

    std::unique_ptr<MachineState> state_;
    std::vector<CommandRecord> commands_;
    std::vector<sysaccess::StartedCommand> started_;
    std::string userName_ = "Administrator";
    std::string userSid_ = "S-1-5-21-1004336348-1177238915-682003330-500";
    std::string programFolder_ = "C:\\Program Files\\Sysvela";
    unsigned codePage_ = 936;
    bool wow64_ = false;
    std::string computerName_ = "SYSVELA-SIM";
};

// A machine folder as Load read it: the machine, or why there is none.
struct LoadedMachine {
    std::optional<Machine> machine;
    std::string error;
};

} // namespace sim
