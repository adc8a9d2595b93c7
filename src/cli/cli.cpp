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
#include "optimize/applies.h"
#include "optimize/pass.h"
#include "presets/presets.h"
#include "settings/settings.h"
#include "sysaccess/encoding.h"
#include "sysaccess/forwarding.h"
#include "sysaccess/recording.h"
#include "sysaccess/sim/machine.h"
#include "sysaccess/toolcmd.h"
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

// Notes, before each "reg delete" or "reg copy" runs, whether there is anything to remove or
// copy: reg exits 1 when there is not, which is no failure of the pass.
class RemovalProbe : public sysaccess::ForwardingSystem {
public:
    using ForwardingSystem::ForwardingSystem;
    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        const std::optional<bool> present = sysaccess::RemovalTargetPresent(Inner(), line);
        lastWasNothing = present == false;
        if (lastWasNothing && mode == sysaccess::RunMode::Start) nothingStarted.push_back(line);
        return Inner().Run(line, mode);
    }
    bool lastWasNothing = false;
    std::vector<std::string> nothingStarted; // started removals that had nothing to remove

    bool NothingToRemove(const std::string& started) {
        const auto it = std::find(nothingStarted.begin(), nothingStarted.end(), started);
        if (it == nothingStarted.end()) return false;
        nothingStarted.erase(it);
        return true;
    }
};

// One output line per effect: a line break inside a name would read as a second line.
std::string OneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
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
            env.err("sysvela-cli: cannot create the simulated machine in " + dir + ": " + saved.error + "\n");
            return false;
        }
        env.err("sysvela-cli: seeded a new simulated machine in " + dir + "\n");
    } else {
        std::string why;
        auto loaded = sim::Machine::Load(dir, &why);
        if (!loaded) {
            env.err("sysvela-cli: cannot read the simulated machine in " + dir + ": " + why + "\n");
            return false;
        }
        machine = std::make_unique<sim::Machine>(std::move(*loaded));
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
    if (!target.system) env.err("sysvela-cli: the system cannot be reached\n");
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
            env.err("sysvela-cli: cannot read the settings file " + name + "\n");
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
        env.err("sysvela-cli: no " + name + "; using the window's design states\n");
        break;
    case settings::LoadReport::Outcome::Stopped:
        env.err("sysvela-cli: " + name + ": the load stopped at line " + std::to_string(report.line) + ": " +
                report.reason + "; the states read before it are used\n");
        break;
    }
    return true;
}

void ShowPage(PageArg page, form::Context& ctx) {
    switch (page) {
    case PageArg::System:
        app::cmdSystem(ctx);
        break;
    case PageArg::Security:
        app::cmdSecurity(ctx);
        break;
    case PageArg::Services:
        app::cmdService(ctx);
        break;
    case PageArg::Slimming:
        app::cmdWight(ctx);
        break;
    case PageArg::Startup:
        app::cmdStartup(ctx);
        break;
    case PageArg::Auto:
        break;
    }
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
        if (!found) env.err("sysvela-cli: no startup entry is named '" + name + "'\n");
    }
}

int RunPass(const Options& o, sysaccess::System& base, const Env& env) {
    form::MainForm form;
    form::WindowlessHost host;
    form::Context baseCtx{form, base, host};
    app::LoadWindow(baseCtx);
    if (!LoadStates(o, form, base, env)) return 1;
    if (o.user) form.UserName = *o.user;
    if (o.command != Command::Export) {
        if (const auto session = sysaccess::OtherSessionUser(base)) {
            env.err("sysvela-cli: running as " + base.UserName() + " while " + *session +
                    " is logged on in this session: the current user's options change " + base.UserName() +
                    "'s settings, not " + *session + "'s\n");
        }
    }
    // What does not apply here is skipped; an exported batch asks where it runs instead.
    if (!o.all && o.command != Command::Export) {
        optimize::JudgeAll(form, base);
        if (!base.Version().known) {
            env.err("sysvela-cli: the version of Windows cannot be read: only what the program finds missing on this "
                    "machine is skipped\n");
        }
    }

    if (o.command == Command::Export && o.codePage != kUtf8CodePage && !sysaccess::Utf8ToCodePage("rem", o.codePage)) {
        env.err("sysvela-cli: code page " + std::to_string(o.codePage) + " is not available; see --help\n");
        return 2;
    }

    RemovalProbe probe(base);
    std::unique_ptr<RecordingSystem> recorder;
    std::unique_ptr<BatchExporter> exporter;
    sysaccess::System* sys = nullptr;
    std::function<void(const std::string&)> onPage;
    bool failed = false;
    if (o.command == Command::Export) {
        exporter = std::make_unique<BatchExporter>(base, !o.all);
        sys = exporter.get();
        onPage = [&](const std::string& page) { exporter->Page(page); };
    } else {
        recorder = std::make_unique<RecordingSystem>(probe, o.command == Command::Apply ? RecordMode::Apply
                                                                                        : RecordMode::Plan);
        recorder->SetEffectCallback([&](const sysaccess::Effect& e) {
            const bool command = e.kind == sysaccess::EffectKind::Wait || e.kind == sysaccess::EffectKind::Start;
            if (!e.ok && command && probe.lastWasNothing) {
                const bool copy = e.text.find(" copy ") != std::string::npos;
                env.out(OneLine(sysaccess::EffectWord(e.kind) + (" " + e.text)) +
                        (copy ? "\tnothing to copy\n" : "\tnothing to remove\n"));
                return;
            }
            if (!e.ok) failed = true;
            env.out(OneLine(sysaccess::EffectLine(e)) + "\n");
        });
        recorder->SetSkipCallback([&](const std::string& line) { env.out("skipped " + OneLine(line) + "\n"); });
        sys = recorder.get();
        onPage = [&](const std::string& page) { env.out("page " + page + "\n"); };
    }

    form::Context ctx{form, *sys, host};
    // Every page switch, the automatic sequence's included, heads the effects that follow it.
    form.SetObserver([&](const form::Change& c) {
        if (c.field == form::Field::Page) onPage(form::PageWord(form.VisiblePage()));
    });
    undo::Pass pass = optimize::cmdOptimize;
    if (o.page == PageArg::Auto) {
        pass = [](form::Context& c) { presets::RunAuto(c, app::ShowPage); };
    } else {
        // The startup list is read from the machine as it is, whatever the pass does with it.
        ShowPage(o.page, o.page == PageArg::Startup ? baseCtx : ctx);
        if (o.page == PageArg::Startup) TickRemovals(o, form, env);
        if (o.recommend) presets::cmdSuggest(ctx);
    }
    if (o.command == Command::Apply) {
        // What the pass is about to change is on disk before it changes anything.
        std::string journal;
        if (const sysaccess::Result written = undo::JournalPass(form, base, pass, PageName(o.page), &journal);
            !written) {
            env.err("sysvela-cli: the undo journal cannot be written, so nothing was changed: " + written.error + "\n");
            return 1;
        }
        env.err("sysvela-cli: journal " + journal + "\n");
    }
    pass(ctx);
    form.SetObserver(nullptr);

    if (exporter) {
        const std::string what =
            o.page == PageArg::Auto ? std::string("automatic optimisation") : std::string(PageName(o.page)) + " page";
        const std::string text = exporter->Text("Sysvela, " + what + ": made by sysvela-cli export");
        const auto bytes = o.codePage == kUtf8CodePage ? std::optional<std::string>(text)
                                                       : sysaccess::Utf8ToCodePage(text, o.codePage);
        if (!bytes) {
            env.err("sysvela-cli: the batch holds text that code page " + std::to_string(o.codePage) +
                    " cannot hold\n");
            return 1;
        }
        env.out(*bytes);
        return 0;
    }
    // Commands started without waiting are waited for only now, as the window leaves them running.
    for (const sysaccess::StartedCommand& started : recorder->CollectStarted()) {
        if (started.result.ok() || probe.NothingToRemove(started.commandLine)) continue;
        failed = true;
        env.out("failed: " + OneLine(started.commandLine) + ": " + started.result.Describe() + "\n");
    }
    return failed ? 1 : 0;
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
        if (!e.ok) failed = true;
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
    const std::vector<undo::JournalEntry> journals = undo::ListJournals(sys, &skipped);
    if (!skipped.empty() && (o.list || o.last)) {
        std::string said;
        for (const std::string& s : skipped)
            said += (said.empty() ? "" : "; ") + s;
        env.err(OneLine("sysvela-cli: passed over in " + undo::UndoFolder(sys) + ": " + said) + "\n");
    }
    if (o.list) {
        for (const undo::JournalEntry& j : journals)
            env.out(OneLine(j.name + "\t" + j.what + "\t" + j.time + "\t" + j.computer) + "\n");
        return 0;
    }
    const std::optional<std::string> last = o.last ? undo::LastPassJournal(journals) : std::nullopt;
    if (o.last && !last) {
        env.err("sysvela-cli: there is no journal of a pass not yet undone in " + undo::UndoFolder(sys) + "\n");
        return 1;
    }
    const std::string journal = last.value_or(o.journal);
    undo::UndoReport report;
    const sysaccess::Result done = undo::Undo(sys, journal, {o.force, o.forceUser, o.user}, &report);
    if (!report.journal.empty()) env.err("sysvela-cli: journal " + report.journal + "\n");
    if (!done && report.journal.empty()) {
        env.err("sysvela-cli: undo " + journal + ": " + done.error + "\n");
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
    if (!done) env.err("sysvela-cli: undo " + journal + ": " + done.error + "\n");
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
std::vector<std::pair<PageArg, form::Page>> OptionPages(const Options& o) {
    std::vector<std::pair<PageArg, form::Page>> pages = {{PageArg::System, form::Page::System},
                                                         {PageArg::Security, form::Page::Security},
                                                         {PageArg::Services, form::Page::Service},
                                                         {PageArg::Slimming, form::Page::Wight}};
    if (o.statusPage) std::erase_if(pages, [&](const auto& p) { return p.first != *o.statusPage; });
    return pages;
}

int Status(const Options& o, sysaccess::System& sys, const Env& env) {
    std::string json = "{\"pages\":[";
    bool first = true;
    for (const auto& [arg, page] : OptionPages(o)) {
        int counts[5] = {};
        std::string text = "page " + std::string(PageName(arg)) + "\n", items;
        for (const undo::OptionStatus& s : undo::PageStatus(sys, page)) {
            ++counts[static_cast<int>(s.state)];
            const bool na = s.state == undo::OptionState::NotApplicable;
            text += std::string(undo::StateWord(s.state)) + "\t" + s.caption + (na ? "\t" + s.why : "") + "\n";
            items += std::string(items.empty() ? "" : ",") + "{\"chk\":" + std::to_string(s.chk) +
                     ",\"caption\":" + JsonString(s.caption) + ",\"state\":\"" + undo::StateWord(s.state) + "\"" +
                     (na ? ",\"why\":" + JsonString(s.why) : "") + "}";
        }
        text += "summary: " + std::to_string(counts[0]) + " on, " + std::to_string(counts[1]) + " off, " +
                std::to_string(counts[2]) + " mixed, " + std::to_string(counts[3]) + " unknown" +
                (counts[4] ? ", " + std::to_string(counts[4]) + " n/a" : "") + "\n";
        json += std::string(first ? "" : ",") + "{\"page\":\"" + PageName(arg) + "\",\"options\":[" + items +
                "],\"on\":" + std::to_string(counts[0]) + ",\"off\":" + std::to_string(counts[1]) +
                ",\"mixed\":" + std::to_string(counts[2]) + ",\"unknown\":" + std::to_string(counts[3]) +
                ",\"n/a\":" + std::to_string(counts[4]) + "}";
        first = false;
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
    for (const auto& [arg, page] : OptionPages(o)) {
        const char* word = PageName(arg);
        if (page == form::Page::Service) {
            for (int i = 0; i < form::kServiceCount; ++i) {
                const std::string name = form::kServices[i].name;
                entries.push_back(ListEntry(o.json ? "{\"service\":" + JsonString(name) : "service " + name,
                                            form::kServices[i].item, word, form::ServiceFact(i),
                                            optimize::JudgeService(i, sys), o.json));
            }
            continue;
        }
        for (const form::Option& opt : form::kOptions) {
            if (opt.page != page) continue;
            const std::string n = std::to_string(opt.chk);
            entries.push_back(ListEntry(o.json ? "{\"option\":" + n : "option " + n, opt.caption, word,
                                        form::OptionFact(opt.chk), optimize::JudgeOption(opt.chk, sys), o.json));
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

int Main(const std::vector<std::string>& args, const Env& env) {
    const ParseResult parsed = ParseArguments(args);
    if (!parsed.options) {
        env.err("sysvela-cli: " + parsed.error + "\nsysvela-cli: see sysvela-cli --help\n");
        return 2;
    }
    const Options& o = *parsed.options;
    if (o.command == Command::Help) {
        env.out(HelpText());
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
            env.err("sysvela-cli: cannot save the simulated machine in " + target.simDir + ": " + saved.error + "\n");
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
        why = "out of memory";
    } catch (const std::exception& e) {
        why = e.what();
    } catch (...) {
        why = "an unknown error";
    }
    try {
        env.err("sysvela-cli: stopped: " + why + "\n");
    } catch (...) {
        // Nothing more can be said.
    }
    return 1;
}

} // namespace cli
