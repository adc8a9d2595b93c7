// The system page on the simulated XP machine: every write and command, in order.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "optimize/sections.h"
#include "trace.h"

namespace {

using catalogue_test::W;
using ::testing::ElementsAre;

const std::string kAeDebug = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug)";
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

// The pass's effects, line by line, are in the golden plans (plan_golden_test.cpp), and with them
// the rules between boxes that the odd, even and grey setups tell apart; these cases check what
// the effects leave on the machine and what those setups do not reach.
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
