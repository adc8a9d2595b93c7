// Painting pixel by pixel: the gradient's exact rows (single-precision steps, ties to even), the
// header strip, the body of each style, the frame, and what happens when a routine fails.
#include <gtest/gtest.h>

#include <array>

#include "ui/panel/painting.h"
#include "ui/panel/pixel_canvas.h"
#include "ui/panel/star.h"
#include "ui/panel/xpcontainer.h"

namespace panel {
namespace {

constexpr Rgb Hex(std::uint32_t rrggbb) {
    return MakeRgb(static_cast<int>(rrggbb >> 16), static_cast<int>(rrggbb >> 8 & 0xFF),
                   static_cast<int>(rrggbb & 0xFF));
}

constexpr Rgb kBackground = Hex(0x123456); // not a colour any theme paints

// A panel of the given theme and style shown on a w x h pixel canvas.
struct Shown {
    PixelCanvas canvas;
    XPContainer panel;
    Shown(int w, int h, int theme, int style) : canvas(w, h, kBackground) {
        panel.SetTheme(theme);
        panel.SetStyle(style);
        panel.SetSurface(&canvas);
        panel.Show();
    }
};

TEST(PanelHeader, Theme4HeaderRowsFollowTheWorkedExample) {
    Shown s(100, 60, 4, 0);
    // Header strip rows 0..22 are panel rows 1..23; values worked out in single precision.
    constexpr std::array<std::uint32_t, 23> rows{0xC8E3F1, 0xC6E2F0, 0xC3E1F0, 0xC1DFEF, 0xBEDEEF, 0xBCDDEE,
                                                 0xB9DCED, 0xB7DBED, 0xB4DAEC, 0xB2D8EC, 0xAFD7EB, 0xADD6EA,
                                                 0xABD5EA, 0xA8D4E9, 0xA6D2E9, 0xA3D1E8, 0xA1D0E8, 0x9ECFE7,
                                                 0x9CCEE6, 0x99CDE6, 0x97CBE5, 0x94CAE5, 0x92C9E4};
    for (int y = 0; y < 23; ++y) {
        EXPECT_EQ(s.canvas.At(60, 1 + y), Hex(rows[y])) << "strip row " << y;
        EXPECT_EQ(s.canvas.At(1, 1 + y), Hex(rows[y])) << "strip starts at x = 1";
        EXPECT_EQ(s.canvas.At(98, 1 + y), Hex(rows[y])) << "strip ends at x = W - 2";
    }
}

TEST(PanelHeader, StarAndCaptionSitInTheStrip) {
    Shown s(200, 60, 4, 0);
    s.panel.SetCaption("  Sysvela(系统优化页)");
    // The star's top-left corner is (4, 2) in the strip, (5, 3) in the panel.
    for (int y = 0; y < kStarSize; ++y) {
        for (int x = 0; x < kStarSize; ++x) {
            if (const auto c = StarPixel(x, y)) {
                EXPECT_EQ(s.canvas.At(5 + x, 3 + y), *c) << x << "," << y;
            }
        }
    }
    EXPECT_NE(s.canvas.At(5, 3), *StarPixel(7, 1)) << "transparent corner shows the gradient";
    ASSERT_FALSE(s.canvas.Texts().empty());
    const TextDraw& t = s.canvas.Texts().back();
    EXPECT_EQ(t.text, "  Sysvela(系统优化页)");
    EXPECT_EQ(t.x, 11);
    EXPECT_EQ(t.y, 7);
    EXPECT_TRUE(t.bold);
    EXPECT_EQ(t.color, Hex(0x003955));

    // Changing the text colour alone recolours the caption at once.
    s.panel.SetTextColor(0x0000FF);
    EXPECT_EQ(s.canvas.Texts().back().color, Hex(0xFF0000));
}

TEST(PanelBody, Theme0Span15RowsAreSinglePrecision) {
    // Row 7's red is 239 - 7 * 19/14 = 229.5 exactly; in single precision it lands just below.
    Shown s(20, 15, 0, 1);
    constexpr std::array<std::uint32_t, 15> rows{0xEFF4FC, 0xEEF3FC, 0xECF2FC, 0xEBF1FC, 0xEAF1FB,
                                                 0xE8F0FB, 0xE7EFFB, 0xE5EEFB, 0xE4EDFB, 0xE3ECFB,
                                                 0xE1EBFB, 0xE0EBFA, 0xDFEAFA, 0xDDE9FA, 0xDCE8FA};
    for (int y = 1; y < 14; ++y)
        EXPECT_EQ(s.canvas.At(10, y), Hex(rows[y])) << "row " << y;
    EXPECT_EQ(RedOfRgb(s.canvas.At(10, 7)), 229);
}

TEST(PanelBody, Style0WithHeight30) {
    Shown s(50, 30, 0, 0);
    const Rgb light = Hex(0xEFF4FC), dark = Hex(0xDCE8FA), border = Hex(0xADC1DC);
    EXPECT_EQ(s.canvas.At(10, 24), light);
    EXPECT_EQ(s.canvas.At(10, 28), dark);
    EXPECT_EQ(s.canvas.At(10, 29), border) << "the row beyond the span lies under the frame";
    for (int y = 24; y <= 28; ++y) {
        EXPECT_EQ(s.canvas.At(47, y), s.canvas.At(10, y)) << "body reaches x = W - 3";
        EXPECT_EQ(s.canvas.At(48, y), kBackground) << "column W - 2 below the header keeps the background";
    }
    EXPECT_EQ(s.canvas.At(48, 23), Hex(0xA7C5ED)) << "the strip covers column W - 2";
}

TEST(PanelBody, Styles1And2PaintAlike) {
    Shown one(40, 30, 3, 1), two(40, 30, 3, 2);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(one.canvas.At(x, y), two.canvas.At(x, y)) << x << "," << y;
    }
    EXPECT_EQ(one.canvas.At(5, 1), Hex(0xF7F8F4)) << "no header: the body starts at row 0";
    EXPECT_TRUE(one.canvas.Texts().empty());
}

TEST(PanelBody, EqualColoursGiveAFlatFill) {
    Shown s(30, 40, 0, 1);
    s.panel.SetBackLightColor(0x336699);
    s.panel.SetBackDarkColor(0x336699);
    for (int y = 1; y < 39; ++y)
        EXPECT_EQ(s.canvas.At(15, y), 0x336699u) << y;
}

TEST(PanelBody, ComponentsBeyondTheLastColourAreClamped) {
    Shown s(20, 30, 0, 0);
    s.panel.SetBorderColor(static_cast<OleColor>(0x80000040)); // no frame: the last row shows
    s.panel.SetBackLightColor(0x000000);
    s.panel.SetBackDarkColor(0xFFFFFF);
    EXPECT_EQ(s.canvas.At(5, 28), 0xFFFFFFu);
    EXPECT_EQ(s.canvas.At(5, 29), 0xFFFFFFu);
}

TEST(PanelFrame, CoversTheEndsOfTheGradientLines) {
    Shown s(25, 40, 6, 1);
    const Rgb border = Hex(0xFAC09F);
    for (int x = 0; x < 25; ++x) {
        EXPECT_EQ(s.canvas.At(x, 0), border);
        EXPECT_EQ(s.canvas.At(x, 39), border);
    }
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(s.canvas.At(0, y), border);
        EXPECT_EQ(s.canvas.At(24, y), border);
    }
    EXPECT_NE(s.canvas.At(1, 1), border);
}

TEST(PanelFrame, SystemColourResolvesThroughTheCanvas) {
    Shown s(10, 10, 0, 1);
    s.panel.SetBorderColor(static_cast<OleColor>(0x80000010)); // button shadow
    EXPECT_EQ(s.canvas.At(0, 0), DefaultSystemColors()[16]);
}

TEST(PanelFailures, OnePixelHighPanelDrawsOnlyTheFrame) {
    PixelCanvas canvas(10, 1, kBackground);
    XPContainer panel;
    panel.SetStyle(1);
    panel.Layout(10, 1);
    const RedrawReport r = panel.Redraw(canvas);
    EXPECT_FALSE(r.gradientDone) << "a span of 1 stops the gradient";
    EXPECT_TRUE(r.borderDone);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(canvas.At(x, 0), Hex(0xADC1DC));
}

TEST(PanelFailures, Style0BodyOfSpan1StopsButTheFrameFollows) {
    Shown s(20, 26, 0, 0); // body measure height 26 - 25 = 1
    EXPECT_EQ(s.canvas.At(5, 24), kBackground);
    EXPECT_EQ(s.canvas.At(5, 25), Hex(0xADC1DC));
}

TEST(PanelFailures, UntranslatableHeaderColourKeepsTheLabelColour) {
    Shown s(60, 40, 0, 0);
    const Rgb bodyRow30 = s.canvas.At(10, 30);
    s.panel.SetTextColor(0x00FF00);
    EXPECT_EQ(s.canvas.Texts().back().color, 0x00FF00u);

    s.panel.SetHeaderLightColor(0x01000000); // a palette index: no RGB without a palette
    s.panel.SetTextColor(0x0000FF);
    EXPECT_EQ(s.panel.CaptionLabelColor(), 0x00FF00);
    EXPECT_EQ(s.canvas.Texts().back().color, 0x00FF00u) << "the header stopped before setting the label";
    EXPECT_EQ(s.canvas.At(40, 10), kBackground) << "no header rows drawn";
    EXPECT_EQ(s.canvas.At(10, 30), bodyRow30) << "the body goes on";
    EXPECT_EQ(s.canvas.At(0, 10), Hex(0xADC1DC)) << "and the frame";
}

TEST(PanelFailures, UntranslatableBorderLeavesTheGradientEnds) {
    Shown s(20, 20, 0, 1);
    s.panel.SetBorderColor(static_cast<OleColor>(0x8000001F)); // one past the last system colour
    EXPECT_EQ(s.canvas.At(0, 0), Hex(0xEFF4FC));
    EXPECT_EQ(s.canvas.At(19, 19), Hex(0xDCE8FA));
}

TEST(PanelLayout, WidthZeroKeepsTheLayoutAndStillRepaints) {
    XPContainer panel;
    panel.Layout(100, 60);
    PixelCanvas empty(0, 40);
    panel.SetSurface(&empty);
    panel.Resize();
    EXPECT_EQ(panel.CurrentLayout().headerWidth, 98);
    EXPECT_EQ(panel.CurrentLayout().bodyHeight, 35);
    EXPECT_EQ(empty.ClearCount(), 1);
}

TEST(PanelLayout, LowPanelsHoldSizesAtZero) {
    XPContainer panel;
    panel.Layout(1, 10);
    EXPECT_EQ(panel.CurrentLayout().headerWidth, 0);
    EXPECT_EQ(panel.CurrentLayout().bodyHeight, 0);
    PixelCanvas canvas(1, 10, kBackground);
    (void)panel.Redraw(canvas); // must not draw outside or crash
    EXPECT_EQ(canvas.At(0, 5), Hex(0xADC1DC));
}

TEST(PanelArithmetic, ComponentsAndRounding) {
    EXPECT_FALSE(ComponentsOf(-1)) << "a failed translation overflows green";
    EXPECT_FALSE(ComponentsOf(0x01000000));
    const auto c = ComponentsOf(0x00F1E3C8);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->red, 0xC8);
    EXPECT_EQ(c->green, 0xE3);
    EXPECT_EQ(c->blue, 0xF1);
    EXPECT_EQ(RoundHalfEven(0.5f), 0.0f);
    EXPECT_EQ(RoundHalfEven(1.5f), 2.0f);
    EXPECT_EQ(RoundHalfEven(2.5f), 2.0f);
    EXPECT_EQ(RoundHalfEven(229.49998f), 229.0f);
    EXPECT_EQ(RoundHalfEven(-0.5f), 0.0f);
    EXPECT_EQ(RoundHalfEven(-1.5f), -2.0f);
}

} // namespace
} // namespace panel
