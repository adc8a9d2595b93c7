#include "ui/panel/win32/gdi_canvas.h"

#include <utility>

#include "ui/panel/star.h"
#include "win32/text.h"

namespace panelwin {

namespace {
constexpr int kLastSystemColor = 30; // COLOR_MENUBAR
}

std::optional<panel::Rgb> TranslateOleColor(panel::OleColor color) {
    const auto value = static_cast<std::uint32_t>(color);
    if ((value & 0xFF000000u) == 0) return value;
    if ((value & 0xFFFFFF00u) == 0x80000000u && (value & 0xFFu) <= kLastSystemColor) {
        return static_cast<panel::Rgb>(GetSysColor(static_cast<int>(value & 0xFFu)));
    }
    return std::nullopt;
}

GdiCanvas::GdiCanvas(HDC dc, int width, int height, COLORREF background, int dpi, lang::Language language)
    : dc_(dc), width_(width < 0 ? 0 : width), height_(height < 0 ? 0 : height), background_(background), dpi_(dpi),
      language_(language) {}

void GdiCanvas::Clear() {
    SetDCBrushColor(dc_, background_);
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2, panel::Rgb color) {
    win32::Selection pen(dc_, GetStockObject(DC_PEN));
    SetDCPenColor(dc_, color);
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2); // GDI leaves out the end point, as the panel expects
}

void GdiCanvas::Rectangle(int x1, int y1, int x2, int y2, panel::Rgb color) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    win32::Selection pen(dc_, GetStockObject(DC_PEN));
    win32::Selection brush(dc_, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc_, color);
    // GDI's Rectangle stops short of the right and bottom edge; both corners belong to the outline.
    ::Rectangle(dc_, x1, y1, x2 + 1, y2 + 1);
}

std::optional<panel::Rgb> GdiCanvas::TranslateColor(panel::OleColor color) const {
    return TranslateOleColor(color);
}

void GdiCanvas::DrawStar(int x, int y) {
    for (int row = 0; row < panel::kStarSize; ++row) {
        for (int col = 0; col < panel::kStarSize; ++col) {
            if (auto pixel = panel::StarPixel(col, row)) SetPixelV(dc_, x + col, y + row, *pixel);
        }
    }
}

void GdiCanvas::DrawText(int x, int y, const std::string& utf8, panel::Rgb color, bool bold) {
    if (!font_ || fontBold_ != bold) {
        font_ = win32::CreateUiFont(language_, 90, bold, dpi_);
        fontBold_ = bold;
    }
    const std::wstring text = win32::Widen(utf8);
    win32::Selection font(dc_, font_.get());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, color);
    TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

} // namespace panelwin
