// PixelCanvas: a Canvas in memory, 24-bit colour, for tests and pictures of a panel.
//
// System colours resolve from a table (Windows XP's defaults unless set); the caption's text is
// not rasterised, only recorded, since no font is available off Windows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/panel/canvas.h"

namespace panel {

inline constexpr int kSystemColorCount = 31; // COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30)

// Windows XP's default system colours, by index.
[[nodiscard]] const std::array<Rgb, kSystemColorCount>& DefaultSystemColors();

struct TextDraw {
    int x = 0;
    int y = 0;
    std::string text;
    Rgb color = 0;
    bool bold = false;
};

class PixelCanvas : public Canvas {
public:
    // A surface of the given size (negative sizes count as 0), cleared to `background`, by default
    // the button face colour a control's background takes.
    PixelCanvas(int width, int height, Rgb background = DefaultSystemColors()[15]);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Clear() override;
    void Line(int x1, int y1, int x2, int y2, Rgb color) override;
    void Rectangle(int x1, int y1, int x2, int y2, Rgb color) override;
    [[nodiscard]] std::optional<Rgb> TranslateColor(OleColor color) const override;
    void DrawStar(int x, int y) override;
    void DrawText(int x, int y, const std::string& utf8, Rgb color, bool bold) override;

    // The pixel at (x, y); the background for a point outside the surface.
    [[nodiscard]] Rgb At(int x, int y) const;
    void Set(int x, int y, Rgb color); // clipped

    Rgb Background() const { return background_; }
    void SetSystemColors(const std::array<Rgb, kSystemColorCount>& colors) { system_ = colors; }

    // What was drawn besides pixels, since construction.
    int ClearCount() const { return clears_; }
    const std::vector<TextDraw>& Texts() const { return texts_; }

    // The picture as a binary PPM file (P6: a text header, then RGB bytes row by row), which
    // needs no checksum; ImageMagick's convert makes a PNG of it. Empty for a surface without
    // pixels.
    [[nodiscard]] std::string EncodePpm() const;

private:
    // Inclusive runs, clipped to the surface.
    void Row(int y, long long fromX, long long toX, Rgb color);
    void Column(int x, long long fromY, long long toY, Rgb color);

    int width_;
    int height_;
    Rgb background_;
    std::vector<Rgb> pixels_;
    std::array<Rgb, kSystemColorCount> system_;
    int clears_ = 0;
    std::vector<TextDraw> texts_;
};

} // namespace panel
