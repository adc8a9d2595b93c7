// The six tools of the simulated machine, interpreted from the command line as the real ones
// read it: split into arguments by the C runtime's rules, switches without regard to case.
#include <functional>

#include "sysaccess/cmdline.h"
#include "sysaccess/sim/machine.h"
#include "sysaccess/sim/regfile.h"
#include "sysaccess/sim/state.h"
#include "sysaccess/sim/text.h"
#include "sysaccess/toolcmd.h"

namespace sim {

using sysaccess::RunResult;
using Args = std::vector<std::string>;
using sysaccess::IsSwitch;
using sysaccess::kServicesKey;
using sysaccess::kSessionManagerKey;
using sysaccess::ToolName;

namespace {

// Exit codes the real tools give.
constexpr std::uint32_t kRegOk = 0;
constexpr std::uint32_t kRegError = 1;
constexpr std::uint32_t kScServiceMissing = 1060; // ERROR_SERVICE_DOES_NOT_EXIST
constexpr std::uint32_t kRegsvrBadArgs = 1;
constexpr std::uint32_t kRegsvrCannotLoad = 3;
constexpr std::uint32_t kFileNotFound = 2; // CreateProcess: ERROR_FILE_NOT_FOUND

constexpr const char* kDllCache = "C:\\WINDOWS\\system32\\dllcache";

std::string MultiString(const std::vector<std::string>& items) {
    std::string bytes;
    for (const std::string& s : items)
        bytes += Utf8ToUtf16Le(s) + std::string(2, '\0');
    return bytes + std::string(2, '\0');
}

// --- reg -----------------------------------------------------------------------------------

std::uint32_t RunReg(Registry& reg, const Args& a) {
    const auto c = sysaccess::ReadRegCommand(a);
    if (!c) return kRegError;
    switch (c->verb) {
    case sysaccess::RegCommand::Verb::Add: {
        // Without /v, reg.exe writes the key's default value: an empty string, over any earlier one.
        sysaccess::RegData empty;
        empty.type = sysaccess::kRegSz;
        reg.Create(c->key).SetValue("", empty);
        return kRegOk;
    }
    case sysaccess::RegCommand::Verb::Delete: {
        RegKey* k = reg.Find(c->key);
        if (!k) return kRegError;
        if (c->value || c->defaultValue) return k->DeleteValue(c->value.value_or("")) ? kRegOk : kRegError;
        if (c->allValues) {
            k->ClearValues();
            return kRegOk;
        }
        return reg.Delete(c->key) ? kRegOk : kRegError;
    }
    case sysaccess::RegCommand::Verb::Copy: {
        const RegKey* source = reg.Find(c->key);
        if (!source) return kRegError;
        if (FoldCase(JoinKeyPath(c->key)) == FoldCase(JoinKeyPath(c->target))) return kRegError;
        // A copy taken first, so that copying a key into its own subtree ends.
        const RegKey snapshot = *source;
        if (!c->force) {
            if (const RegKey* target = reg.Find(c->target)) {
                for (const RegValue* v : snapshot.Values()) {
                    if (target->FindValue(v->name)) return kRegError; // an overwrite question, unanswered
                }
            }
        }
        reg.Create(c->target).Merge(snapshot, c->subkeys);
        return kRegOk;
    }
    }
    return kRegError;
}

// --- sc --------------------------------------------------------------------------------------

// The service manager records the new start type and writes it into the registry.
std::uint32_t RunSc(MachineState& m, const Args& a) {
    const sysaccess::ScRead read = sysaccess::ReadScCommand(a);
    if (!read.command) return read.error;
    const std::string& service = read.command->service;
    const std::uint32_t start = read.command->start;
    const auto path = ParseKeyPath(kServicesKey + service, false);
    if (service.empty() || service.find('\\') != std::string::npos || !path) return kScServiceMissing;
    RegKey* key = m.registry.Find(*path);
    if (!key) return kScServiceMissing;
    sysaccess::RegData data;
    data.type = sysaccess::kRegDword;
    data.dword = start;
    key->SetValue("Start", data);
    m.serviceManager[FoldCase(service)] = start;
    return 0;
}

// --- sfc, chkntfs, regsvr32 ------------------------------------------------------------------

std::uint32_t RunSfc(Drive& drive, const Args& a) {
    if (a.size() != 2 || !IsSwitch(a[1], "purgecache")) return 1;
    drive.EmptyFolder(kDllCache);
    return 0;
}

std::uint32_t RunChkntfs(Registry& reg, const Args& a) {
    const sysaccess::ChkntfsRead read = sysaccess::ReadChkntfsCommand(a);
    if (!read.bootExecute) return read.exitCode;
    sysaccess::RegData data;
    data.type = sysaccess::kRegMultiSz;
    data.bytes = MultiString({*read.bootExecute});
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
        exitCode = RunSc(*state_, args);
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
