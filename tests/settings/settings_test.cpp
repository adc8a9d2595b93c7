#include "settings/settings.h"

#include <gtest/gtest.h>

#include <random>

#include "support/form_state.h"
#include "sysaccess/sim/machine.h"

namespace {

using Outcome = settings::LoadReport::Outcome;

std::string Lines(std::initializer_list<std::string> fields) {
    std::string out;
    for (const auto& f : fields)
        out += "\"" + f + "\"\r\n";
    return out;
}

std::string Z(int n) {
    return std::string(n, '0');
}

form::MainForm AfterWindowLoad() {
    form::MainForm f;
    f.SetCombo2(0);
    f.SetCombo3(0);
    return f;
}

struct Settings : ::testing::Test {
    sim::Machine sys;
    form::MainForm form = AfterWindowLoad();
    const std::string file = sys.ProgramFolder() + "\\setup.dat";
    void SetUp() override { sys.AddFolder(sys.ProgramFolder()); }
};

TEST_F(Settings, SavesEightQuotedLinesInTheAnsiCodePage) {
    for (int i : {1, 76})
        form.SetChk(i, 1);
    form.SelectOpt(3);
    form.SetTxtPath("D:\\下载");
    form.SetHide(2, true);
    for (int i : {0, 1})
        form.SetService(i, true);
    ASSERT_TRUE(settings::SaveSettings(form, sys));
    EXPECT_EQ(*sys.ReadFile(file),
              Lines({"01" + Z(74) + "1", "3", "0", "0", "D:\\\xCF\xC2\xD4\xD8", "001" + Z(23), Z(26), "11" + Z(17)}));
    form::MainForm odd; // what no control holds is not written: beyond grey, a line break, no combo item
    odd.SetChk(5, 7);
    odd.SetTxtPath("C:\\\"x\r\ny😀\"");
    ASSERT_TRUE(settings::SaveSettings(odd, sys));
    EXPECT_EQ(*sys.ReadFile(file), Lines({Z(77), "0", "-1", "-1", "C:\\xy?", Z(26), Z(26), Z(19)}));
    sys.SetAttributes(file, sim::kReadOnly); // a failed save keeps the previous file
    EXPECT_FALSE(settings::SaveSettings(form, sys).ok);
    EXPECT_EQ(sys.ReadFile(file)->substr(0, 7), "\"000000");
}

TEST_F(Settings, RoundTripRestoresEveryControl) {
    std::string huge = "D:\\"; // a download folder of a mebibyte and more
    while (huge.size() < (1u << 20))
        huge += "下载目录,downloads\\";
    for (const std::string& path : {std::string("D:\\下载"), std::string("C:\\a,b"), std::string(), huge}) {
        for (int i = 0; i < form::kChkCount; ++i)
            form.SetChk(i, (i + path.size()) % 3);
        form.SelectOpt(path.size() % 5);
        form.SetCombo2(path.empty() ? -1 : 1);
        form.SetTxtPath(path);
        for (int i : {0, 25})
            form.SetHide(i, true), form.SetNot(25 - i, true), form.SetService(i % 19, true);
        ASSERT_TRUE(settings::SaveSettings(form, sys));
        form::MainForm back = AfterWindowLoad();
        EXPECT_EQ(settings::LoadSettings(back, sys).outcome, Outcome::Complete);
        EXPECT_EQ(testing_support::StateOf(back), testing_support::StateOf(form)) << path;
    }
}

TEST_F(Settings, DamagedFileStopsAtItsFirstErrorKeepingWhatCameBefore) {
    const std::string ones(77, '1'), rest = Lines({"2", "1", "1", "p", "1", "1", "1"});
    const std::tuple<std::string, int, int> cases[] = {
        // text, the line it stops at (0: none), how many boxes it ticks
        {Lines({ones, "9", "1", "1", "p", "1", "1", "1"}), 2, 77},
        {Lines({ones, "5", "1", "1", "p", "1", "1", "1"}), 2, 77}, // one past the last option button
        {Lines({ones, "2", "2", "1", "p", "1", "1", "1"}), 3, 77}, // one past the last combo item
        {Lines({"111"}) + rest, 1, 3},
        {Lines({"1111x" + ones}) + rest, 1, 4},
        {Lines({"113" + ones}) + rest, 1, 2},
        {Lines({ones}) + rest.substr(0, rest.rfind("\"1\"")), 8, 77},
        {"", 1, 0},
        {Lines({ones}) + "  2,junk\r\n" + rest.substr(rest.find('\n') + 1), 0, 77},
    };
    for (const auto& [text, stop, digits] : cases) {
        form::MainForm f = AfterWindowLoad();
        f.SetService(4, true);
        const settings::LoadReport r = settings::LoadSettingsFromBytes(f, text);
        EXPECT_EQ(r.outcome, stop ? Outcome::Stopped : Outcome::Complete);
        EXPECT_EQ(r.line, stop) << text;
        for (int i = 0; i < form::kChkCount; ++i)
            ASSERT_EQ(f.chk(i), i < digits ? 1 : 0) << text << i;
        const bool past[] = {true, stop == 0 || stop > 2, stop == 0 || stop > 3, stop == 0 || stop > 6};
        EXPECT_TRUE(f.Opt(2) == past[1] && (f.Combo2() == 1) == past[2] && f.lstHide().ticked[0] == past[3]) << text;
        EXPECT_TRUE(f.lstService().ticked[4]); // the load never clears a selection
    }
}

// A catalogue grown to 78 boxes (here only): a file of today's 77 loads whole and goes on with line
// 2; a count the program never had still ends the load at line 1.
TEST_F(Settings, AFileOfAnEarlierBoxCountLoadsWholeIntoAGrownCatalogue) {
    constexpr int kGrown[] = {77, 78};
    const settings::CheckBoxes grown{78, kGrown};
    const std::string rest = Lines({"3", "1", "1", "D:\\x", "1", "01", "001"});
    const std::tuple<int, int, std::string> cases[] = {
        // digits on line 1, the line the load stops at (0: none), the reason
        {77, 0, ""},
        {76, 1, "only 76 of 78 check-box digits"},
    };
    for (const auto& [digits, stop, reason] : cases) {
        form::MainForm f = AfterWindowLoad();
        const settings::LoadReport r =
            settings::LoadSettingsFromBytes(f, Lines({std::string(digits, '2')}) + rest, grown);
        EXPECT_EQ(r.line, stop) << digits;
        EXPECT_EQ(r.reason, reason);
        for (int i = 0; i < form::kChkCount; ++i)
            ASSERT_EQ(f.chk(i), i < digits ? 2 : 0) << digits << " " << i;
        const bool loaded = stop == 0;
        EXPECT_TRUE(f.Opt(3) == loaded && (f.Combo2() == 1) == loaded && (f.Combo3() == 1) == loaded &&
                    (f.txtPath() == "D:\\x") == loaded && f.lstHide().ticked[0] == loaded &&
                    f.lstNot().ticked[1] == loaded && f.lstService().ticked[2] == loaded)
            << digits;
    }
}

TEST_F(Settings, MissingFileOrAnyBytesLeaveValidControls) {
    const auto before = testing_support::StateOf(form);
    EXPECT_EQ(settings::LoadSettings(form, sys).outcome, Outcome::Missing);
    EXPECT_EQ(testing_support::StateOf(form), before);
    std::mt19937 rng(7);
    const std::string alphabet = "\"\r\n, 0123\xCF\xC2-";
    for (int run = 0; run < 2000; ++run) {
        std::string text(rng() % 300, '\0');
        for (char& c : text)
            c = run % 2 ? char(rng()) : alphabet[rng() % alphabet.size()];
        form::MainForm f = AfterWindowLoad();
        EXPECT_LE(settings::LoadSettingsFromBytes(f, text).line, settings::kFieldCount);
        for (int i = 0; i < form::kChkCount; ++i)
            ASSERT_TRUE(f.chk(i) >= 0 && f.chk(i) <= 2);
        ASSERT_TRUE(f.Combo2() >= -1 && f.Combo2() <= 1 && f.Combo3() >= -1 && f.Combo3() <= 1);
    }
}

} // namespace
