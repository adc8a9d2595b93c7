// The journal of a pass: before a pass changes anything, what it is about to change is read from
// the machine and written as a registry script that puts it back, with copies of the files the
// pass removes beside it.
//
// The journal is "Windows Registry Editor Version 5.00" in UTF-16 LE, as regedit writes it, so an
// administrator can import it without the program. Comment lines at its head say what it is:
//   ; what=PAGE           the pass (system, security, services, slimming, startup, auto, undo)
//   ; computer=NAME       where it was written
//   ; user=SID|NAME       whose HKEY_CURRENT_USER it read
//   ; time=YYYY-MM-DD HH:MM:SS
//   ; undoes=JOURNAL      (an undo's journal) the journal that undo undid
//   ; file=COPY|SHA256|PATH  a removed file, kept as COPY in the undo folder, goes back to PATH
//   ; remove=PATH         a file that was not there before, removed again
//   ; not undoable: TEXT  an effect the journal cannot take back
// and "; end" is its last line, so a journal cut short is known. In its body a key the pass
// deletes is "[-KEY]" followed at once by "[KEY]" and what it held; a key the pass creates is a
// lone "[-KEY]" near the end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "form/context.h"
#include "lang/language.h"
#include "sysaccess/system.h"

namespace undo {

using Pass = std::function<void(form::Context&)>;

// Where the SHA-256 of every journal is kept, by file name: a key only administrators may write.
inline constexpr const char* kHashesKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Sysvela\\Undo";

// No journal nor copy is larger: every reader of the undo folder refuses a larger file unread.
inline constexpr std::uint64_t kMaxJournalBytes = 16u << 20;
inline std::string MaxJournalSize() { // for messages
    return std::to_string(kMaxJournalBytes >> 20) + " MiB";
}

// What a pass (or an undo) will change.
struct Targets {
    std::vector<std::pair<std::string, std::string>> values; // key, value name
    std::vector<std::string> trees;                          // keys deleted or copied over: the whole subtree
    std::vector<std::string> copied;                         // keys copied over, whether or not their source exists
    std::vector<std::string> services;    // services whose start type is set, whether or not they exist
    std::vector<std::string> files;       // files removed that are kept as copies
    std::vector<std::string> newFiles;    // files put back by an undo: removed again if absent now
    std::vector<std::string> notUndoable; // effects the journal lists only
};

// Runs pass on a copy of the form over sys with every effect held back (queries answered by sys)
// and lists what it would change. Files the slimming page removes are not undoable.
Targets PlanTargets(const form::MainForm& form, sysaccess::System& sys, const Pass& pass);

// The folder "undo" beside setup.dat.
std::string UndoFolder(sysaccess::System& sys);

// The local time as "YYYY-MM-DD HH:MM:SS"; replaceable for tests.
extern std::function<std::string()> Now;

// The log of a pass beside its journal: the journal's path with ".log" for ".reg".
std::string LogPath(const std::string& journal);

// Reads the prior state of targets from sys and writes the journal (a new file name from the
// date and time), its copies and its hash; all flushed before it returns. *path gets the journal.
// undoes names the journal an undo undoes (empty for a pass). Refused, with nothing written, when
// a name the journal would hold cannot stand in a registry script. With log, the pass's log is
// created before the journal is written, holding nothing yet, and *log gets its path. Why it
// cannot be written is said in language.
sysaccess::Result WriteJournal(sysaccess::System& sys, const Targets& targets, const std::string& what,
                               const std::string& undoes, lang::Language language, std::string* path,
                               std::string* log = nullptr);

// The one call before a pass: plan it, then write the journal and create the log. When it fails
// the pass must not run.
sysaccess::Result JournalPass(const form::MainForm& form, sysaccess::System& sys, const Pass& pass,
                              const std::string& what, lang::Language language, std::string* path,
                              std::string* log = nullptr);

} // namespace undo
