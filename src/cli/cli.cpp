#include "cli/cli.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <system_error>

#include "app/shell.h"
#include "cli/batch.h"
#include "cli/options.h"
#include "form/facts.h"
#include "lang/strings.h"
#include "optimize/applies.h"
#include "optimize/pass.h"
#include "presets/presets.h"
#include "settings/settings.h"
#include "sysaccess/encoding.h"
#include "sysaccess/recording.h"
#include "sysaccess/sim/machine.h"
#include "undo/journal.h"
#include "undo/restore.h"
#include "undo/status.h"
#include "version/version.h"

namespace cli {

namespace {

using sysaccess::RecordingSystem;
using sysaccess::RecordMode;

constexpr const char* kDefaultMachineDir = "sysvela-machine";
constexpr unsigned kUtf8CodePage = 65001;

using sysaccess::OneLine;

// A line on stderr, in the language of the run.
void Say(const Env& env, lang::CliStr id, std::initializer_list<std::string_view> args = {}) {
    env.err(lang::Format(id, env.language, args));
}

std::filesystem::path HostPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::optional<std::string> ReadHostFile(const std::string& path) {
    std::ifstream in(HostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// The machine a command acts on, and how to keep what was done to it.
struct Target {
    std::unique_ptr<sysaccess::System> system;
    std::string simDir;                      // empty: the real system, which keeps its changes itself
    std::function<sysaccess::Result()> save; // the simulated machine back to its folder
};

bool OpenSim(const std::string& dir, const Env& env, Target& target) {
    std::error_code ec;
    const std::filesystem::path path = HostPath(dir);
    const bool fresh = !std::filesystem::exists(path, ec) ||
                       (std::filesystem::is_directory(path, ec) && std::filesystem::is_empty(path, ec));
    std::unique_ptr<sim::Machine> machine;
    if (fresh) {
        machine = std::make_unique<sim::Machine>(sim::Machine::Seeded());
        if (sysaccess::Result saved = machine->Save(dir); !saved) {
            Say(env, lang::CliStr::CannotCreateMachine, {dir, saved.error});
            return false;
        }
        Say(env, lang::CliStr::Seeded, {dir});
    } else {
        sim::LoadedMachine loaded = sim::Machine::Load(dir);
        if (!loaded.machine) {
            Say(env, lang::CliStr::CannotReadMachine, {dir, loaded.error});
            return false;
        }
        machine = std::make_unique<sim::Machine>(std::move(*loaded.machine));
    }
    sim::Machine* kept = machine.get();
    target.save = [kept, dir] { return kept->Save(dir); };
    target.system = std::move(machine);
    return true;
}

bool OpenTarget(const Options& o, const Env& env, Target& target) {
    if (o.machineDir || !env.realSystem) {
        target.simDir = o.machineDir.value_or(kDefaultMachineDir);
        return OpenSim(target.simDir, env, target);
    }
    target.system = env.realSystem();
    if (!target.system) Say(env, lang::CliStr::NoSystem);
    return target.system != nullptr;
}

// The option states, as the window reads them at start-up, or from --settings FILE.
bool LoadStates(const Options& o, form::MainForm& form, sysaccess::System& sys, const Env& env) {
    settings::LoadReport report;
    std::string name;
    if (o.settingsFile) {
        name = *o.settingsFile;
        const auto bytes = ReadHostFile(name);
        if (!bytes) {
            Say(env, lang::CliStr::CannotReadSettings, {name});
            return false;
        }
        report = settings::LoadSettingsFromBytes(form, sys.FromAnsi(*bytes));
    } else {
        name = settings::SettingsPath(sys);
        report = settings::LoadSettings(form, sys);
    }
    switch (report.outcome) {
    case settings::LoadReport::Outcome::Complete:
        break;
    case settings::LoadReport::Outcome::Missing:
        Say(env, lang::CliStr::NoSettings, {name});
        break;
    case settings::LoadReport::Outcome::Stopped:
        Say(env, lang::CliStr::SettingsStopped, {name, std::to_string(report.line), report.reason});
        break;
    }
    return true;
}

void TickRemovals(const Options& o, form::MainForm& form, const Env& env) {
    for (const std::string& name : o.remove) {
        bool found = false;
        const auto& items = form.lstStartup().items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] != name) continue;
            form.SetStartupTick(static_cast<int>(i), true);
            found = true;
        }
        if (!found) Say(env, lang::CliStr::NoStartupEntry, {name});
    }
}

// The form as the pass starts from it: the window's state, the settings or the saved states, the
// user, and what does not apply on this Windows skipped. An exit code when the pass cannot start.
std::optional<int> PrepareForm(const Options& o, form::Context& baseCtx, const Env& env) {
    form::MainForm& form = baseCtx.form;
    sysaccess::System& base = baseCtx.sys;
    app::LoadWindow(baseCtx);
    if (!LoadStates(o, form, base, env)) return 1;
    if (o.user) form.UserName = *o.user;
    if (o.command != Command::Export) {
        if (const auto session = sysaccess::OtherSessionUser(base)) {
            Say(env, lang::CliStr::OtherSessionUser, {base.UserName(), *session});
        }
    }
    // What does not apply here is skipped; an exported batch asks where it runs instead.
    if (!o.all && o.command != Command::Export) {
        optimize::JudgeAll(form, base);
        if (!base.Version().known) Say(env, lang::CliStr::VersionUnknown);
    }
    if (o.command == Command::Export && o.codePage != kUtf8CodePage && !sysaccess::Utf8ToCodePage("rem", o.codePage)) {
        Say(env, lang::CliStr::NoCodePage, {std::to_string(o.codePage)});
        return 2;
    }
    return std::nullopt;
}

// Where a pass's effects go: into a batch file (export), or printed as they happen (plan and
// apply; plan --changes prints only what changes the machine or cannot be known). The callbacks
// point into it, so it stays where it is made.
struct Sink {
    std::unique_ptr<RecordingSystem> recorder;
    std::unique_ptr<undo::Foreseer> foreseer; // plan --changes: each effect judged before it is recorded
    std::unique_ptr<BatchExporter> exporter;
    sysaccess::System* sys = nullptr;
    std::function<void(const std::string&)> onPage;
    std::vector<std::size_t> startedAtPrint; // commands printed as started, whose end is learnt later

    Sink(const Options& o, sysaccess::System& base, const Env& env) {
        if (o.command == Command::Export) {
            exporter = std::make_unique<BatchExporter>(base, !o.all);
            sys = exporter.get();
            onPage = [this](const std::string& page) { exporter->Page(page); };
            return;
        }
        recorder =
            std::make_unique<RecordingSystem>(base, o.command == Command::Apply ? RecordMode::Apply : RecordMode::Plan);
        if (o.changes) foreseer = std::make_unique<undo::Foreseer>(*recorder);
        recorder->SetEffectCallback([this, &env](const sysaccess::Effect& e) {
            if (e.pending) startedAtPrint.push_back(recorder->Effects().size() - 1);
            const undo::Foresight seen = foreseer ? foreseer->Judged().back() : undo::Foresight::Changes;
            if (seen == undo::Foresight::AtTarget) return;
            env.out(OneLine(sysaccess::EffectLine(e)) + (seen == undo::Foresight::Unknown ? "\tunknown\n" : "\n"));
        });
        // plan --changes lists only what changes or cannot be known: a skipped option changes nothing.
        if (!o.changes)
            recorder->SetSkipCallback([&env](const std::string& line) { env.out("skipped " + OneLine(line) + "\n"); });
        sys = foreseer ? static_cast<sysaccess::System*>(foreseer.get()) : recorder.get();
        onPage = [&env](const std::string& page) { env.out("page " + page + "\n"); };
    }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;
};

// What the pass runs: the automatic sequence, or the page asked for with its ticks (for the startup
// page, the entries as the machine lists them, with --remove's ticked).
undo::Pass ChoosePass(const Options& o, form::Context& baseCtx, form::Context& ctx, const Env& env) {
    if (o.automatic) return [](form::Context& c) { presets::RunAuto(c, app::ShowPage); };
    const bool startupPage = o.page == form::Page::Startup;
    app::ShowPage(startupPage ? baseCtx : ctx, o.page);
    if (startupPage) TickRemovals(o, ctx.form, env);
    if (o.recommend) presets::cmdSuggest(ctx);
    return optimize::cmdOptimize;
}

int PrintBatch(const Options& o, BatchExporter& exporter, const Env& env) {
    const std::string what = o.automatic ? std::string("automatic optimisation") : std::string(PassWord(o)) + " page";
    const std::string text = exporter.Text("Sysvela, " + what + ": made by sysvela-cli export");
    const auto bytes =
        o.codePage == kUtf8CodePage ? std::optional<std::string>(text) : sysaccess::Utf8ToCodePage(text, o.codePage);
    if (!bytes) {
        Say(env, lang::CliStr::CodePageCannotHold, {std::to_string(o.codePage)});
        return 1;
    }
    env.out(*bytes);
    return 0;
}

// After the pass, which waited for the commands it started: their outcomes follow its effects,
// then apply's log. 1 when any effect failed.
int Finish(const Options& o, const Sink& sink, const std::string& log, sysaccess::System& base, const Env& env) {
    const std::vector<sysaccess::Effect>& effects = sink.recorder->Effects();
    for (const std::size_t i : sink.startedAtPrint) {
        if (effects[i].outcome == sysaccess::Outcome::Failed)
            env.out("failed: " + OneLine(effects[i].text) + ": " + effects[i].reason + "\n");
    }
    if (o.command == Command::Apply) {
        if (const sysaccess::Result logged = base.ReplaceFileAtomically(log, sysaccess::LogText(effects)); !logged)
            Say(env, lang::CliStr::LogFailed, {logged.error});
    }
    return sink.recorder->Count(sysaccess::Outcome::Failed) > 0 ? 1 : 0;
}

int RunPass(const Options& o, sysaccess::System& base, const Env& env) {
    form::MainForm form;
    form::WindowlessHost host;
    form::Context baseCtx{form, base, host};
    if (const auto stop = PrepareForm(o, baseCtx, env)) return *stop;

    Sink sink(o, base, env);
    form::Context ctx{form, *sink.sys, host, sink.recorder.get()};
    // Every page switch, the automatic sequence's included, heads the effects that follow it.
    form.SetObserver([&](const form::Change& c) {
        if (c.field == form::Field::Page) sink.onPage(form::PageWord(form.VisiblePage()));
    });
    const undo::Pass pass = ChoosePass(o, baseCtx, ctx, env);
    std::string log;
    if (o.command == Command::Apply) {
        // What the pass is about to change is on disk before it changes anything, and so is its log.
        std::string journal;
        if (const sysaccess::Result written =
                undo::JournalPass(form, base, pass, PassWord(o), env.language, &journal, &log);
            !written) {
            Say(env, lang::CliStr::JournalFailed, {written.error});
            return 1;
        }
        Say(env, lang::CliStr::Journal, {journal});
        Say(env, lang::CliStr::Log, {log});
    }
    pass(ctx);
    form.SetObserver(nullptr);
    return sink.exporter ? PrintBatch(o, *sink.exporter, env) : Finish(o, sink, log, base, env);
}

int StartupList(const Options& o, sysaccess::System& base, const Env& env) {
    form::MainForm form;
    form::WindowlessHost host;
    form::Context ctx{form, base, host};
    app::LoadWindow(ctx);
    if (o.user) form.UserName = *o.user;
    app::cmdStartup(ctx);
    for (const std::string& item : form.lstStartup().items)
        env.out(OneLine(item) + "\n");
    return 0;
}

int Diagnostic(const Options& o, sysaccess::System& base, const Env& env) {
    RecordingSystem recorder(base, RecordMode::Apply);
    bool failed = false;
    recorder.SetEffectCallback([&](const sysaccess::Effect& e) {
        if (e.outcome == sysaccess::Outcome::Failed) failed = true;
        env.out(OneLine(sysaccess::EffectLine(e)) + "\n");
    });
    if (o.command == Command::RegWrite) {
        const sysaccess::RegType type = o.type == "dword" ? sysaccess::RegType::Dword
                                        : o.type == "hex" ? sysaccess::RegType::Hex
                                                          : sysaccess::RegType::String;
        (void)recorder.WriteRegValue(o.key, type, o.name, o.data);
    } else {
        (void)recorder.Run(o.commandLine, sysaccess::RunMode::Wait);
    }
    return failed ? 1 : 0;
}

int Undo(const Options& o, sysaccess::System& sys, const Env& env) {
    std::vector<std::string> skipped;
    const std::vector<undo::JournalEntry> journals = undo::ListJournals(sys, &skipped, env.language);
    if (!skipped.empty() && (o.list || o.last)) {
        std::string said;
        for (const std::string& s : skipped)
            said += (said.empty() ? "" : "; ") + s;
        env.err(lang::Format(lang::CliStr::PassedOver, env.language, {undo::UndoFolder(sys), OneLine(said)}));
    }
    if (o.list) {
        for (const undo::JournalEntry& j : journals)
            env.out(OneLine(j.name + "\t" + j.what + "\t" + j.time + "\t" + j.computer) + "\n");
        return 0;
    }
    const std::optional<std::string> last = o.last ? undo::LastPassJournal(journals) : std::nullopt;
    if (o.last && !last) {
        Say(env, lang::CliStr::NoJournalToUndo, {undo::UndoFolder(sys)});
        return 1;
    }
    const std::string journal = last.value_or(o.journal);
    undo::UndoReport report;
    const sysaccess::Result done = undo::Undo(sys, journal, {o.force, o.forceUser, o.user, env.language}, &report);
    if (!report.journal.empty()) Say(env, lang::CliStr::Journal, {report.journal});
    if (!done && report.journal.empty()) {
        Say(env, lang::CliStr::UndoFailed, {journal, done.error});
        return 1;
    }
    env.out((done ? "undone " : "undone in part ") + OneLine(journal) + "\n");
    const auto lines = [&](const char* word, const std::vector<std::string>& items) {
        for (const std::string& item : items)
            env.out(word + OneLine(item) + "\n");
    };
    lines("restored ", report.restoredFiles);
    lines("", report.skipped);
    lines("warning: ", report.warnings);
    lines("failed: ", report.failed);
    lines("not undoable: ", report.notUndoable);
    if (!done) Say(env, lang::CliStr::UndoFailed, {journal, done.error});
    return done ? 0 : 1;
}

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// The pages status and list speak of: the one asked for, or every page with options.
std::vector<form::Page> OptionPages(const Options& o) {
    std::vector<form::Page> pages;
    for (const form::PageRecord& r : form::kPages) {
        if (r.options && (!o.statusPage || *o.statusPage == r.page)) pages.push_back(r.page);
    }
    return pages;
}

int Status(const Options& o, sysaccess::System& sys, const Env& env) {
    const std::vector<form::Page> pages = OptionPages(o);
    std::string json = "{\"pages\":[";
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const form::Page page = pages[p];
        int counts[5] = {};
        std::string text = "page " + std::string(form::PageWord(page)) + "\n", items;
        for (const undo::OptionStatus& s : undo::PageStatus(sys, page)) {
            ++counts[static_cast<int>(s.state)];
            // A box by its caption in the run's language; a service by the name sc knows it by.
            const std::string caption =
                s.chk >= 0 ? lang::OptionCaption(s.chk, env.language) : form::kServices[s.service].name;
            const bool na = s.state == undo::OptionState::NotApplicable;
            text += std::string(undo::StateWord(s.state)) + "\t" + caption + (na ? "\t" + s.why : "") + "\n";
            items += std::string(items.empty() ? "" : ",") + "{\"chk\":" + std::to_string(s.chk) +
                     ",\"caption\":" + JsonString(caption) + ",\"state\":\"" + undo::StateWord(s.state) + "\"" +
                     (na ? ",\"why\":" + JsonString(s.why) : "") + "}";
        }
        text += "summary: " + std::to_string(counts[0]) + " on, " + std::to_string(counts[1]) + " off, " +
                std::to_string(counts[2]) + " mixed, " + std::to_string(counts[3]) + " unknown" +
                (counts[4] ? ", " + std::to_string(counts[4]) + " n/a" : "") + "\n";
        json += std::string(p ? "," : "") + "{\"page\":\"" + form::PageWord(page) + "\",\"options\":[" + items +
                "],\"on\":" + std::to_string(counts[0]) + ",\"off\":" + std::to_string(counts[1]) +
                ",\"mixed\":" + std::to_string(counts[2]) + ",\"unknown\":" + std::to_string(counts[3]) +
                ",\"n/a\":" + std::to_string(counts[4]) + "}";
        if (!o.json) env.out(text);
    }
    if (o.json) env.out(json + "]}\n");
    return 0;
}

// One option's or service's facts, with its verdict on this machine.
std::string ListEntry(const std::string& key, const std::string& caption, const char* page, const form::Fact& f,
                      const optimize::Verdict& v, bool json) {
    if (!json) {
        std::string risk = form::RiskWord(f.risk);
        if (!f.riskReason.empty()) risk += ": " + f.riskReason;
        return OneLine(key + "\t" + page + "\t" + caption + "\t" + (v.applies ? "applies" : "n/a: " + v.why) + "\t" +
                       risk + "\t" + f.explanation + (f.unverified ? " (未核实)" : "")) +
               "\n";
    }
    std::string sources, probes;
    for (const form::Source& src : f.sources) {
        sources += std::string(sources.empty() ? "" : ",") + "{\"url\":" + JsonString(src.url) +
                   ",\"quote\":" + JsonString(src.quote) + "}";
    }
    static constexpr const char* kProbeWords[] = {"service ", "file ", "folder "};
    for (const form::Probe& p : f.probes)
        probes += std::string(probes.empty() ? "" : ",") + JsonString(kProbeWords[static_cast<int>(p.kind)] + p.what);
    return key + ",\"caption\":" + JsonString(caption) + ",\"page\":\"" + page +
           "\",\"applies\":" + (v.applies ? "true" : "false") + ",\"why\":" + JsonString(v.why) + ",\"risk\":\"" +
           form::RiskWord(f.risk) + "\",\"riskReason\":" + JsonString(f.riskReason) +
           ",\"explanation\":" + JsonString(f.explanation) + ",\"sources\":[" + sources + "],\"probes\":[" + probes +
           "],\"unverified\":" + (f.unverified ? "true" : "false") + "}";
}

int List(const Options& o, sysaccess::System& sys, const Env& env) {
    std::vector<std::string> entries;
    for (const form::Page page : OptionPages(o)) {
        const char* word = form::PageWord(page);
        if (page == form::Page::Service) {
            for (int i = 0; i < form::kServiceCount; ++i) {
                const std::string name = form::kServices[i].name;
                entries.push_back(ListEntry(o.json ? "{\"service\":" + JsonString(name) : "service " + name,
                                            lang::ServiceItem(i, env.language), word, form::ServiceFact(i),
                                            optimize::JudgeService(i, sys), o.json));
            }
            continue;
        }
        for (const form::Option& opt : form::kOptions) {
            if (opt.page != page) continue;
            const std::string n = std::to_string(opt.chk);
            entries.push_back(ListEntry(o.json ? "{\"option\":" + n : "option " + n,
                                        lang::OptionCaption(opt.chk, env.language), word, form::OptionFact(opt.chk),
                                        optimize::JudgeOption(opt.chk, sys), o.json));
        }
    }
    if (!o.json) {
        for (const std::string& e : entries)
            env.out(e);
        return 0;
    }
    std::string json = "[";
    for (std::size_t i = 0; i < entries.size(); ++i)
        json += (i ? ",\n" : "") + entries[i];
    env.out(json + "]\n");
    return 0;
}

} // namespace

int Main(const std::vector<std::string>& args, const Env& platform) {
    Env env = platform;
    env.language = LanguageArgument(args).value_or(platform.language);
    const ParseResult parsed = ParseArguments(args, env.language);
    if (!parsed.options) {
        Say(env, lang::CliStr::Usage, {parsed.error});
        return 2;
    }
    const Options& o = *parsed.options;
    if (o.command == Command::Help) {
        env.out(HelpText(env.language));
        return 0;
    }
    if (o.command == Command::Version) {
        env.out(std::string("sysvela-cli ") + version::Text() + "\n");
        return 0;
    }

    Target target;
    if (!OpenTarget(o, env, target)) return 1;
    int status = 0;
    bool changes = false;
    switch (o.command) {
    case Command::Plan:
    case Command::Export:
        status = RunPass(o, *target.system, env);
        break;
    case Command::Apply:
        status = RunPass(o, *target.system, env);
        changes = true;
        break;
    case Command::StartupList:
        status = StartupList(o, *target.system, env);
        break;
    case Command::RegWrite:
    case Command::RunCmd:
        status = Diagnostic(o, *target.system, env);
        changes = true;
        break;
    case Command::Status:
        status = Status(o, *target.system, env);
        break;
    case Command::List:
        status = List(o, *target.system, env);
        break;
    case Command::Undo:
        status = Undo(o, *target.system, env);
        changes = !o.list;
        break;
    case Command::Help:
    case Command::Version:
        break;
    }
    if (changes && target.save) {
        if (sysaccess::Result saved = target.save(); !saved) {
            Say(env, lang::CliStr::CannotSaveMachine, {target.simDir, saved.error});
            return 1;
        }
    }
    return status;
}

int MainCatching(const std::function<std::vector<std::string>()>& args, const Env& env) noexcept {
    std::string why;
    try {
        return Main(args(), env);
    } catch (const std::bad_alloc&) {
        why = lang::Text(lang::CliStr::OutOfMemory, env.language);
    } catch (const std::exception& e) {
        why = e.what();
    } catch (...) {
        why = lang::Text(lang::CliStr::UnknownError, env.language);
    }
    try {
        Say(env, lang::CliStr::Stopped, {why});
    } catch (...) {
        // Nothing more can be said.
    }
    return 1;
}

} // namespace cli
