#include "settings/settings.h"

#include <gtest/gtest.h>

#include <random>

#include "support/fake_system.h"
#include "support/form_state.h"

namespace {

using app::MainForm;
using settings::LoadReport;
using testing_support::StateOf;

const std::string kFile = "C:\\Program Files\\Sysvela\\setup.dat";

// The window's state after its load: both combos on item 0.
MainForm Loaded() {
    MainForm f;
    f.SetCombo2(0);
    f.SetCombo3(0);
    return f;
}

std::string Lines(const std::vector<std::string>& fields) {
    std::string out;
    for (const auto& f : fields)
        out += "\"" + f + "\"\r\n";
    return out;
}

std::string Zeros(int n) {
    return std::string(n, '0');
}

TEST(SaveSettings, WritesEightQuotedLinesExactly) {
    testing_support::FakeSystem sys;
    MainForm f = Loaded();
    f.SetChk(1, 1);
    f.SetChk(76, 1);
    f.SelectOpt(3);
    f.SetTxtPath("C:\\Downloads");
    f.SetHide(2, true);
    f.SetService(0, true);
    f.SetService(1, true);
    ASSERT_TRUE(settings::SaveSettings(f, sys));
    EXPECT_EQ(*sys.ReadFile(kFile), Lines({"01" + Zeros(74) + "1", "3", "0", "0", "C:\\Downloads", "001" + Zeros(23),
                                           Zeros(26), "11" + Zeros(17)}));
}

TEST(SaveSettings, RoundTripRestoresEveryControlWithGbkOnDisk) {
    for (const std::string path : {"D:\\下载", "C:\\a,b", ""}) {
        testing_support::FakeSystem sys;
        MainForm f = Loaded();
        for (int i = 0; i < app::kChkCount; ++i)
            f.SetChk(i, i % 3);
        f.SelectOpt(4);
        f.SetCombo2(1);
        f.SetTxtPath(path);
        f.SetHide(25, true);
        f.SetNot(0, true);
        f.SetService(18, true);
        ASSERT_TRUE(settings::SaveSettings(f, sys));
        MainForm back = Loaded();
        const LoadReport r = settings::LoadSettings(back, sys);
        EXPECT_EQ(r.outcome, LoadReport::Outcome::Complete) << r.reason;
        EXPECT_EQ(StateOf(back), StateOf(f)) << path;
    }
    testing_support::FakeSystem sys;
    MainForm f = Loaded();
    f.SetTxtPath("D:\\下载");
    ASSERT_TRUE(settings::SaveSettings(f, sys));
    EXPECT_NE(sys.ReadFile(kFile)->find("\"D:\\\xCF\xC2\xD4\xD8\"\r\n"), std::string::npos);
}

TEST(SaveSettings, StoresOnlyWhatLoadsBack) {
    testing_support::FakeSystem sys;
    MainForm f; // no combo item selected, as before the window's load
    f.SetChk(5, 7);
    f.SetTxtPath("C:\\x\r\ny😀");
    ASSERT_TRUE(settings::SaveSettings(f, sys));
    EXPECT_EQ(*sys.ReadFile(kFile), Lines({Zeros(77), "0", "-1", "-1", "C:\\xy?", Zeros(26), Zeros(26), Zeros(19)}));
    MainForm back = Loaded();
    EXPECT_EQ(settings::LoadSettings(back, sys).outcome, LoadReport::Outcome::Complete);
    EXPECT_EQ(back.Combo2(), -1);
}

TEST(SaveSettings, FailedSaveKeepsThePreviousFile) {
    testing_support::FakeSystem sys;
    sys.AddFile(kFile, "old");
    sys.failReplace = true;
    const sysaccess::Result r = settings::SaveSettings(Loaded(), sys);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("disk full"), std::string::npos);
    EXPECT_EQ(*sys.ReadFile(kFile), "old");
}

struct Damaged {
    std::string text;
    int stopLine; // 0: complete
    int chkSet;   // how many leading check boxes became 1
    bool optChanged;
};

TEST(LoadSettings, StopsAtTheFirstErrorKeepingWhatCameBefore) {
    const std::string ones = std::string(77, '1');
    const std::string rest = Lines({"2", "1", "1", "p", "1", "1", "1"});
    const Damaged cases[] = {
        {Lines({ones, "9"}) + Lines({"1", "1", "p", "1", "1", "1"}), 2, 77, false},
        {Lines({"111"}) + rest, 1, 3, false},
        {Lines({"1111x" + ones}) + rest, 1, 4, false},
        {Lines({"113" + ones}) + rest, 1, 2, false},
        {Lines({ones}) + rest.substr(0, rest.rfind("\"1\"")), 8, 77, true},
        {"", 1, 0, false},
        {Lines({ones}) + "  2,junk\r\n" + rest.substr(rest.find('\n') + 1), 0, 77, true},
    };
    for (const Damaged& c : cases) {
        MainForm f = Loaded();
        const LoadReport r = settings::LoadSettingsFromBytes(f, c.text);
        EXPECT_EQ(r.line, c.stopLine) << c.text;
        EXPECT_EQ(r.outcome, c.stopLine ? LoadReport::Outcome::Stopped : LoadReport::Outcome::Complete);
        for (int i = 0; i < app::kChkCount; ++i)
            ASSERT_EQ(f.chk(i), i < c.chkSet ? 1 : 0) << c.text << i;
        EXPECT_EQ(f.Opt(0), !c.optChanged) << c.text;
        EXPECT_EQ(f.Combo2(), c.stopLine >= 4 || c.stopLine == 0 ? 1 : 0) << c.text;
        EXPECT_EQ(f.lstHide().ticked[0], c.stopLine == 0 || c.stopLine > 6) << c.text;
    }
}

TEST(LoadSettings, ListsOnlyGainSelections) {
    MainForm f = Loaded();
    f.SetService(4, true);
    const auto r = settings::LoadSettingsFromBytes(f, Lines({Zeros(77), "0", "0", "0", "", "1", "01", "00001"}));
    EXPECT_EQ(r.outcome, LoadReport::Outcome::Complete);
    EXPECT_TRUE(f.lstService().ticked[4]);
    EXPECT_TRUE(f.lstHide().ticked[0]);
    EXPECT_TRUE(f.lstNot().ticked[1]);
    EXPECT_FALSE(f.lstNot().ticked[0]);
}

TEST(LoadSettings, MissingFileChangesNothing) {
    testing_support::FakeSystem sys;
    MainForm f = Loaded();
    const auto before = StateOf(f);
    EXPECT_EQ(settings::LoadSettings(f, sys).outcome, LoadReport::Outcome::Missing);
    EXPECT_EQ(StateOf(f), before);
}

TEST(LoadSettings, AnyBytesLeaveValidControls) {
    std::mt19937 rng(7);
    const std::string alphabet = "\"\r\n, 0123\xCF\xC2-";
    for (int run = 0; run < 2000; ++run) {
        std::string text(rng() % 300, '\0');
        for (char& c : text)
            c = run % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        MainForm f = Loaded();
        const LoadReport r = settings::LoadSettingsFromBytes(f, text);
        EXPECT_LE(r.line, settings::kFieldCount);
        for (int i = 0; i < app::kChkCount; ++i)
            ASSERT_TRUE(f.chk(i) >= 0 && f.chk(i) <= 2);
        ASSERT_TRUE(f.Combo2() >= -1 && f.Combo2() <= 1 && f.Combo3() >= -1 && f.Combo3() <= 1);
    }
}

} // namespace
