// Undoing a pass from its journal: the journal and its copies are checked whole before anything
// changes, the undo writes a journal of its own first, then the registry is restored by importing
// what the journal holds with regedit, service start types are set through the service manager,
// everything restored is read back, and the files are put back.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lang/language.h"
#include "sysaccess/system.h"

namespace undo {

// A journal in the undo folder, as its head describes it.
struct JournalEntry {
    std::string name; // file name in the undo folder
    std::string what, computer, time;
    std::string user;   // the log-in name of the user whose HKEY_CURRENT_USER it read
    std::string undoes; // an undo's journal: the journal it undid
};

// The journals in the undo folder, oldest first by the time in their heads. Every file read is at
// most kMaxJournalBytes long; the .reg files that are not journals (too large, unreadable, not
// written by the program) go to *skipped, each as why, naming the file, in language.
std::vector<JournalEntry> ListJournals(sysaccess::System& sys, std::vector<std::string>* skipped = nullptr,
                                       lang::Language language = lang::Language::English);

// The newest journal of a pass whose changes are in effect: not an undo's journal, and not undone
// by an undo that is itself in effect. Nothing when there is none.
std::optional<std::string> LastPassJournal(const std::vector<JournalEntry>& journals);

// The names of the journals undone by an undo that is itself in effect, folded to one case.
std::set<std::string> UndoneJournals(const std::vector<JournalEntry>& journals);

// What an undo of the journal name (in the undo folder) would put back, as the history shows it:
// the registry as a script of the journal's own lines, the files put back and removed again, and
// what the pass did that no undo takes back. problem says why it cannot be read as a journal.
struct JournalContents {
    std::string problem;     // empty when the journal was read
    std::size_t changes = 0; // values, keys and files an undo puts back
    std::string registry;    // a registry script
    std::vector<std::string> filesBack, filesRemoved, notUndoable;
    // Where and by whom it was written, and whether undo takes it only with force (another
    // computer) or forceUser (another user), judged as Undo judges them.
    std::string computer, user;
    bool otherComputer = false, otherUser = false;
};
JournalContents ReadJournalContents(sysaccess::System& sys, const std::string& name,
                                    lang::Language language = lang::Language::English);

struct UndoOptions {
    bool force = false;              // a journal written on another computer
    bool forceUser = false;          // a journal of another user's HKEY_CURRENT_USER
    std::optional<std::string> user; // whose Startup folder the pass used (apply --user); the log-in name when unset
    lang::Language language = lang::Language::English; // of the reasons a refusal or a failure gives
};

struct UndoReport {
    std::string journal; // the journal of the undo itself
    std::vector<std::string> restoredFiles;
    std::vector<std::string> skipped;     // what no longer exists and was left alone, said as the user reads it
    std::vector<std::string> warnings;    // what was put back but not in every way
    std::vector<std::string> failed;      // what was not put back
    std::vector<std::string> notUndoable; // what the journal lists as not undoable
};

// Checks and undoes the journal at path (a name in the undo folder or a full path). Refused, with
// nothing changed: a file larger than any journal, not UTF-16 LE or cut short; a line regedit would
// reject (named by its number); a value or key the program never writes or deletes (for services:
// Start only); a key to delete that holds what neither the program nor the journal put there
// (named), unless the pass created the key by copying it whole; a copy whose name or target is not
// one the program writes, or whose SHA-256 is not the one the journal recorded; a journal whose
// own SHA-256 is not the one recorded when it was written; a journal from another computer unless
// force, or of another user unless forceUser. A service the journal names that no longer exists is
// skipped and said. After the import every value and key is read back: those that differ are
// failed, and so is the whole undo.
sysaccess::Result Undo(sysaccess::System& sys, const std::string& path, const UndoOptions& options, UndoReport* report);

} // namespace undo
