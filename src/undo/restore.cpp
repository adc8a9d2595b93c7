#include "undo/restore.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "form/context.h"
#include "lang/strings.h"
#include "optimize/keys.h"
#include "optimize/pass.h"
#include "startup/startup.h"
#include "sysaccess/folders.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"
#include "undo/journal.h"
#include "undo/sha256.h"

namespace undo {

namespace {

using lang::Str;
using sysaccess::Result;
using sysaccess::ScriptOp;

// --- What an undo says, beyond naming keys and files ----------------------------------------

// Why a journal is refused is said in the language asked for (lang::Say). What the undo did, line
// by line, is said in one language whatever it is, as the pass's effect lines are.
using lang::Say;

// The same line whatever the language: a service gone is said as the window's log says it.
std::string ServiceGone(const std::string& service) {
    return "服务 " + service + " 已不存在，跳过";
}
std::string StartTypeLate(const std::string& command, const std::string& outcome) {
    return command + ": " + outcome + "; the start type is in the registry and takes effect at the next restart";
}

// --- What the program may change ------------------------------------------------------------

bool AtOrBelow(const std::string& key, const std::string& top) {
    return key == top || (key.size() > top.size() && key.starts_with(top) && key[top.size()] == '\\');
}

// The service whose key this is (HKEY_LOCAL_MACHINE\...\Services\NAME); empty for any other key.
std::string ServiceOf(const std::string& key) {
    static const auto services = sysaccess::ParseKeyPath(sysaccess::kServicesKey, false);
    const auto path = sysaccess::ParseKeyPath(key, true);
    if (!path || !services || path->root != services->root || path->parts.size() != services->parts.size() + 1) {
        return {};
    }
    for (std::size_t i = 0; i < services->parts.size(); ++i) {
        if (!sysaccess::SameName(path->parts[i], services->parts[i])) return {};
    }
    return path->parts.back();
}

// What the program writes or deletes on this machine: every page planned with every option
// ticked and with every option cleared, the Run keys' values, the Startup folders' files.
struct Allowed {
    std::vector<std::pair<std::string, std::string>> values; // folded key, folded name
    std::vector<std::string> trees;                          // folded keys whose subtree a journal may restore
    std::vector<std::string> whole;                          // folded keys a pass makes whole, by copying
    std::vector<std::string> folders;                        // folded folders whose files
    std::vector<std::string> anyValue; // folded keys any of whose values the program removes, never whole

    static bool In(const std::vector<std::string>& list, const std::string& folded) {
        return std::find(list.begin(), list.end(), folded) != list.end();
    }
    bool Written(const std::string& folded, const std::string& foldedName) const {
        return In(anyValue, folded) || std::any_of(values.begin(), values.end(), [&](const auto& v) {
                   return v.first == folded && v.second == foldedName;
               });
    }
    bool Value(const std::string& key, const std::string& name) const {
        const std::string k = sysaccess::KeyIdentity(key);
        return Tree(k) || Written(k, sysaccess::FoldCase(name));
    }
    bool Tree(const std::string& folded) const {
        return std::any_of(trees.begin(), trees.end(), [&](const std::string& t) { return AtOrBelow(folded, t); });
    }
    // An ancestor of (or the same as) a key whose values the program writes.
    bool Holds(const std::string& folded) const {
        const auto above = [&](const std::string& k) { return AtOrBelow(k, folded); };
        return std::any_of(anyValue.begin(), anyValue.end(), above) ||
               std::any_of(values.begin(), values.end(), [&](const auto& v) { return above(v.first); });
    }
    // A key the program writes in, or an ancestor of one.
    bool OnPath(const std::string& folded) const {
        return Tree(folded) || Holds(folded) ||
               std::any_of(trees.begin(), trees.end(), [&](const std::string& t) { return AtOrBelow(t, folded); });
    }
    bool File(const std::string& path) const {
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string::npos || !startup::IsPlainFileName(path.substr(slash + 1))) return false;
        return In(folders, sysaccess::FoldCase(path.substr(0, slash)));
    }
};

Allowed WhatTheProgramChanges(sysaccess::System& sys, const std::string& folderUser) {
    Allowed a;
    form::MainForm form;
    form.UserName = folderUser;
    form.SetTxtPath("C:\\");
    for (const form::PageRecord& record : form::kPages) {
        if (!record.options) continue;
        const form::Page page = record.page;
        for (int tick : {form::kTicked, form::kCleared}) {
            for (int i = 0; i < form::kChkCount; ++i)
                form.SetChk(i, tick);
            for (int i = 0; i < form::kServiceCount; ++i)
                form.SetService(i, tick == form::kTicked);
            form.ShowPage(page);
            const Targets t = PlanTargets(form, sys, [](form::Context& ctx) { optimize::RunPass(ctx, true); });
            for (const auto& [key, name] : t.values)
                a.values.emplace_back(sysaccess::KeyIdentity(key), sysaccess::FoldCase(name));
            // A service uninstalled since the pass is still one whose start type the program sets.
            for (const std::string& service : t.services)
                a.values.emplace_back(sysaccess::KeyIdentity(sysaccess::kServicesKey + service),
                                      sysaccess::FoldCase("Start"));
            for (const std::string& key : t.trees)
                a.trees.push_back(sysaccess::KeyIdentity(key));
            for (const std::string& key : t.copied) {
                a.trees.push_back(sysaccess::KeyIdentity(key));
                a.whole.push_back(sysaccess::KeyIdentity(key));
            }
        }
    }
    // Keys the passes delete whole, which a journal restores, whether or not they are there now.
    for (const char* name : {"Minimal", "Network", "Minimal1", "Network1"})
        a.trees.push_back(sysaccess::KeyIdentity(optimize::kSafeBoot + std::string(name)));
    a.trees.push_back(sysaccess::KeyIdentity(optimize::kDisallowCpl));
    a.trees.push_back(sysaccess::KeyIdentity(optimize::kRecycleBinEntry));
    // The startup page removes any name from the Run keys and the Startup folders.
    for (const startup::RunKey& run : startup::kRunKeys) {
        if (!run.view32 || sys.Has32BitView()) a.anyValue.push_back(sysaccess::KeyIdentity(startup::RunKeyPath(run)));
    }
    for (bool allUsers : {false, true})
        a.folders.push_back(sysaccess::FoldCase(startup::StartupFolder(form, sys, allUsers)));
    const sysaccess::KnownFolder startMenu = sysaccess::KnownFolder::CommonStartMenu;
    a.folders.push_back(sysaccess::FoldCase(sysaccess::ResolveOrFixed(sys, startMenu, sysaccess::XpFolder(startMenu))));
    return a;
}

// What the journal itself puts back: the keys it creates and the values it sets, folded.
struct Restores {
    std::set<std::string> keys;
    std::set<std::string> values; // key|name
};

// The first thing beneath key, key included, that neither the program writes nor the journal puts
// back: someone else's, which deleting the key would take. Empty when there is none.
std::string Foreign(sysaccess::System& sys, const Allowed& a, const Restores& r, const std::string& key) {
    const auto listing = sys.ListRegKey(key);
    if (!listing) return {};
    const std::string folded = sysaccess::KeyIdentity(key);
    if (Allowed::In(a.anyValue, folded)) return key; // a Run key belongs to the programs it starts
    for (const std::string& name : listing->values) {
        const std::string n = sysaccess::FoldCase(name);
        if (!a.Written(folded, n) && !r.values.contains(folded + "|" + n))
            return key + "\\" + (name.empty() ? "@" : name);
    }
    for (const std::string& sub : listing->subkeys) {
        const std::string below = key + "\\" + sub;
        if (!r.keys.contains(sysaccess::KeyIdentity(below)) && !a.Holds(sysaccess::KeyIdentity(below))) return below;
        if (std::string found = Foreign(sys, a, r, below); !found.empty()) return found;
    }
    return {};
}

// --- The journal's head -----------------------------------------------------------------------

struct Copy {
    std::string name, sha256, target;
};

struct Head {
    bool marked = false; // says it is a journal of the program
    std::string what, computer, userSid, userName, time, undoes;
    std::vector<Copy> files;
    std::vector<std::string> removes;
    std::vector<std::string> notUndoable;
    bool ended = false;
};

Head ReadHead(std::string_view text) {
    Head h;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        h.ended = line == "; end";
        if (!line.starts_with("; ")) continue;
        std::string value;
        const auto field = [&](std::string_view prefix) {
            if (!line.starts_with(prefix)) return false;
            value = line.substr(prefix.size());
            return true;
        };
        if (line == "; Sysvela undo journal") {
            h.marked = true;
        } else if (field("; what=")) {
            h.what = value;
        } else if (field("; computer=")) {
            h.computer = value;
        } else if (field("; user=")) {
            const std::size_t bar = value.find('|');
            h.userSid = value.substr(0, bar);
            h.userName = bar == std::string::npos ? "" : value.substr(bar + 1);
        } else if (field("; time=")) {
            h.time = value;
        } else if (field("; undoes=")) {
            h.undoes = value;
        } else if (field("; file=")) {
            // COPY|SHA256|PATH: neither a file name nor a path holds a bar.
            const std::size_t a = value.find('|'), b = a == std::string::npos ? a : value.find('|', a + 1);
            if (b == std::string::npos) {
                h.files.push_back({value.substr(0, a), "", a == std::string::npos ? "" : value.substr(a + 1)});
            } else {
                h.files.push_back({value.substr(0, a), value.substr(a + 1, b - a - 1), value.substr(b + 1)});
            }
        } else if (field("; remove=")) {
            h.removes.push_back(value);
        } else if (field("; not undoable: ")) {
            h.notUndoable.push_back(value);
        }
    }
    return h;
}

struct Loaded {
    std::string bytes; // as the file holds them, for the hash
    std::string text;  // UTF-8
    Head head;
};

// A journal as Load read it, or why it is none.
struct LoadedJournal {
    std::optional<Loaded> journal;
    std::string why;
};

// The journal at path, read only when it is no larger than any journal; shown names it in why.
LoadedJournal Load(sysaccess::System& sys, const std::string& path, const std::string& shown, const Say& say) {
    sysaccess::LimitedRead read = sys.ReadFileUpTo(path, kMaxJournalBytes);
    if (read.tooLarge) return {std::nullopt, say(Str::JournalTooLarge, {shown, MaxJournalSize()})};
    if (!read.bytes) return {std::nullopt, say(Str::JournalUnreadable, {shown})};
    Loaded j{std::move(*read.bytes), {}, {}};
    if (!j.bytes.starts_with("\xFF\xFE") || j.bytes.size() % 2 != 0) {
        return {std::nullopt, say(Str::JournalNotUtf16, {shown})};
    }
    j.text = sysaccess::Utf16LeToUtf8(std::string_view(j.bytes).substr(2));
    j.head = ReadHead(j.text);
    if (!j.head.marked) return {std::nullopt, say(Str::JournalNotMarked, {shown})};
    return {std::move(j), {}};
}

// The journal at path read whole and parsed, or why not: cut short (no "; end") or holding a line
// regedit would reject. journal is there when the file is a journal at all, whole or not.
struct Parsed {
    std::optional<Loaded> journal;
    sysaccess::RegScript script;
    std::string why;
};
Parsed ReadParsed(sysaccess::System& sys, const std::string& path, const Say& say) {
    LoadedJournal loaded = Load(sys, path, path, say);
    Parsed p{std::move(loaded.journal), {}, std::move(loaded.why)};
    if (!p.journal) return p;
    if (!p.journal->head.ended) {
        p.why = say(Str::JournalCutShort, {path});
        return p;
    }
    p.script = sysaccess::ReadRegScript(p.journal->text);
    if (!p.script.rejected.empty()) {
        const auto& r = p.script.rejected.front();
        p.why = say(Str::JournalBadLine, {path, std::to_string(r.number), r.text});
    }
    return p;
}

bool SameUser(const Head& h, const std::string& sid, const std::string& name) {
    if (!h.userSid.empty() && !sid.empty()) return sysaccess::SameName(h.userSid, sid);
    return !h.userName.empty() && sysaccess::SameName(h.userName, name);
}

bool IsSha256(const std::string& text) {
    return text.size() == 64 && std::all_of(text.begin(), text.end(),
                                            [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// --- After the import -------------------------------------------------------------------------

// What the registry must hold once ops are imported, read back: the values and keys that differ.
std::vector<std::string> NotPutBack(sysaccess::System& sys, const std::vector<ScriptOp>& ops) {
    struct Key {
        std::string path;
        bool exists = true;
        std::map<std::string, std::pair<std::string, std::optional<sysaccess::RegData>>> values; // folded name
    };
    std::map<std::string, Key> keys; // by folded path
    for (const ScriptOp& op : ops) {
        const std::string path = sysaccess::JoinKeyPath(op.key), folded = sysaccess::KeyIdentity(path);
        if (op.kind == ScriptOp::Kind::DeleteKey) {
            std::erase_if(keys, [&](const auto& k) { return AtOrBelow(k.first, folded); });
            keys[folded] = {path, false, {}};
            continue;
        }
        // regedit creates the key's missing parents with it.
        for (auto& [above, parent] : keys) {
            if (!parent.exists && AtOrBelow(folded, above)) parent.exists = true;
        }
        Key& k = keys[folded];
        k.path = path;
        k.exists = true;
        if (op.kind == ScriptOp::Kind::SetValue) k.values[sysaccess::FoldCase(op.name)] = {op.name, op.data};
        if (op.kind == ScriptOp::Kind::DeleteValue) k.values[sysaccess::FoldCase(op.name)] = {op.name, std::nullopt};
    }
    std::vector<std::string> differ;
    for (const auto& [folded, k] : keys) {
        if (!k.exists) {
            if (sys.ListRegKey(k.path)) differ.push_back(k.path + " is still there");
            continue;
        }
        if (!sys.ListRegKey(k.path)) {
            differ.push_back(k.path + " is missing");
            continue;
        }
        for (const auto& [n, value] : k.values) {
            const auto& [name, want] = value;
            const auto got = sys.ReadRegValue(k.path, name);
            const std::string shown = k.path + "\\" + (name.empty() ? "@" : name);
            if (want && (!got || !sysaccess::SameRegData(*got, *want)))
                differ.push_back(shown + " does not hold its old data");
            if (!want && got) differ.push_back(shown + " is still there");
        }
    }
    return differ;
}

} // namespace

std::vector<JournalEntry> ListJournals(sysaccess::System& sys, std::vector<std::string>* skipped,
                                       lang::Language language) {
    std::vector<std::pair<std::string, JournalEntry>> found; // time, entry
    const std::string folder = UndoFolder(sys);
    for (const std::string& name : sys.ListFolder(folder)) {
        if (name.size() < 5 || !sysaccess::SameName(name.substr(name.size() - 4), ".reg")) continue;
        const LoadedJournal j = Load(sys, folder + "\\" + name, name, Say{language});
        if (!j.journal) {
            if (skipped) skipped->push_back(j.why);
            continue;
        }
        const Head& h = j.journal->head;
        found.push_back({h.time, {name, h.what, h.computer, h.time, h.userName, h.undoes}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
    });
    std::vector<JournalEntry> out;
    for (auto& [time, entry] : found)
        out.push_back(std::move(entry));
    return out;
}

std::set<std::string> UndoneJournals(const std::vector<JournalEntry>& journals) {
    // Newest first: an undo is newer than what it undid, so whether it is itself in effect is known
    // by the time its target comes up.
    std::set<std::string> undone;
    for (auto it = journals.rbegin(); it != journals.rend(); ++it) {
        if (it->what == "undo" && !undone.contains(sysaccess::FoldCase(it->name)))
            undone.insert(sysaccess::FoldCase(it->undoes));
    }
    return undone;
}

std::optional<std::string> LastPassJournal(const std::vector<JournalEntry>& journals) {
    const std::set<std::string> undone = UndoneJournals(journals);
    for (auto it = journals.rbegin(); it != journals.rend(); ++it) {
        if (it->what != "undo" && !undone.contains(sysaccess::FoldCase(it->name))) return it->name;
    }
    return std::nullopt;
}

namespace {

// A journal read and checked as an undo must check it before it changes anything: whole, parsed,
// its SHA-256 the one recorded, of this computer and this user (unless forced); or why not.
struct Checked {
    Loaded loaded;
    sysaccess::RegScript script;
};
struct CheckedJournal {
    std::optional<Checked> journal;
    std::string refusal;
};
CheckedJournal ReadChecked(sysaccess::System& sys, const std::string& path, const std::string& name,
                           const UndoOptions& options, const Say& say) {
    const auto refuse = [](std::string why) { return CheckedJournal{std::nullopt, std::move(why)}; };
    Parsed parsed = ReadParsed(sys, path, say);
    if (!parsed.why.empty()) return refuse(std::move(parsed.why));
    const Head& head = parsed.journal->head;
    const auto recorded = sys.ReadRegValue(kHashesKey, name);
    if (!recorded || recorded->text != Sha256Hex(parsed.journal->bytes))
        return refuse(say(Str::JournalHashDiffers, {path}));
    if (!options.force && !sysaccess::SameName(head.computer, sys.ComputerName())) {
        return refuse(say(Str::JournalOtherComputer, {path, head.computer}));
    }
    const std::string user = sys.UserName();
    if (!options.forceUser && !SameUser(head, sys.UserSid(), user)) {
        const std::string named = head.userName.empty() ? say(Str::JournalNoUser) : head.userName;
        return refuse(say(Str::JournalOtherUser, {path, named, user}));
    }
    return {Checked{std::move(*parsed.journal), std::move(parsed.script)}, {}};
}

// The journal's registry lines that an undo imports, each one the program may restore and none
// taking what others put there since; the sections of services that are gone are skipped. refusal
// names the first line that may not be restored.
struct Imports {
    std::vector<ScriptOp> ops;
    std::vector<std::string> skipped;
    std::string refusal;
};
Imports CheckedOps(sysaccess::System& sys, const std::string& path, const std::vector<ScriptOp>& ops,
                   const Allowed& allowed, Targets& own, const Say& say) {
    Restores restores;
    for (const ScriptOp& op : ops) {
        const std::string key = sysaccess::KeyIdentity(sysaccess::JoinKeyPath(op.key));
        if (op.kind == ScriptOp::Kind::CreateKey) restores.keys.insert(key);
        if (op.kind == ScriptOp::Kind::SetValue) restores.values.insert(key + "|" + sysaccess::FoldCase(op.name));
    }
    Imports out;
    const ScriptOp* at = nullptr; // the line checked
    const auto refuse = [&](std::string why) {
        out.refusal = say(Str::JournalAtLine, {path, std::to_string(at->line), why});
        return std::move(out);
    };
    bool skipping = false; // within the section of a service that is gone
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const ScriptOp& op = ops[i];
        at = &op;
        const std::string key = sysaccess::JoinKeyPath(op.key);
        switch (op.kind) {
        case ScriptOp::Kind::SetValue:
        case ScriptOp::Kind::DeleteValue:
            if (!allowed.Value(key, op.name)) {
                return refuse(say(Str::NeverWrites, {key + "\\" + op.name}));
            }
            if (skipping) continue;
            own.values.emplace_back(key, op.name);
            break;
        case ScriptOp::Kind::CreateKey:
            if (!allowed.OnPath(sysaccess::KeyIdentity(key))) return refuse(say(Str::NeverCreates, {key}));
            skipping = !ServiceOf(key).empty() && !sys.ListRegKey(key);
            if (skipping) {
                out.skipped.push_back(ServiceGone(ServiceOf(key)));
                continue;
            }
            if (!sys.ListRegKey(key)) own.trees.push_back(key);
            break;
        case ScriptOp::Kind::DeleteKey: {
            skipping = false;
            if (!allowed.OnPath(sysaccess::KeyIdentity(key))) return refuse(say(Str::NeverDeletes, {key}));
            // "[-KEY]" then "[KEY]": the key the pass deleted or copied over, put back as it was.
            // A lone "[-KEY]": a key the pass created, whole when it copied it there.
            const bool putBack =
                i + 1 < ops.size() && ops[i + 1].kind == ScriptOp::Kind::CreateKey &&
                sysaccess::KeyIdentity(sysaccess::JoinKeyPath(ops[i + 1].key)) == sysaccess::KeyIdentity(key);
            if (putBack || !Allowed::In(allowed.whole, sysaccess::KeyIdentity(key))) {
                if (const std::string other = Foreign(sys, allowed, restores, key); !other.empty()) {
                    return refuse(say(Str::WouldTakeOthers, {key, other}));
                }
            }
            own.trees.push_back(key);
            break;
        }
        }
        out.ops.push_back(op);
    }
    return out;
}

// The copies the journal keeps of the files its pass removed, each read once and checked against
// its SHA-256: what is put back is these bytes, never the file read again. refusal says which copy
// may not be put back.
struct Copies {
    std::vector<std::pair<std::string, std::string>> files; // target, the checked bytes
    std::string refusal;
};
Copies CheckedCopies(sysaccess::System& sys, const std::string& path, const Head& head, const Allowed& allowed,
                     Targets& own, const Say& say) {
    Copies out;
    const auto refuse = [&](const std::string& why) {
        out.refusal = say(Str::JournalSays, {path, why});
        return std::move(out);
    };
    const std::string folder = path.substr(0, path.rfind('\\'));
    for (const Copy& c : head.files) {
        if (!startup::IsPlainFileName(c.name) || !allowed.File(c.target)) {
            return refuse(say(Str::CopyNotKept, {c.name, c.target}));
        }
        if (!IsSha256(c.sha256)) return refuse(say(Str::CopyNoHash, {c.name}));
        const sysaccess::LimitedRead kept = sys.ReadFileUpTo(folder + "\\" + c.name, kMaxJournalBytes);
        if (kept.tooLarge) return refuse(say(Str::JournalTooLarge, {c.name, MaxJournalSize()}));
        if (!kept.bytes) return refuse(say(Str::CopyMissing, {c.name}));
        if (Sha256Hex(*kept.bytes) != c.sha256) return refuse(say(Str::CopyChanged, {c.name}));
        out.files.emplace_back(c.target, *kept.bytes);
        own.newFiles.push_back(c.target);
    }
    for (const std::string& target : head.removes) {
        if (!allowed.File(target)) return refuse(say(Str::NotRemovedFile, {target}));
        own.files.push_back(target);
    }
    return out;
}

// Imports ops through regedit. What was checked is imported, not the journal, which others may be
// able to replace: it goes to the program's own script, held against writers while regedit reads
// it. A script that cannot be created fails before anything changes.
Result Import(sysaccess::System& sys, const std::vector<ScriptOp>& ops, UndoReport& done, const Say& say) {
    const std::string bytes = "\xFF\xFE" + sysaccess::Utf8ToUtf16Le(sysaccess::RegScriptText(ops));
    if (sys.FileExists(sysaccess::kScriptPath)) (void)sys.DeleteFiles(sysaccess::kScriptPath);
    std::unique_ptr<sysaccess::FileHold> hold;
    if (Result made = sys.CreateHeldFile(sysaccess::kScriptPath, bytes, hold); !made) {
        return Result::Fail(say(Str::ScriptNotCreated, {sysaccess::kScriptPath, made.error}));
    }
    const sysaccess::RunResult imported = sys.Run(sysaccess::kImportCommand, sysaccess::RunMode::Wait);
    hold.reset();
    (void)sys.DeleteFiles(sysaccess::kScriptPath);
    if (!imported.ok()) done.failed.push_back("regedit " + imported.Describe());
    return Result::Ok();
}

// The service manager reads a Start value written into the registry only at the next start: the
// start types imported go through it as well, as the pass sets them.
void SetStartTypes(sysaccess::System& sys, const std::vector<ScriptOp>& ops, UndoReport& done) {
    for (const ScriptOp& op : ops) {
        const std::string service = ServiceOf(sysaccess::JoinKeyPath(op.key));
        if (op.kind != ScriptOp::Kind::SetValue || service.empty() || !sysaccess::SameName(op.name, "Start") ||
            op.data.type != sysaccess::kRegDword || !op.data.bytes.empty()) {
            continue;
        }
        if (const auto command = sysaccess::ScConfigCommand(service, op.data.dword)) {
            const sysaccess::RunResult set = sys.Run(*command, sysaccess::RunMode::Wait);
            if (!set.ok()) done.warnings.push_back(StartTypeLate(*command, set.Describe()));
        }
    }
}

// The files: each copy put back where nothing stands now, each file an undone undo put back
// removed again.
void PutBackFiles(sysaccess::System& sys, const Copies& copies, const Head& head, UndoReport& done) {
    for (const auto& [target, kept] : copies.files) {
        if (sys.FileExists(target)) continue;
        if (Result put = sys.ReplaceFileAtomically(target, kept); !put) {
            done.failed.push_back("cannot put back " + target + ": " + put.error);
            continue;
        }
        done.restoredFiles.push_back(target);
    }
    for (const std::string& target : head.removes) {
        if (sys.FileExists(target) && !sys.DeleteFiles(target)) done.failed.push_back("cannot remove " + target);
    }
}

} // namespace

Result Undo(sysaccess::System& sys, const std::string& given, const UndoOptions& options, UndoReport* report) {
    const Say say{options.language};
    const auto refuse = [&](const std::string& why) { return Result::Fail(say(Str::UndoNothingChanged, {why})); };
    const std::string path = given.find('\\') == std::string::npos ? UndoFolder(sys) + "\\" + given : given;
    const std::string name = path.substr(path.rfind('\\') + 1);
    const CheckedJournal checked = ReadChecked(sys, path, name, options, say);
    if (!checked.journal) return refuse(checked.refusal);
    const Head& head = checked.journal->loaded.head;

    const Allowed allowed = WhatTheProgramChanges(sys, options.user.value_or(sys.UserName()));
    Targets own; // what this undo changes, for its own journal
    Imports imports = CheckedOps(sys, path, checked.journal->script.ops, allowed, own, say);
    if (!imports.refusal.empty()) return refuse(imports.refusal);
    const Copies copies = CheckedCopies(sys, path, head, allowed, own, say);
    if (!copies.refusal.empty()) return refuse(copies.refusal);

    UndoReport done;
    done.skipped = std::move(imports.skipped);
    if (Result journaled = WriteJournal(sys, own, "undo", name, options.language, &done.journal); !journaled) {
        return refuse(say(Str::OwnJournalFailed, {journaled.error}));
    }
    if (Result imported = Import(sys, imports.ops, done, say); !imported) return imported;
    SetStartTypes(sys, imports.ops, done);
    // regedit ends with 0 whether or not it could write: what it was to write is read back.
    for (std::string& differs : NotPutBack(sys, imports.ops))
        done.failed.push_back(std::move(differs));
    PutBackFiles(sys, copies, head, done);
    done.notUndoable = head.notUndoable;
    const std::size_t failures = done.failed.size();
    if (report) *report = std::move(done);
    return failures == 0 ? Result::Ok() : Result::Fail(say(Str::NotAllPutBack, {std::to_string(failures)}));
}

JournalContents ReadJournalContents(sysaccess::System& sys, const std::string& name, lang::Language language) {
    JournalContents c;
    const Parsed parsed = ReadParsed(sys, UndoFolder(sys) + "\\" + name, Say{language});
    c.problem = parsed.why;
    if (!parsed.journal) return c;
    const Head& head = parsed.journal->head;
    c.computer = head.computer;
    c.user = head.userName;
    c.otherComputer = !sysaccess::SameName(c.computer, sys.ComputerName());
    c.otherUser = !SameUser(head, sys.UserSid(), sys.UserName());
    if (!c.problem.empty()) return c;
    const sysaccess::RegScript& script = parsed.script;
    c.registry = sysaccess::RegScriptText(script.ops);
    c.changes = static_cast<std::size_t>(std::count_if(
        script.ops.begin(), script.ops.end(), [](const ScriptOp& op) { return op.kind != ScriptOp::Kind::CreateKey; }));
    for (const Copy& file : head.files)
        c.filesBack.push_back(file.target);
    c.filesRemoved = head.removes;
    c.notUndoable = head.notUndoable;
    c.changes += c.filesBack.size() + c.filesRemoved.size();
    return c;
}

} // namespace undo
