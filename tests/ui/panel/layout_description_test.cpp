// The window's layout description: the built-in twelve panels, the text form's round trip and
// damaged text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ui/panel/layout_description.h"
#include "ui/panel/xpcontainer.h"

namespace panel {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;

TEST(MainWindowLayout, HoldsTheTwelvePanelsWithTheirThemes) {
    const LayoutReadResult read = ReadLayoutDescription(MainWindowLayoutText());
    EXPECT_TRUE(read.problems.empty());
    std::vector<std::string> names;
    for (const auto& p : read.layout.panels)
        names.push_back(p.name);
    EXPECT_THAT(names,
                ElementsAre("XPCMain", "XPCSystem", "XPContainer4", "XPContainer5", "XPCSecurity", "XPContainer1",
                            "XPContainer2", "XPContainer6", "XPContainer7", "XPCService", "XPCWight", "XPCStartup"));
    for (const auto& d : read.layout.panels) {
        XPContainer p;
        p.ReadProperties(d.bag);
        const bool main = d.name == "XPCMain";
        EXPECT_EQ(p.Theme(), main ? 4 : 10) << d.name;
        EXPECT_EQ(p.Style(), main ? 0 : 1) << d.name;
        EXPECT_EQ(p.Caption(), main ? "  Sysvela(系统优化页)" : "XPContainer") << d.name;
        const ThemeColors& row = kThemes[static_cast<std::size_t>(p.Theme())];
        EXPECT_EQ(p.HeaderLightColor(), row.headerLight) << d.name;
        EXPECT_EQ(p.HeaderDarkColor(), row.headerDark) << d.name;
        EXPECT_EQ(p.BackLightColor(), row.backLight) << d.name;
        EXPECT_EQ(p.BackDarkColor(), row.backDark) << d.name;
        EXPECT_EQ(p.BorderColor(), row.border) << d.name;
        EXPECT_EQ(p.TextColor(), row.text) << d.name;

        // What the panel saves is what the description holds.
        PropertyBag saved;
        saved.Set("_extentx", d.bag.ReadProperty("_extentx", 0));
        saved.Set("_extenty", d.bag.ReadProperty("_extenty", 0));
        p.WriteProperties(saved);
        EXPECT_EQ(saved, d.bag) << d.name;
    }
    const PanelDescription* main = MainWindowLayout().Find("xpcmain");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ExtentPixelsX(main->bag), 727); // 10905 x 7155 twips
    EXPECT_EQ(ExtentPixelsY(main->bag), 477);
    EXPECT_EQ(ExtentPixelsX(MainWindowLayout().Find("XPContainer5")->bag), 215);
}

TEST(LayoutText, WritesWhatItReads) {
    const std::string text = WriteLayoutDescription(MainWindowLayout());
    std::string withoutComments;
    for (std::string_view rest = MainWindowLayoutText(); !rest.empty();) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        if (line.front() != '#' && !(withoutComments.empty() && line == "\n")) withoutComments += line;
    }
    EXPECT_EQ(text, withoutComments);

    LayoutDescription odd;
    odd.panels.push_back({"P", {}});
    odd.panels[0].bag.Set("caption", std::string("a \"q\" \\ \n\r\t\x01 宋体 \x7F"));
    odd.panels[0].bag.Set("textcolor", -1);
    odd.panels[0].bag.Set("style", INT32_MIN);
    const LayoutReadResult back = ReadLayoutDescription(WriteLayoutDescription(odd));
    EXPECT_TRUE(back.problems.empty());
    ASSERT_EQ(back.layout.panels.size(), 1u);
    EXPECT_EQ(back.layout.panels[0].bag, odd.panels[0].bag);
    EXPECT_NE(WriteLayoutDescription(odd).find("textcolor = 0xFFFFFFFF\n"), std::string::npos);
}

TEST(LayoutText, DamagedLinesAreSkippedAndReported) {
    const std::string text = "\xEF\xBB\xBF"
                             "orphan = 1\r\n"             // 1: before any panel
                             "[A]\r\n"                    // 2
                             "Theme = 4\r\n"              // 3
                             "no equals sign\r\n"         // 4
                             "style = 12abc\r\n"          // 5
                             "caption = \"open\r\n"       // 6
                             "caption = \"x\" tail\r\n"   // 7
                             "textcolor = 4294967296\r\n" // 8: beyond 32 bits
                             "[]\r\n"                     // 9
                             "lost = 1\r\n"               // 10: after a nameless heading
                             "[a]\r\n"                    // 11: A again
                             "bordercolor = &H80000010&\r\n"
                             "caption = \"ok\\\"\"\r\n"
                             "= 5\r\n"; // 14
    const LayoutReadResult r = ReadLayoutDescription(text);
    std::vector<int> lines;
    for (const auto& p : r.problems)
        lines.push_back(p.line);
    EXPECT_THAT(lines, ElementsAre(1, 4, 5, 6, 7, 8, 9, 10, 11, 14));
    ASSERT_EQ(r.layout.panels.size(), 1u);
    const PropertyBag& bag = r.layout.panels[0].bag;
    EXPECT_EQ(bag.ReadProperty("theme", 0), 4);
    EXPECT_EQ(bag.ReadProperty("BorderColor", 0), static_cast<std::int32_t>(0x80000010));
    EXPECT_EQ(bag.ReadProperty("caption", ""), "ok\"");
    EXPECT_FALSE(bag.Contains("style"));
}

TEST(LayoutText, IntegersInEveryAcceptedForm) {
    std::int32_t v = 0;
    EXPECT_TRUE(ParseInt32(" -2147483648 ", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(ParseInt32("0xFFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(ParseInt32("&H8000000F", v));
    EXPECT_EQ(v, static_cast<std::int32_t>(0x8000000F));
    EXPECT_TRUE(ParseInt32("0x09afAF", v));
    EXPECT_EQ(v, 0x9AFAF);
    for (const char* bad : {"", "-", "0x", "0x123456789", "2147483648", "1e3", "99999999999999999999999", "&H&"}) {
        EXPECT_FALSE(ParseInt32(bad, v)) << bad;
    }
}

} // namespace
} // namespace panel
