// The pixel canvas: line and rectangle ends, colour translation, and PNG bytes a decoder accepts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/panel/pixel_canvas.h"

namespace panel {
namespace {

std::uint32_t BigEndian(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

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

TEST(PixelCanvas, Checksums) {
    const char* digits = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(digits), 9), 0xCBF43926u);
    const char* word = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(word), 9), 0x11E60398u);
}

TEST(PixelCanvas, PngHoldsEveryPixelAcrossStoredBlocks) {
    // 200 x 120 RGB rows are 72,120 bytes: two stored blocks.
    PixelCanvas c(200, 120, MakeRgb(1, 2, 3));
    c.Set(199, 119, MakeRgb(0xFE, 0x80, 0x01));
    const std::vector<std::uint8_t> png = c.EncodePng();
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1A\n", 8), 0);
    EXPECT_EQ(BigEndian(png, 8), 13u);
    EXPECT_EQ(std::memcmp(&png[12], "IHDR", 4), 0);
    EXPECT_EQ(BigEndian(png, 16), 200u);
    EXPECT_EQ(BigEndian(png, 20), 120u);
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);
    EXPECT_EQ(BigEndian(png, 29), Crc32(&png[12], 17));

    const std::size_t idatLength = BigEndian(png, 33);
    ASSERT_EQ(std::memcmp(&png[37], "IDAT", 4), 0);
    const std::uint8_t* z = &png[41];
    EXPECT_EQ(BigEndian(png, 41 + idatLength), Crc32(&png[37], 4 + idatLength));
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0) << "zlib header check";

    std::vector<std::uint8_t> raw;
    std::size_t at = 2;
    for (bool last = false; !last;) {
        last = z[at] & 1;
        const std::size_t len = z[at + 1] | z[at + 2] << 8;
        EXPECT_EQ(len ^ 0xFFFF, static_cast<std::size_t>(z[at + 3] | z[at + 4] << 8));
        raw.insert(raw.end(), z + at + 5, z + at + 5 + len);
        at += 5 + len;
    }
    ASSERT_EQ(raw.size(), 120u * (1 + 600));
    EXPECT_EQ((std::uint32_t{z[at]} << 24 | z[at + 1] << 16 | z[at + 2] << 8 | z[at + 3]),
              Adler32(raw.data(), raw.size()));
    EXPECT_EQ(raw[0], 0) << "filter none";
    EXPECT_EQ(raw[1], 1);
    EXPECT_EQ(raw[2], 2);
    EXPECT_EQ(raw[3], 3);
    EXPECT_EQ(raw[raw.size() - 3], 0xFE);
    EXPECT_EQ(raw[raw.size() - 1], 0x01);

    const std::size_t iend = 41 + idatLength + 4;
    EXPECT_EQ(std::memcmp(&png[iend + 4], "IEND", 4), 0);
    EXPECT_EQ(BigEndian(png, iend + 8), 0xAE426082u);
    EXPECT_EQ(png.size(), iend + 12);

    EXPECT_TRUE(PixelCanvas(0, 5).EncodePng().empty());
}

} // namespace
} // namespace panel
