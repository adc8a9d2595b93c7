// The history behind 撤销(U): every journal in the undo folder, newest first, with what an undo of
// it would put back; and the undo of the one chosen, as sysvela-cli undo does it.
#pragma once

#include <string>
#include <vector>

#include "form/context.h"
#include "undo/restore.h"

namespace app {

// One row per journal of the undo folder, newest first: its time, its page or pages, how many
// changes an undo puts back, whether it is undone already and whether some of it cannot be undone;
// a file that is no journal as a row that says so. With each row, the journal it shows (empty name
// for a row that cannot be undone).
struct History {
    std::vector<form::ListRow> rows;
    std::vector<std::string> journals;
};
History ReadHistory(sysaccess::System& sys, lang::Language language);

// Undoes the journal named, with the same checks and refusals as sysvela-cli undo: a journal of
// another computer or user only after the user confirms a warning naming both; a refusal, and what
// the undo did or could not do, in a message box.
void UndoJournal(form::Context& ctx, const undo::JournalEntry& journal);

// The 撤销(U) button: the history, from which an undo is chosen.
void cmdHistory(form::Context& ctx);

} // namespace app
