#include "app/tips.h"

#include <cstddef>
#include <vector>

#include "app/shell.h"
#include "form/facts.h"
#include "startup/startup.h"
#include "text/utf16.h"

namespace app {

namespace {

// A tooltip shows at most about a thousand characters (Wine's cut them there): each side of a tip
// keeps within this many UTF-16 units and counts what it leaves out; the preview lists it all.
constexpr std::size_t kSideUnits = 360; // leaves room for the state, the explanation and the risk

std::size_t Units(const std::string& utf8) {
    return text::Utf8ToUtf16(utf8).size();
}

std::string Effects(lang::Str head, const std::vector<std::string>& lines, lang::Language language) {
    std::string text = std::string("\r\n") + lang::Text(head, language);
    if (lines.empty()) return text + lang::Text(lang::Str::TipNothing, language);
    std::size_t used = 0, shown = 0;
    for (const std::string& line : lines) {
        used += Units(line) + 2;
        if (used > kSideUnits && shown > 0) break;
        text += "\r\n" + line;
        ++shown;
    }
    if (shown < lines.size()) text += "\r\n" + MoreLines(lines.size() - shown, language);
    return text;
}

// What the option does and what it risks, from its row of facts.
std::string FactLines(const form::Fact& f, lang::Language language) {
    std::string text =
        "\r\n" + f.explanation + "\r\n" + lang::Text(lang::Str::TipRisk, language) + form::RiskWord(f.risk);
    if (!f.riskReason.empty()) text += lang::Text(lang::Str::TipRiskReason, language) + f.riskReason;
    return text;
}

} // namespace

void TipsReader::Read(sysaccess::System& sys, lang::Language language, Tips& tips) {
    // In undo::OptionState's order.
    constexpr lang::Str kStates[] = {lang::Str::StateOn, lang::Str::StateOff, lang::Str::StateMixed,
                                     lang::Str::StateUnknown, lang::Str::StateNotApplicable};
    if (pages_.empty() || language != language_) {
        pages_.clear();
        language_ = language;
        for (const form::PageRecord& record : form::kPages) {
            if (!record.options) continue;
            Page p{record.page, undo::PageReader(sys, record.page), {}};
            const std::vector<undo::OptionEffects>& effects = p.reader.Effects();
            for (std::size_t i = 0; i < effects.size(); ++i) {
                const undo::OptionEffects& e = effects[i];
                const form::Fact& fact = e.chk >= 0 ? form::OptionFact(e.chk) : form::ServiceFact(static_cast<int>(i));
                p.effects.push_back(FactLines(fact, language) + Effects(lang::Str::TipTicked, e.ticked, language) +
                                    Effects(lang::Str::TipCleared, e.cleared, language));
            }
            pages_.push_back(std::move(p));
        }
    }
    for (const Page& p : pages_) {
        const std::vector<undo::OptionStatus> states = p.reader.Read(sys);
        for (std::size_t i = 0; i < states.size() && i < p.effects.size(); ++i) {
            const std::string tip =
                std::string(lang::Text(lang::Str::TipState, language)) +
                lang::Format(kStates[static_cast<int>(states[i].state)], language, {states[i].why}) + p.effects[i];
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
        tip += std::string(tip.empty() ? "" : "\r\n") + form.Text(lang::Str::TipStartsFrom) + s.where + "\r\n" + s.what;
    return tip.empty() ? std::string(form.Text(lang::Str::TipNowhere)) : tip;
}

} // namespace app
