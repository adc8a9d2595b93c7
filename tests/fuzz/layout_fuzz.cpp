// The layout-description reader on arbitrary text: never crashes, and what it reads is written as
// a text that reads back, without problems, to the same panels and bags.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/panel/layout_description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const panel::LayoutReadResult first = panel::ReadLayoutDescription(text);
    for (const auto& p : first.problems) {
        if (p.line < 1) std::abort();
    }
    const std::string written = panel::WriteLayoutDescription(first.layout);
    const panel::LayoutReadResult second = panel::ReadLayoutDescription(written);
    if (!second.problems.empty()) std::abort();
    if (second.layout.panels.size() != first.layout.panels.size()) std::abort();
    for (std::size_t i = 0; i < first.layout.panels.size(); ++i) {
        if (second.layout.panels[i].name != first.layout.panels[i].name) std::abort();
        if (!(second.layout.panels[i].bag == first.layout.panels[i].bag)) std::abort();
    }
    return 0;
}
