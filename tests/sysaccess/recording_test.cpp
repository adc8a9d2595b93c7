// RecordingSystem: a plan changes nothing and counts every effect as succeeded; an apply makes
// every effect on the machine underneath and records how it went. A registry write is one effect.
#include <gtest/gtest.h>

#include "sysaccess/recording.h"
#include "sysaccess/sim/machine.h"

using sysaccess::Effect;
using sysaccess::EffectKind;
using sysaccess::RecordingSystem;
using sysaccess::RecordMode;
using sysaccess::RegType;
using sysaccess::RunMode;

namespace {

constexpr const char* kKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";
constexpr const char* kHelp = "C:\\WINDOWS\\help";

std::vector<std::string> Lines(const RecordingSystem& rec) {
    std::vector<std::string> out;
    for (const Effect& e : rec.Effects())
        out.push_back(sysaccess::EffectLine(e));
    return out;
}

TEST(RecordingPlan, RecordsEffectsInOrderAndChangesNothing) {
    sim::Machine machine;
    machine.AddFile("C:\\a\\x.lnk");
    machine.AddFolder(kHelp);
    const std::string before = machine.ExportRegistry();
    RecordingSystem rec(machine, RecordMode::Plan);
    std::vector<std::string> seen;
    rec.SetEffectCallback([&](const Effect& e) { seen.push_back(sysaccess::EffectLine(e)); });

    EXPECT_TRUE(rec.WriteRegValue(kKey, RegType::Dword, "DisableSR", "00000001").ok);
    EXPECT_TRUE(rec.Run("sc \\\\. config NoSuchService start= demand", RunMode::Start).ok());
    EXPECT_TRUE(rec.Run("chkntfs /x c: d:", RunMode::Wait).ok());
    EXPECT_TRUE(rec.DeleteFiles("C:\\a\\*.lnk").ok);
    // Queries see the machine as it is, not as the plan would leave it.
    EXPECT_TRUE(rec.FileExists("C:\\a\\x.lnk"));
    EXPECT_TRUE(rec.DeleteFiles("C:\\a\\*.lnk").ok);
    EXPECT_TRUE(rec.RemoveFolder(kHelp).ok);
    (void)rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::String, "", "C:\\a|b\\");

    const std::vector<std::string> want = {
        std::string("write ") + kKey + "|DisableSR|dword|00000001",
        "start sc \\\\. config NoSuchService start= demand",
        "wait chkntfs /x c: d:",
        "delete C:\\a\\*.lnk",
        "delete C:\\a\\*.lnk",
        std::string("rmdir ") + kHelp,
        "write HKEY_CURRENT_USER\\X||string|C:\\a|b\\",
    };
    EXPECT_EQ(Lines(rec), want);
    EXPECT_EQ(seen, want);
    EXPECT_EQ(machine.ExportRegistry(), before);
    EXPECT_TRUE(machine.PathExists("C:\\a\\x.lnk"));
    EXPECT_TRUE(machine.PathExists(kHelp));
    EXPECT_TRUE(machine.Commands().empty());
    EXPECT_FALSE(machine.PathExists("C:\\tempreg.reg"));

    // Started commands count as succeeded, in the order they were started, and only once.
    const auto started = rec.CollectStarted();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].commandLine, "sc \\\\. config NoSuchService start= demand");
    EXPECT_TRUE(started[0].result.ok());
    EXPECT_TRUE(rec.CollectStarted().empty());
}

TEST(RecordingApply, WriteIsOneEffectAndLandsInTheRegistry) {
    sim::Machine machine;
    RecordingSystem rec(machine, RecordMode::Apply);
    EXPECT_TRUE(rec.WriteRegValue(kKey, RegType::Dword, "DisableSR", "00000001").ok);
    ASSERT_EQ(rec.Effects().size(), 1u); // not the script, its import and its deletion
    EXPECT_TRUE(rec.Effects()[0].ok());
    const auto value = machine.ReadRegValue(kKey, "DisableSR");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->dword, 1u);
    // The machine really imported a script.
    ASSERT_FALSE(machine.Commands().empty());
    EXPECT_EQ(machine.Commands().back().commandLine, "regedit /s c:\\tempreg.reg");
}

TEST(RecordingApply, AWriteTheImportRefusesIsAFailure) {
    sim::Machine machine;
    RecordingSystem rec(machine, RecordMode::Apply);
    // regedit exits 0 for a script it rejects; reading the value back tells.
    EXPECT_FALSE(rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::Dword, "n", "zz").ok);
    EXPECT_FALSE(rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::Dword, "n", "123456789").ok);
    EXPECT_FALSE(rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::String, "n", "a\r\nb").ok);
    EXPECT_TRUE(rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::Dword, "n", "C").ok);
    EXPECT_TRUE(rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::String, "s", "C:\\").ok);
    EXPECT_TRUE(rec.WriteRegValue("HKEY_CURRENT_USER\\X", RegType::Hex, "h", "01,ff").ok);
    const auto& e = rec.Effects();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(sysaccess::EffectLine(e[0]),
              "write HKEY_CURRENT_USER\\X|n|dword|zz\tfailed: the registry import refuses this data");
    EXPECT_EQ(machine.ReadRegValue("HKEY_CURRENT_USER\\X", "n")->dword, 12u);
}

TEST(RecordingApply, FailuresCarryTheirReason) {
    sim::Machine machine;
    machine.AddFile("C:\\a\\locked.lnk", "x", sim::kReadOnly);
    machine.AddFile("C:\\full\\f.txt");
    RecordingSystem rec(machine, RecordMode::Apply);
    EXPECT_FALSE(rec.DeleteFiles("C:\\a\\locked.lnk").ok);
    EXPECT_FALSE(rec.RemoveFolder("C:\\full").ok);
    EXPECT_TRUE(machine.PathExists("C:\\a\\locked.lnk") && machine.PathExists("C:\\full\\f.txt"));
    for (const Effect& e : rec.Effects()) {
        EXPECT_FALSE(e.ok() || e.reason.empty());
    }

    EXPECT_TRUE(rec.Run("sc \\\\. config NoSuchService start= demand", RunMode::Start).ok());
    EXPECT_TRUE(rec.Effects().back().ok() && rec.Effects().back().pending); // not known yet
    const auto wait = rec.Run("sc \\\\. config NoSuchService start= disabled", RunMode::Wait);
    EXPECT_FALSE(wait.ok());
    EXPECT_EQ(sysaccess::EffectLine(rec.Effects().back()),
              "wait sc \\\\. config NoSuchService start= disabled\tfailed: " + wait.Describe());
    const auto started = rec.CollectStarted();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_FALSE(started[0].result.ok());
}

} // namespace
