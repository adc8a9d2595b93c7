#include "ui/panel/pixel_canvas.h"

#include <algorithm>
#include <cstdlib>

#include "ui/panel/star.h"

namespace panel {
namespace {

constexpr Rgb FromHex(std::uint32_t rrggbb) {
    return MakeRgb(static_cast<int>(rrggbb >> 16 & 0xFF), static_cast<int>(rrggbb >> 8 & 0xFF),
                   static_cast<int>(rrggbb & 0xFF));
}

} // namespace

const std::array<Rgb, kSystemColorCount>& DefaultSystemColors() {
    // Windows XP's defaults (the blue Luna scheme), COLOR_SCROLLBAR to COLOR_MENUBAR.
    static const std::array<Rgb, kSystemColorCount> colors{
        FromHex(0xD4D0C8), FromHex(0x004E98), FromHex(0x0054E3), FromHex(0x7A96DF), FromHex(0xFFFFFF),
        FromHex(0xFFFFFF), FromHex(0x000000), FromHex(0x000000), FromHex(0x000000), FromHex(0xFFFFFF),
        FromHex(0xD4D0C8), FromHex(0xD4D0C8), FromHex(0x808080), FromHex(0x316AC5), FromHex(0xFFFFFF),
        FromHex(0xECE9D8), FromHex(0xACA899), FromHex(0xACA899), FromHex(0x000000), FromHex(0xD8E4F8),
        FromHex(0xFFFFFF), FromHex(0x716F64), FromHex(0xF1EFE2), FromHex(0x000000), FromHex(0xFFFFE1),
        FromHex(0xB5B5B5), FromHex(0x000080), FromHex(0x3D95FF), FromHex(0x9DB9EB), FromHex(0x316AC5),
        FromHex(0xECE9D8),
    };
    return colors;
}

PixelCanvas::PixelCanvas(int width, int height, Rgb background)
    : width_(std::max(0, width)), height_(std::max(0, height)), background_(background & 0xFFFFFF),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background_),
      system_(DefaultSystemColors()) {}

void PixelCanvas::Clear() {
    std::fill(pixels_.begin(), pixels_.end(), background_);
    ++clears_;
}

Rgb PixelCanvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return background_;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void PixelCanvas::Set(int x, int y, Rgb color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] =
        color & 0xFFFFFF;
}

void PixelCanvas::Row(int y, long long fromX, long long toX, Rgb color) {
    if (y < 0 || y >= height_) return;
    for (long long x = std::max(fromX, 0LL); x <= std::min<long long>(toX, width_ - 1LL); ++x) {
        Set(static_cast<int>(x), y, color);
    }
}

void PixelCanvas::Column(int x, long long fromY, long long toY, Rgb color) {
    if (x < 0 || x >= width_) return;
    for (long long y = std::max(fromY, 0LL); y <= std::min<long long>(toY, height_ - 1LL); ++y) {
        Set(x, static_cast<int>(y), color);
    }
}

void PixelCanvas::Line(int x1, int y1, int x2, int y2, Rgb color) {
    // Horizontal and vertical lines, the only ones the panel draws, are clipped in one step.
    if (y1 == y2) {
        if (x1 < x2) Row(y1, x1, x2 - 1LL, color);
        if (x1 > x2) Row(y1, x2 + 1LL, x1, color);
        return;
    }
    if (x1 == x2) {
        if (y1 < y2) Column(x1, y1, y2 - 1LL, color);
        if (y1 > y2) Column(x1, y2 + 1LL, y1, color);
        return;
    }
    // Any other line: Bresenham's steps, stopping before the end point.
    const long long dx = std::llabs(static_cast<long long>(x2) - x1);
    const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
    if (std::max(dx, -dy) > 1'000'000) return; // no panel draws such a line; refuse rather than spin
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    long long err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        Set(x, y, color);
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void PixelCanvas::Rectangle(int x1, int y1, int x2, int y2, Rgb color) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    Row(top, left, right, color);
    Row(bottom, left, right, color);
    Column(left, top, bottom, color);
    Column(right, top, bottom, color);
}

std::optional<Rgb> PixelCanvas::TranslateColor(OleColor color) const {
    const auto value = static_cast<std::uint32_t>(color);
    switch (value >> 24) {
    case 0x00:
        return value;
    case 0x80: {
        const std::uint32_t index = value & 0xFFFFFF;
        if (index < kSystemColorCount) return system_[index];
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void PixelCanvas::DrawStar(int x, int y) {
    for (int row = 0; row < kStarSize; ++row) {
        for (int col = 0; col < kStarSize; ++col) {
            if (const std::optional<Rgb> c = StarPixel(col, row)) Set(x + col, y + row, *c);
        }
    }
}

void PixelCanvas::DrawText(int x, int y, const std::string& utf8, Rgb color, bool bold) {
    texts_.push_back({x, y, utf8, color & 0xFFFFFF, bold});
}

std::string PixelCanvas::EncodePpm() const {
    std::string ppm;
    if (width_ == 0 || height_ == 0) return ppm;
    ppm = "P6\n" + std::to_string(width_) + " " + std::to_string(height_) + "\n255\n";
    ppm.reserve(ppm.size() + 3 * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb c = At(x, y);
            ppm += static_cast<char>(RedOfRgb(c));
            ppm += static_cast<char>(GreenOfRgb(c));
            ppm += static_cast<char>(BlueOfRgb(c));
        }
    }
    return ppm;
}

} // namespace panel
