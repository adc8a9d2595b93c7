// Undoing a pass from its journal: the journal is checked whole before anything changes, the undo
// writes a journal of its own first, then the registry is restored by importing the journal with
// regedit and the files are put back.
#pragma once

#include <string>
#include <vector>

#include "sysaccess/system.h"

namespace undo {

// A journal in the undo folder, as its head describes it.
struct JournalEntry {
    std::string name; // file name in the undo folder
    std::string what, computer, time;
};

// The journals in the undo folder, oldest first (their names sort by date and time).
std::vector<JournalEntry> ListJournals(sysaccess::System& sys);

struct UndoReport {
    std::string journal; // the journal of the undo itself
    std::vector<std::string> restoredFiles;
    std::vector<std::string> notUndoable; // what the journal lists as not undoable
};

// Checks and undoes the journal at path. Refused, with nothing changed: a file that is not a
// UTF-16 LE journal or is cut short; a line regedit would reject (named by its number); a value
// or key the program never writes or deletes (for services: Start only); a copy whose name or
// target is not one the program writes; a SHA-256 other than the one recorded when it was
// written; a journal from another computer unless force.
sysaccess::Result Undo(sysaccess::System& sys, const std::string& path, bool force, UndoReport* report);

} // namespace undo
