// A System that answers every query from another System and records every effect, either
// performing it there (apply) or only counting it as succeeded (plan). A registry write is one
// effect, however many file and command operations the machine underneath needs for it.
//
// An applied effect ends ok, failed or skipped, counted one way for the window's pass and the
// CLI alike: a "reg delete" or "reg copy" that has nothing to remove or copy exits 1, which is no
// failure (skipped); a command started without waiting has its outcome once CollectStarted has
// waited for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sysaccess/forwarding.h"

namespace sysaccess {

enum class Outcome : std::uint8_t { Ok, Failed, Skipped };

struct Effect {
    EffectKind kind;
    // Write: "KEY|NAME|TYPE|DATA" with TYPE string, dword or hex; Start and Wait: the command
    // line; the file operations: the path exactly as passed.
    std::string text;
    Outcome outcome = Outcome::Ok;
    std::string reason;   // why it failed or was skipped; empty when ok
    bool pending = false; // started without waiting, its end not known yet

    bool ok() const { return outcome == Outcome::Ok; }
};

// "string", "dword", "hex".
const char* RegTypeWord(RegType type);
// The text of a registry write's effect: "KEY|NAME|TYPE|DATA".
std::string WriteText(const std::string& key, RegType type, const std::string& name, const std::string& data);
// Line breaks and NULs written as \n, \r and \0, so that one effect stays one line.
std::string OneLine(const std::string& text);
// The effect as plan prints it: the word, a space, the text. No line end.
std::string EffectWords(const Effect& effect);
// The effect as apply prints it: its words; with a tab and "failed: REASON" when it failed, a
// tab and the reason when it was skipped.
std::string EffectLine(const Effect& effect);

// The log of a pass: UTF-8 with a byte-order mark, CR LF; one line per effect, its words, a tab
// and "ok", "failed: REASON" or "skipped: REASON", then the totals.
inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";
std::string LogText(const std::vector<Effect>& effects);

enum class RecordMode {
    Plan,  // nothing is performed; every effect counts as succeeded
    Apply, // every effect is performed by the System underneath and its outcome recorded
};

class RecordingSystem : public ForwardingSystem {
public:
    RecordingSystem(System& inner, RecordMode mode) : ForwardingSystem(inner), mode_(mode) {}

    // Called with each effect as soon as it is made (a started command: once it is started).
    void SetEffectCallback(std::function<void(const Effect&)> callback) { callback_ = std::move(callback); }
    const std::vector<Effect>& Effects() const { return effects_; }
    // Called with each option the pass skips, in its place among the effects: "WHAT: WHY".
    void SetSkipCallback(std::function<void(const std::string&)> callback) { skipCallback_ = std::move(callback); }
    void OptionSkipped(const std::string& what, const std::string& why) override {
        if (skipCallback_) skipCallback_(what + ": " + why);
    }
    RecordMode Mode() const { return mode_; }
    std::size_t Count(Outcome outcome) const;

    Result WriteRegValue(const std::string& key, RegType type, const std::string& name,
                         const std::string& data) override;
    RunResult Run(const std::string& commandLine, RunMode mode) override;
    // Waits for the commands started since the last call and settles their effects' outcomes.
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
    struct Started {
        std::size_t effect;    // index in effects_
        std::string ifItFails; // the reason to skip it with when it fails: nothing to act on
    };
    std::vector<Started> started_; // started, not yet collected
};

} // namespace sysaccess
