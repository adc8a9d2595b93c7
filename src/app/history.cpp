#include "app/history.h"

#include <memory>

#include "form/texts.h"
#include "sysaccess/text.h"
#include "undo/journal.h"

namespace app {

namespace {

using form::text::HistoryText;

std::string Lines(const char* head, const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    std::string text = std::string("\r\n") + head;
    for (const std::string& line : lines)
        text += "\r\n" + line;
    return text;
}

// At most the first twenty lines, then how many more.
void AddListed(std::string& text, const char* head, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    text += std::string("\n") + head;
    for (std::size_t i = 0; i < lines.size() && i < form::text::kListedFailures; ++i)
        text += "\n" + lines[i];
    if (lines.size() > form::text::kListedFailures)
        text += "\n" + form::text::MoreLines(lines.size() - form::text::kListedFailures);
}

} // namespace

History ReadHistory(sysaccess::System& sys) {
    History h;
    std::vector<std::string> skipped;
    const std::vector<undo::JournalEntry> journals = undo::ListJournals(sys, &skipped);
    const std::set<std::string> undone = undo::UndoneJournals(journals);
    for (auto it = journals.rbegin(); it != journals.rend(); ++it) {
        const undo::JournalContents c = undo::ReadJournalContents(sys, it->name);
        form::ListRow row;
        row.line = it->time + "  " + HistoryText::What(it->what, it->undoes);
        if (!c.problem.empty()) {
            row.line += "  " + std::string(HistoryText::kUnreadable);
            row.details = c.problem;
            row.actionable = false;
        } else {
            row.line += "  " + HistoryText::Changes(c.changes);
            if (undone.contains(sysaccess::FoldCase(it->name))) row.line += HistoryText::kUndone;
            if (!c.notUndoable.empty()) row.line += HistoryText::kPartlyNotUndoable;
            row.details = HistoryText::kPutsBack + it->name + "\r\n\r\n" + c.registry +
                          Lines(HistoryText::kFilesBack, c.filesBack) +
                          Lines(HistoryText::kFilesRemoved, c.filesRemoved) +
                          Lines(HistoryText::kNotUndoable, c.notUndoable);
        }
        h.rows.push_back(std::move(row));
        h.journals.push_back(c.problem.empty() ? it->name : std::string());
    }
    for (const std::string& file : skipped) {
        h.rows.push_back({file + "  " + HistoryText::kUnreadable, file, false});
        h.journals.emplace_back();
    }
    if (h.rows.empty()) {
        h.rows.push_back({HistoryText::kNoJournals, HistoryText::kJournalsIn + undo::UndoFolder(sys), false});
        h.journals.emplace_back();
    }
    return h;
}

void UndoJournal(form::Context& ctx, const undo::JournalEntry& journal) {
    undo::UndoOptions options;
    const std::string computer = ctx.sys.ComputerName(), user = ctx.sys.UserName();
    options.force = !sysaccess::SameName(journal.computer, computer);
    options.forceUser = journal.user.empty() || !sysaccess::SameName(journal.user, user);
    if ((options.force || options.forceUser) &&
        ctx.host.MsgBox(HistoryText::Foreign(journal.computer, journal.user, computer, user), HistoryText::kConfirmTitle,
                        form::MsgButtons::OkCancel, form::MsgIcon::Exclamation) != form::MsgAnswer::Ok) {
        return;
    }
    undo::UndoReport report;
    const sysaccess::Result done = undo::Undo(ctx.sys, journal.name, options, &report);
    if (!done && report.journal.empty()) { // refused: nothing changed
        (void)ctx.host.MsgBox(HistoryText::kRefused + done.error, form::text::kErrorTitle, form::MsgButtons::Ok,
                              form::MsgIcon::Error);
        return;
    }
    std::string text = done ? std::string(HistoryText::kDone) : HistoryText::kPartly + done.error;
    AddListed(text, HistoryText::kNotPutBack, report.failed);
    AddListed(text, HistoryText::kWarnings, report.warnings);
    AddListed(text, HistoryText::kSkipped, report.skipped);
    AddListed(text, HistoryText::kFilesBack, report.restoredFiles);
    AddListed(text, HistoryText::kNotUndoable, report.notUndoable);
    text += std::string("\n\n") + HistoryText::kOwnJournal + report.journal;
    (void)ctx.host.MsgBox(text, HistoryText::kResultTitle, form::MsgButtons::Ok,
                          done ? form::MsgIcon::Information : form::MsgIcon::Exclamation);
}

void cmdHistory(form::Context& ctx) {
    auto shown = std::make_shared<History>();
    ctx.host.ShowList(
        HistoryText::kTitle, HistoryText::kAction,
        [&ctx, shown] {
            *shown = ReadHistory(ctx.sys);
            return shown->rows;
        },
        [&ctx, shown](std::size_t i) {
            if (i >= shown->journals.size() || shown->journals[i].empty()) return;
            for (const undo::JournalEntry& j : undo::ListJournals(ctx.sys)) {
                if (j.name == shown->journals[i]) UndoJournal(ctx, j);
            }
        });
}

} // namespace app
