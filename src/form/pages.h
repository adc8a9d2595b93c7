// The pages of the main window, one record each: every floor reads its page here (the model, the
// shell, the window, the pass, the presets, undo, status and the CLI). A new page is a value of
// Page, its row below, its section and its controls; the checks below and beside the other
// tables that follow Page say what else is missing.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

#include "lang/strings.h"

namespace form {

// The five page panels. Exactly one is visible.
enum class Page { System, Security, Service, Wight, Startup };

// The ten main buttons of XPCMain that the Optimize pass disables.
enum class Button { Redo, Suggest, Optimize, Exit, Auto, System, Security, Startup, Service, Wight };
inline constexpr int kButtonCount = 10;

struct PageRecord {
    Page page;
    const char* word;  // its word in the CLI and the journals
    lang::Str header;  // XPCMain's header while it is shown; begins with two spaces
    lang::Str caption; // lblCaption while it is shown
    const char* panel; // its panel's name in the window's layout
    Button button;     // the page button that shows it
    int autoStage;     // its place in automatic optimisation, from 0; -1: not part of it
    bool options;      // check boxes or services that an Optimize section and status read
    bool undoable;     // undo puts back what its pass removes (the slimming page's deletions are for good)
};

inline constexpr PageRecord kPages[] = {
    {Page::System, "system", lang::Str::SystemHeader, lang::Str::SystemCaption, "XPCSystem", Button::System, 0, true,
     true},
    {Page::Security, "security", lang::Str::SecurityHeader, lang::Str::SecurityCaption, "XPCSecurity", Button::Security,
     1, true, true},
    {Page::Service, "services", lang::Str::ServiceHeader, lang::Str::ServiceCaption, "XPCService", Button::Service, 3,
     true, true},
    {Page::Wight, "slimming", lang::Str::WightHeader, lang::Str::WightCaption, "XPCWight", Button::Wight, -1, true,
     false},
    {Page::Startup, "startup", lang::Str::StartupHeader, lang::Str::StartupCaption, "XPCStartup", Button::Startup, 2,
     false, true},
};
inline constexpr int kPageCount = static_cast<int>(std::size(kPages));

// Automatic optimisation's word in the CLI and the journals, beside the pages' own.
inline constexpr const char* kAutoWord = "auto";

constexpr const PageRecord& Record(Page page) {
    return kPages[static_cast<std::size_t>(page)];
}

constexpr const char* PageWord(Page page) {
    return Record(page).word;
}

constexpr std::optional<Page> PageOfWord(std::string_view word) {
    for (const PageRecord& r : kPages) {
        if (word == r.word) return r.page;
    }
    return std::nullopt;
}

constexpr std::optional<Page> PageOfButton(Button button) {
    for (const PageRecord& r : kPages) {
        if (r.button == button) return r.page;
    }
    return std::nullopt;
}

constexpr int AutoStageCount() {
    int n = 0;
    for (const PageRecord& r : kPages)
        n += r.autoStage >= 0 ? 1 : 0;
    return n;
}

// The pages of automatic optimisation, in their order.
constexpr std::array<Page, AutoStageCount()> AutoPages() {
    std::array<Page, AutoStageCount()> pages{};
    for (const PageRecord& r : kPages) {
        if (r.autoStage >= 0) pages[static_cast<std::size_t>(r.autoStage)] = r.page;
    }
    return pages;
}

namespace checks {
constexpr bool PagesHoldTogether() {
    for (int i = 0; i < kPageCount; ++i) {
        const PageRecord& r = kPages[i];
        if (static_cast<int>(r.page) != i || r.autoStage >= AutoStageCount() || std::string_view(r.word) == kAutoWord)
            return false;
        for (int k = 0; k < i; ++k) {
            const PageRecord& o = kPages[k];
            if (std::string_view(o.word) == r.word || std::string_view(o.panel) == r.panel || o.button == r.button ||
                (r.autoStage >= 0 && o.autoStage == r.autoStage))
                return false;
        }
    }
    return true;
}
} // namespace checks
static_assert(checks::PagesHoldTogether(),
              "kPages: row i is Page i; words, panels, buttons and automatic stages each once, stages from 0");

} // namespace form
