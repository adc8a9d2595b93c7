#include "sysaccess/faulty.h"

#include "sysaccess/wildcard.h"

#include <algorithm>

#include "sysaccess/cmdline.h"
#include "text/ascii.h"

namespace sysaccess {

namespace {

// A path in one spelling for comparisons: lower case, no trailing backslash.
std::string PathKey(const std::string& path) {
    std::string key = text::LowerCase(path);
    while (key.size() > 3 && key.back() == '\\')
        key.pop_back();
    return key;
}

// "C:\dir\*.lnk" -> {"C:\dir", "*.lnk"}.
std::pair<std::string, std::string> SplitLast(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {"", path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

// "C:\WINDOWS\system32\REG.EXE" -> "reg".
std::string ToolName(const std::string& commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    std::string program = args.empty() ? std::string() : text::LowerCase(args.front());
    if (const std::size_t slash = program.find_last_of("\\/"); slash != std::string::npos) {
        program.erase(0, slash + 1);
    }
    if (program.size() > 4 && program.ends_with(".exe")) program.resize(program.size() - 4);
    return program;
}

} // namespace

void FaultySystem::FailEverything(bool failReads) {
    for (std::size_t k = 0; k < kEffectKindCount; ++k)
        failKinds_.insert(static_cast<EffectKind>(k));
    failReads_ = failReads;
}

void FaultySystem::MissingTool(const std::string& tool) {
    std::string name = text::LowerCase(tool);
    if (name.size() > 4 && name.ends_with(".exe")) name.resize(name.size() - 4);
    missingTools_.push_back(name);
}

void FaultySystem::LockFile(const std::string& path) {
    lockedFiles_.push_back(PathKey(path));
}

void FaultySystem::KeepFolder(const std::string& path) {
    keptFolders_.push_back(PathKey(path));
}

std::size_t FaultySystem::FailedCount() const {
    return static_cast<std::size_t>(
        std::count_if(effects_.begin(), effects_.end(), [](const SeenEffect& e) { return e.failed; }));
}

bool FaultySystem::RuleFails(EffectKind kind) const {
    return failKinds_.contains(kind) || failIndexes_.contains(effects_.size());
}

bool FaultySystem::Next(EffectKind kind, const std::string& detail, bool forced) {
    const bool fail = forced || RuleFails(kind);
    effects_.push_back({kind, detail, fail});
    return fail;
}

bool FaultySystem::Locked(const std::string& path) const {
    return std::find(lockedFiles_.begin(), lockedFiles_.end(), PathKey(path)) != lockedFiles_.end();
}

Result FaultySystem::WriteRegValue(const std::string& key, RegType type, const std::string& name,
                                   const std::string& data) {
    if (Next(EffectKind::Write, key + "\\" + name)) return Result::Fail("registry write failed");
    return WriteRegValueByScript(*this, key, type, name, data);
}

std::vector<std::string> FaultySystem::EnumRegValues(RegRoot root, const std::string& subkey) {
    if (failReads_) return {};
    return Inner().EnumRegValues(root, subkey);
}

std::optional<RegData> FaultySystem::ReadRegValue(const std::string& key, const std::string& name) {
    if (failReads_) return std::nullopt;
    return Inner().ReadRegValue(key, name);
}

std::optional<RegKeyListing> FaultySystem::ListRegKey(const std::string& key) {
    if (failReads_) return std::nullopt;
    return Inner().ListRegKey(key);
}

RunResult FaultySystem::Run(const std::string& commandLine, RunMode mode) {
    const std::string tool = ToolName(commandLine);
    const bool missing = std::find(missingTools_.begin(), missingTools_.end(), tool) != missingTools_.end();
    const EffectKind kind = mode == RunMode::Start ? EffectKind::Start : EffectKind::Wait;
    if (Next(kind, commandLine, missing)) {
        if (missing || commandFailure_ == CommandFailure::NotStarted) return RunResult::NotStarted(2);
        if (mode == RunMode::Wait) return RunResult::Exited(1);
        pending_.push_back({commandLine, RunResult::Exited(1)});
        return RunResult::Running();
    }
    const RunResult result = Inner().Run(commandLine, mode);
    if (mode == RunMode::Start) pending_.push_back({commandLine, std::nullopt});
    return result;
}

std::vector<StartedCommand> FaultySystem::CollectStarted() {
    // The commands that really started come back from underneath in their own order; the ones
    // failed here are put back in their places among them.
    std::vector<StartedCommand> below = Inner().CollectStarted();
    std::vector<StartedCommand> all;
    std::size_t next = 0;
    for (const Pending& p : pending_) {
        if (p.failure) {
            all.push_back({p.commandLine, *p.failure});
        } else if (next < below.size() && below[next].commandLine == p.commandLine) {
            all.push_back(std::move(below[next++]));
        }
    }
    for (; next < below.size(); ++next)
        all.push_back(std::move(below[next]));
    pending_.clear();
    return all;
}

bool FaultySystem::FileExists(const std::string& path) {
    return !failReads_ && Inner().FileExists(path);
}

bool FaultySystem::FolderExists(const std::string& path) {
    return !failReads_ && Inner().FolderExists(path);
}

Result FaultySystem::DeleteFiles(const std::string& path) {
    const auto [folder, pattern] = SplitLast(path);
    std::vector<std::string> locked;
    for (const std::string& file : lockedFiles_) {
        const auto [lockedFolder, lockedName] = SplitLast(file);
        if (lockedFolder == PathKey(folder) && WildcardMatch(pattern, lockedName) && Inner().FileExists(file)) {
            locked.push_back(lockedName);
        }
    }
    const bool ruled = RuleFails(EffectKind::Delete);
    if (!Next(EffectKind::Delete, path, !locked.empty())) return Inner().DeleteFiles(path);
    if (ruled) return Result::Fail("delete failed");

    // The other matches go one by one; the locked ones stay.
    Result result = Result::Fail("file in use: " + folder + "\\" + locked.front());
    for (const std::string& name : Inner().ListFolder(folder)) {
        if (!WildcardMatch(pattern, name)) continue;
        if (std::find(locked.begin(), locked.end(), text::LowerCase(name)) != locked.end()) continue;
        (void)Inner().DeleteFiles(folder + "\\" + name);
    }
    return result;
}

Result FaultySystem::RemoveFolder(const std::string& path) {
    const bool kept = std::find(keptFolders_.begin(), keptFolders_.end(), PathKey(path)) != keptFolders_.end();
    if (Next(EffectKind::Rmdir, path, kept && Inner().FolderExists(path))) {
        return Result::Fail("folder not removed: " + path);
    }
    return Inner().RemoveFolder(path);
}

std::vector<std::string> FaultySystem::ListFolder(const std::string& path) {
    if (failReads_) return {};
    return Inner().ListFolder(path);
}

std::optional<std::string> FaultySystem::ReadFile(const std::string& path) {
    if (failReads_) return std::nullopt;
    return Inner().ReadFile(path);
}

LimitedRead FaultySystem::ReadFileUpTo(const std::string& path, std::uint64_t limit) {
    if (failReads_) return {};
    return Inner().ReadFileUpTo(path, limit);
}

Result FaultySystem::ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    if (Next(EffectKind::Replace, path, Locked(path))) return Result::Fail("cannot replace " + path);
    return Inner().ReplaceFileAtomically(path, bytes);
}

Result FaultySystem::CreateHeldFile(const std::string& path, const std::string& bytes,
                                    std::unique_ptr<FileHold>& hold) {
    if (Next(EffectKind::Create, path, Locked(path))) return Result::Fail("cannot create " + path);
    return Inner().CreateHeldFile(path, bytes, hold);
}

} // namespace sysaccess
