// The six tools of the simulated machine, interpreted from the command line as the real ones
// read it: split into arguments by the C runtime's rules, switches without regard to case.
#include <functional>

#include "sysaccess/cmdline.h"
#include "sysaccess/sim/machine.h"
#include "sysaccess/sim/regfile.h"
#include "sysaccess/sim/state.h"
#include "sysaccess/sim/text.h"

namespace sim {

using sysaccess::RunResult;
using Args = std::vector<std::string>;

namespace {

// Exit codes the real tools give.
constexpr std::uint32_t kRegOk = 0;
constexpr std::uint32_t kRegError = 1;
constexpr std::uint32_t kScServiceMissing = 1060; // ERROR_SERVICE_DOES_NOT_EXIST
constexpr std::uint32_t kScBadCommandLine = 1639; // ERROR_INVALID_COMMAND_LINE
constexpr std::uint32_t kScNoServer = 1722;       // RPC_S_SERVER_UNAVAILABLE
constexpr std::uint32_t kRegsvrBadArgs = 1;
constexpr std::uint32_t kRegsvrCannotLoad = 3;
constexpr std::uint32_t kFileNotFound = 2; // CreateProcess: ERROR_FILE_NOT_FOUND

constexpr const char* kServicesKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
constexpr const char* kSessionManagerKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kDllCache = "C:\\WINDOWS\\system32\\dllcache";

bool IsSwitch(const std::string& arg, std::string_view name) {
    return arg.size() == name.size() + 1 && (arg[0] == '/' || arg[0] == '-') && SameName(arg.substr(1), name);
}

// "REG", "reg.exe" and "C:\WINDOWS\system32\reg.exe" are the tool "reg"; the tools live in
// the Windows folder and its system32, so a path elsewhere names a program that is not there.
std::string ToolName(const std::string& program) {
    const std::size_t slash = program.find_last_of("\\/");
    std::string name = program.substr(slash + 1);
    if (slash != std::string::npos) {
        const std::string folder = program.substr(0, slash);
        if (!SameName(folder, "C:\\WINDOWS") && !SameName(folder, "C:\\WINDOWS\\system32")) return std::string();
    }
    if (name.size() > 4 && SameName(name.substr(name.size() - 4), ".exe")) name.resize(name.size() - 4);
    return name;
}

std::string MultiString(const std::vector<std::string>& items) {
    std::string bytes;
    for (const std::string& s : items)
        bytes += Utf8ToUtf16Le(s) + std::string(2, '\0');
    return bytes + std::string(2, '\0');
}

// --- reg -----------------------------------------------------------------------------------

struct RegOptions {
    bool force = false;
    bool subkeys = false;
    bool allValues = false;
    bool defaultValue = false;
    std::optional<std::string> value;
    bool bad = false;
};

RegOptions ReadRegOptions(const Args& a, std::size_t from, bool allowValue, bool allowSubkeys) {
    RegOptions o;
    for (std::size_t i = from; i < a.size(); ++i) {
        if (IsSwitch(a[i], "f") && !o.force) {
            o.force = true;
        } else if (allowSubkeys && IsSwitch(a[i], "s") && !o.subkeys) {
            o.subkeys = true;
        } else if (allowValue && IsSwitch(a[i], "v") && !o.value && i + 1 < a.size()) {
            o.value = a[++i];
        } else if (allowValue && IsSwitch(a[i], "ve") && !o.defaultValue) {
            o.defaultValue = true;
        } else if (allowValue && IsSwitch(a[i], "va") && !o.allValues) {
            o.allValues = true;
        } else {
            o.bad = true;
        }
    }
    if ((o.value ? 1 : 0) + (o.defaultValue ? 1 : 0) + (o.allValues ? 1 : 0) > 1) o.bad = true;
    return o;
}

std::uint32_t RegAdd(Registry& reg, const Args& a) {
    if (a.size() < 3) return kRegError;
    const auto key = ParseKeyPath(a[2], true);
    if (!key || ReadRegOptions(a, 3, false, false).bad) return kRegError;
    // Without /v, reg.exe writes the key's default value: an empty string, over any earlier one.
    sysaccess::RegData empty;
    empty.type = sysaccess::kRegSz;
    reg.Create(*key).SetValue("", empty);
    return kRegOk;
}

std::uint32_t RegDelete(Registry& reg, const Args& a) {
    if (a.size() < 3) return kRegError;
    const auto key = ParseKeyPath(a[2], true);
    const RegOptions o = ReadRegOptions(a, 3, true, false);
    if (!key || o.bad) return kRegError;
    // Without /f reg asks on its console; a hidden process gets no answer and deletes nothing.
    if (!o.force) return kRegError;
    RegKey* k = reg.Find(*key);
    if (!k) return kRegError;
    if (o.value || o.defaultValue) return k->DeleteValue(o.value.value_or("")) ? kRegOk : kRegError;
    if (o.allValues) {
        k->ClearValues();
        return kRegOk;
    }
    return reg.Delete(*key) ? kRegOk : kRegError;
}

std::uint32_t RegCopy(Registry& reg, const Args& a) {
    if (a.size() < 4) return kRegError;
    const auto from = ParseKeyPath(a[2], true);
    const auto to = ParseKeyPath(a[3], true);
    const RegOptions o = ReadRegOptions(a, 4, false, true);
    if (!from || !to || o.bad) return kRegError;
    const RegKey* source = reg.Find(*from);
    if (!source) return kRegError;
    if (JoinKeyPath(*from) == JoinKeyPath(*to) || FoldCase(JoinKeyPath(*from)) == FoldCase(JoinKeyPath(*to))) {
        return kRegError;
    }
    // A copy taken first, so that copying a key into its own subtree ends.
    const RegKey snapshot = *source;
    if (!o.force) {
        const RegKey* target = reg.Find(*to);
        if (target) {
            for (const RegValue* v : snapshot.Values()) {
                if (target->FindValue(v->name)) return kRegError; // an overwrite question, unanswered
            }
        }
    }
    reg.Create(*to).Merge(snapshot, o.subkeys);
    return kRegOk;
}

std::uint32_t RunReg(Registry& reg, const Args& a) {
    if (a.size() < 2) return kRegError;
    if (SameName(a[1], "add")) return RegAdd(reg, a);
    if (SameName(a[1], "delete")) return RegDelete(reg, a);
    if (SameName(a[1], "copy")) return RegCopy(reg, a);
    return kRegError;
}

// --- sc --------------------------------------------------------------------------------------

std::uint32_t RunSc(Registry& reg, const Args& a) {
    std::size_t i = 1;
    if (i < a.size() && a[i].starts_with("\\\\")) {
        if (a[i] != "\\\\.") return kScNoServer;
        ++i;
    }
    if (i + 1 >= a.size() || !SameName(a[i], "config")) return kScBadCommandLine;
    const std::string service = a[i + 1];
    i += 2;
    static constexpr std::pair<const char*, std::uint32_t> kStartTypes[] = {
        {"boot", 0}, {"system", 1}, {"auto", 2}, {"demand", 3}, {"disabled", 4}};
    int start = -1;
    for (; i < a.size(); i += 2) {
        // Each option is "name=" followed by its value as the next argument.
        if (!SameName(a[i], "start=") || i + 1 >= a.size()) return kScBadCommandLine;
        start = -1;
        for (const auto& [word, code] : kStartTypes) {
            if (SameName(a[i + 1], word)) start = static_cast<int>(code);
        }
        if (start < 0) return kScBadCommandLine;
    }
    if (start < 0) return kScBadCommandLine;
    const auto path = ParseKeyPath(kServicesKey + service, false);
    if (service.empty() || service.find('\\') != std::string::npos || !path) return kScServiceMissing;
    RegKey* key = reg.Find(*path);
    if (!key) return kScServiceMissing;
    sysaccess::RegData data;
    data.type = sysaccess::kRegDword;
    data.dword = static_cast<std::uint32_t>(start);
    key->SetValue("Start", data);
    return 0;
}

// --- sfc, chkntfs, regsvr32 ------------------------------------------------------------------

std::uint32_t RunSfc(Drive& drive, const Args& a) {
    if (a.size() != 2 || !IsSwitch(a[1], "purgecache")) return 1;
    drive.EmptyFolder(kDllCache);
    return 0;
}

std::uint32_t RunChkntfs(Registry& reg, const Args& a) {
    auto isDrive = [](const std::string& s) {
        return s.size() == 2 && s[1] == ':' && ((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z'));
    };
    std::string command;
    if (a.size() >= 3 && IsSwitch(a[1], "x")) {
        command = "autocheck autochk";
        for (std::size_t i = 2; i < a.size(); ++i) {
            if (!isDrive(a[i])) return 1;
            command += " /k:" + FoldCase(a[i].substr(0, 1));
        }
        command += " *";
    } else if (a.size() == 2 && IsSwitch(a[1], "d")) {
        command = "autocheck autochk *";
    } else {
        for (std::size_t i = 1; i < a.size(); ++i) {
            if (!isDrive(a[i])) return 1;
        }
        return a.size() > 1 ? 0 : 1; // a query: nothing changes
    }
    sysaccess::RegData data;
    data.type = sysaccess::kRegMultiSz;
    data.bytes = MultiString({command});
    reg.Create(*ParseKeyPath(kSessionManagerKey, false)).SetValue("BootExecute", data);
    return 0;
}

std::uint32_t RunRegsvr32(Drive& drive, const Args& a) {
    std::optional<std::string> file;
    for (std::size_t i = 1; i < a.size(); ++i) {
        if (!a[i].empty() && (a[i][0] == '/' || a[i][0] == '-')) continue;
        if (file) return kRegsvrBadArgs;
        file = a[i];
    }
    if (!file) return kRegsvrBadArgs;
    const Node* node = drive.Find(*file);
    return node && !node->folder ? 0 : kRegsvrCannotLoad;
}

// --- regedit ---------------------------------------------------------------------------------

std::uint32_t RunRegedit(MachineState& m, const Args& a,
                         const std::function<std::string(const std::string&)>& fromAnsi) {
    bool silent = false;
    std::optional<std::string> file;
    for (std::size_t i = 1; i < a.size(); ++i) {
        if (IsSwitch(a[i], "s")) {
            silent = true;
        } else if (!a[i].empty() && (a[i][0] == '/' || a[i][0] == '-')) {
            return 1;
        } else if (!file) {
            file = a[i];
        } else {
            return 1;
        }
    }
    // Without /s the editor asks before importing, in a window nobody sees.
    if (!silent || !file) return 1;
    const auto bytes = m.drive.ReadFile(*file);
    // The real editor ends with 0 whether or not it could read the file.
    if (!bytes) return 0;
    std::string text;
    if (bytes->starts_with("\xFF\xFE")) {
        text = Utf16LeToUtf8(std::string_view(*bytes).substr(2));
    } else if (bytes->starts_with("\xEF\xBB\xBF")) {
        text = bytes->substr(3);
    } else {
        text = fromAnsi(*bytes);
    }
    (void)ImportRegScript(m.registry, text);
    return 0;
}

} // namespace

RunResult Machine::Run(const std::string& commandLine, sysaccess::RunMode mode) {
    const Args args = sysaccess::SplitCommandLine(commandLine);
    const std::string tool = args.empty() ? std::string() : ToolName(args[0]);
    std::optional<std::uint32_t> exitCode;
    if (SameName(tool, "regedit")) {
        exitCode = RunRegedit(*state_, args, [this](const std::string& s) { return FromAnsi(s); });
    } else if (SameName(tool, "reg")) {
        exitCode = RunReg(state_->registry, args);
    } else if (SameName(tool, "sc")) {
        exitCode = RunSc(state_->registry, args);
    } else if (SameName(tool, "sfc")) {
        exitCode = RunSfc(state_->drive, args);
    } else if (SameName(tool, "chkntfs")) {
        exitCode = RunChkntfs(state_->registry, args);
    } else if (SameName(tool, "regsvr32")) {
        exitCode = RunRegsvr32(state_->drive, args);
    }

    RunResult result;
    if (!exitCode) {
        result = RunResult::NotStarted(kFileNotFound);
    } else if (mode == sysaccess::RunMode::Start) {
        // The simulated process has done its work already; its exit code is collected later.
        result = RunResult::Running();
        started_.push_back({commandLine, RunResult::Exited(*exitCode)});
    } else {
        Idle();
        result = RunResult::Exited(*exitCode);
    }
    commands_.push_back({commandLine, mode, result});
    return result;
}

std::vector<sysaccess::StartedCommand> Machine::CollectStarted() {
    std::vector<sysaccess::StartedCommand> out;
    out.swap(started_);
    return out;
}

} // namespace sim
