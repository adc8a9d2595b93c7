// The system page on the simulated XP machine: every write and command, in order.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "optimize/sections.h"
#include "trace.h"

namespace {

using catalogue_test::W;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kMep = R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
const std::string kAeDebug = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug)";
const std::string kWu = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\WindowsUpdate)";
const std::string kMem = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management)";
const std::string kBios = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\BIOS)";
const std::string kMenu = R"(C:\Documents and Settings\All Users\「开始」菜单\)";

struct SystemPage : catalogue_test::PageTest {
    void Pass() {
        ClearLines();
        optimize::RunSystemSection(form, sys);
    }
    std::vector<std::string> LinesWith(const std::string& part) const {
        const std::vector<std::string> all = Lines();
        std::vector<std::string> out;
        std::copy_if(all.begin(), all.end(), std::back_inserter(out),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
        return out;
    }
    std::string Str(const std::string& key, const char* name) { return sys.ReadRegValue(key, name).value().text; }
    std::uint32_t Dw(const std::string& key, const char* name) { return sys.ReadRegValue(key, name).value().dword; }
};

// The pass's effects, line by line, are in the golden plans (plan_golden_test.cpp); these cases
// check what they leave on the machine and the rules between boxes.
TEST_F(SystemPage, AllTickedEmptiesTheStartMenuButNotItsSubFolders) {
    for (int i : {43, 44, 47, 48, 49, 50, 51})
        form.SetChk(i, 1);
    for (int i = 53; i <= 76; ++i)
        form.SetChk(i, 1);
    form.SetCombo2(0);
    form.SetCombo3(0);
    form.SelectOpt(4);
    machine.AddFile(kMenu + R"(程序\Keep.lnk)");
    Pass();
    // The shortcuts directly in the Start menu go; its sub-folders are not touched.
    EXPECT_FALSE(sys.FileExists(kMenu + "*.lnk"));
    EXPECT_TRUE(sys.FileExists(kMenu + R"(程序\Keep.lnk)"));
    EXPECT_EQ(Dw(R"(HKLM\SYSTEM\CurrentControlSet\Services\wuauserv)", "Start"), 4u);
    // The start-menu folder is empty now: a second pass deletes nothing.
    Pass();
    EXPECT_TRUE(LinesWith("delete C:").empty());
}

TEST_F(SystemPage, ErrorReportingLeavesTheUpdatePolicyToItsOwnBox) {
    form.SetChk(65, 1);
    Pass();
    EXPECT_EQ(Dw(kWu, "DisableWindowsUpdateAccess"), 1u);
    form.SetChk(65, 0);
    form.SetChk(58, 1);
    Pass();
    EXPECT_EQ(Dw(kWu, "DisableWindowsUpdateAccess"), 0u);
    EXPECT_EQ(LinesWith("DisableWindowsUpdateAccess").size(), 1u);
}

TEST_F(SystemPage, AutoAndLowerCaseAutoAreOneValueAndTheLaterWins) {
    form.SetChk(66, 1);
    Pass();
    EXPECT_EQ(Str(kAeDebug, "Auto"), "0");
    form.SetChk(66, 0);
    form.SetChk(48, 1); // "Auto" = "1", then "auto" = "0"
    Pass();
    EXPECT_EQ(Str(kAeDebug, "Auto"), "0");
    form.SetChk(48, 0);
    Pass();
    EXPECT_EQ(Str(kAeDebug, "auto"), "1");
}

TEST_F(SystemPage, On64BitWindowsAeDebugOfBothViewsAndNothingElseChanges) {
    const std::string aeDebug32 =
        R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug)";
    Pass();
    const std::vector<std::string> plain = Lines();
    machine.SetWow64(true);
    Pass();
    std::vector<std::string> lines = Lines();
    const auto at = std::find(lines.begin(), lines.end(), W(kAeDebug, "Auto", "string", "1"));
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*std::next(at), W(aeDebug32, "Auto", "string", "1"));
    lines.erase(std::next(at));
    EXPECT_EQ(lines, plain);

    form.SetChk(48, 1);
    Pass();
    EXPECT_THAT(LinesWith("AeDebug"),
                ElementsAre(W(kAeDebug, "Auto", "string", "1"), W(aeDebug32, "Auto", "string", "1"),
                            W(kAeDebug, "auto", "string", "0"), W(aeDebug32, "auto", "string", "0")));
    EXPECT_EQ(Str(aeDebug32, "Auto"), "0");
}

TEST_F(SystemPage, ClearedStartMenuTidyingSparesValuesOfTickedOrGreySecurityBoxes) {
    for (int i = 20; i <= 23; ++i)
        form.SetChk(i, 1);
    Pass();
    EXPECT_THAT(LinesWith(kMep), ElementsAre(W(kMep, "NoLogoff", "dword", "00000000")));
    form.SetChk(20, 2);
    form.SetChk(21, 0);
    form.SetChk(22, 2);
    form.SetChk(23, 0);
    Pass();
    EXPECT_THAT(LinesWith(kMep),
                ElementsAre(W(kMep, "NoSetFolders", "dword", "00000000"), W(kMep, "NoSetTaskbar", "dword", "00000000"),
                            W(kMep, "NoSMHelp", "dword", "00000000"), W(kMep, "NoLogoff", "dword", "00000000")));
}

TEST_F(SystemPage, ComboBoxesAndCacheButtons) {
    form.SetChk(56, 1); // no Combo3 item: background services
    form.SetChk(75, 1);
    form.ClearOpt(0); // no option button: no cache size
    form.SetCombo2(1);
    Pass();
    EXPECT_EQ(Dw(kBios, "CPUPriority"), 2u);
    EXPECT_EQ(Str(kMem + R"(\PrefetchParameters)", "EnablePrefetcher"), "3");
    EXPECT_TRUE(LinesWith("SecondLevelDataCache").empty());
    const char* sizes[] = {"00000040", "00000080", "00000100", "00000200", "00000400"};
    for (int i = 0; i < form::kOptCount; ++i) {
        form.SelectOpt(i);
        Pass();
        EXPECT_THAT(LinesWith("SecondLevelDataCache"), ElementsAre(W(kMem, "SecondLevelDataCache", "dword", sizes[i])));
    }
    form.SetChk(56, 2); // grey is not ticked, whatever Combo3 shows
    form.SetCombo3(0);
    Pass();
    EXPECT_EQ(Dw(kBios, "CPUPriority"), 3u);
}

} // namespace
