// A System that answers every query from another System and records every effect, either
// performing it there (apply) or only counting it as succeeded (plan). A registry write is one
// effect, however many file and command operations the machine underneath needs for it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sysaccess/forwarding.h"

namespace sysaccess {

struct Effect {
    EffectKind kind;
    // Write: "KEY|NAME|TYPE|DATA" with TYPE string, dword or hex; Start and Wait: the command
    // line; the file operations: the path exactly as passed.
    std::string text;
    bool ok = true;
    std::string reason; // why it failed; empty when ok
};

// "string", "dword", "hex".
const char* RegTypeWord(RegType type);
// The effect as one line: the word, a space, the text; with a tab and "failed: REASON" when it
// failed. No line end.
std::string EffectLine(const Effect& effect);

enum class RecordMode {
    Plan,  // nothing is performed; every effect counts as succeeded
    Apply, // every effect is performed by the System underneath and its outcome recorded
};

class RecordingSystem : public ForwardingSystem {
public:
    RecordingSystem(System& inner, RecordMode mode) : ForwardingSystem(inner), mode_(mode) {}

    // Called with each effect as soon as its outcome is known.
    void SetEffectCallback(std::function<void(const Effect&)> callback) { callback_ = std::move(callback); }
    const std::vector<Effect>& Effects() const { return effects_; }
    // Called with each option the pass skips, in its place among the effects: "WHAT: WHY".
    void SetSkipCallback(std::function<void(const std::string&)> callback) { skipCallback_ = std::move(callback); }
    void OptionSkipped(const std::string& what, const std::string& why) override {
        if (skipCallback_) skipCallback_(what + ": " + why);
    }
    RecordMode Mode() const { return mode_; }

    Result WriteRegValue(const std::string& key, RegType type, const std::string& name,
                         const std::string& data) override;
    RunResult Run(const std::string& commandLine, RunMode mode) override;
    std::vector<StartedCommand> CollectStarted() override;
    Result DeleteFiles(const std::string& path) override;
    Result RemoveFolder(const std::string& path) override;
    Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) override;
    Result CreateHeldFile(const std::string& path, const std::string& bytes, std::unique_ptr<FileHold>& hold) override;

private:
    Result Record(EffectKind kind, std::string text, const std::function<Result()>& perform);

    RecordMode mode_;
    std::function<void(const Effect&)> callback_;
    std::function<void(const std::string&)> skipCallback_;
    std::vector<Effect> effects_;
    std::vector<std::string> plannedStarts_; // Start commands of a plan, for CollectStarted
};

} // namespace sysaccess
