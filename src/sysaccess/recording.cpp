#include "sysaccess/recording.h"

namespace sysaccess {

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

Result RecordingSystem::WriteRegValue(const std::string& key, RegType type, const std::string& name,
                                      const std::string& data) {
    // The machine underneath writes the value its own way (script and import); none of the steps
    // inside is an effect of its own.
    return Record(EffectKind::Write, key + "|" + name + "|" + RegTypeWord(type) + "|" + data,
                  [&] { return inner_.WriteRegValue(key, type, name, data); });
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
        run = inner_.Run(commandLine, mode);
        return run.ok() ? Result::Ok() : Result::Fail(run.Describe());
    });
    return run;
}

std::vector<StartedCommand> RecordingSystem::CollectStarted() {
    if (mode_ == RecordMode::Apply) return inner_.CollectStarted();
    std::vector<StartedCommand> done;
    for (auto& line : plannedStarts_)
        done.push_back({std::move(line), RunResult::Exited(0)});
    plannedStarts_.clear();
    return done;
}

Result RecordingSystem::DeleteFiles(const std::string& path) {
    return Record(EffectKind::Delete, path, [&] { return inner_.DeleteFiles(path); });
}

Result RecordingSystem::RemoveFolder(const std::string& path) {
    return Record(EffectKind::Rmdir, path, [&] { return inner_.RemoveFolder(path); });
}

Result RecordingSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
    return Record(EffectKind::Replace, path, [&] { return inner_.ReplaceFile(path, bytes); });
}

Result RecordingSystem::CreateHeldFile(const std::string& path, const std::string& bytes,
                                       std::unique_ptr<FileHold>& hold) {
    return Record(EffectKind::Create, path, [&] { return inner_.CreateHeldFile(path, bytes, hold); });
}

} // namespace sysaccess
