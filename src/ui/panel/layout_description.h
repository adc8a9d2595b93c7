// The window's layout description: each panel's property bag, by panel name, as text.
//
//   # a comment
//   [XPCMain]
//   _extentx = 19235
//   headerlightcolor = 0x00F1E3C8
//   caption = "  Sysvela(系统优化页)"
//   theme = 4
//
// A value is an integer (decimal, or 0x followed by up to 8 hex digits) or a double-quoted text
// with the escapes \" \\ \n \r \t. Names are lower-cased on reading. The reader accepts any input:
// a line it cannot read is skipped and reported, never fatal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/panel/property_bag.h"

namespace panel {

struct PanelDescription {
    std::string name; // "XPCMain"
    PropertyBag bag;
};

struct LayoutDescription {
    std::vector<PanelDescription> panels; // in the order of the text

    // The panel of that name, compared without regard to case; nullptr when absent.
    [[nodiscard]] const PanelDescription* Find(std::string_view name) const;
};

struct LayoutProblem {
    int line = 0; // 1-based
    std::string what;
};

struct LayoutReadResult {
    LayoutDescription layout;
    std::vector<LayoutProblem> problems; // lines skipped; empty for a clean text
};

[[nodiscard]] LayoutReadResult ReadLayoutDescription(std::string_view text);

// The text form of a layout, read back by ReadLayoutDescription to the same panels and bags.
// Integers of names ending in "color" are written in hex, all others in decimal.
[[nodiscard]] std::string WriteLayoutDescription(const LayoutDescription& layout);

// The main window's layout description, built into the program: the twelve panels.
[[nodiscard]] std::string_view MainWindowLayoutText();
// The same, read once (the built-in text reads without problems; a test makes sure).
[[nodiscard]] const LayoutDescription& MainWindowLayout();

// The host's saved size of a panel ("_extentx", "_extenty" in HIMETRIC, 0.01 mm) in pixels at
// 96 dots per inch; 0 when absent.
[[nodiscard]] int ExtentPixelsX(const PropertyBag& bag);
[[nodiscard]] int ExtentPixelsY(const PropertyBag& bag);

} // namespace panel
