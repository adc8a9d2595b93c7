#include "sysaccess/recording.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "sysaccess/cmdline.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"

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

std::string WriteText(const std::string& key, RegType type, const std::string& name, const std::string& data) {
    return key + "|" + name + "|" + RegTypeWord(type) + "|" + data;
}

std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\r'   ? std::string("\\r")
               : c == '\n' ? std::string("\\n")
               : c == '\0' ? std::string("\\0")
                           : std::string(1, c);
    }
    return out;
}

std::string EffectWords(const Effect& effect) {
    return std::string(EffectWord(effect.kind)) + " " + effect.text;
}

std::string EffectLine(const Effect& effect) {
    switch (effect.outcome) {
    case Outcome::Ok:
        break;
    case Outcome::Failed:
        return EffectWords(effect) + "\tfailed: " + effect.reason;
    case Outcome::Skipped:
        return EffectWords(effect) + "\t" + effect.reason;
    }
    return EffectWords(effect);
}

std::string LogText(const std::vector<Effect>& effects) {
    std::string text = kUtf8Bom;
    std::size_t counts[3] = {};
    for (const Effect& e : effects) {
        ++counts[static_cast<int>(e.outcome)];
        text += OneLine(EffectWords(e)) + "\t";
        switch (e.outcome) {
        case Outcome::Ok:
            text += "ok";
            break;
        case Outcome::Failed:
            text += "failed: " + OneLine(e.reason);
            break;
        case Outcome::Skipped:
            text += "skipped: " + OneLine(e.reason);
            break;
        }
        text += "\r\n";
    }
    return text + "total: " + std::to_string(effects.size()) + " effects, " + std::to_string(counts[0]) + " ok, " +
           std::to_string(counts[1]) + " failed, " + std::to_string(counts[2]) + " skipped\r\n";
}

std::size_t RecordingSystem::Count(Outcome outcome) const {
    return static_cast<std::size_t>(
        std::count_if(effects_.begin(), effects_.end(), [&](const Effect& e) { return e.outcome == outcome; }));
}

Result RecordingSystem::Record(EffectKind kind, std::string text, const std::function<Result()>& perform) {
    Result result = mode_ == RecordMode::Apply ? perform() : Result::Ok();
    Effect e{kind, std::move(text), Outcome::Ok, {}, false};
    if (!result) {
        e.outcome = Outcome::Failed;
        e.reason = result.error;
    }
    effects_.push_back(std::move(e));
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

// Why a "reg delete" or "reg copy" that fails is skipped rather than failed: it had nothing to
// act on, and reg says so with exit code 1. Empty for any other line, or one that has.
std::string NothingToActOn(System& sys, const std::string& commandLine) {
    if (RemovalTargetPresent(sys, commandLine) != false) return {};
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    return args.size() > 1 && SameName(args[1], "copy") ? "nothing to copy" : "nothing to remove";
}

// A command's effect once it has ended badly: skipped when it is a reg that had nothing to act on
// (ifNothing says why) and exited 1 as reg then does; failed otherwise, a reg that could not start
// included.
void EndedBadly(Effect& e, const RunResult& run, const std::string& ifNothing) {
    const bool skipped = !ifNothing.empty() && run.finished && run.exitCode == 1;
    e.outcome = skipped ? Outcome::Skipped : Outcome::Failed;
    e.reason = skipped ? ifNothing : run.Describe();
}

} // namespace

Result RecordingSystem::WriteRegValue(const std::string& key, RegType type, const std::string& name,
                                      const std::string& data) {
    // The machine underneath writes the value its own way (script and import); none of the steps
    // inside is an effect of its own. The registry editor says nothing when it refuses a script,
    // so the value is read back to know.
    return Record(EffectKind::Write, WriteText(key, type, name, data), [&] {
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
    Effect e{mode == RunMode::Wait ? EffectKind::Wait : EffectKind::Start, commandLine, Outcome::Ok, {}, false};
    RunResult run = mode == RunMode::Wait ? RunResult::Exited(0) : RunResult::Running();
    std::string nothing;
    if (mode_ == RecordMode::Apply) {
        nothing = NothingToActOn(Inner(), commandLine); // asked before the command changes it
        run = Inner().Run(commandLine, mode);
        if (!run.ok()) EndedBadly(e, run, nothing);
        e.pending = run.started && !run.finished;
    }
    if (mode == RunMode::Start && run.started && !run.finished) started_.push_back({effects_.size(), nothing});
    effects_.push_back(std::move(e));
    if (callback_) callback_(effects_.back());
    return run;
}

std::vector<StartedCommand> RecordingSystem::CollectStarted() {
    std::vector<StartedCommand> done;
    if (mode_ == RecordMode::Plan) {
        for (const Started& s : started_)
            done.push_back({effects_[s.effect].text, RunResult::Exited(0)});
        started_.clear();
        return done;
    }
    done = Inner().CollectStarted();
    for (const StartedCommand& c : done) {
        const auto it = std::find_if(started_.begin(), started_.end(),
                                     [&](const Started& s) { return effects_[s.effect].text == c.commandLine; });
        if (it == started_.end()) continue; // started past this recorder
        Effect& e = effects_[it->effect];
        e.pending = !c.result.finished;
        if (!c.result.ok()) EndedBadly(e, c.result, it->ifItFails);
        started_.erase(it);
    }
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
