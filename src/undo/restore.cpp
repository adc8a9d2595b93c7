#include "undo/restore.h"

#include <algorithm>

#include "form/context.h"
#include "optimize/pass.h"
#include "startup/startup.h"
#include "sysaccess/folders.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "undo/journal.h"
#include "undo/sha256.h"

namespace undo {

namespace {

using sysaccess::Result;

constexpr const char* kUserRun = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kMachineRun = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
// The 32-bit programs' Run key on 64-bit Windows, as the 64-bit tools reach it.
constexpr const char* kMachineRun32 = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run)";

std::string Fold(const std::string& key) {
    const auto path = sysaccess::ParseKeyPath(key, true);
    return sysaccess::FoldCase(path ? sysaccess::JoinKeyPath(*path) : key);
}

bool AtOrBelow(const std::string& key, const std::string& top) {
    return key == top || (key.size() > top.size() && key.starts_with(top) && key[top.size()] == '\\');
}

// What the program writes or deletes on this machine: every page planned with every option
// ticked and with every option cleared, the Run keys' values, the Startup folders' files.
struct Allowed {
    std::vector<std::pair<std::string, std::string>> values; // folded key, folded name
    std::vector<std::string> trees;                          // folded keys whose whole subtree
    std::vector<std::string> folders;                        // folded folders whose files
    std::vector<std::string> anyValue; // folded keys any of whose values the program removes, never whole

    bool Value(const std::string& key, const std::string& name) const {
        const std::string k = Fold(key), n = sysaccess::FoldCase(name);
        if (Tree(k) || std::find(anyValue.begin(), anyValue.end(), k) != anyValue.end()) return true;
        return std::any_of(values.begin(), values.end(), [&](const auto& v) { return v.first == k && v.second == n; });
    }
    bool Tree(const std::string& folded) const {
        return std::any_of(trees.begin(), trees.end(), [&](const std::string& t) { return AtOrBelow(folded, t); });
    }
    // An ancestor of (or the same as) a key the program writes in.
    bool OnPath(const std::string& folded) const {
        const auto above = [&](const std::string& k) { return AtOrBelow(k, folded); };
        return Tree(folded) || std::any_of(trees.begin(), trees.end(), above) ||
               std::any_of(anyValue.begin(), anyValue.end(), above) ||
               std::any_of(values.begin(), values.end(), [&](const auto& v) { return above(v.first); });
    }
    bool File(const std::string& path) const {
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string::npos || !startup::IsPlainFileName(path.substr(slash + 1))) return false;
        return std::find(folders.begin(), folders.end(), sysaccess::FoldCase(path.substr(0, slash))) != folders.end();
    }
};

Allowed WhatTheProgramChanges(sysaccess::System& sys) {
    Allowed a;
    form::MainForm form;
    form.UserName = sys.UserName();
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
            for (const std::string& key : t.trees)
                a.trees.push_back(Fold(key));
        }
    }
    // The safe-boot keys move both ways, whichever side holds them now.
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
    const sysaccess::KnownFolder startMenu = sysaccess::KnownFolder::CommonStartMenu;
    a.folders.push_back(sysaccess::FoldCase(sysaccess::ResolveOrFixed(sys, startMenu, sysaccess::XpFolder(startMenu))));
    return a;
}

// Nothing beneath key but what the program writes: deleting it takes nothing of anyone else's.
// The Run keys' values belong to the programs that start from them.
bool OnlyOurs(sysaccess::System& sys, const Allowed& a, const std::string& key) {
    if (a.Tree(Fold(key))) return true;
    const auto listing = sys.ListRegKey(key);
    if (!listing) return true;
    const std::string folded = Fold(key);
    if (!a.OnPath(folded) || std::find(a.anyValue.begin(), a.anyValue.end(), folded) != a.anyValue.end()) return false;
    for (const std::string& name : listing->values) {
        if (!a.Value(key, name)) return false;
    }
    for (const std::string& sub : listing->subkeys) {
        if (!OnlyOurs(sys, a, key + "\\" + sub)) return false;
    }
    return true;
}

struct Head {
    std::string what, computer, time;
    std::vector<std::pair<std::string, std::string>> files; // copy, path
    std::vector<std::string> removes;
    std::vector<std::string> notUndoable;
    bool ended = false;
};

Head ReadHead(const std::string& text) {
    Head h;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        const auto field = [&](const char* prefix, std::string& out) {
            if (!line.starts_with(prefix)) return false;
            out = line.substr(std::char_traits<char>::length(prefix));
            return true;
        };
        std::string value;
        h.ended = line == "; end";
        if (field("; what=", h.what) || field("; computer=", h.computer) || field("; time=", h.time)) continue;
        if (field("; file=", value)) {
            const std::size_t bar = value.find('|');
            h.files.emplace_back(value.substr(0, bar), bar == std::string::npos ? "" : value.substr(bar + 1));
        } else if (field("; remove=", value)) {
            h.removes.push_back(value);
        } else if (field("; not undoable: ", value)) {
            h.notUndoable.push_back(value);
        }
    }
    return h;
}

Result Refuse(const std::string& why) {
    return Result::Fail(why + "; nothing was changed");
}

} // namespace

std::vector<JournalEntry> ListJournals(sysaccess::System& sys) {
    std::vector<JournalEntry> out;
    const std::string folder = UndoFolder(sys);
    for (const std::string& name : sys.ListFolder(folder)) {
        if (name.size() < 5 || !sysaccess::SameName(name.substr(name.size() - 4), ".reg")) continue;
        const auto bytes = sys.ReadFile(folder + "\\" + name);
        const Head h =
            bytes && bytes->starts_with("\xFF\xFE") ? ReadHead(sysaccess::Utf16LeToUtf8(bytes->substr(2))) : Head{};
        out.push_back({name, h.what, h.computer, h.time});
    }
    std::sort(out.begin(), out.end(), [](const JournalEntry& a, const JournalEntry& b) { return a.name < b.name; });
    return out;
}

Result Undo(sysaccess::System& sys, const std::string& given, bool force, UndoReport* report) {
    const std::string path = given.find('\\') == std::string::npos ? UndoFolder(sys) + "\\" + given : given;
    const std::string folder = path.substr(0, path.rfind('\\'));
    const std::string name = path.substr(path.rfind('\\') + 1);
    const auto bytes = sys.ReadFile(path);
    if (!bytes) return Refuse("cannot read " + path);
    if (!bytes->starts_with("\xFF\xFE") || bytes->size() % 2 != 0) {
        return Refuse(path + " is not a journal: not UTF-16 LE as the program writes it");
    }
    const std::string text = sysaccess::Utf16LeToUtf8(bytes->substr(2));
    const Head head = ReadHead(text);
    if (!head.ended) return Refuse(path + " is cut short: its last line is not \"; end\"");
    const sysaccess::RegScript script = sysaccess::ReadRegScript(text);
    if (!script.rejected.empty()) {
        const auto& r = script.rejected.front();
        return Refuse(path + ": line " + std::to_string(r.number) + " does not parse: " + r.text);
    }
    const auto recorded = sys.ReadRegValue(kHashesKey, name);
    if (!recorded || recorded->text != Sha256Hex(*bytes)) {
        return Refuse(path + ": its SHA-256 is not the one recorded when it was written");
    }
    if (!force && !sysaccess::SameName(head.computer, sys.ComputerName())) {
        return Refuse(path + " was written on " + head.computer + ", not on this computer (--force undoes it here)");
    }

    const Allowed allowed = WhatTheProgramChanges(sys);
    Targets own; // what this undo changes, for its own journal
    for (const sysaccess::ScriptOp& op : script.ops) {
        const std::string key = sysaccess::JoinKeyPath(op.key);
        const std::string where = path + ": line " + std::to_string(op.line) + ": ";
        switch (op.kind) {
        case sysaccess::ScriptOp::Kind::SetValue:
        case sysaccess::ScriptOp::Kind::DeleteValue:
            if (!allowed.Value(key, op.name)) {
                return Refuse(where + "the program never writes or deletes " + key + "\\" + op.name);
            }
            own.values.emplace_back(key, op.name);
            break;
        case sysaccess::ScriptOp::Kind::CreateKey:
            if (!allowed.OnPath(Fold(key))) return Refuse(where + "the program never creates " + key);
            if (!sys.ListRegKey(key)) own.trees.push_back(key);
            break;
        case sysaccess::ScriptOp::Kind::DeleteKey:
            if (!allowed.OnPath(Fold(key)) || !OnlyOurs(sys, allowed, key)) {
                return Refuse(where + "the program never deletes " + key + " with what it holds now");
            }
            own.trees.push_back(key);
            break;
        }
    }
    for (const auto& [copy, target] : head.files) {
        if (!startup::IsPlainFileName(copy) || !allowed.File(target)) {
            return Refuse(path + ": the copy " + copy + " of " + target + " is not one the program keeps");
        }
        if (!sys.ReadFile(folder + "\\" + copy)) return Refuse(path + ": its copy " + copy + " is missing");
        own.newFiles.push_back(target);
    }
    for (const std::string& target : head.removes) {
        if (!allowed.File(target)) return Refuse(path + ": " + target + " is not a file the program removes");
        own.files.push_back(target);
    }

    UndoReport done;
    if (Result journaled = WriteJournal(sys, own, "undo", &done.journal); !journaled) {
        return Refuse("the undo's own journal cannot be written: " + journaled.error);
    }
    // The bytes checked above are imported, not the file, which others may be able to replace: they
    // go to the program's own script, held against writers while regedit reads it.
    if (sys.FileExists(sysaccess::kScriptPath)) (void)sys.DeleteFiles(sysaccess::kScriptPath);
    std::unique_ptr<sysaccess::FileHold> hold;
    if (Result made = sys.CreateHeldFile(sysaccess::kScriptPath, *bytes, hold); !made) {
        return Result::Fail("cannot create " + std::string(sysaccess::kScriptPath) + ": " + made.error);
    }
    const sysaccess::RunResult imported = sys.Run(sysaccess::kImportCommand, sysaccess::RunMode::Wait);
    hold.reset();
    (void)sys.DeleteFiles(sysaccess::kScriptPath);
    if (!imported.ok()) return Result::Fail("regedit " + imported.Describe());
    for (const auto& [copy, target] : head.files) {
        if (sys.FileExists(target)) continue;
        const auto kept = sys.ReadFile(folder + "\\" + copy);
        if (Result put = kept ? sys.ReplaceFileAtomically(target, *kept) : Result::Fail("copy unreadable"); !put) {
            return Result::Fail("cannot put back " + target + ": " + put.error);
        }
        done.restoredFiles.push_back(target);
    }
    for (const std::string& target : head.removes) {
        if (!sys.FileExists(target)) continue;
        if (Result gone = sys.DeleteFiles(target); !gone) return Result::Fail("cannot remove " + target);
    }
    done.notUndoable = head.notUndoable;
    if (report) *report = std::move(done);
    return Result::Ok();
}

} // namespace undo
