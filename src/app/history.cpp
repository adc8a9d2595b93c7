#include "app/history.h"

#include <memory>

#include "app/shell.h"
#include "form/pages.h"
#include "sysaccess/text.h"
#include "undo/journal.h"

namespace app {

namespace {

using lang::Str;

std::string Lines(const char* head, const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    std::string text = std::string("\r\n") + head;
    for (const std::string& line : lines)
        text += "\r\n" + line;
    return text;
}

// At most the first twenty lines, then how many more.
void AddListed(std::string& text, const char* head, const std::vector<std::string>& lines, lang::Language language) {
    if (lines.empty()) return;
    text += std::string("\n") + head;
    for (std::size_t i = 0; i < lines.size() && i < kListedFailures; ++i)
        text += "\n" + lines[i];
    if (lines.size() > kListedFailures) text += "\n" + MoreLines(lines.size() - kListedFailures, language);
}

// A row's pages: the page's caption for a journal's word, the automatic optimisation's button, or
// the journal an undo undid.
std::string What(const undo::JournalEntry& j, lang::Language language) {
    if (j.what == "undo") return lang::Format(Str::HistoryUndoOf, language, {j.undoes});
    if (j.what == form::kAutoWord) return lang::Text(Str::AutoButton, language);
    if (const auto page = form::PageOfWord(j.what)) return lang::Text(form::Record(*page).caption, language);
    return j.what;
}

} // namespace

History ReadHistory(sysaccess::System& sys, lang::Language language) {
    const auto text = [language](Str id) { return std::string(lang::Text(id, language)); };
    History h;
    std::vector<std::string> skipped;
    const std::vector<undo::JournalEntry> journals = undo::ListJournals(sys, &skipped, language);
    const std::set<std::string> undone = undo::UndoneJournals(journals);
    for (auto it = journals.rbegin(); it != journals.rend(); ++it) {
        const undo::JournalContents c = undo::ReadJournalContents(sys, it->name, language);
        form::ListRow row;
        row.line = it->time + "  " + What(*it, language);
        if (!c.problem.empty()) {
            row.line += "  " + text(Str::StateUnknown);
            row.details = c.problem;
            row.actionable = false;
        } else {
            row.line += "  " + lang::Format(Str::HistoryChanges, language, {std::to_string(c.changes)});
            if (undone.contains(sysaccess::FoldCase(it->name))) row.line += "  " + text(Str::HistoryUndone);
            if (!c.notUndoable.empty()) row.line += "  " + text(Str::HistoryPartly);
            row.details = lang::Format(Str::HistoryPutsBack, language, {it->name}) + "\r\n\r\n" + c.registry +
                          Lines(lang::Text(Str::HistoryFilesBack, language), c.filesBack) +
                          Lines(lang::Text(Str::HistoryFilesRemoved, language), c.filesRemoved) +
                          Lines(lang::Text(Str::HistoryNotUndoable, language), c.notUndoable);
        }
        h.rows.push_back(std::move(row));
        h.journals.push_back(c.problem.empty() ? it->name : std::string());
    }
    for (const std::string& file : skipped) {
        h.rows.push_back({file + "  " + text(Str::StateUnknown), file, false});
        h.journals.emplace_back();
    }
    if (h.rows.empty()) {
        h.rows.push_back({text(Str::HistoryNoJournals), text(Str::HistoryJournalsIn) + undo::UndoFolder(sys), false});
        h.journals.emplace_back();
    }
    return h;
}

void UndoJournal(form::Context& ctx, const undo::JournalEntry& journal) {
    const lang::Language language = ctx.form.Language();
    // Another computer or user as undo itself judges it (the user by SID where both are known).
    const undo::JournalContents c = undo::ReadJournalContents(ctx.sys, journal.name, language);
    undo::UndoOptions options;
    options.language = language;
    options.force = c.otherComputer;
    options.forceUser = c.otherUser;
    if (c.problem.empty() && (options.force || options.forceUser)) {
        const std::string named = c.user.empty() ? ctx.form.Text(Str::HistoryNoUser) : c.user;
        const std::string warning = lang::Format(Str::HistoryForeign, language,
                                                 {c.computer, named, ctx.sys.ComputerName(), ctx.sys.UserName()});
        if (ctx.host.MsgBox(warning, ctx.form.Text(Str::ConfirmTitle), form::MsgButtons::OkCancel,
                            form::MsgIcon::Exclamation) != form::MsgAnswer::Ok)
            return;
    }
    undo::UndoReport report;
    const sysaccess::Result done = undo::Undo(ctx.sys, journal.name, options, &report);
    if (!done && report.journal.empty()) { // refused: nothing changed
        (void)ctx.host.MsgBox(lang::Format(Str::UndoRefused, language, {done.error}), ctx.form.Text(Str::ErrorTitle),
                              form::MsgButtons::Ok, form::MsgIcon::Error);
        return;
    }
    std::string text =
        done ? std::string(ctx.form.Text(Str::UndoDone)) : lang::Format(Str::UndoPartly, language, {done.error});
    AddListed(text, ctx.form.Text(Str::UndoNotPutBack), report.failed, language);
    AddListed(text, ctx.form.Text(Str::UndoWarnings), report.warnings, language);
    AddListed(text, ctx.form.Text(Str::UndoSkipped), report.skipped, language);
    AddListed(text, ctx.form.Text(Str::HistoryFilesBack), report.restoredFiles, language);
    AddListed(text, ctx.form.Text(Str::HistoryNotUndoable), report.notUndoable, language);
    text += "\n\n" + lang::Format(Str::UndoOwnJournal, language, {report.journal});
    (void)ctx.host.MsgBox(text, ctx.form.Text(Str::UndoResultTitle), form::MsgButtons::Ok,
                          done ? form::MsgIcon::Information : form::MsgIcon::Exclamation);
}

void cmdHistory(form::Context& ctx) {
    auto shown = std::make_shared<History>();
    ctx.host.ShowList(
        ctx.form.Text(Str::HistoryTitle), ctx.form.Text(Str::HistoryAction),
        [&ctx, shown] {
            *shown = ReadHistory(ctx.sys, ctx.form.Language());
            return shown->rows;
        },
        [&ctx, shown](std::size_t i) {
            if (i >= shown->journals.size() || shown->journals[i].empty()) return;
            for (const undo::JournalEntry& j : undo::ListJournals(ctx.sys)) {
                if (j.name == shown->journals[i]) UndoJournal(ctx, j);
            }
        });
    // An undo may have put startup entries back.
    if (ctx.form.VisiblePage() == form::Page::Startup) ShowPage(ctx, form::Page::Startup);
}

} // namespace app
