// A System that makes chosen effects fail, wrapping another System that does the real work.
//
// Used to prove that every pass survives a failing machine: a test runs a pass once without
// faults to count its effects, then once for every single effect failing, and once with
// everything failing. Queries (reads, listings, existence tests) go through untouched unless
// reads are told to fail too.
//
// A failed effect never reaches the machine underneath, so it changes nothing there:
// - a registry write fails before its script is written;
// - a command fails as a tool that ran and reported failure (exit code 1), or, for a tool that
//   cannot be started, with RunResult::NotStarted(2);
// - a deletion, folder removal, file replacement or script creation reports failure and leaves
//   the files as they were; a locked file is left while the other matches of a wildcard go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sysaccess/forwarding.h"

namespace sysaccess {

// How a failing command reports its failure.
enum class CommandFailure : std::uint8_t {
    ExitCode,   // the tool ran, did nothing and exited with code 1
    NotStarted, // the tool could not be started: RunResult::NotStarted(2)
};

// One effect as the wrapper saw it, in order.
struct SeenEffect {
    EffectKind kind;
    std::string detail; // the command line, path or "key\name"
    bool failed = false;
};

class FaultySystem : public ForwardingSystem {
public:
    explicit FaultySystem(System& inner) : ForwardingSystem(inner) {}

    // --- Rules; any number may be combined ---

    // The effect with this index (0 = the first effect after construction or Reset) fails.
    void FailEffect(std::size_t index) { failIndexes_.insert(index); }
    // Every effect of this kind fails.
    void FailKind(EffectKind kind) { failKinds_.insert(kind); }
    // Every effect fails, and so do reads when failReads is set.
    void FailEverything(bool failReads = true);
    // How failing commands fail (ExitCode unless told otherwise).
    void SetCommandFailure(CommandFailure how) { commandFailure_ = how; }
    // Command lines whose program is this tool ("reg", "regedit"; case and ".exe" ignored) cannot
    // be started.
    void MissingTool(const std::string& tool);
    // A file that cannot be deleted or replaced: in use by another program, or read-only.
    void LockFile(const std::string& path);
    // A folder that cannot be removed because something is left in it.
    void KeepFolder(const std::string& path);
    // ReadFile, ReadFileUpTo, ListFolder, EnumRegValues, ReadRegValue, ListRegKey and the existence tests answer as if
    // nothing were there.
    void FailReads(bool fail) { failReads_ = fail; }

    // --- What happened ---
    std::size_t EffectCount() const { return effects_.size(); }
    const std::vector<SeenEffect>& Effects() const { return effects_; }
    std::size_t FailedCount() const;
    // Forgets the effects seen, so that the next effect has index 0 again; rules stay.
    void ResetCount() { effects_.clear(); }

    // --- System ---
    // Goes through the script, the import and the clean-up on this wrapper, so that each of them
    // is an effect of its own that can fail.
    Result WriteRegValue(const std::string& key, RegType type, const std::string& name,
                         const std::string& data) override;
    std::vector<std::string> EnumRegValues(RegRoot root, const std::string& subkey) override;
    std::optional<RegData> ReadRegValue(const std::string& key, const std::string& name) override;
    std::optional<RegKeyListing> ListRegKey(const std::string& key) override;
    RunResult Run(const std::string& commandLine, RunMode mode) override;
    std::vector<StartedCommand> CollectStarted() override;
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    Result DeleteFiles(const std::string& path) override;
    Result RemoveFolder(const std::string& path) override;
    std::vector<std::string> ListFolder(const std::string& path) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    LimitedRead ReadFileUpTo(const std::string& path, std::uint64_t limit) override;
    Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) override;
    Result CreateHeldFile(const std::string& path, const std::string& bytes, std::unique_ptr<FileHold>& hold) override;

private:
    // Whether the next effect, of this kind, fails by the index and kind rules.
    bool RuleFails(EffectKind kind) const;
    // Records one effect and tells whether it is to fail.
    bool Next(EffectKind kind, const std::string& detail, bool forced = false);
    bool Locked(const std::string& path) const;

    // A command started in Start mode: either really started underneath, or failed here.
    struct Pending {
        std::string commandLine;
        std::optional<RunResult> failure; // set when the command failed in this wrapper
    };

    std::set<std::size_t> failIndexes_;
    std::set<EffectKind> failKinds_;
    std::vector<std::string> missingTools_; // lower case, without ".exe"
    std::vector<std::string> lockedFiles_;  // lower case
    std::vector<std::string> keptFolders_;  // lower case
    CommandFailure commandFailure_ = CommandFailure::ExitCode;
    bool failReads_ = false;
    std::vector<SeenEffect> effects_;
    std::vector<Pending> pending_;
};

} // namespace sysaccess
