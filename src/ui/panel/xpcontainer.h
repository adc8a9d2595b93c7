// XPContainer: the framed panel the main window is built from.
//
// A panel holds nine properties (six colours, Caption, Style, Theme), saves them in a property bag
// and paints itself on a Canvas: in style 0 a header strip (gradient, star, caption) over a body
// gradient, in any other style the body gradient alone, then a one-pixel frame. Every property
// write notifies the observer with the property's name and repaints at once on the attached
// surface; writing Theme applies that theme's six colours through their own writers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/panel/canvas.h"
#include "ui/panel/property_bag.h"
#include "ui/panel/themes.h"

namespace panel {

// Defaults of a new panel: theme 0's colours, style 0, caption "XPContainer".
inline constexpr std::int32_t kDefaultStyle = 0;
inline constexpr std::int32_t kDefaultTheme = 0;
inline constexpr std::string_view kDefaultCaption = "XPContainer";

// Fixed geometry of the panel's parts, in pixels.
inline constexpr int kHeaderLeft = 1; // header strip within the panel
inline constexpr int kHeaderTop = 1;
inline constexpr int kHeaderHeight = 23;
inline constexpr int kStarLeft = 4; // star within the header strip
inline constexpr int kStarTop = 2;
inline constexpr int kCaptionLeft = 10; // caption label within the header strip
inline constexpr int kCaptionHeight = 12;
inline constexpr int kBodyTop = 24; // first body row in style 0

// What the layout computes from the panel's size; Redraw paints from these, not from the surface's
// size, in style 0 (the body's span and line length) — as the parts placed by the last layout.
struct PanelLayout {
    int headerWidth = 0; // W - 2
    int bodyWidth = 0;   // W - 2
    int bodyHeight = 0;  // H - 25, never below 0
    int captionTop = 6;  // (23 - 12) / 2 = 5.5, placed on the next whole pixel
};

// How a repaint went, for tests and tools: the routines that ran to their end.
struct RedrawReport {
    bool headerShown = false;
    bool headerDone = false;   // DrawHeader ran to its end (false also when not shown)
    bool gradientDone = false; // DrawGradient ran to its end
    bool borderDone = false;   // DrawBorder ran to its end
};

class XPContainer {
public:
    // A new instance with the defaults (InitProperties); no surface, no observer.
    XPContainer();

    // PropertyChanged: called with the property's name ("BackDarkColor", ...) after each write.
    void SetObserver(std::function<void(std::string_view)> observer) { observer_ = std::move(observer); }

    // The surface that writes, Resize, Show and Paint repaint; nullptr: nothing is painted.
    // The panel does not own it.
    void SetSurface(Canvas* surface) { surface_ = surface; }
    Canvas* Surface() const { return surface_; }

    // --- Properties: read accessor, then write accessor. Writers accept any value. ---
    OleColor BackDarkColor() const { return backDark_; }
    void SetBackDarkColor(OleColor value);
    OleColor BackLightColor() const { return backLight_; }
    void SetBackLightColor(OleColor value);
    OleColor BorderColor() const { return border_; }
    void SetBorderColor(OleColor value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value);
    OleColor HeaderDarkColor() const { return headerDark_; }
    void SetHeaderDarkColor(OleColor value);
    OleColor HeaderLightColor() const { return headerLight_; }
    void SetHeaderLightColor(OleColor value);
    std::int32_t Style() const { return style_; }
    void SetStyle(std::int32_t value);
    OleColor TextColor() const { return text_; }
    void SetTextColor(OleColor value);
    std::int32_t Theme() const { return theme_; }
    // Stores and notifies, then ApplyTheme; no repaint of its own.
    void SetTheme(std::int32_t value);

    // Writes the six colours of the stored theme through their writers (six notifications and
    // repaints); a theme outside 0 to 11 changes nothing.
    void ApplyTheme();

    // --- Host events ---
    // Back to the defaults, without notification or repaint.
    void InitProperties();
    // The nine values from a saved bag, stored directly: no notification, no repaint, and the
    // theme is not applied (the saved colours are the ones shown).
    void ReadProperties(const PropertyBag& bag);
    // The nine values into the bag; values equal to their defaults are left out. Other names in
    // the bag (the host's "_extentx", "_extenty") are kept.
    void WriteProperties(PropertyBag& bag) const;
    // Layout from the surface's size, then Redraw. Show does the same.
    void Resize();
    void Show() { Resize(); }
    // The host's paint request.
    void Paint();

    // Lays the parts out for a panel of the given size (nothing for width 0).
    void Layout(int width, int height);
    const PanelLayout& CurrentLayout() const { return layout_; }

    // Repaints in full on the canvas: clear, header (style 0), body, frame.
    RedrawReport Redraw(Canvas& canvas);

    // The caption label's current text colour (an OLE colour): set from TextColor by each header
    // that paints to its end, kept when a header stops early.
    OleColor CaptionLabelColor() const { return labelColor_; }

private:
    void Changed(std::string_view name); // notify, then repaint
    void Notify(std::string_view name) const {
        if (observer_) observer_(name);
    }
    void RepaintSurface() {
        if (surface_ != nullptr) Redraw(*surface_);
    }

    std::int32_t theme_ = kDefaultTheme;
    std::int32_t style_ = kDefaultStyle;
    OleColor headerLight_ = kThemes[0].headerLight;
    OleColor headerDark_ = kThemes[0].headerDark;
    OleColor backLight_ = kThemes[0].backLight;
    OleColor backDark_ = kThemes[0].backDark;
    OleColor border_ = kThemes[0].border;
    OleColor text_ = kThemes[0].text;
    std::string caption_{kDefaultCaption};

    PanelLayout layout_;
    OleColor labelColor_ = kThemes[0].text;
    Canvas* surface_ = nullptr;
    std::function<void(std::string_view)> observer_;
};

} // namespace panel
