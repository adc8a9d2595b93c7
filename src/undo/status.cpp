#include "undo/status.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "optimize/applies.h"
#include "optimize/sections.h"
#include "sysaccess/cmdline.h"
#include "sysaccess/forwarding.h"
#include "sysaccess/recording.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"
#include "undo/journal.h"

namespace undo {

namespace {

using sysaccess::Result;

// One thing a pass leaves on the machine, and how to read it back.
struct Expect {
    enum class Kind { Value, NoValue, Key, NoKey, NoFile, NoFolder, Command };
    Kind kind = Kind::Command;
    std::string key, name;
    sysaccess::RegData data;
    std::string id;       // identity, to tell one option's effects from the page's at rest
    std::string words;    // the effect as plan prints it
    bool service = false; // a service's start type, set by sc
};

std::string Words(sysaccess::EffectKind kind, const std::string& text) {
    return sysaccess::EffectWords({kind, text, sysaccess::Outcome::Ok, {}, false});
}

Expect FromWrite(const std::string& key, sysaccess::RegType type, const std::string& name, const std::string& data) {
    const std::string text = sysaccess::WriteText(key, type, name, data);
    Expect e{Expect::Kind::Value, key, name, {}, "w|" + text, Words(sysaccess::EffectKind::Write, text)};
    if (const auto imported = sysaccess::ImportedData(type, data)) {
        e.data = *imported;
    } else {
        e.kind = Expect::Kind::Command; // the import refuses it: nothing to read back
    }
    return e;
}

Expect FromCommand(const std::string& line, sysaccess::RunMode mode) {
    Expect e{
        Expect::Kind::Command,
        {},
        {},
        {},
        "c|" + line,
        Words(mode == sysaccess::RunMode::Wait ? sysaccess::EffectKind::Wait : sysaccess::EffectKind::Start, line)};
    const std::vector<std::string> args = sysaccess::SplitCommandLine(line);
    const std::string tool = args.empty() ? std::string() : sysaccess::ToolName(args[0]);
    if (const auto v = sysaccess::ReadToolValue(args)) {
        e.kind = Expect::Kind::Value;
        e.key = v->key;
        e.name = v->name;
        e.data.type = v->type;
        e.data.dword = v->dword;
        if (v->type == sysaccess::kRegMultiSz)
            e.data.bytes = sysaccess::Utf8ToUtf16Le(v->command) + std::string(4, '\0');
        e.service = !v->service.empty();
    } else if (sysaccess::SameName(tool, "reg")) {
        if (const auto c = sysaccess::ReadRegCommand(args)) {
            using Verb = sysaccess::RegCommand::Verb;
            e.key = sysaccess::JoinKeyPath(c->verb == Verb::Copy ? c->target : c->key);
            if (c->verb == Verb::Delete && (c->value || c->defaultValue)) {
                e.kind = Expect::Kind::NoValue;
                e.name = c->value.value_or("");
            } else if (c->verb == Verb::Delete && !c->allValues) {
                e.kind = Expect::Kind::NoKey;
            } else if (c->verb != Verb::Delete) {
                e.kind = Expect::Kind::Key;
            }
        }
    }
    return e;
}

Expect FromDelete(const std::string& path) {
    return {Expect::Kind::NoFile, path, {}, {}, "d|" + path, Words(sysaccess::EffectKind::Delete, path)};
}

Expect FromRmdir(const std::string& path) {
    return {Expect::Kind::NoFolder, path, {}, {}, "r|" + path, Words(sysaccess::EffectKind::Rmdir, path)};
}

// Holds every effect back and notes what each would leave.
class Expecter : public sysaccess::ForwardingSystem {
public:
    explicit Expecter(System& inner) : ForwardingSystem(inner) {}
    std::vector<Expect> seen;

    Result WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                         const std::string& data) override {
        seen.push_back(FromWrite(key, type, name, data));
        return Result::Ok();
    }
    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        seen.push_back(FromCommand(line, mode));
        return mode == sysaccess::RunMode::Wait ? sysaccess::RunResult::Exited(0) : sysaccess::RunResult::Running();
    }
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return {}; }
    Result DeleteFiles(const std::string& path) override {
        seen.push_back(FromDelete(path));
        return Result::Ok();
    }
    Result RemoveFolder(const std::string& path) override {
        seen.push_back(FromRmdir(path));
        return Result::Ok();
    }
    bool FileExists(const std::string&) override { return true; }   // every deletion is noted
    bool FolderExists(const std::string&) override { return true; } // every removal is noted
};

bool Holds(sysaccess::System& sys, const Expect& e) {
    switch (e.kind) {
    case Expect::Kind::Value: {
        const auto v = sys.ReadRegValue(e.key, e.name);
        return v && sysaccess::SameRegData(*v, e.data);
    }
    case Expect::Kind::NoValue:
        return !sys.ReadRegValue(e.key, e.name);
    case Expect::Kind::Key:
        return sys.ListRegKey(e.key).has_value();
    case Expect::Kind::NoKey:
        return !sys.ListRegKey(e.key);
    case Expect::Kind::NoFile:
        return !sys.FileExists(e.key);
    case Expect::Kind::NoFolder:
        return !sys.FolderExists(e.key);
    case Expect::Kind::Command:
        break;
    }
    return false;
}

// What a pass of form's page leaves; the section moves only the form's progress bar.
std::vector<Expect> PassLeaves(sysaccess::System& sys, form::MainForm& form) {
    Expecter expecter(sys);
    optimize::RunOptionsSection(form, expecter);
    return std::move(expecter.seen);
}

OptionState FromCounts(int on, int readable) {
    if (readable == 0) return OptionState::Unknown;
    if (on == readable) return OptionState::On;
    return on == 0 ? OptionState::Off : OptionState::Mixed;
}

} // namespace

const char* StateWord(OptionState s) {
    switch (s) {
    case OptionState::On:
        return "on";
    case OptionState::Off:
        return "off";
    case OptionState::Mixed:
        return "mixed";
    case OptionState::Unknown:
        return "unknown";
    case OptionState::NotApplicable:
        return "n/a";
    }
    return "?";
}

namespace {

Foresight Judge(sysaccess::System& sys, const Expect& e) {
    if (e.kind == Expect::Kind::Command) return Foresight::Unknown;
    if (e.service && !sys.ListRegKey(e.key)) return Foresight::Unknown; // sc cannot set it
    return Holds(sys, e) ? Foresight::AtTarget : Foresight::Changes;
}

} // namespace

Result Foreseer::WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                               const std::string& data) {
    judged_.push_back(Judge(Inner(), FromWrite(key, type, name, data)));
    return Inner().WriteRegValue(key, type, name, data);
}

sysaccess::RunResult Foreseer::Run(const std::string& commandLine, sysaccess::RunMode mode) {
    judged_.push_back(Judge(Inner(), FromCommand(commandLine, mode)));
    return Inner().Run(commandLine, mode);
}

Result Foreseer::DeleteFiles(const std::string& path) {
    judged_.push_back(Judge(Inner(), FromDelete(path)));
    return Inner().DeleteFiles(path);
}

Result Foreseer::RemoveFolder(const std::string& path) {
    judged_.push_back(Judge(Inner(), FromRmdir(path)));
    return Inner().RemoveFolder(path);
}

Result Foreseer::ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    judged_.push_back(Foresight::Changes);
    return Inner().ReplaceFileAtomically(path, bytes);
}

Result Foreseer::CreateHeldFile(const std::string& path, const std::string& bytes,
                                std::unique_ptr<sysaccess::FileHold>& hold) {
    judged_.push_back(Foresight::Changes);
    return Inner().CreateHeldFile(path, bytes, hold);
}

struct PageReader::Option {
    int chk = -1;
    int service = -1; // the service, on the service page
    // What its tick leaves that the page at rest does not, to read back: one list for each way of
    // being ticked that leaves something else (the list item and cache size it goes with).
    std::vector<std::vector<Expect>> ways;
};

namespace {

// The form at rest with one choice of the list item and the cache size a tick goes with: every box
// cleared, the lists empty, and what the pass leaves so.
struct Variant {
    form::MainForm work;
    std::vector<Expect> atRest;
    std::set<std::string> restIds;
};

Variant MakeVariant(sysaccess::System& sys, form::Page page, int combo3, int opt) {
    Variant v;
    v.work.SetCombo2(0);
    v.work.SetCombo3(combo3);
    v.work.SelectOpt(opt);
    v.work.UserName = sys.UserName();
    v.work.ShowPage(page);
    v.atRest = PassLeaves(sys, v.work);
    for (const Expect& e : v.atRest)
        v.restIds.insert(e.id);
    return v;
}

// What the pass leaves with the option ticked (tick(true)) that the variant at rest does not.
std::vector<Expect> TickLeaves(sysaccess::System& sys, Variant& v,
                               const std::function<void(form::MainForm&, bool)>& tick,
                               std::vector<Expect>* all = nullptr) {
    tick(v.work, true);
    std::vector<Expect> made = PassLeaves(sys, v.work);
    tick(v.work, false);
    std::vector<Expect> readable;
    for (const Expect& e : made) {
        // A key that a command makes says little: the cleared state may make it too.
        if (!v.restIds.contains(e.id) && e.kind != Expect::Kind::Command && e.kind != Expect::Kind::Key)
            readable.push_back(e);
    }
    if (all) *all = std::move(made);
    return readable;
}

std::vector<std::string> Ids(const std::vector<Expect>& expects) {
    std::vector<std::string> ids;
    for (const Expect& e : expects)
        ids.push_back(e.id);
    return ids;
}

} // namespace

PageReader::PageReader(sysaccess::System& sys, form::Page page) {
    // A tick leaves what its page's list item and cache size say: every choice of them is a way of
    // being on. Most options do not read them: an option is worked out under every choice only when
    // the first choice and the last leave something else.
    std::vector<Variant> variants;
    variants.push_back(MakeVariant(sys, page, 0, 0));
    const auto all = [&] {
        if (variants.size() > 2) return;
        variants.pop_back(); // the last, made again in its turn
        for (int combo3 = 0; combo3 < form::kCombo3Count; ++combo3) {
            for (int opt = 0; opt < form::kOptCount; ++opt) {
                if (combo3 != 0 || opt != 0) variants.push_back(MakeVariant(sys, page, combo3, opt));
            }
        }
    };
    variants.push_back(MakeVariant(sys, page, form::kCombo3Count - 1, form::kOptCount - 1));

    auto options = std::make_shared<std::vector<Option>>();
    const auto add = [&](int chk, int service, const std::function<void(form::MainForm&, bool)>& tick) {
        Option o{chk, service, {}};
        std::vector<Expect> made;
        o.ways.push_back(TickLeaves(sys, variants.front(), tick, &made));
        if (Ids(TickLeaves(sys, variants.back(), tick)) != Ids(o.ways.front())) {
            all();
            std::set<std::vector<std::string>> seen{Ids(o.ways.front())}; // ways that leave the same are read once
            for (std::size_t v = 1; v < variants.size(); ++v) {
                std::vector<Expect> way = TickLeaves(sys, variants[v], tick);
                if (seen.insert(Ids(way)).second) o.ways.push_back(std::move(way));
            }
        }
        // In plan's words, on the form at rest with the first choice.
        OptionEffects words{chk, {}, {}};
        std::set<std::string> madeIds;
        for (const Expect& e : made) {
            madeIds.insert(e.id);
            if (!variants.front().restIds.contains(e.id)) words.ticked.push_back(e.words);
        }
        for (const Expect& e : variants.front().atRest) {
            if (!madeIds.contains(e.id)) words.cleared.push_back(e.words);
        }
        options->push_back(std::move(o));
        effects_.push_back(std::move(words));
    };
    if (page == form::Page::Service) {
        for (int i = 0; i < form::kServiceCount; ++i)
            add(-1, i, [i](form::MainForm& f, bool on) { f.SetService(i, on); });
    } else {
        for (const form::Option& o : form::kOptions) {
            if (o.page == page)
                add(o.chk, -1,
                    [&o](form::MainForm& f, bool on) { f.SetChk(o.chk, on ? form::kTicked : form::kCleared); });
        }
    }
    options_ = std::move(options);
}

std::vector<OptionStatus> PageReader::Read(sysaccess::System& sys) const {
    std::vector<OptionStatus> out;
    for (const Option& o : *options_) {
        // What has no effect on this Windows is not read.
        if (optimize::Verdict v =
                o.chk >= 0 ? optimize::JudgeOption(o.chk, sys) : optimize::JudgeService(o.service, sys);
            !v.applies) {
            out.push_back({o.chk, o.service, OptionState::NotApplicable, std::move(v.why)});
            continue;
        }
        OptionState best = OptionState::Unknown;
        for (const std::vector<Expect>& way : o.ways) {
            const int on =
                static_cast<int>(std::count_if(way.begin(), way.end(), [&](const Expect& e) { return Holds(sys, e); }));
            const OptionState s = FromCounts(on, static_cast<int>(way.size()));
            // On anywhere is on; else some of it anywhere is mixed; else off where it can be read.
            if (s == OptionState::On || best == OptionState::Unknown ||
                (s == OptionState::Mixed && best == OptionState::Off))
                best = s;
        }
        out.push_back({o.chk, o.service, best, {}});
    }
    return out;
}

std::vector<OptionStatus> PageStatus(sysaccess::System& sys, form::Page page) {
    return PageReader(sys, page).Read(sys);
}

} // namespace undo
