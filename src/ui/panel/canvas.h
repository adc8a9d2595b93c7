// The Canvas seam: the drawing surface a panel paints on.
//
// GDI implements it on Windows (ui/panel/win32/); PixelCanvas implements it in memory, so that
// painting is checked pixel by pixel and written to PNG files anywhere. Coordinates are pixels in
// the panel, x to the right and y downwards from the top-left corner (0, 0); drawing outside the
// surface is clipped, never an error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace panel {

// An OLE colour as the panel's properties hold it: 0x00BBGGRR, or 0x800000nn for system colour nn.
using OleColor = std::int32_t;

// A resolved colour, 0x00BBGGRR (red in the low byte), as GDI's COLORREF.
using Rgb = std::uint32_t;

inline constexpr OleColor kSystemColorFlag = static_cast<OleColor>(0x80000000u);

constexpr Rgb MakeRgb(int red, int green, int blue) {
    return static_cast<Rgb>(red & 0xFF) | static_cast<Rgb>(green & 0xFF) << 8 | static_cast<Rgb>(blue & 0xFF) << 16;
}
constexpr int RedOfRgb(Rgb c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOfRgb(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOfRgb(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

class Canvas {
public:
    virtual ~Canvas() = default;

    // The surface's size in pixels; either may be 0.
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Fills the whole surface with the surface's own background colour.
    virtual void Clear() = 0;

    // A one-pixel line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
    virtual void Line(int x1, int y1, int x2, int y2, Rgb color) = 0;

    // A one-pixel rectangle outline with corners (x1, y1) and (x2, y2), both corners drawn.
    virtual void Rectangle(int x1, int y1, int x2, int y2, Rgb color) = 0;

    // Resolves an OLE colour as OleTranslateColor does with no palette: an RGB value passes
    // through, 0x800000nn gives the current system colour nn, anything else has no RGB value.
    [[nodiscard]] virtual std::optional<Rgb> TranslateColor(OleColor color) const = 0;

    // The 16 x 16 header star (star.h) with its top-left corner at (x, y); transparent pixels
    // leave what is beneath.
    virtual void DrawStar(int x, int y) = 0;

    // The header caption: UTF-8 text in 9-point bold "宋体" (GB2312) on a transparent background,
    // top-left corner of its 12-pixel-high line at (x, y).
    virtual void DrawText(int x, int y, const std::string& utf8, Rgb color, bool bold) = 0;
};

} // namespace panel
