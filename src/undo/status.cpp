#include "undo/status.h"

#include <algorithm>
#include <functional>
#include <set>

#include "optimize/applies.h"
#include "optimize/sections.h"
#include "sysaccess/cmdline.h"
#include "sysaccess/forwarding.h"
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
    std::string id; // identity, to tell one option's effects from the page's at rest
};

// Holds every effect back and notes what each would leave.
class Expecter : public sysaccess::ForwardingSystem {
public:
    explicit Expecter(System& inner) : ForwardingSystem(inner) {}
    std::vector<Expect> seen;

    Result WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                         const std::string& data) override {
        Expect e{Expect::Kind::Value, key, name, {}, "w|" + key + "|" + name + "|" + data};
        if (type == sysaccess::RegType::Dword) {
            e.data.type = sysaccess::kRegDword;
            e.data.dword = static_cast<std::uint32_t>(std::stoul(data.empty() ? "0" : data, nullptr, 16));
        } else {
            e.data.type = sysaccess::kRegSz;
            e.data.text = data;
        }
        seen.push_back(std::move(e));
        return Result::Ok();
    }
    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        seen.push_back(FromCommand(line));
        return mode == sysaccess::RunMode::Wait ? sysaccess::RunResult::Exited(0) : sysaccess::RunResult::Running();
    }
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return {}; }
    Result DeleteFiles(const std::string& path) override {
        seen.push_back({Expect::Kind::NoFile, path, {}, {}, "d|" + path});
        return Result::Ok();
    }
    Result RemoveFolder(const std::string& path) override {
        seen.push_back({Expect::Kind::NoFolder, path, {}, {}, "r|" + path});
        return Result::Ok();
    }
    bool FileExists(const std::string&) override { return true; }   // every deletion is noted
    bool FolderExists(const std::string&) override { return true; } // every removal is noted

private:
    Expect FromCommand(const std::string& line) {
        Expect e{Expect::Kind::Command, {}, {}, {}, "c|" + line};
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

std::vector<Expect> Effects(sysaccess::System& sys, form::MainForm form) {
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

std::vector<OptionStatus> PageStatus(sysaccess::System& sys, form::Page page) {
    // A tick leaves what its page's list item and cache size say: every choice of them is a way of
    // being on. The rest of the form is at rest: every box cleared, the lists empty.
    std::vector<form::MainForm> variants;
    for (int combo3 = 0; combo3 < form::kCombo3Count; ++combo3) {
        for (int opt = 0; opt < form::kOptCount; ++opt) {
            form::MainForm rest;
            rest.SetCombo2(0);
            rest.SetCombo3(combo3);
            rest.SelectOpt(opt);
            rest.UserName = sys.UserName();
            rest.ShowPage(page);
            variants.push_back(std::move(rest));
        }
    }
    std::vector<std::set<std::string>> restIds;
    for (const form::MainForm& rest : variants) {
        std::set<std::string> ids;
        for (const Expect& e : Effects(sys, rest))
            ids.insert(e.id);
        restIds.push_back(std::move(ids));
    }
    const auto state = [&](const std::function<void(form::MainForm&)>& tick) {
        std::set<std::vector<std::string>> seen; // variants that leave the same to read are read once
        OptionState best = OptionState::Unknown;
        for (std::size_t v = 0; v < variants.size(); ++v) {
            form::MainForm ticked = variants[v];
            tick(ticked);
            std::vector<Expect> readable;
            std::vector<std::string> ids;
            for (Expect& e : Effects(sys, ticked)) {
                // A key that a command makes says little: the cleared state may make it too.
                if (restIds[v].contains(e.id) || e.kind == Expect::Kind::Command || e.kind == Expect::Kind::Key)
                    continue;
                ids.push_back(e.id);
                readable.push_back(std::move(e));
            }
            if (!seen.insert(ids).second) continue;
            const int on = static_cast<int>(
                std::count_if(readable.begin(), readable.end(), [&](const Expect& e) { return Holds(sys, e); }));
            const OptionState s = FromCounts(on, static_cast<int>(readable.size()));
            // On anywhere is on; else some of it anywhere is mixed; else off where it can be read.
            if (s == OptionState::On || best == OptionState::Unknown ||
                (s == OptionState::Mixed && best == OptionState::Off))
                best = s;
        }
        return best;
    };
    std::vector<OptionStatus> out;
    if (page == form::Page::Service) {
        for (int i = 0; i < form::kServiceCount; ++i) {
            if (optimize::Verdict v = optimize::JudgeService(i, sys); !v.applies) {
                out.push_back({-1, i, OptionState::NotApplicable, std::move(v.why)});
                continue;
            }
            out.push_back({-1, i, state([i](form::MainForm& f) { f.SetService(i, true); }), {}});
        }
        return out;
    }
    for (const form::Option& o : form::kOptions) {
        if (o.page != page) continue;
        if (optimize::Verdict v = optimize::JudgeOption(o.chk, sys); !v.applies) {
            out.push_back({o.chk, -1, OptionState::NotApplicable, std::move(v.why)});
            continue;
        }
        out.push_back({o.chk, -1, state([&o](form::MainForm& f) { f.SetChk(o.chk, form::kTicked); }), {}});
    }
    return out;
}

} // namespace undo
