#include "sysaccess/recording.h"

#include "sysaccess/regscript.h"

#include <cstdint>
#include <string>

namespace sysaccess {

const char* RegTypeWord(RegType type) {
    switch (type) {
    case RegType::String:
        return "string";
    case RegType::Dword:
        return "dword";
    case RegType::Hex:
        return "hex";
    }
    return "?";
}

std::string EffectLine(const Effect& effect) {
    std::string line = std::string(EffectWord(effect.kind)) + " " + effect.text;
    if (!effect.ok) line += "\tfailed: " + effect.reason;
    return line;
}

Result RecordingSystem::Record(EffectKind kind, std::string text, const std::function<Result()>& perform) {
    Result result = mode_ == RecordMode::Apply ? perform() : Result::Ok();
    effects_.push_back({kind, std::move(text), result.ok, result.error});
    if (callback_) callback_(effects_.back());
    return result;
}

namespace {

bool SameValue(const RegData& a, const RegData& b) {
    if (a.type != b.type) return false;
    if (a.type == kRegSz) return a.text == b.text;
    if (a.type == kRegDword) return a.dword == b.dword;
    return a.bytes == b.bytes;
}

} // namespace

Result RecordingSystem::WriteRegValue(const std::string& key, RegType type, const std::string& name,
                                      const std::string& data) {
    // The machine underneath writes the value its own way (script and import); none of the steps
    // inside is an effect of its own. The registry editor says nothing when it refuses a script,
    // so the value is read back to know.
    return Record(EffectKind::Write, key + "|" + name + "|" + RegTypeWord(type) + "|" + data, [&] {
        if (Result written = Inner().WriteRegValue(key, type, name, data); !written) return written;
        const std::optional<RegData> want = ImportedData(type, data);
        if (!want) return Result::Fail("the registry import refuses this data");
        const std::optional<RegData> got = Inner().ReadRegValue(key, name);
        if (!got) return Result::Fail("the value is not in the registry after the import");
        if (!SameValue(*got, *want)) return Result::Fail("the registry holds a different value after the import");
        return Result::Ok();
    });
}

RunResult RecordingSystem::Run(const std::string& commandLine, RunMode mode) {
    const EffectKind kind = mode == RunMode::Wait ? EffectKind::Wait : EffectKind::Start;
    if (mode_ == RecordMode::Plan) {
        if (mode == RunMode::Start) plannedStarts_.push_back(commandLine);
        (void)Record(kind, commandLine, [] { return Result::Ok(); });
        return mode == RunMode::Wait ? RunResult::Exited(0) : RunResult::Running();
    }
    RunResult run;
    (void)Record(kind, commandLine, [&] {
        run = Inner().Run(commandLine, mode);
        return run.ok() ? Result::Ok() : Result::Fail(run.Describe());
    });
    return run;
}

std::vector<StartedCommand> RecordingSystem::CollectStarted() {
    if (mode_ == RecordMode::Apply) return Inner().CollectStarted();
    std::vector<StartedCommand> done;
    for (auto& line : plannedStarts_)
        done.push_back({std::move(line), RunResult::Exited(0)});
    plannedStarts_.clear();
    return done;
}

Result RecordingSystem::DeleteFiles(const std::string& path) {
    return Record(EffectKind::Delete, path, [&] { return Inner().DeleteFiles(path); });
}

Result RecordingSystem::RemoveFolder(const std::string& path) {
    return Record(EffectKind::Rmdir, path, [&] { return Inner().RemoveFolder(path); });
}

Result RecordingSystem::ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    return Record(EffectKind::Replace, path, [&] { return Inner().ReplaceFileAtomically(path, bytes); });
}

Result RecordingSystem::CreateHeldFile(const std::string& path, const std::string& bytes,
                                       std::unique_ptr<FileHold>& hold) {
    return Record(EffectKind::Create, path, [&] { return Inner().CreateHeldFile(path, bytes, hold); });
}

} // namespace sysaccess
