// The System seam: every effect the program has on the machine goes through this class.
//
// Implementations: win32::System (the real machine), sim::Machine (a simulated one) and
// RecordingSystem (answers queries from another System, records effects instead of making them).
// No operation throws; each returns a result that the program itself may ignore and that the CLI
// and the tests read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sysaccess {

// Value types of a registry write, as the registry script spells them.
enum class RegType : std::uint8_t { String = 0, Dword = 1, Hex = 2 };

// The two roots the startup list enumerates, as predefined key handles.
enum class RegRoot : std::uint32_t { CurrentUser = 0x80000001u, LocalMachine = 0x80000002u };
// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE", as kRoots (regpath.h) writes them.
const char* RegRootName(RegRoot root);

// Registry value types as the registry stores them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// The kinds of effect the seam's operations have on a machine: a registry write (one effect,
// however the machine carries it out), a command started or run to completion, a file deletion,
// a folder removal, a file replaced, a file created and held.
enum class EffectKind : std::uint8_t { Write, Start, Wait, Delete, Rmdir, Replace, Create };
inline constexpr std::size_t kEffectKindCount = 7;
// "write", "start", "wait", "delete", "rmdir", "replace", "create".
const char* EffectWord(EffectKind kind);

// Outcome of an operation with no value of its own.
struct [[nodiscard]] Result {
    bool ok = true;
    std::string error; // why it failed; empty when ok

    static Result Ok() { return {}; }
    static Result Fail(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Outcome of one command line.
struct [[nodiscard]] RunResult {
    bool started = false;         // false: the process could not be created at all
    std::uint32_t startError = 0; // the system's error code when !started (2: file not found)
    bool finished = false;        // the exit code is known (run-to-completion, or collected later)
    std::uint32_t exitCode = 0;

    static RunResult NotStarted(std::uint32_t error) { return {false, error, false, 0}; }
    static RunResult Exited(std::uint32_t code) { return {true, 0, true, code}; }
    static RunResult Running() { return {true, 0, false, 0}; }

    // Started and, where the exit code is known, exited 0.
    bool ok() const { return started && (!finished || exitCode == 0); }
    std::string Describe() const; // "could not be started (error 2)", "exit code 1060", "ok"
};

enum class RunMode {
    Start, // start the process and return at once
    Wait,  // return when the process has ended
};

// A command started in Start mode and its outcome, collected after a pass.
struct StartedCommand {
    std::string commandLine;
    RunResult result;
};

// What a registry key holds, by name: its values and its subkeys.
struct RegKeyListing {
    std::vector<std::string> values;
    std::vector<std::string> subkeys;
};

// One registry value read back (for the CLI and the tests).
struct RegData {
    std::uint32_t type = 0;  // kRegSz, kRegDword, ...
    std::string text;        // REG_SZ / REG_EXPAND_SZ: the string in UTF-8
    std::uint32_t dword = 0; // REG_DWORD
    std::string bytes;       // any other type: the raw bytes
};

// Whether two values read back hold the same data.
bool SameRegData(const RegData& a, const RegData& b);

// A file read only when it is no larger than a limit.
struct LimitedRead {
    std::optional<std::string> bytes; // nothing: missing, unreadable or too large
    bool tooLarge = false;            // larger than the limit, so not read at all
};

// Keeps a file open so that nobody else can write, rename or delete it. Closing is release.
class FileHold {
public:
    virtual ~FileHold() = default;
};

class System {
public:
    virtual ~System() = default;

    // --- Registry -------------------------------------------------------------------------

    // Writes one value through a one-value registry script "c:\tempreg.reg" imported by
    // "regedit /s c:\tempreg.reg", as WriteRegValueByScript does. Overridden only by
    // RecordingSystem, which records the write as one effect.
    virtual Result WriteRegValue(const std::string& key, RegType type, const std::string& name,
                                 const std::string& data);

    // Value names of root\subkey in index order; nothing when the key cannot be opened with
    // access 0x3F. Every value is listed, whatever the length of its data.
    virtual std::vector<std::string> EnumRegValues(RegRoot root, const std::string& subkey) = 0;

    // Reads a value back; key is a full path with the root written out.
    virtual std::optional<RegData> ReadRegValue(const std::string& key, const std::string& name) = 0;

    // The value and subkey names of a key (full path, root written out), opened for reading
    // only; nothing when the key does not exist or cannot be read.
    virtual std::optional<RegKeyListing> ListRegKey(const std::string& key) = 0;

    // --- Commands ---------------------------------------------------------------------------

    // Runs one command line with a hidden window, without any shell.
    virtual RunResult Run(const std::string& commandLine, RunMode mode) = 0;

    // Waits for every command started in Start mode since the last call and returns them with
    // their outcomes, in the order they were started.
    virtual std::vector<StartedCommand> CollectStarted() = 0;

    // Called repeatedly while a run-to-completion command is being waited for.
    void SetIdleHook(std::function<void()> hook) { idleHook_ = std::move(hook); }

    // --- Files ------------------------------------------------------------------------------

    // True when the path (wildcards * ? allowed in its last part) matches at least one file
    // without the hidden, system or directory attribute.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Deletes the ordinary files matching path (wildcards in the last part only): never
    // folders, never hidden or system files, never anything in a sub-folder. A read-only or
    // locked match is left and the result says so.
    virtual Result DeleteFiles(const std::string& path) = 0;
    // Removes an empty folder.
    virtual Result RemoveFolder(const std::string& path) = 0;
    // Creates a folder whose parent exists; an existing folder is success.
    virtual Result CreateFolder(const std::string& path) = 0;
    // Names of the folder's files without hidden or system attribute, sorted by name without
    // regard to case.
    virtual std::vector<std::string> ListFolder(const std::string& path) = 0;
    // The whole file as bytes, or nothing.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // The whole file when it holds at most limit bytes; a larger one is not read into memory.
    virtual LimitedRead ReadFileUpTo(const std::string& path, std::uint64_t limit) = 0;
    // Replaces path atomically: the bytes go to a new file beside it, which is then moved over
    // path. A failure leaves path as it was.
    virtual Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) = 0;
    // Creates path as a new file holding bytes (a leftover file or link of that name is removed
    // first) and returns it held open: others may read it, nobody may write, rename or delete
    // it until the hold is released.
    virtual Result CreateHeldFile(const std::string& path, const std::string& bytes,
                                  std::unique_ptr<FileHold>& hold) = 0;

    // --- Text and identity ------------------------------------------------------------------

    // UTF-8 to the system's ANSI code page; nothing when a character has no equivalent there.
    virtual std::optional<std::string> ToAnsi(const std::string& utf8) = 0;
    // The system's ANSI code page to UTF-8.
    virtual std::string FromAnsi(const std::string& ansi) = 0;

    // The log-in name of the current user; empty when it cannot be read.
    virtual std::string UserName() = 0;
    // The current user's security identifier as text ("S-1-5-21-..."), which names the user whose
    // HKEY_CURRENT_USER the program reads and writes; empty when it cannot be read.
    virtual std::string UserSid() = 0;
    // The folder holding the program, without a trailing backslash.
    virtual std::string ProgramFolder() = 0;
    // The computer's name; empty when it cannot be read.
    virtual std::string ComputerName() = 0;
    // The shell's own Startup folder of the current user (allUsers false) or of all users;
    // nothing where the shell does not say (the simulated machine).
    virtual std::optional<std::string> ShellStartupFolder(bool /*allUsers*/) { return std::nullopt; }

    // True when the program runs as a 32-bit process on 64-bit Windows (WOW64). Everything the
    // program reads, writes and runs then acts on the 64-bit registry view, the one Windows reads;
    // the 32-bit programs' own view of HKEY_LOCAL_MACHINE\SOFTWARE is reached by its place in it,
    // HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node. False on 32-bit Windows and for a 64-bit build.
    virtual bool Has32BitView() { return false; }

protected:
    void Idle() const {
        if (idleHook_) idleHook_();
    }

private:
    std::function<void()> idleHook_;
};

// The one way a registry value is written, shared by every System that really writes.
inline constexpr const char* kScriptPath = "c:\\tempreg.reg";
inline constexpr const char* kImportCommand = "regedit /s c:\\tempreg.reg";

// The three lines of the registry script, CR LF after each, in UTF-8. Nothing when the key,
// name or data holds a CR or LF, which would let text escape its line.
std::optional<std::string> BuildRegScript(const std::string& key, RegType type, const std::string& name,
                                          const std::string& data);

// Deletes a leftover script, writes the new one in the ANSI code page, imports it with
// "regedit /s c:\tempreg.reg" run to completion while the file is held, then deletes it.
Result WriteRegValueByScript(System& sys, const std::string& key, RegType type, const std::string& name,
                             const std::string& data);

} // namespace sysaccess
