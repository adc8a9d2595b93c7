// The panel's properties: defaults, themes, notification and repaint on every write, and the
// property bag it saves to and loads from.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/panel/pixel_canvas.h"
#include "ui/panel/xpcontainer.h"

namespace panel {
namespace {

using ::testing::ElementsAre;

std::array<OleColor, 6> ColoursOf(const XPContainer& p) {
    return {p.HeaderLightColor(), p.HeaderDarkColor(), p.BackLightColor(),
            p.BackDarkColor(),    p.BorderColor(),     p.TextColor()};
}
// A theme's row as tests/ui/panel/themes.txt writes it (#RRGGBB), turned into 0x00BBGGRR here.
std::array<OleColor, 6> Row(int theme) {
    std::ifstream in(std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/ui/panel/themes.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int number = -1;
        if (line.empty() || line[0] == '#' || !(fields >> number) || number != theme) continue;
        std::array<OleColor, 6> row{};
        for (OleColor& colour : row) {
            std::string rgb;
            fields >> rgb;
            const unsigned long v = std::stoul(rgb.substr(1), nullptr, 16);
            colour = static_cast<OleColor>(((v & 0xFF) << 16) | (v & 0xFF00) | (v >> 16));
        }
        return row;
    }
    ADD_FAILURE() << "no theme " << theme << " in themes.txt";
    return {};
}

// A panel on a canvas that records what it was told.
struct Watched {
    PixelCanvas canvas{40, 40};
    XPContainer panel;
    std::vector<std::string> notified;
    Watched() {
        panel.SetObserver([this](std::string_view name) { notified.emplace_back(name); });
        panel.SetSurface(&canvas);
    }
};

TEST(PanelProperties, NewPanelHasTheDefaults) {
    XPContainer p;
    EXPECT_EQ(p.Theme(), 0);
    EXPECT_EQ(p.Style(), 0);
    EXPECT_EQ(p.Caption(), "XPContainer");
    EXPECT_EQ(ColoursOf(p), (std::array<OleColor, 6>{0xF7E0D3, 0xEDC5A7, 0xFCF4EF, 0xFAE8DC, 0xDCC1AD, 0x7B2D02}));
}

TEST(PanelProperties, ThemeWritesItsSixColoursThroughTheWriters) {
    for (int theme = 0; theme < 12; ++theme) {
        Watched w;
        w.panel.SetTheme(theme);
        EXPECT_EQ(w.panel.Theme(), theme);
        EXPECT_EQ(ColoursOf(w.panel), Row(theme)) << "theme " << theme;
        EXPECT_THAT(w.notified, ElementsAre("Theme", "HeaderLightColor", "HeaderDarkColor", "BackLightColor",
                                            "BackDarkColor", "BorderColor", "TextColor"));
        EXPECT_EQ(w.canvas.ClearCount(), 6) << "one repaint per colour, none for Theme itself";
    }
}

TEST(PanelProperties, ThemeOutsideTheTableChangesNoColour) {
    for (const int theme : {12, -1}) {
        Watched w;
        w.panel.SetTheme(theme);
        EXPECT_EQ(w.panel.Theme(), theme);
        EXPECT_EQ(ColoursOf(w.panel), Row(0));
        EXPECT_THAT(w.notified, ElementsAre("Theme"));
        EXPECT_EQ(w.canvas.ClearCount(), 0);
    }
}

TEST(PanelProperties, ColourWrittenAfterAThemeLeavesTheTheme) {
    XPContainer p;
    p.SetTheme(4);
    p.SetBorderColor(0x000000);
    EXPECT_EQ(p.Theme(), 4);
    EXPECT_EQ(p.BorderColor(), 0x000000);
}

TEST(PanelProperties, EveryWriteNotifiesAndRepaintsEvenWhenUnchanged) {
    Watched w;
    w.panel.SetCaption("  Sysvela(系统安全页)");
    w.panel.SetCaption("  Sysvela(系统安全页)");
    w.panel.SetStyle(7); // no writer checks its value
    EXPECT_THAT(w.notified, ElementsAre("Caption", "Caption", "Style"));
    EXPECT_EQ(w.canvas.ClearCount(), 3);
    EXPECT_EQ(w.panel.Style(), 7);
}

TEST(PanelPersistence, DefaultsAreNotStoredAndReadBack) {
    XPContainer p;
    PropertyBag bag;
    bag.Set("_ExtentX", 19235);
    bag.Set("_extenty", 12621);
    p.WriteProperties(bag);
    ASSERT_EQ(bag.Entries().size(), 2u) << "the host's extent is all that remains";
    EXPECT_EQ(bag.Entries()[0].name, "_extentx");

    XPContainer q;
    q.SetTheme(3);
    q.SetCaption("x");
    q.ReadProperties(bag);
    EXPECT_EQ(q.Style(), 0);
    EXPECT_EQ(q.Caption(), "XPContainer");
    EXPECT_EQ(q.Theme(), 0);
    EXPECT_EQ(ColoursOf(q), Row(0));
}

TEST(PanelPersistence, RoundTripInLowerCaseNames) {
    XPContainer p;
    p.SetTheme(9);
    p.SetStyle(1);
    p.SetCaption("  带\"引号\"的标题");
    p.SetBorderColor(static_cast<OleColor>(0x80000010));
    PropertyBag bag;
    p.WriteProperties(bag);
    std::vector<std::string> names;
    for (const auto& e : bag.Entries())
        names.push_back(e.name);
    EXPECT_THAT(names, ElementsAre("headerlightcolor", "headerdarkcolor", "backlightcolor", "backdarkcolor",
                                   "bordercolor", "textcolor", "caption", "style", "theme"));

    XPContainer q;
    q.ReadProperties(bag);
    EXPECT_EQ(ColoursOf(q), ColoursOf(p));
    EXPECT_EQ(q.Caption(), p.Caption());
    EXPECT_EQ(q.Style(), 1);
    EXPECT_EQ(q.Theme(), 9);

    // Back to a default: the stale entry goes.
    p.SetStyle(0);
    p.WriteProperties(bag);
    EXPECT_FALSE(bag.Contains("Style"));
}

TEST(PanelPersistence, ReadingNeitherAppliesTheThemeNorNotifies) {
    PropertyBag bag;
    bag.Set("THEME", 10);
    const std::array<OleColor, 6> four = Row(4);
    const char* names[] = {"HeaderLightColor", "headerdarkcolor", "backlightcolor",
                           "backdarkcolor",    "bordercolor",     "textcolor"};
    for (std::size_t i = 0; i < four.size(); ++i)
        bag.Set(names[i], four[i]);
    Watched w;
    w.panel.ReadProperties(bag);
    EXPECT_EQ(w.panel.Theme(), 10);
    EXPECT_EQ(ColoursOf(w.panel), Row(4));
    EXPECT_TRUE(w.notified.empty());
    EXPECT_EQ(w.canvas.ClearCount(), 0);
}

TEST(PanelPersistence, UnreadableValuesGiveTheirDefaults) {
    PropertyBag bag;
    bag.Set("style", std::string("not a number"));
    bag.Set("theme", std::string("0x0B"));
    bag.Set("caption", 42);
    XPContainer p;
    p.ReadProperties(bag);
    EXPECT_EQ(p.Style(), 0);
    EXPECT_EQ(p.Theme(), 11);
    EXPECT_EQ(p.Caption(), "42");
}

} // namespace
} // namespace panel
