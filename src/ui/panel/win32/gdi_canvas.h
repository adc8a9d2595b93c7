// The panel's Canvas on a GDI device context.
#pragma once

#include <windows.h>

#include "ui/panel/canvas.h"
#include "ui/panel/win32/gdi.h"

namespace panelwin {

class GdiCanvas : public panel::Canvas {
public:
    // Paints on dc, a surface of width x height pixels whose own background is `background`; text
    // in the type face of the language.
    GdiCanvas(HDC dc, int width, int height, COLORREF background, int dpi = 96,
              lang::Language language = lang::Language::Chinese);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Clear() override;
    void Line(int x1, int y1, int x2, int y2, panel::Rgb color) override;
    void Rectangle(int x1, int y1, int x2, int y2, panel::Rgb color) override;
    [[nodiscard]] std::optional<panel::Rgb> TranslateColor(panel::OleColor color) const override;
    void DrawStar(int x, int y) override;
    void DrawText(int x, int y, const std::string& utf8, panel::Rgb color, bool bold) override;

private:
    HDC dc_;
    int width_;
    int height_;
    COLORREF background_;
    int dpi_;
    lang::Language language_;
    win32::Font font_;
    bool fontBold_ = false;
};

// OleTranslateColor without a palette: an RGB value passes, 0x800000nn is system colour nn
// (0 to 30), anything else has no RGB value. Done here so the program needs no OLE library.
[[nodiscard]] std::optional<panel::Rgb> TranslateOleColor(panel::OleColor color);

} // namespace panelwin
