#include "undo/restore.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "form/context.h"
#include "optimize/pass.h"
#include "startup/startup.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"
#include "undo/journal.h"
#include "undo/sha256.h"

namespace undo {

namespace {

using sysaccess::Result;
using sysaccess::ScriptOp;

// --- What an undo says, beyond naming keys and files ----------------------------------------

std::string Refusal(const std::string& why) {
    return why + "; nothing was changed";
}
std::string TooLarge() {
    return "is larger than " + MaxJournalSize() +
           ", more than any journal or copy the program writes, and was not read";
}
std::string OtherUser(const std::string& journalUser, const std::string& user) {
    return "read the registry of the user " + (journalUser.empty() ? std::string("(not named)") : journalUser) +
           ", not that of " + user + ", who runs this undo (--force-user undoes it for " + user + ")";
}
std::string ServiceGone(const std::string& service) {
    return "服务 " + service + " 已不存在，跳过";
}
std::string StartTypeLate(const std::string& command, const std::string& outcome) {
    return command + ": " + outcome + "; the start type is in the registry and takes effect at the next restart";
}
std::string NotAllPutBack(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " thing was" : " things were") + " not put back";
}

// --- What the program may change ------------------------------------------------------------

constexpr const char* kUserRun = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kMachineRun = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
// The 32-bit programs' Run key on 64-bit Windows, as the 64-bit tools reach it.
constexpr const char* kMachineRun32 = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kAllUsersStartMenu = R"(C:\Documents and Settings\All Users\「开始」菜单)";

std::string Fold(const std::string& key) {
    const auto path = sysaccess::ParseKeyPath(key, true);
    return sysaccess::FoldCase(path ? sysaccess::JoinKeyPath(*path) : key);
}

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
        const std::string k = Fold(key);
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
    for (form::Page page : {form::Page::System, form::Page::Security, form::Page::Service, form::Page::Wight}) {
        for (int tick : {form::kTicked, form::kCleared}) {
            for (int i = 0; i < form::kChkCount; ++i)
                form.SetChk(i, tick);
            for (int i = 0; i < form::kServiceCount; ++i)
                form.SetService(i, tick == form::kTicked);
            form.ShowPage(page);
            const Targets t = PlanTargets(form, sys, [](form::Context& ctx) { optimize::RunPass(ctx, true); });
            for (const auto& [key, name] : t.values)
                a.values.emplace_back(Fold(key), sysaccess::FoldCase(name));
            // A service uninstalled since the pass is still one whose start type the program sets.
            for (const std::string& service : t.services)
                a.values.emplace_back(Fold(sysaccess::kServicesKey + service), sysaccess::FoldCase("Start"));
            for (const std::string& key : t.trees)
                a.trees.push_back(Fold(key));
            for (const std::string& key : t.copied) {
                a.trees.push_back(Fold(key));
                a.whole.push_back(Fold(key));
            }
        }
    }
    // Keys the passes delete whole, which a journal restores, whether or not they are there now.
    for (const char* name : {"Minimal", "Network", "Minimal1", "Network1"})
        a.trees.push_back(Fold(R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\SafeBoot\)" + std::string(name)));
    a.trees.push_back(
        Fold(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\DisallowCpl)"));
    a.trees.push_back(Fold(
        R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{645FF040-5081-101B-9F08-00AA002F954E})"));
    // The startup page removes any name from the Run keys and the Startup folders.
    a.anyValue.push_back(Fold(kUserRun));
    a.anyValue.push_back(Fold(kMachineRun));
    if (sys.Has32BitView()) a.anyValue.push_back(Fold(kMachineRun32));
    for (bool allUsers : {false, true})
        a.folders.push_back(sysaccess::FoldCase(startup::StartupFolder(form, sys, allUsers)));
    a.folders.push_back(sysaccess::FoldCase(kAllUsersStartMenu));
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
    const std::string folded = Fold(key);
    if (Allowed::In(a.anyValue, folded)) return key; // a Run key belongs to the programs it starts
    for (const std::string& name : listing->values) {
        const std::string n = sysaccess::FoldCase(name);
        if (!a.Written(folded, n) && !r.values.contains(folded + "|" + n))
            return key + "\\" + (name.empty() ? "@" : name);
    }
    for (const std::string& sub : listing->subkeys) {
        const std::string below = key + "\\" + sub;
        if (!r.keys.contains(Fold(below)) && !a.Holds(Fold(below))) return below;
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

// The journal at path, read only when it is no larger than any journal; otherwise nothing, and *why
// says what the file is, after its name.
std::optional<Loaded> Load(sysaccess::System& sys, const std::string& path, std::string& why) {
    sysaccess::LimitedRead read = sys.ReadFileUpTo(path, kMaxJournalBytes);
    if (read.tooLarge) {
        why = TooLarge();
        return std::nullopt;
    }
    if (!read.bytes) {
        why = "cannot be read";
        return std::nullopt;
    }
    Loaded j{std::move(*read.bytes), {}, {}};
    if (!j.bytes.starts_with("\xFF\xFE") || j.bytes.size() % 2 != 0) {
        why = "is not a journal: not UTF-16 LE as the program writes it";
        return std::nullopt;
    }
    j.text = sysaccess::Utf16LeToUtf8(std::string_view(j.bytes).substr(2));
    j.head = ReadHead(j.text);
    if (!j.head.marked) {
        why = "is not a journal: its head does not say \"; Sysvela undo journal\"";
        return std::nullopt;
    }
    return j;
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
        const std::string path = sysaccess::JoinKeyPath(op.key), folded = Fold(path);
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

std::vector<JournalEntry> ListJournals(sysaccess::System& sys, std::vector<std::string>* skipped) {
    std::vector<std::pair<std::string, JournalEntry>> found; // time, entry
    const std::string folder = UndoFolder(sys);
    for (const std::string& name : sys.ListFolder(folder)) {
        if (name.size() < 5 || !sysaccess::SameName(name.substr(name.size() - 4), ".reg")) continue;
        std::string why;
        const auto j = Load(sys, folder + "\\" + name, why);
        if (!j) {
            if (skipped) skipped->push_back(name + " " + why);
            continue;
        }
        const Head& h = j->head;
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

JournalContents ReadJournalContents(sysaccess::System& sys, const std::string& name) {
    JournalContents c;
    const std::string path = UndoFolder(sys) + "\\" + name;
    std::string why;
    const auto loaded = Load(sys, path, why);
    if (!loaded) {
        c.problem = path + " " + why;
        return c;
    }
    c.computer = loaded->head.computer;
    c.user = loaded->head.userName;
    c.otherComputer = !sysaccess::SameName(c.computer, sys.ComputerName());
    c.otherUser = !SameUser(loaded->head, sys.UserSid(), sys.UserName());
    if (!loaded->head.ended) {
        c.problem = path + " is cut short: its last line is not \"; end\"";
        return c;
    }
    const sysaccess::RegScript script = sysaccess::ReadRegScript(loaded->text);
    if (!script.rejected.empty()) {
        c.problem = path + ": line " + std::to_string(script.rejected.front().number) +
                    " does not parse: " + script.rejected.front().text;
        return c;
    }
    c.registry = sysaccess::RegScriptText(script.ops);
    c.changes = static_cast<std::size_t>(std::count_if(
        script.ops.begin(), script.ops.end(), [](const ScriptOp& op) { return op.kind != ScriptOp::Kind::CreateKey; }));
    for (const Copy& file : loaded->head.files)
        c.filesBack.push_back(file.target);
    c.filesRemoved = loaded->head.removes;
    c.notUndoable = loaded->head.notUndoable;
    c.changes += c.filesBack.size() + c.filesRemoved.size();
    return c;
}

Result Undo(sysaccess::System& sys, const std::string& given, const UndoOptions& options, UndoReport* report) {
    const auto Refuse = [](const std::string& why) { return Result::Fail(Refusal(why)); };
    const std::string path = given.find('\\') == std::string::npos ? UndoFolder(sys) + "\\" + given : given;
    const std::string folder = path.substr(0, path.rfind('\\'));
    const std::string name = path.substr(path.rfind('\\') + 1);
    std::string why;
    const auto loaded = Load(sys, path, why);
    if (!loaded) return Refuse(path + " " + why);
    const Head& head = loaded->head;
    if (!head.ended) return Refuse(path + " is cut short: its last line is not \"; end\"");
    const sysaccess::RegScript script = sysaccess::ReadRegScript(loaded->text);
    if (!script.rejected.empty()) {
        const auto& r = script.rejected.front();
        return Refuse(path + ": line " + std::to_string(r.number) + " does not parse: " + r.text);
    }
    const auto recorded = sys.ReadRegValue(kHashesKey, name);
    if (!recorded || recorded->text != Sha256Hex(loaded->bytes)) {
        return Refuse(path + ": its SHA-256 is not the one recorded when it was written");
    }
    if (!options.force && !sysaccess::SameName(head.computer, sys.ComputerName())) {
        return Refuse(path + " was written on " + head.computer + ", not on this computer (--force undoes it here)");
    }
    const std::string user = sys.UserName();
    if (!options.forceUser && !SameUser(head, sys.UserSid(), user))
        return Refuse(path + " " + OtherUser(head.userName, user));

    const Allowed allowed = WhatTheProgramChanges(sys, options.user.value_or(user));
    Restores restores;
    for (const ScriptOp& op : script.ops) {
        const std::string key = Fold(sysaccess::JoinKeyPath(op.key));
        if (op.kind == ScriptOp::Kind::CreateKey) restores.keys.insert(key);
        if (op.kind == ScriptOp::Kind::SetValue) restores.values.insert(key + "|" + sysaccess::FoldCase(op.name));
    }
    UndoReport done;
    Targets own; // what this undo changes, for its own journal
    std::vector<ScriptOp> import;
    bool skipping = false; // within the section of a service that is gone
    for (std::size_t i = 0; i < script.ops.size(); ++i) {
        const ScriptOp& op = script.ops[i];
        const std::string key = sysaccess::JoinKeyPath(op.key);
        const std::string where = path + ": line " + std::to_string(op.line) + ": ";
        switch (op.kind) {
        case ScriptOp::Kind::SetValue:
        case ScriptOp::Kind::DeleteValue:
            if (!allowed.Value(key, op.name)) {
                return Refuse(where + "the program never writes or deletes " + key + "\\" + op.name);
            }
            if (skipping) continue;
            own.values.emplace_back(key, op.name);
            break;
        case ScriptOp::Kind::CreateKey:
            if (!allowed.OnPath(Fold(key))) return Refuse(where + "the program never creates " + key);
            skipping = !ServiceOf(key).empty() && !sys.ListRegKey(key);
            if (skipping) {
                done.skipped.push_back(ServiceGone(ServiceOf(key)));
                continue;
            }
            if (!sys.ListRegKey(key)) own.trees.push_back(key);
            break;
        case ScriptOp::Kind::DeleteKey: {
            skipping = false;
            if (!allowed.OnPath(Fold(key))) return Refuse(where + "the program never deletes " + key);
            // "[-KEY]" then "[KEY]": the key the pass deleted or copied over, put back as it was.
            // A lone "[-KEY]": a key the pass created, whole when it copied it there.
            const bool putBack = i + 1 < script.ops.size() && script.ops[i + 1].kind == ScriptOp::Kind::CreateKey &&
                                 Fold(sysaccess::JoinKeyPath(script.ops[i + 1].key)) == Fold(key);
            if (putBack || !Allowed::In(allowed.whole, Fold(key))) {
                if (const std::string other = Foreign(sys, allowed, restores, key); !other.empty()) {
                    return Refuse(where + "deleting " + key + " would take " + other + ", which neither the program " +
                                  "nor this journal put there");
                }
            }
            own.trees.push_back(key);
            break;
        }
        }
        import.push_back(op);
    }
    std::vector<std::pair<std::string, std::string>> copies; // target, the checked bytes
    for (const Copy& c : head.files) {
        if (!startup::IsPlainFileName(c.name) || !allowed.File(c.target)) {
            return Refuse(path + ": the copy " + c.name + " of " + c.target + " is not one the program keeps");
        }
        if (!IsSha256(c.sha256)) return Refuse(path + ": the journal holds no SHA-256 of its copy " + c.name);
        const sysaccess::LimitedRead kept = sys.ReadFileUpTo(folder + "\\" + c.name, kMaxJournalBytes);
        if (kept.tooLarge) return Refuse(path + ": its copy " + c.name + " " + TooLarge());
        if (!kept.bytes) return Refuse(path + ": its copy " + c.name + " is missing");
        if (Sha256Hex(*kept.bytes) != c.sha256) {
            return Refuse(path + ": its copy " + c.name +
                          " has changed: its SHA-256 is not the one the journal recorded");
        }
        copies.emplace_back(c.target, *kept.bytes);
        own.newFiles.push_back(c.target);
    }
    for (const std::string& target : head.removes) {
        if (!allowed.File(target)) return Refuse(path + ": " + target + " is not a file the program removes");
        own.files.push_back(target);
    }

    if (Result journaled = WriteJournal(sys, own, "undo", name, &done.journal); !journaled) {
        return Refuse("the undo's own journal cannot be written: " + journaled.error);
    }
    // What was checked above is imported, not the file, which others may be able to replace: it
    // goes to the program's own script, held against writers while regedit reads it.
    const std::string bytes = "\xFF\xFE" + sysaccess::Utf8ToUtf16Le(sysaccess::RegScriptText(import));
    if (sys.FileExists(sysaccess::kScriptPath)) (void)sys.DeleteFiles(sysaccess::kScriptPath);
    std::unique_ptr<sysaccess::FileHold> hold;
    if (Result made = sys.CreateHeldFile(sysaccess::kScriptPath, bytes, hold); !made) {
        return Result::Fail("cannot create " + std::string(sysaccess::kScriptPath) + ": " + made.error);
    }
    const sysaccess::RunResult imported = sys.Run(sysaccess::kImportCommand, sysaccess::RunMode::Wait);
    hold.reset();
    (void)sys.DeleteFiles(sysaccess::kScriptPath);
    if (!imported.ok()) done.failed.push_back("regedit " + imported.Describe());
    // The service manager reads a Start value written into the registry only at the next start: the
    // start types go through it, as the pass sets them.
    for (const ScriptOp& op : import) {
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
    // regedit ends with 0 whether or not it could write: what it was to write is read back.
    for (std::string& differs : NotPutBack(sys, import))
        done.failed.push_back(std::move(differs));
    for (const auto& [target, kept] : copies) {
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
    done.notUndoable = head.notUndoable;
    const std::size_t failures = done.failed.size();
    if (report) *report = std::move(done);
    return failures == 0 ? Result::Ok() : Result::Fail(NotAllPutBack(failures));
}

} // namespace undo
