// The security page on the simulated XP machine: browser settings, drive masks, display, Start
// menu and other restrictions, and the safe-mode backup.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "optimize/catalogue.h"
#include "optimize/sections.h"
#include "support/machine_state.h"
#include "trace.h"

namespace {

using testing_support::Subtree;

const std::string K4 = R"(HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer)";
const std::string K9 = R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
const std::string K10 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer)";
const std::string K11 = K10 + R"(\DisallowCpl)";
const std::string kMenu = R"(C:\Documents and Settings\All Users\「开始」菜单\)";
const std::string kRecycle =
    R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{645FF040-5081-101B-9F08-00AA002F954E})";
const std::string kSafe = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\SafeBoot\)";

struct SecurityPage : catalogue_test::PageTest {
    void SetAll(int value) {
        for (int i = 0; i <= 40; ++i)
            form.SetChk(i, value);
    }
    void Pass() {
        ClearLines();
        progress.clear();
        optimize::RunSecuritySection(form, sys);
    }
    std::uint32_t Value(const std::string& key, const std::string& name) {
        const auto v = sys.ReadRegValue(key, name);
        return v ? v->dword : 0xDEADu;
    }
};

// The pass's effects, line by line, are in the golden plans (plan_golden_test.cpp), the drive masks
// of both lists among them; these cases check what they leave on the machine and the rules between
// boxes.
TEST_F(SecurityPage, AllClearLeavesAnEmptyDisallowCplAndTheRecycleBin) {
    Pass();
    // The key of chk(27) is deleted before its value is written, so it ends up holding "1" = "".
    const auto one = sys.ReadRegValue(K11, "1");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->text, "");
    EXPECT_TRUE(machine.KeyExists(kRecycle));
}

TEST_F(SecurityPage, AllTickedRemovesShortcutsAndTheRecycleBin) {
    SetAll(1);
    Pass();
    EXPECT_FALSE(sys.FileExists(kMenu + "Windows Catalog.lnk"));
    EXPECT_FALSE(sys.FileExists(kMenu + "Windows Update.lnk"));
    EXPECT_FALSE(machine.KeyExists(kRecycle));
    EXPECT_EQ(sys.ReadRegValue(K11, "1")->text, "Appwiz.cpl");
}

TEST_F(SecurityPage, LaterOptionsDecideSharedValues) {
    form.SetChk(19, 1); // noRun: chk(35) decides
    form.SetChk(21, 1); // NoSetTaskbar: chk(34) decides; NoSetFolders follows chk(21)
    form.SetChk(24, 1); // NoControlPanel: either box
    Pass();
    EXPECT_EQ(Value(K9, "noRun"), 0u);
    EXPECT_EQ(Value(K9, "NoSetTaskbar"), 0u);
    EXPECT_EQ(Value(K9, "NoSetFolders"), 1u);
    EXPECT_EQ(Value(K10, "NoControlPanel"), 1u);

    form.SetChk(19, 0);
    form.SetChk(35, 1);
    form.SetChk(21, 0);
    form.SetChk(34, 1);
    form.SetChk(24, 0);
    form.SetChk(28, 1);
    Pass();
    EXPECT_EQ(Value(K9, "noRun"), 1u);
    EXPECT_EQ(Value(K9, "NoSetTaskbar"), 1u);
    EXPECT_EQ(Value(K9, "NoSetFolders"), 0u);
    EXPECT_EQ(Value(K10, "NoControlPanel"), 1u);
}

// A folder box of blanks is text all the same (the golden plans hold the empty and the filled box).
TEST_F(SecurityPage, ABlankDownloadFolderIsWrittenAsItStands) {
    form.SetTxtPath("  ");
    Pass();
    EXPECT_EQ(sys.ReadRegValue(K4, "downloadDirectory")->text, "  ");
}

TEST_F(SecurityPage, SafeModeBackupRoundTripKeepsEverySubkey) {
    const auto minimal = Subtree(machine, kSafe + "Minimal");
    const auto network = Subtree(machine, kSafe + "Network");
    ASSERT_GT(minimal.size(), 3u) << "the seed's Minimal key has subkeys";
    ASSERT_GT(network.size(), 3u);

    form.SetChk(39, 1);
    Pass();
    EXPECT_FALSE(machine.KeyExists(kSafe + "Minimal"));
    EXPECT_FALSE(machine.KeyExists(kSafe + "Network"));
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal1"), minimal);
    EXPECT_EQ(Subtree(machine, kSafe + "Network1"), network);

    Pass(); // ticked again: no source to copy, so the backups are kept
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal1"), minimal);

    form.SetChk(39, 0);
    Pass();
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal"), minimal);
    EXPECT_EQ(Subtree(machine, kSafe + "Network"), network);
    EXPECT_FALSE(machine.KeyExists(kSafe + "Minimal1"));
    EXPECT_FALSE(machine.KeyExists(kSafe + "Network1"));
}

TEST_F(SecurityPage, FailedSafeModeCopyLeavesItsSourceKey) {
    const auto minimal = Subtree(machine, kSafe + "Minimal");
    machine.failCommand = [](const std::string& line) {
        return line.rfind("reg copy " + kSafe + "Minimal\\ ", 0) == 0;
    };
    form.SetChk(39, 1);
    Pass();
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal"), minimal);
    EXPECT_FALSE(machine.KeyExists(kSafe + "Network"));
    EXPECT_THAT(Lines(), ::testing::Not(::testing::Contains("wait reg delete " + kSafe + "Minimal\\ /f")));
}

} // namespace
