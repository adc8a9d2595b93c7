#include "app/tips.h"

#include <cstddef>
#include <vector>

#include "form/texts.h"
#include "startup/startup.h"
#include "sysaccess/utf16.h"

namespace app {

namespace {

// A tooltip shows at most about a thousand characters (Wine's cut them there): each side of a tip
// keeps within this many UTF-16 units and counts what it leaves out; the preview lists it all.
constexpr std::size_t kSideUnits = 440;

std::size_t Units(const std::string& utf8) {
    return sysaccess::Utf8ToUtf16(utf8).size();
}

std::string Effects(const char* head, const std::vector<std::string>& lines) {
    std::string text = std::string("\r\n") + head;
    if (lines.empty()) return text + form::text::kTipNothing;
    std::size_t used = 0, shown = 0;
    for (const std::string& line : lines) {
        used += Units(line) + 2;
        if (used > kSideUnits && shown > 0) break;
        text += "\r\n" + line;
        ++shown;
    }
    if (shown < lines.size()) text += "\r\n" + form::text::MoreLines(lines.size() - shown);
    return text;
}

} // namespace

void TipsReader::Read(sysaccess::System& sys, Tips& tips) {
    if (pages_.empty()) {
        for (const form::Page page :
             {form::Page::System, form::Page::Security, form::Page::Service, form::Page::Wight}) {
            Page p{page, undo::PageReader(sys, page), {}};
            for (const undo::OptionEffects& e : p.reader.Effects())
                p.effects.push_back(Effects(form::text::kTipTicked, e.ticked) +
                                    Effects(form::text::kTipCleared, e.cleared));
            pages_.push_back(std::move(p));
        }
    }
    for (const Page& p : pages_) {
        const std::vector<undo::OptionStatus> states = p.reader.Read(sys);
        for (std::size_t i = 0; i < states.size() && i < p.effects.size(); ++i) {
            const std::string tip = form::text::kTipState +
                                    std::string(form::text::kStateWords[static_cast<int>(states[i].state)]) +
                                    p.effects[i];
            if (p.page == form::Page::Service && i < tips.services.size()) {
                tips.services[i] = tip;
            } else if (states[i].chk >= 0 && states[i].chk < form::kChkCount) {
                tips.chk[static_cast<std::size_t>(states[i].chk)] = tip;
            }
        }
    }
}

std::string StartupTip(const form::MainForm& form, sysaccess::System& sys, const std::string& name) {
    std::string tip;
    for (const startup::StartupSource& s : startup::StartupSources(form, sys, name))
        tip += std::string(tip.empty() ? "" : "\r\n") + form::text::kTipStartsFrom + s.where + "\r\n" + s.what;
    return tip.empty() ? std::string(form::text::kTipNowhere) : tip;
}

} // namespace app
