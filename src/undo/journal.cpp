#include "undo/journal.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

#include "lang/strings.h"
#include "sysaccess/cmdline.h"
#include "sysaccess/forwarding.h"
#include "sysaccess/recording.h"
#include "sysaccess/regpath.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"
#include "sysaccess/wildcard.h"
#include "undo/sha256.h"

namespace undo {

namespace {

using sysaccess::Result;
using sysaccess::RunMode;
using sysaccess::RunResult;

// Holds every effect back and notes what it would change.
class Planner : public sysaccess::ForwardingSystem {
public:
    Planner(System& inner, const form::MainForm& form, Targets& t) : ForwardingSystem(inner), form_(form), t_(t) {}

    Result WriteRegValue(const std::string& key, sysaccess::RegType, const std::string& name,
                         const std::string&) override {
        t_.values.emplace_back(sysaccess::CanonicalKey(key), name);
        return Result::Ok();
    }
    RunResult Run(const std::string& line, RunMode mode) override {
        Note(line);
        if (mode == RunMode::Wait) return RunResult::Exited(0);
        started_.push_back({line, RunResult::Exited(0)});
        return RunResult::Running();
    }
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return std::exchange(started_, {}); }
    Result DeleteFiles(const std::string& path) override {
        if (form_.Visible(form::Page::Wight)) {
            t_.notUndoable.push_back("delete " + path);
            return Result::Ok();
        }
        const std::size_t slash = path.rfind('\\');
        if (slash == std::string::npos) return Result::Ok();
        const std::string folder = path.substr(0, slash), pattern = path.substr(slash + 1);
        for (const std::string& name : Inner().ListFolder(folder)) {
            if (sysaccess::WildcardMatch(pattern, name)) t_.files.push_back(folder + "\\" + name);
        }
        return Result::Ok();
    }
    Result RemoveFolder(const std::string& path) override {
        t_.notUndoable.push_back("rmdir " + path);
        return Result::Ok();
    }
    Result CreateFolder(const std::string&) override { return Result::Ok(); }
    Result ReplaceFileAtomically(const std::string&, const std::string&) override { return Result::Ok(); }
    Result CreateHeldFile(const std::string&, const std::string&, std::unique_ptr<sysaccess::FileHold>&) override {
        return Result::Ok();
    }

private:
    void Note(const std::string& line) {
        const std::vector<std::string> args = sysaccess::SplitCommandLine(line);
        const std::string tool = args.empty() ? std::string() : sysaccess::ToolName(args[0]);
        if (sysaccess::SameName(tool, "reg")) {
            const auto c = sysaccess::ReadRegCommand(args);
            if (!c) return; // refused before it changes anything
            const std::string key = sysaccess::JoinKeyPath(c->key);
            using Verb = sysaccess::RegCommand::Verb;
            if (c->verb == Verb::Add) {
                t_.values.emplace_back(key, "");
            } else if (c->verb == Verb::Copy) {
                t_.copied.push_back(sysaccess::JoinKeyPath(c->target));
                if (Inner().ListRegKey(key)) t_.trees.push_back(sysaccess::JoinKeyPath(c->target));
            } else if (c->value || c->defaultValue) {
                const std::string name = c->value.value_or("");
                if (Inner().ReadRegValue(key, name)) t_.values.emplace_back(key, name);
            } else if (const auto listing = Inner().ListRegKey(key)) {
                if (!c->allValues) {
                    t_.trees.push_back(key);
                } else {
                    for (const std::string& name : listing->values)
                        t_.values.emplace_back(key, name);
                }
            }
            return;
        }
        if (const auto v = sysaccess::ReadToolValue(args)) {
            // sc changes nothing for a service that is not there, and the journal creates none.
            if (!v->service.empty()) {
                t_.services.push_back(v->service);
                if (!Inner().ListRegKey(v->key)) return;
            }
            t_.values.emplace_back(sysaccess::CanonicalKey(v->key), v->name);
            return;
        }
        t_.notUndoable.push_back(line);
    }

    const form::MainForm& form_;
    Targets& t_;
    std::vector<sysaccess::StartedCommand> started_;
};

// The first key of the path, from the root down, that does not exist; nothing when the key does.
std::optional<std::string> FirstMissing(sysaccess::System& sys, const std::string& key) {
    const auto path = sysaccess::ParseKeyPath(key, true);
    if (!path) return std::nullopt;
    sysaccess::KeyPath walk{path->root, {}};
    for (const std::string& part : path->parts) {
        walk.parts.push_back(part);
        const std::string text = sysaccess::JoinKeyPath(walk);
        if (!sys.ListRegKey(text)) return text;
    }
    return std::nullopt;
}

using sysaccess::OneLine;

Result ExportTree(sysaccess::System& sys, const std::string& key, std::string& out, const lang::Say& say) {
    const auto listing = sys.ListRegKey(key);
    if (!listing) return Result::Ok();
    out += "[" + key + "]\r\n";
    for (const std::string& name : listing->values) {
        if (!sysaccess::ScriptCanCarry(name))
            return Result::Fail(say(lang::Str::UncarriableValue, {OneLine(name), key}));
        if (const auto data = sys.ReadRegValue(key, name)) out += sysaccess::RegValueLine(name, *data) + "\r\n";
    }
    out += "\r\n";
    for (const std::string& sub : listing->subkeys) {
        if (!sysaccess::ScriptCanCarry(sub)) return Result::Fail(say(lang::Str::UncarriableKey, {OneLine(sub), key}));
        if (Result done = ExportTree(sys, key + "\\" + sub, out, say); !done) return done;
    }
    return Result::Ok();
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::any_of(list.begin(), list.end(), [&](const std::string& s) { return sysaccess::SameName(s, item); });
}

std::string DefaultNow() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

} // namespace

std::function<std::string()> Now = DefaultNow;

Targets PlanTargets(const form::MainForm& form, sysaccess::System& sys, const Pass& pass) {
    Targets targets;
    form::MainForm copy = form;
    copy.SetObserver(nullptr);
    Planner planner(sys, copy, targets);
    form::WindowlessHost host; // the planning run shows nothing; automatic optimisation is confirmed
    form::Context ctx{copy, planner, host};
    pass(ctx);
    return targets;
}

std::string UndoFolder(sysaccess::System& sys) {
    return sys.ProgramFolder() + "\\undo";
}

namespace {

// The journal's text (UTF-8) for the state sys holds now, and the copies it names.
struct Journal {
    std::string text;
    std::vector<std::pair<std::string, std::string>> copies; // file name in the undo folder, bytes
};

Result BuildJournal(sysaccess::System& sys, const Targets& targets, const std::string& what, const std::string& undoes,
                    const std::string& name, const std::string& time, const lang::Say& say, Journal& j) {
    std::string head = std::string(sysaccess::kRegScriptHeader) + "\r\n\r\n; Sysvela undo journal\r\n";
    head += "; what=" + what + "\r\n; computer=" + sys.ComputerName() + "\r\n; user=" + sys.UserSid() + "|" +
            sys.UserName() + "\r\n; time=" + time + "\r\n";
    if (!undoes.empty()) head += "; undoes=" + undoes + "\r\n";
    std::vector<std::string> missing; // keys the pass creates: removed after every line naming them
    const auto noteMissing = [&](const std::string& key) {
        if (auto first = FirstMissing(sys, key); first && !Contains(missing, *first)) missing.push_back(*first);
        return sys.ListRegKey(key).has_value();
    };

    std::vector<std::string> done;
    std::string body;
    for (const std::string& tree : targets.trees) {
        if (Contains(done, tree) || !noteMissing(tree)) continue;
        done.push_back(tree);
        body += "[-" + tree + "]\r\n";
        if (Result exported = ExportTree(sys, tree, body, say); !exported) return exported;
    }
    std::vector<std::string> keys; // value keys in first-seen order
    for (const auto& [key, name] : targets.values) {
        if (!Contains(keys, key)) keys.push_back(key);
    }
    for (const std::string& key : keys) {
        if (!noteMissing(key)) continue;
        body += "[" + key + "]\r\n";
        std::vector<std::string> names;
        for (const auto& [k, name] : targets.values) {
            if (!sysaccess::SameName(k, key) || Contains(names, name)) continue;
            if (!sysaccess::ScriptCanCarry(name))
                return Result::Fail(say(lang::Str::UncarriableValue, {OneLine(name), key}));
            names.push_back(name);
            const auto data = sys.ReadRegValue(key, name);
            body += (data ? sysaccess::RegValueLine(name, *data) : sysaccess::RegValueDeletionLine(name)) + "\r\n";
        }
        body += "\r\n";
    }
    for (const std::string& key : missing)
        body += "[-" + key + "]\r\n";

    int n = 0;
    std::vector<std::string> copied;
    for (const std::string& file : targets.files) {
        if (Contains(copied, file)) continue;
        const sysaccess::LimitedRead read = sys.ReadFileUpTo(file, kMaxJournalBytes);
        if (read.tooLarge) return Result::Fail(say(lang::Str::FileTooLargeToKeep, {file, MaxJournalSize()}));
        const auto& bytes = read.bytes;
        if (!bytes) continue;
        copied.push_back(file);
        const std::string copy = name + "." + std::to_string(++n);
        j.copies.emplace_back(copy, *bytes);
        head += "; file=" + copy + "|" + Sha256Hex(*bytes) + "|" + file + "\r\n";
    }
    for (const std::string& file : targets.newFiles) {
        if (!sys.ReadFile(file)) head += "; remove=" + file + "\r\n";
    }
    for (const std::string& line : targets.notUndoable)
        head += "; not undoable: " + line + "\r\n";
    j.text = head + "\r\n" + body + "\r\n; end\r\n";
    // What the undo will check, checked now: a journal it would refuse is no journal at all.
    if (const auto rejected = sysaccess::ReadRegScript(j.text).rejected; !rejected.empty()) {
        return Result::Fail(say(lang::Str::JournalWouldNotImport,
                                {std::to_string(rejected.front().number), OneLine(rejected.front().text)}));
    }
    return Result::Ok();
}

} // namespace

std::string LogPath(const std::string& journal) {
    const std::size_t dot = journal.rfind('.');
    const std::size_t slash = journal.rfind('\\');
    const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (extension ? journal.substr(0, dot) : journal) + ".log";
}

Result WriteJournal(sysaccess::System& sys, const Targets& targets, const std::string& what, const std::string& undoes,
                    lang::Language language, std::string* path, std::string* log) {
    const lang::Say say{language};
    const std::string folder = UndoFolder(sys);
    if (Result made = sys.CreateFolder(folder); !made)
        return Result::Fail(say(lang::Str::FolderNotCreated, {folder, made.error}));
    const std::string time = Now();
    std::string stamp;
    for (char c : time) {
        if (c >= '0' && c <= '9') stamp += c;
        if (stamp.size() == 8 && c == ' ') stamp += '-';
    }
    std::string name;
    for (int n = 1; name.empty() || sys.FileExists(folder + "\\" + name); ++n) {
        if (n > 99) return Result::Fail(say(lang::Str::TooManyJournals));
        name = stamp + (n < 10 ? "-0" : "-") + std::to_string(n) + ".reg";
    }
    Journal j;
    if (Result built = BuildJournal(sys, targets, what, undoes, name, time, say, j); !built) return built;
    // A pass whose log cannot be created does not run, so the log comes before the journal.
    if (log) {
        *log = LogPath(folder + "\\" + name);
        if (Result made = sys.ReplaceFileAtomically(*log, sysaccess::kUtf8Bom); !made)
            return Result::Fail(say(lang::Str::LogNotCreated, {*log, made.error}));
    }
    for (const auto& [copy, bytes] : j.copies) {
        if (Result written = sys.ReplaceFileAtomically(folder + "\\" + copy, bytes); !written) return written;
    }
    const std::string bytes = "\xFF\xFE" + sysaccess::Utf8ToUtf16Le(j.text);
    if (bytes.size() > kMaxJournalBytes)
        return Result::Fail(say(lang::Str::JournalTooLargeToWrite, {MaxJournalSize()}));
    const std::string file = folder + "\\" + name;
    if (Result written = sys.ReplaceFileAtomically(file, bytes); !written) return written;
    if (Result kept = sys.WriteRegValue(kHashesKey, sysaccess::RegType::String, name, Sha256Hex(bytes)); !kept) {
        return Result::Fail(say(lang::Str::HashNotRecorded, {kept.error}));
    }
    if (path) *path = file;
    return Result::Ok();
}

Result JournalPass(const form::MainForm& form, sysaccess::System& sys, const Pass& pass, const std::string& what,
                   lang::Language language, std::string* path, std::string* log) {
    return WriteJournal(sys, PlanTargets(form, sys, pass), what, "", language, path, log);
}

} // namespace undo
