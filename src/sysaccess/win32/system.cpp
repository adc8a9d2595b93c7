#include "sysaccess/win32/system.h"

#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

#include "sysaccess/cmdline.h"
#include "sysaccess/encoding.h"
#include "sysaccess/regpath.h"
#include "sysaccess/wildcard.h"
#include "sysaccess/wow64.h"
#include "text/ascii.h"
#include "win32/text.h"

namespace win32 {

using sysaccess::RegData;
using sysaccess::Result;
using sysaccess::RunMode;
using sysaccess::RunResult;

namespace {

// What EnumRegValues asks for when it opens a key: query value, set value, create subkey,
// enumerate subkeys, notify, create link. A key the user may only read therefore lists nothing.
constexpr REGSAM kEnumAccess = 0x3F;
static_assert(kEnumAccess == (KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS |
                              KEY_NOTIFY | KEY_CREATE_LINK));

// The registry's own limit on value names, in characters, without the terminating null.
constexpr DWORD kMaxValueName = 16383;

// How often a run-to-completion wait lets the window repaint.
constexpr DWORD kIdleIntervalMs = 50;

// Files larger than this are not read into memory (a 32-bit process has little of it).
constexpr ULONGLONG kMaxReadBytes = 256ull * 1024 * 1024;

static_assert(sysaccess::kKeyWow64_64Key == KEY_WOW64_64KEY);

// Functions newer than the oldest Windows the program starts on, or absent from 32-bit Windows:
// looked up at run time, since a static import would stop the program from loading there.
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
using Wow64DisableFn = BOOL(WINAPI*)(PVOID*);
using Wow64RevertFn = BOOL(WINAPI*)(PVOID);

template <typename Fn> Fn Kernel32Function(const char* name) {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

// The registry's roots, in sysaccess::kRoots' order.
const HKEY kRootKeys[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG};
static_assert(std::size(kRootKeys) == sysaccess::kRoots.size());

Result Fail(const std::string& what, DWORD error) {
    return Result::Fail(what + " (error " + std::to_string(error) + ")");
}

// "c:\a\b.txt" -> "c:\a" and "b.txt"; a path without a folder part has an empty folder.
std::pair<std::wstring, std::wstring> SplitFolder(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {L"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    return folder + L"\\" + name;
}

constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// Calls visit(found) for every entry matching path. With wildcards, only entries whose long
// name matches the pattern are visited: the file system also matches short 8.3 names, so
// "*.lnk" would otherwise reach "a.lnk2" through its short name "A~1.LNK".
template <typename Visit> void ForEachMatch(const std::wstring& path, Visit visit) {
    WIN32_FIND_DATAW found;
    FindHandle find(FindFirstFileW(path.c_str(), &found));
    if (!find) return;
    const std::string pattern = Narrow(SplitFolder(path).second);
    const bool filter = sysaccess::HasWildcard(pattern);
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (filter && !sysaccess::WildcardMatch(pattern, Narrow(name))) continue;
        if (!visit(found)) return;
    } while (FindNextFileW(find.get(), &found));
}

Result WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return Fail("write", GetLastError());
        if (written == 0) return Result::Fail("write: nothing written");
        done += written;
    }
    return Result::Ok();
}

// The whole file when it holds at most limit bytes; *tooLarge says when it holds more.
std::optional<std::string> ReadAll(HANDLE file, ULONGLONG limit = kMaxReadBytes, bool* tooLarge = nullptr) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return std::nullopt;
    if (static_cast<ULONGLONG>(size.QuadPart) > std::min(limit, kMaxReadBytes)) {
        if (tooLarge) *tooLarge = true;
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!::ReadFile(file, bytes.data() + done, chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) break; // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

// Keeps the script open for reading only, sharing only reading: nobody can write, rename or
// delete it while it is held.
class HeldFile final : public sysaccess::FileHold {
public:
    explicit HeldFile(Handle h) : h_(std::move(h)) {}

private:
    Handle h_;
};

// Removes whatever has the name now: a file of any attributes, or a link to a folder. A real
// folder is left alone, and then the name cannot be used.
Result RemoveLeftover(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Result::Ok();
        return Fail("cannot inspect the leftover", error);
    }
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
        if (!(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) return Result::Fail("a folder of that name is in the way");
        if (!RemoveDirectoryW(path.c_str())) return Fail("cannot remove the leftover link", GetLastError());
        return Result::Ok();
    }
    if (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    if (!DeleteFileW(path.c_str())) return Fail("cannot delete the leftover", GetLastError());
    return Result::Ok();
}

std::optional<HKEY> ParseRoot(const std::string& key, std::string& subkey) {
    const auto slash = key.find('\\');
    const std::string_view root = std::string_view(key).substr(0, slash);
    for (std::size_t i = 0; i < sysaccess::kRoots.size(); ++i) {
        if (text::SameName(root, sysaccess::kRoots[i].full) ||
            text::SameName(root, sysaccess::kRoots[i].abbreviation)) {
            subkey = slash == std::string::npos ? std::string() : key.substr(slash + 1);
            return kRootKeys[i];
        }
    }
    return std::nullopt;
}

// The names of an open key's values. Only the name is asked for, so a value is listed whatever
// the length of its data.
std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    std::wstring name(kMaxValueName + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxValueName + 1;
        if (RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(Narrow(name.data(), length));
    }
    return names;
}

std::wstring FolderFromApi(UINT(WINAPI* api)(LPWSTR, UINT)) {
    wchar_t buffer[MAX_PATH + 1];
    const UINT n = api(buffer, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return {};
    return std::wstring(buffer, n);
}

bool RunsUnderWow64() {
    const auto isWow64 = Kernel32Function<IsWow64ProcessFn>("IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// What the program finds out once, at start, and how it starts every tool and opens every key
// from then on.
struct Decided {
    sysaccess::Platform platform;
    sysaccess::ToolStart tools[std::size(sysaccess::kToolNames)];
    REGSAM view = 0;
};

const Decided& Decision() {
    static const Decided decided = [] {
        Decided d;
        d.platform.wow64 = RunsUnderWow64();
        d.platform.windowsFolder = Narrow(FolderFromApi(GetWindowsDirectoryW));
        d.platform.systemFolder = Narrow(FolderFromApi(GetSystemDirectoryW));
        for (std::size_t i = 0; i < std::size(sysaccess::kToolNames); ++i) {
            const std::string_view tool = sysaccess::kToolNames[i];
            // Sysnative is seen by 32-bit processes only, from Vista on.
            bool sysnative = false;
            if (d.platform.wow64 && !sysaccess::InWindowsFolder(tool) && !d.platform.windowsFolder.empty()) {
                const std::wstring path =
                    Widen(d.platform.windowsFolder + "\\Sysnative\\" + std::string(tool) + ".exe");
                const DWORD attrs = GetFileAttributesW(path.c_str());
                sysnative = attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
            }
            d.tools[i] = sysaccess::DecideToolStart(tool, d.platform, sysnative);
        }
        d.view = static_cast<REGSAM>(sysaccess::RegViewFlags(d.platform));
        return d;
    }();
    return decided;
}

// How the tool a command line names is started; nothing for any other program.
std::optional<sysaccess::ToolStart> ToolStartFor(const std::string& commandLine) {
    const std::optional<std::string_view> tool = sysaccess::ToolOf(commandLine);
    if (!tool) return std::nullopt;
    const Decided& d = Decision();
    for (std::size_t i = 0; i < std::size(sysaccess::kToolNames); ++i) {
        if (sysaccess::kToolNames[i] != *tool) continue;
        const std::string folder =
            sysaccess::InWindowsFolder(*tool) ? d.platform.windowsFolder : d.platform.systemFolder;
        if (folder.empty()) return std::nullopt;
        return d.tools[i];
    }
    return std::nullopt;
}

// File-system redirection turned off for the calling thread while it lives, when asked for.
class RedirectionOff {
public:
    explicit RedirectionOff(bool wanted) {
        if (!wanted) return;
        const auto disable = Kernel32Function<Wow64DisableFn>("Wow64DisableWow64FsRedirection");
        const auto revert = Kernel32Function<Wow64RevertFn>("Wow64RevertWow64FsRedirection");
        if (disable == nullptr || revert == nullptr) {
            error_ = ERROR_PROC_NOT_FOUND;
        } else if (!disable(&old_)) {
            error_ = GetLastError();
        } else {
            revert_ = revert;
        }
    }
    ~RedirectionOff() {
        if (revert_ != nullptr) revert_(old_);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;

    // Why redirection could not be turned off; 0 when it is off or was not to be.
    DWORD Error() const { return error_; }

private:
    Wow64RevertFn revert_ = nullptr;
    PVOID old_ = nullptr;
    DWORD error_ = 0;
};

} // namespace

System::System() {
    // Whether this is WOW64, and so how every tool starts and every key opens, is decided now.
    (void)Decision();
}

std::optional<std::wstring> ToolPath(const std::string& commandLine) {
    const std::optional<sysaccess::ToolStart> start = ToolStartFor(commandLine);
    if (!start) return std::nullopt;
    return Widen(start->path);
}

// --- Registry ---------------------------------------------------------------------------------

std::vector<std::string> System::EnumRegValues(sysaccess::RegRoot root, const std::string& subkey) {
    HKEY rootKey = nullptr;
    switch (root) {
    case sysaccess::RegRoot::CurrentUser:
        rootKey = HKEY_CURRENT_USER;
        break;
    case sysaccess::RegRoot::LocalMachine:
        rootKey = HKEY_LOCAL_MACHINE;
        break;
    }
    RegKey key;
    if (!rootKey ||
        RegOpenKeyExW(rootKey, Widen(subkey).c_str(), 0, kEnumAccess | Decision().view, key.put()) != ERROR_SUCCESS) {
        return {};
    }
    return ValueNames(key.get());
}

std::optional<sysaccess::RegKeyListing> System::ListRegKey(const std::string& key) {
    std::string subkey;
    const std::optional<HKEY> root = ParseRoot(key, subkey);
    if (!root) return std::nullopt;
    RegKey opened;
    if (RegOpenKeyExW(*root, Widen(subkey).c_str(), 0, KEY_READ | Decision().view, opened.put()) != ERROR_SUCCESS)
        return std::nullopt;
    sysaccess::RegKeyListing listing;
    listing.values = ValueNames(opened.get());
    std::wstring name(kMaxValueName + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxValueName + 1; // key names are shorter (255)
        if (RegEnumKeyExW(opened.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        listing.subkeys.push_back(Narrow(name.data(), length));
    }
    return listing;
}

std::optional<RegData> System::ReadRegValue(const std::string& key, const std::string& name) {
    std::string subkey;
    const std::optional<HKEY> root = ParseRoot(key, subkey);
    if (!root) return std::nullopt;
    RegKey opened;
    if (RegOpenKeyExW(*root, Widen(subkey).c_str(), 0, KEY_QUERY_VALUE | Decision().view, opened.put()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring valueName = Widen(name);
    std::string buffer(256, '\0');
    DWORD type = 0;
    LONG status = ERROR_MORE_DATA;
    // The value may grow between the calls; a few tries are enough.
    for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = static_cast<DWORD>(buffer.size());
        status = RegQueryValueExW(opened.get(), valueName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA) {
            buffer.assign(size + 2, '\0');
        } else if (status == ERROR_SUCCESS) {
            buffer.resize(size);
        }
    }
    if (status != ERROR_SUCCESS) return std::nullopt;

    RegData data;
    data.type = type;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring text(buffer.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), buffer.data(), text.size() * sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        data.text = Narrow(text);
    } else if (type == REG_DWORD && buffer.size() == sizeof(DWORD)) {
        std::memcpy(&data.dword, buffer.data(), sizeof(DWORD));
    } else {
        data.bytes = buffer;
    }
    return data;
}

// --- Commands ---------------------------------------------------------------------------------

std::optional<DWORD> System::WaitForExit(HANDLE process) const {
    for (;;) {
        const DWORD waited = WaitForSingleObject(process, kIdleIntervalMs);
        if (waited == WAIT_OBJECT_0) break;
        if (waited != WAIT_TIMEOUT) return std::nullopt;
        Idle();
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code)) return std::nullopt;
    return code;
}

RunResult System::Run(const std::string& commandLine, RunMode mode) {
    const std::optional<sysaccess::ToolStart> tool = ToolStartFor(commandLine);
    const std::optional<std::wstring> application =
        tool ? std::optional<std::wstring>(Widen(tool->path)) : std::nullopt;
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = Widen(commandLine);
    line.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    // CREATE_NO_WINDOW: a console tool gets no console of its own, hidden or not, and does not
    // write into the caller's.
    BOOL created = FALSE;
    DWORD error = 0;
    {
        // Off for the start alone: the program's own file access stays redirected.
        const RedirectionOff off(tool && tool->redirectionOff);
        // Redirected, the start would reach the 32-bit tool of that name: better not started at all.
        if (off.Error() != 0) return RunResult::NotStarted(off.Error());
        created = CreateProcessW(application ? application->c_str() : nullptr, line.data(), nullptr, nullptr, FALSE,
                                 CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
        if (!created) error = GetLastError();
    }
    // A command that could not be started is not collected later: its outcome is known now.
    if (!created) return RunResult::NotStarted(error);
    Handle process(info.hProcess);
    Handle thread(info.hThread);

    if (mode == RunMode::Start) {
        started_.push_back({commandLine, std::move(process)});
        return RunResult::Running();
    }
    const std::optional<DWORD> code = WaitForExit(process.get());
    return code ? RunResult::Exited(*code) : RunResult::Running();
}

std::vector<sysaccess::StartedCommand> System::CollectStarted() {
    std::vector<sysaccess::StartedCommand> done;
    done.reserve(started_.size());
    for (Started& s : started_) {
        RunResult result = RunResult::Running();
        if (const std::optional<DWORD> code = WaitForExit(s.process.get())) result = RunResult::Exited(*code);
        done.push_back({std::move(s.commandLine), result});
    }
    started_.clear();
    return done;
}

// --- Files ------------------------------------------------------------------------------------

bool System::FileExists(const std::string& path) {
    bool exists = false;
    ForEachMatch(Widen(path), [&](const WIN32_FIND_DATAW& found) {
        exists = (found.dwFileAttributes & kNotOrdinary) == 0;
        return !exists;
    });
    return exists;
}

bool System::FolderExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesW(Widen(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

Result System::DeleteFiles(const std::string& path) {
    const std::wstring wide = Widen(path);
    const std::wstring folder = SplitFolder(wide).first;
    std::vector<std::wstring> targets;
    std::string refused;
    ForEachMatch(wide, [&](const WIN32_FIND_DATAW& found) {
        if (found.dwFileAttributes & kNotOrdinary) return true;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
            refused += (refused.empty() ? "" : ", ") + Narrow(found.cFileName) + " is read-only";
        } else {
            targets.push_back(Join(folder, found.cFileName));
        }
        return true;
    });
    if (targets.empty() && refused.empty()) return Result::Fail("no file matches " + path);
    // Deleted after the search has ended, so the search never sees its own deletions.
    for (const std::wstring& target : targets) {
        if (!DeleteFileW(target.c_str())) {
            const DWORD error = GetLastError();
            refused += (refused.empty() ? "" : ", ") + Narrow(SplitFolder(target).second) + " (error " +
                       std::to_string(error) + ")";
        }
    }
    if (!refused.empty()) return Result::Fail("not deleted: " + refused);
    return Result::Ok();
}

Result System::RemoveFolder(const std::string& path) {
    if (!RemoveDirectoryW(Widen(path).c_str())) return Fail("cannot remove " + path, GetLastError());
    return Result::Ok();
}

Result System::CreateFolder(const std::string& path) {
    if (CreateDirectoryW(Widen(path).c_str(), nullptr)) return Result::Ok();
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && FolderExists(path)) return Result::Ok();
    return Fail("cannot create " + path, error);
}

std::vector<std::string> System::ListFolder(const std::string& path) {
    std::wstring pattern = Widen(path);
    while (!pattern.empty() && (pattern.back() == L'\\' || pattern.back() == L'/'))
        pattern.pop_back();
    pattern += L"\\*";
    std::vector<std::string> names;
    ForEachMatch(pattern, [&](const WIN32_FIND_DATAW& found) {
        if ((found.dwFileAttributes & kNotOrdinary) == 0) names.push_back(Narrow(found.cFileName));
        return true;
    });
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = text::LowerCase(a), lb = text::LowerCase(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::optional<std::string> System::ReadFile(const std::string& path) {
    return ReadFileUpTo(path, kMaxReadBytes).bytes;
}

sysaccess::LimitedRead System::ReadFileUpTo(const std::string& path, std::uint64_t limit) {
    Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    sysaccess::LimitedRead read;
    read.bytes = ReadAll(file.get(), limit, &read.tooLarge);
    return read;
}

Result System::ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    const std::wstring target = Widen(path);
    // Windows refuses to move over a read-only file, Wine does not: the check is made here so
    // that a file the user protected stays as it was everywhere.
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return Result::Fail(path + ((attrs & FILE_ATTRIBUTE_DIRECTORY) ? " is a folder" : " is read-only"));
    }
    std::wstring folder = SplitFolder(target).first;
    if (folder.empty()) folder = L".";
    wchar_t temp[MAX_PATH + 1];
    if (!GetTempFileNameW(folder.c_str(), L"svl", 0, temp))
        return Fail("cannot create a file beside " + path, GetLastError());
    Result written = Result::Ok();
    {
        Handle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            written = Fail("cannot open the new file", GetLastError());
        } else {
            written = WriteAll(file.get(), bytes);
            if (written && !FlushFileBuffers(file.get())) written = Fail("flush", GetLastError());
        }
    }
    if (written && !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        written = Fail("cannot replace " + path, GetLastError());
    }
    if (!written) DeleteFileW(temp);
    return written;
}

Result System::CreateHeldFile(const std::string& path, const std::string& bytes,
                              std::unique_ptr<sysaccess::FileHold>& hold) {
    hold.reset();
    const std::wstring file = Widen(path);
    if (Result removed = RemoveLeftover(file); !removed) return removed;
    {
        // CREATE_NEW: whatever appears under the name after the removal is never written into.
        Handle writer(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!writer) return Fail("cannot create " + path, GetLastError());
        if (Result written = WriteAll(writer.get(), bytes); !written) {
            writer.reset();
            DeleteFileW(file.c_str());
            return written;
        }
    }
    // The hold has read access only, so readers sharing only reading get in; it shares nothing
    // else, so nobody may write, rename or delete. Between the writer's close and this open the
    // name was unguarded: the content read through the hold proves it is still ours.
    Handle reader(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!reader) return Fail("cannot hold " + path, GetLastError());
    const std::optional<std::string> content = ReadAll(reader.get());
    if (!content || *content != bytes) return Result::Fail(path + " was changed by someone else");
    hold = std::make_unique<HeldFile>(std::move(reader));
    return Result::Ok();
}

// --- Text and identity ------------------------------------------------------------------------

std::optional<std::string> System::ToAnsi(const std::string& utf8) {
    return sysaccess::Utf8ToCodePage(utf8, GetACP());
}

std::string System::FromAnsi(const std::string& ansi) {
    return sysaccess::CodePageToUtf8(ansi, GetACP());
}

std::string System::UserName() {
    std::wstring name(257, L'\0'); // the longest user name and its terminator
    DWORD size = static_cast<DWORD>(name.size());
    if (!GetUserNameW(name.data(), &size)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        name.assign(size, L'\0');
        if (!GetUserNameW(name.data(), &size)) return {};
    }
    // size counts the terminator.
    name.resize(size > 0 ? size - 1 : 0);
    return Narrow(name);
}

std::string System::UserSid() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const Handle token(opened);
    DWORD size = 0;
    (void)GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    LPWSTR raw = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &raw)) return {};
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> text(raw, &LocalFree);
    return Narrow(text.get());
}

bool System::Has32BitView() {
    return Decision().platform.wow64;
}

std::string System::ComputerName() {
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(buffer, &size)) return {};
    return Narrow(std::wstring(buffer, size));
}

std::string System::ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    return Narrow(SplitFolder(path).first);
}

std::optional<std::string> System::ShellStartupFolder(bool allUsers) {
    wchar_t path[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, allUsers ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT,
                                path))) {
        return std::nullopt;
    }
    return Narrow(std::wstring(path));
}

} // namespace win32
