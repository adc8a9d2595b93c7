// The pixel canvas: line and rectangle ends, colour translation, and the bytes of its picture.
#include <gtest/gtest.h>

#include <string>

#include "ui/panel/pixel_canvas.h"

namespace panel {
namespace {

TEST(PixelCanvas, LinesExcludeTheirEndRectanglesIncludeBothCorners) {
    PixelCanvas c(10, 10, 0);
    c.Line(2, 1, 5, 1, 0xAA);
    c.Line(5, 3, 2, 3, 0xBB); // right to left: (5, 3) drawn, (2, 3) not
    c.Line(7, 7, 7, 7, 0xCC); // empty
    EXPECT_EQ(c.At(2, 1), 0xAAu);
    EXPECT_EQ(c.At(4, 1), 0xAAu);
    EXPECT_EQ(c.At(5, 1), 0u);
    EXPECT_EQ(c.At(5, 3), 0xBBu);
    EXPECT_EQ(c.At(2, 3), 0u);
    EXPECT_EQ(c.At(7, 7), 0u);

    c.Rectangle(8, 9, 6, 5, 0xDD);
    for (int x = 6; x <= 8; ++x)
        EXPECT_EQ(c.At(x, 9), 0xDDu);
    for (int y = 5; y <= 9; ++y)
        EXPECT_EQ(c.At(8, y), 0xDDu);
    EXPECT_EQ(c.At(7, 7), 0u) << "an outline only";

    c.Line(-100, 0, 100000, 0, 0xEE); // clipped, not an error
    c.Line(0, 5, 3, 8, 0x11);
    EXPECT_EQ(c.At(9, 0), 0xEEu);
    EXPECT_EQ(c.At(2, 7), 0x11u);
    EXPECT_EQ(c.At(3, 8), 0u);
}

TEST(PixelCanvas, TranslatesOleColours) {
    PixelCanvas c(1, 1);
    EXPECT_EQ(c.TranslateColor(0x00123456), 0x123456u);
    EXPECT_EQ(c.TranslateColor(static_cast<OleColor>(0x8000000F)), DefaultSystemColors()[15]);
    EXPECT_EQ(c.TranslateColor(static_cast<OleColor>(0x8000001E)), DefaultSystemColors()[30]);
    EXPECT_FALSE(c.TranslateColor(static_cast<OleColor>(0x8000001F)));
    EXPECT_FALSE(c.TranslateColor(static_cast<OleColor>(0x80010000)));
    EXPECT_FALSE(c.TranslateColor(0x01000000));
    EXPECT_FALSE(c.TranslateColor(-1));
}

TEST(PixelCanvas, PpmIsAHeaderThenRgbRowByRow) {
    PixelCanvas c(3, 2, MakeRgb(1, 2, 3));
    c.Set(2, 0, MakeRgb(0xFE, 0x80, 0x01));
    c.Set(0, 1, MakeRgb(0x0A, 0x0D, 0x20)); // bytes a text reading would mangle
    const std::string expected = std::string("P6\n3 2\n255\n") + "\x01\x02\x03"
                                                                 "\x01\x02\x03"
                                                                 "\xFE\x80\x01" // row 0
                                                                 "\x0A\x0D\x20"
                                                                 "\x01\x02\x03"
                                                                 "\x01\x02\x03"; // row 1
    EXPECT_EQ(c.EncodePpm(), expected);
    EXPECT_TRUE(PixelCanvas(0, 5).EncodePpm().empty());
}

} // namespace
} // namespace panel
