#include "sysaccess/system.h"

#include "sysaccess/regpath.h"

namespace sysaccess {

const char* RegRootName(RegRoot root) {
    return kRoots[root == RegRoot::CurrentUser ? 1 : 2].full;
}

const char* EffectWord(EffectKind kind) {
    switch (kind) {
    case EffectKind::Write:
        return "write";
    case EffectKind::Start:
        return "start";
    case EffectKind::Wait:
        return "wait";
    case EffectKind::Delete:
        return "delete";
    case EffectKind::Rmdir:
        return "rmdir";
    case EffectKind::Replace:
        return "replace";
    case EffectKind::Create:
        return "create";
    }
    return "?";
}

std::string RunResult::Describe() const {
    if (!started) return "could not be started (error " + std::to_string(startError) + ")";
    if (finished && exitCode != 0) return "exit code " + std::to_string(exitCode);
    return "ok";
}

bool SameRegData(const RegData& a, const RegData& b) {
    if (a.type != b.type) return false;
    if (a.type == kRegDword && a.bytes.empty() && b.bytes.empty()) return a.dword == b.dword;
    return a.text == b.text && a.bytes == b.bytes;
}

Result System::WriteRegValue(const std::string& key, RegType type, const std::string& name, const std::string& data) {
    return WriteRegValueByScript(*this, key, type, name, data);
}

namespace {

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

// Inside the double quotes of a script: backslash and double quote get a backslash before them.
std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::optional<std::string> BuildRegScript(const std::string& key, RegType type, const std::string& name,
                                          const std::string& data) {
    if (HasLineBreak(key) || HasLineBreak(name) || HasLineBreak(data)) return std::nullopt;
    std::string value = Quoted(name) + "=";
    switch (type) {
    case RegType::String:
        value += Quoted(data);
        break;
    case RegType::Dword:
        value += "dword:" + data;
        break;
    case RegType::Hex:
        value += "hex:" + data;
        break;
    }
    return "Windows Registry Editor Version 5.00\r\n[" + key + "]\r\n" + value + "\r\n";
}

Result WriteRegValueByScript(System& sys, const std::string& key, RegType type, const std::string& name,
                             const std::string& data) {
    const auto text = BuildRegScript(key, type, name, data);
    if (!text) return Result::Fail("line break in key, name or data");
    const auto bytes = sys.ToAnsi(*text);
    if (!bytes) return Result::Fail("text not representable in the ANSI code page");

    if (sys.FileExists(kScriptPath)) {
        // A failure here shows up when the script is created anew.
        (void)sys.DeleteFiles(kScriptPath);
    }
    std::unique_ptr<FileHold> hold;
    if (Result made = sys.CreateHeldFile(kScriptPath, *bytes, hold); !made) {
        return Result::Fail("cannot create " + std::string(kScriptPath) + ": " + made.error);
    }
    const RunResult run = sys.Run(kImportCommand, RunMode::Wait);
    hold.reset();
    const Result removed = sys.DeleteFiles(kScriptPath);
    if (!run.ok()) return Result::Fail("regedit " + run.Describe());
    if (!removed) return Result::Fail("cannot delete " + std::string(kScriptPath) + ": " + removed.error);
    return Result::Ok();
}

} // namespace sysaccess
