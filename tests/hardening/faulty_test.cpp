// The fault-injecting wrapper itself: which effects fail, what a failure looks like, and that a
// failed effect never reaches the machine underneath.
#include "sysaccess/faulty.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace {

using sysaccess::EffectKind;
using sysaccess::FaultySystem;
using sysaccess::Result;
using sysaccess::RunMode;
using sysaccess::RunResult;
using ::testing::ElementsAre;

// A machine with a few files in one folder that logs what reaches it.
class Underneath : public sysaccess::System {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::string> files; // lower-case path -> bytes
    std::vector<sysaccess::StartedCommand> started;

    std::vector<std::string> EnumRegValues(sysaccess::RegRoot, const std::string&) override { return {"a"}; }
    std::optional<sysaccess::RegData> ReadRegValue(const std::string&, const std::string&) override {
        return sysaccess::RegData{};
    }
    std::optional<sysaccess::RegKeyListing> ListRegKey(const std::string&) override { return std::nullopt; }
    RunResult Run(const std::string& line, RunMode mode) override {
        calls.push_back("run " + line);
        if (mode == RunMode::Wait) return RunResult::Exited(0);
        started.push_back({line, RunResult::Exited(0)});
        return RunResult::Running();
    }
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return std::exchange(started, {}); }
    bool FileExists(const std::string& p) override { return files.contains(p); }
    bool FolderExists(const std::string&) override { return true; }
    Result DeleteFiles(const std::string& p) override {
        calls.push_back("delete " + p);
        if (p.ends_with("*.tmp")) {
            std::erase_if(files, [](const auto& f) { return f.first.ends_with(".tmp"); });
        } else {
            files.erase(p);
        }
        return Result::Ok();
    }
    Result RemoveFolder(const std::string& p) override {
        calls.push_back("rmdir " + p);
        return Result::Ok();
    }
    Result CreateFolder(const std::string&) override { return Result::Ok(); }
    std::vector<std::string> ListFolder(const std::string&) override {
        std::vector<std::string> names;
        for (const auto& f : files)
            names.push_back(f.first.substr(f.first.find_last_of('\\') + 1));
        return names;
    }
    std::optional<std::string> ReadFile(const std::string& p) override {
        if (!files.contains(p)) return std::nullopt;
        return files[p];
    }
    Result ReplaceFileAtomically(const std::string& p, const std::string& b) override {
        calls.push_back("replace " + p);
        files[p] = b;
        return Result::Ok();
    }
    Result CreateHeldFile(const std::string& p, const std::string& b, std::unique_ptr<sysaccess::FileHold>&) override {
        calls.push_back("create " + p);
        files[p] = b;
        return Result::Ok();
    }
    std::optional<std::string> ToAnsi(const std::string& s) override { return s; }
    std::string FromAnsi(const std::string& s) override { return s; }
    std::string UserName() override { return "u"; }
    std::string ProgramFolder() override { return "c:\\p"; }
    std::string ComputerName() override { return "PC"; }
};

std::vector<EffectKind> Kinds(const FaultySystem& f) {
    std::vector<EffectKind> kinds;
    for (const auto& e : f.Effects())
        kinds.push_back(e.kind);
    return kinds;
}

TEST(FaultySystem, CountsARegistryWriteAndEachStepOfItsScript) {
    Underneath m;
    FaultySystem f(m);
    EXPECT_TRUE(f.WriteRegValue("HKEY_CURRENT_USER\\K", sysaccess::RegType::Dword, "V", "00000001").ok);
    EXPECT_THAT(Kinds(f), ElementsAre(EffectKind::Write, EffectKind::Create, EffectKind::Wait, EffectKind::Delete));
    EXPECT_THAT(m.calls,
                ElementsAre("create c:\\tempreg.reg", "run regedit /s c:\\tempreg.reg", "delete c:\\tempreg.reg"));
    EXPECT_EQ(f.FailedCount(), 0u);
}

TEST(FaultySystem, FailsOnlyTheChosenEffectAndNothingOfItReachesTheMachine) {
    Underneath m;
    FaultySystem f(m);
    f.FailEffect(1); // the second effect: the script of the first write
    const Result r = f.WriteRegValue("HKEY_CURRENT_USER\\K", sysaccess::RegType::Dword, "V", "00000001");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(m.calls.empty()); // no script, so no import and nothing to delete
    EXPECT_TRUE(f.WriteRegValue("HKEY_CURRENT_USER\\K", sysaccess::RegType::Dword, "V", "00000001").ok);
    EXPECT_EQ(f.FailedCount(), 1u);
    EXPECT_TRUE(f.Effects()[1].failed);
}

TEST(FaultySystem, FailingCommandsReportAnExitCodeOrThatTheyCouldNotStart) {
    Underneath m;
    FaultySystem f(m);
    f.FailKind(EffectKind::Wait);
    const RunResult waited = f.Run("reg delete HKCU\\X /f", RunMode::Wait);
    EXPECT_TRUE(waited.started);
    EXPECT_EQ(waited.exitCode, 1u);
    EXPECT_FALSE(waited.ok());

    f.SetCommandFailure(sysaccess::CommandFailure::NotStarted);
    const RunResult notStarted = f.Run("reg delete HKCU\\X /f", RunMode::Wait);
    EXPECT_FALSE(notStarted.started);
    EXPECT_EQ(notStarted.startError, 2u);
    EXPECT_TRUE(m.calls.empty());

    EXPECT_TRUE(f.Run("sc \\\\. config x start= demand", RunMode::Start).ok()); // other kinds pass
}

TEST(FaultySystem, AMissingToolCannotBeStartedWhateverItsSpelling) {
    Underneath m;
    FaultySystem f(m);
    f.MissingTool("REG.exe");
    EXPECT_EQ(f.Run("C:\\WINDOWS\\system32\\Reg.EXE add X /f", RunMode::Wait).startError, 2u);
    EXPECT_EQ(f.Run("\"reg\" add X /f", RunMode::Start).startError, 2u);
    EXPECT_TRUE(f.Run("regedit /s c:\\tempreg.reg", RunMode::Wait).ok());
    EXPECT_THAT(m.calls, ElementsAre("run regedit /s c:\\tempreg.reg"));
}

TEST(FaultySystem, StartedCommandsComeBackInOrderWithTheFailedOnesInTheirPlaces) {
    Underneath m;
    FaultySystem f(m);
    f.FailEffect(1);
    (void)f.Run("sc a", RunMode::Start);
    (void)f.Run("sc b", RunMode::Start);
    (void)f.Run("sc c", RunMode::Start);
    const auto all = f.CollectStarted();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].commandLine, "sc a");
    EXPECT_EQ(all[1].commandLine, "sc b");
    EXPECT_EQ(all[1].result.exitCode, 1u);
    EXPECT_EQ(all[2].commandLine, "sc c");
    EXPECT_TRUE(all[2].result.ok());
    EXPECT_TRUE(f.CollectStarted().empty());
}

TEST(FaultySystem, ALockedFileStaysWhileTheOtherWildcardMatchesGo) {
    Underneath m;
    m.files = {{"c:\\d\\a.tmp", ""}, {"c:\\d\\b.tmp", ""}, {"c:\\d\\c.txt", ""}};
    FaultySystem f(m);
    f.LockFile("C:\\D\\B.TMP");
    EXPECT_FALSE(f.DeleteFiles("c:\\d\\*.tmp").ok);
    EXPECT_FALSE(m.files.contains("c:\\d\\a.tmp"));
    EXPECT_TRUE(m.files.contains("c:\\d\\b.tmp"));
    EXPECT_TRUE(m.files.contains("c:\\d\\c.txt"));
    EXPECT_FALSE(f.ReplaceFileAtomically("c:\\d\\b.tmp", "new").ok);
    EXPECT_EQ(m.files["c:\\d\\b.tmp"], "");
    EXPECT_TRUE(f.DeleteFiles("c:\\d\\c.txt").ok); // not locked, not matching the lock
}

TEST(FaultySystem, AKeptFolderIsNotRemoved) {
    Underneath m;
    FaultySystem f(m);
    f.KeepFolder("C:\\WINDOWS\\Help\\");
    EXPECT_FALSE(f.RemoveFolder("c:\\windows\\help").ok);
    EXPECT_TRUE(f.RemoveFolder("c:\\windows\\other").ok);
    EXPECT_THAT(m.calls, ElementsAre("rmdir c:\\windows\\other"));
}

TEST(FaultySystem, EverythingFailingLeavesTheMachineUntouchedAndReadsEmpty) {
    Underneath m;
    m.files = {{"c:\\p\\setup.dat", "old"}};
    FaultySystem f(m);
    f.FailEverything();
    EXPECT_FALSE(f.WriteRegValue("K", sysaccess::RegType::String, "n", "d").ok);
    EXPECT_FALSE(f.Run("reg add X /f", RunMode::Start).ok() && f.CollectStarted().front().result.ok());
    EXPECT_FALSE(f.DeleteFiles("c:\\p\\setup.dat").ok);
    EXPECT_FALSE(f.ReplaceFileAtomically("c:\\p\\setup.dat", "new").ok);
    EXPECT_FALSE(f.RemoveFolder("c:\\p").ok);
    EXPECT_FALSE(f.ReadFile("c:\\p\\setup.dat"));
    EXPECT_FALSE(f.FileExists("c:\\p\\setup.dat"));
    EXPECT_TRUE(f.EnumRegValues(sysaccess::RegRoot::CurrentUser, "Run").empty());
    EXPECT_TRUE(m.calls.empty());
    EXPECT_EQ(m.files["c:\\p\\setup.dat"], "old");
    EXPECT_EQ(f.FailedCount(), f.EffectCount());
}

} // namespace
