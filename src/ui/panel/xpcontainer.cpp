#include "ui/panel/xpcontainer.h"

#include <algorithm>

#include "ui/panel/painting.h"

namespace panel {

XPContainer::XPContainer() {
    InitProperties();
}

void XPContainer::Changed(std::string_view name) {
    Notify(name);
    RepaintSurface();
}

void XPContainer::SetBackDarkColor(OleColor value) {
    backDark_ = value;
    Changed("BackDarkColor");
}

void XPContainer::SetBackLightColor(OleColor value) {
    backLight_ = value;
    Changed("BackLightColor");
}

void XPContainer::SetBorderColor(OleColor value) {
    border_ = value;
    Changed("BorderColor");
}

void XPContainer::SetCaption(std::string value) {
    caption_ = std::move(value);
    Changed("Caption");
}

void XPContainer::SetHeaderDarkColor(OleColor value) {
    headerDark_ = value;
    Changed("HeaderDarkColor");
}

void XPContainer::SetHeaderLightColor(OleColor value) {
    headerLight_ = value;
    Changed("HeaderLightColor");
}

void XPContainer::SetStyle(std::int32_t value) {
    style_ = value;
    Changed("Style");
}

void XPContainer::SetTextColor(OleColor value) {
    text_ = value;
    Changed("TextColor");
}

void XPContainer::SetTheme(std::int32_t value) {
    theme_ = value;
    Notify("Theme");
    ApplyTheme();
}

void XPContainer::ApplyTheme() {
    const ThemeColors* row = FindTheme(theme_);
    if (row == nullptr) return;
    // Copied first: an observer may write Theme again while the colours are being applied.
    const ThemeColors colors = *row;
    SetHeaderLightColor(colors.headerLight);
    SetHeaderDarkColor(colors.headerDark);
    SetBackLightColor(colors.backLight);
    SetBackDarkColor(colors.backDark);
    SetBorderColor(colors.border);
    SetTextColor(colors.text);
}

void XPContainer::InitProperties() {
    const ThemeColors& defaults = kThemes[0];
    theme_ = kDefaultTheme;
    style_ = kDefaultStyle;
    headerLight_ = defaults.headerLight;
    headerDark_ = defaults.headerDark;
    backLight_ = defaults.backLight;
    backDark_ = defaults.backDark;
    border_ = defaults.border;
    text_ = defaults.text;
    caption_ = std::string(kDefaultCaption);
}

void XPContainer::ReadProperties(const PropertyBag& bag) {
    const ThemeColors& defaults = kThemes[0];
    headerLight_ = bag.ReadProperty("HeaderLightColor", defaults.headerLight);
    headerDark_ = bag.ReadProperty("HeaderDarkColor", defaults.headerDark);
    backLight_ = bag.ReadProperty("BackLightColor", defaults.backLight);
    backDark_ = bag.ReadProperty("BackDarkColor", defaults.backDark);
    border_ = bag.ReadProperty("BorderColor", defaults.border);
    text_ = bag.ReadProperty("TextColor", defaults.text);
    caption_ = bag.ReadProperty("Caption", kDefaultCaption);
    style_ = bag.ReadProperty("Style", kDefaultStyle);
    theme_ = bag.ReadProperty("Theme", kDefaultTheme);
}

void XPContainer::WriteProperties(PropertyBag& bag) const {
    const ThemeColors& defaults = kThemes[0];
    bag.WriteProperty("HeaderLightColor", headerLight_, defaults.headerLight);
    bag.WriteProperty("HeaderDarkColor", headerDark_, defaults.headerDark);
    bag.WriteProperty("BackLightColor", backLight_, defaults.backLight);
    bag.WriteProperty("BackDarkColor", backDark_, defaults.backDark);
    bag.WriteProperty("BorderColor", border_, defaults.border);
    bag.WriteProperty("TextColor", text_, defaults.text);
    bag.WriteProperty("Caption", std::string_view(caption_), kDefaultCaption);
    bag.WriteProperty("Style", style_, kDefaultStyle);
    bag.WriteProperty("Theme", theme_, kDefaultTheme);
}

void XPContainer::Layout(int width, int height) {
    if (width <= 0) return; // a panel of no width keeps its parts where they were
    layout_.headerWidth = std::max(0, width - 2);
    layout_.bodyWidth = layout_.headerWidth;
    layout_.bodyHeight = std::max(0, height - (kHeaderHeight + 2));
}

void XPContainer::Resize() {
    if (surface_ == nullptr) return;
    Layout(surface_->Width(), surface_->Height());
    Redraw(*surface_);
}

void XPContainer::Paint() {
    RepaintSurface();
}

RedrawReport XPContainer::Redraw(Canvas& canvas) {
    RedrawReport report;
    const int width = canvas.Width();
    const int height = canvas.Height();
    canvas.Clear();

    if (style_ != 0) {
        report.gradientDone = FillGradient(canvas, {backLight_, backDark_, height, 0, height - 1, 0, width});
        report.borderDone = DrawBorder(canvas, width, height, border_);
        return report;
    }

    // The header strip: rows 0 to 22 of the strip are rows 1 to 23 of the panel.
    report.headerShown = true;
    report.headerDone = FillGradient(canvas, {headerLight_, headerDark_, kHeaderHeight, kHeaderTop,
                                              kHeaderTop + kHeaderHeight - 1, kHeaderLeft, layout_.headerWidth});
    if (report.headerDone) labelColor_ = text_; // a header that stopped leaves the label's colour
    canvas.DrawStar(kHeaderLeft + kStarLeft, kHeaderTop + kStarTop);
    if (const std::optional<Rgb> textColor = canvas.TranslateColor(labelColor_)) {
        canvas.DrawText(kHeaderLeft + kCaptionLeft, kHeaderTop + layout_.captionTop, caption_, *textColor, true);
    }

    // The body, in the size the last layout gave it; its last row lies one step beyond
    // BackDarkColor and is covered by the frame.
    report.gradientDone =
        FillGradient(canvas, {backLight_, backDark_, layout_.bodyHeight, kBodyTop, height - 1, 0, layout_.bodyWidth});
    report.borderDone = DrawBorder(canvas, width, height, border_);
    return report;
}

} // namespace panel
