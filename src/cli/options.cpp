#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <utility>

namespace cli {

namespace {

struct PageWord {
    const char* word;
    PageArg page;
};

constexpr std::array<PageWord, 6> kPages = {{
    {"system", PageArg::System},
    {"security", PageArg::Security},
    {"services", PageArg::Services},
    {"slimming", PageArg::Slimming},
    {"startup", PageArg::Startup},
    {"auto", PageArg::Auto},
}};

ParseResult Fail(std::string why) {
    return {std::nullopt, std::move(why)};
}

} // namespace

const char* PageName(PageArg page) {
    for (const PageWord& p : kPages) {
        if (p.page == page) return p.word;
    }
    return "?";
}

std::string HelpText() {
    return R"(sysvela-cli: preview, apply and export a page of Sysvela without the window.

Usage:
  sysvela-cli [--machine DIR] [--settings FILE] [--user NAME] [--recommend] [--remove NAME]... COMMAND PAGE
  sysvela-cli [--machine DIR] [--settings FILE] [--user NAME] [--recommend] [--remove NAME]... plan PAGE --changes
  sysvela-cli [--machine DIR] [--user NAME] startup-list
  sysvela-cli [--machine DIR] reg-write KEY NAME TYPE DATA
  sysvela-cli [--machine DIR] run-cmd "COMMAND"
  sysvela-cli [--machine DIR] [--user NAME] undo --list | --last | JOURNAL [--force] [--force-user]
  sysvela-cli [--machine DIR] status [PAGE] [--json]

COMMAND
  plan      list what the Optimize button would do, without doing it
  apply     do it, listing each effect as it happens
  export    write a Windows batch file that does the same on the machine where it runs
PAGE
  system | security | services | slimming | startup | auto
  auto is the automatic optimisation: system, security, startup and services, each with its
  recommended selection.

Options
  --machine DIR    act on the simulated machine kept in DIR (a new one is seeded when DIR is
                   missing or empty). Default: ./sysvela-machine on Linux, the real system on
                   Windows.
  --settings FILE  read the option states from FILE instead of setup.dat beside the program.
                   Without setup.dat the window's design states are used. The file is never
                   written.
  --user NAME      the log-in name used for the current user's Startup folder (default: the
                   log-in name). Whose registry is written does not change. A journal of
                   apply --user NAME is undone with undo --user NAME.
  --recommend      tick the page's recommended selection first (auto always does).
  --remove NAME    tick every startup entry whose text is exactly NAME (startup page only; may
                   be given more than once).
  --codepage N     code page of the exported batch file (default 936).
  --help           show this text.
  --version        show the program's version.

Output of plan and apply (stdout, UTF-8, one line per effect, in order)
  page NAME                    before the effects of each page
  write KEY|NAME|TYPE|DATA     a registry value; TYPE is string, dword or hex
  start COMMAND                a command line started without waiting
  wait COMMAND                 a command line run to completion
  delete PATH                  a file deletion (the path or pattern as passed)
  rmdir PATH                   a folder removal
  A plan answers every query from the machine as it is and counts every effect as succeeded,
  so it may list a deletion twice where apply would find the file gone the second time.
  In apply, an effect that failed ends with a tab and "failed: REASON"; after the pass each
  started command that failed is listed as "failed: COMMAND: REASON". A "reg delete" of a value
  or key that was not there ends with a tab and "nothing to remove", a "reg copy" of a key that
  was not there with "nothing to copy"; neither is a failure. apply also writes every effect
  with its outcome (ok, failed: REASON, skipped: REASON) and then the totals to a log beside its
  journal (below): the journal's name with .log, UTF-8.
  plan --changes lists only the effects that would change the machine as it is now, and those
  whose result cannot be known beforehand, which end with a tab and "unknown": a command whose
  effect nothing reads back, or an sc step for a service that is not installed. A registry
  value, a service's start type (sc), a key removed or copied (reg) and the boot-time disk check
  (chkntfs) are read from the machine; what already holds its target is left out.

Output of export (stdout): the batch file, CR LF, in the code page chosen. Registry values
become "reg add", command lines stand as they are, each file operation is made behind the same
test the program makes, the current user's Startup folder is that of the user who runs the
batch, and a safe-boot key is deleted only after its copy succeeded.

Undo: apply (and the window's Optimize and automatic optimisation) first writes a journal to the
folder "undo" beside setup.dat: a registry script (UTF-16, as regedit writes it) that puts back
every value, key and service start type the pass changes, with copies of the files it removes.
  undo --list      the journals, oldest first: NAME, tab, PAGE, tab, TIME, tab, COMPUTER
  undo --last      undo the latest pass not undone yet (automatic optimisation: its four pages
                   together); undo journals and other .reg files are passed over
  undo JOURNAL     undo that journal (a name in the undo folder or a full path)
  --force          undo a journal written on another computer
  --force-user     undo a journal of another user's registry (HKEY_CURRENT_USER) for this user
An undo writes a journal of its own first, naming the journal it undoes, so it can be undone in
turn. A journal that does not parse, names a value the program never writes or deletes, would
delete a key holding what neither the program nor the journal put there, is larger than any
journal, or whose SHA-256 or whose copies' SHA-256 is not the one recorded when it was written
(under HKEY_LOCAL_MACHINE\SOFTWARE\Sysvela\Undo, and in the journal) is refused whole and
nothing changes. A service removed since the pass is skipped and said; the rest is restored.
Service start types are also set through the service manager. Every value and key is read back
after the import: "failed: WHAT" lines name what was not put back, and the exit status is 1.
Double-clicking a journal in Explorer restores the registry too; the copied files come back only
through undo.

status shows what the machine holds now, one line per option: on (what a tick writes), off
(what a clear writes, or no trace of the tick), mixed (some of each) or unknown (the option only
runs commands), a tab, and the option's caption; then a summary line. PAGE is system, security,
services (on: the service is disabled) or slimming; without PAGE, all four. --json prints
{"pages":[{"page":P,"options":[{"chk":N,"caption":C,"state":S},...],"on":N,"off":N,"mixed":N,
"unknown":N},...]} instead. status changes nothing.

startup-list prints the startup entries as the window lists them, one per line.
reg-write (TYPE string, dword or hex) and run-cmd are diagnostics for one registry write or one
command line run to completion.

Exit status: 0 done; 1 an effect failed (apply), or the machine or a file could not be read or
written; 2 a usage error.
)";
}

ParseResult ParseArguments(const std::vector<std::string>& args) {
    if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        Options help;
        help.command = Command::Help;
        return {help, ""};
    }
    if (std::find(args.begin(), args.end(), "--version") != args.end()) {
        Options version;
        version.command = Command::Version;
        return {version, ""};
    }

    CLI::App app{"sysvela-cli", "sysvela-cli"};
    app.set_help_flag(); // our own text; must precede the subcommands, which copy it
    app.require_subcommand(1, 1);
    app.fallthrough();

    std::string machine, settings, user;
    bool recommend = false;
    std::vector<std::string> remove;
    unsigned codePage = 936;
    CLI::Option* machineOpt = app.add_option("--machine", machine);
    CLI::Option* settingsOpt = app.add_option("--settings", settings);
    CLI::Option* userOpt = app.add_option("--user", user);
    CLI::Option* recommendOpt = app.add_flag("--recommend", recommend);
    CLI::Option* removeOpt = app.add_option("--remove", remove)->allow_extra_args(false);
    CLI::Option* codePageOpt = app.add_option("--codepage", codePage)->check(CLI::Range(1u, 65535u));

    std::string page;
    CLI::App* plan = app.add_subcommand("plan");
    CLI::App* apply = app.add_subcommand("apply");
    CLI::App* exportCmd = app.add_subcommand("export");
    for (CLI::App* sub : {plan, apply, exportCmd})
        sub->add_option("PAGE", page)->required();
    bool changes = false;
    plan->add_flag("--changes", changes);

    Options o;
    CLI::App* list = app.add_subcommand("startup-list");
    CLI::App* regWrite = app.add_subcommand("reg-write");
    regWrite->add_option("KEY", o.key)->required();
    regWrite->add_option("NAME", o.name)->required();
    regWrite->add_option("TYPE", o.type)->required();
    regWrite->add_option("DATA", o.data)->required();
    CLI::App* runCmd = app.add_subcommand("run-cmd");
    runCmd->add_option("COMMAND", o.commandLine)->required();
    CLI::App* undoCmd = app.add_subcommand("undo");
    undoCmd->add_flag("--list", o.list);
    undoCmd->add_flag("--last", o.last);
    undoCmd->add_flag("--force", o.force);
    undoCmd->add_flag("--force-user", o.forceUser);
    undoCmd->add_option("JOURNAL", o.journal);
    CLI::App* statusCmd = app.add_subcommand("status");
    std::string statusPage;
    statusCmd->add_option("PAGE", statusPage);
    statusCmd->add_flag("--json", o.json);

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        std::string what = e.what();
        if (what.empty()) what = "bad arguments";
        return Fail(what);
    }

    if (plan->parsed())
        o.command = Command::Plan;
    else if (apply->parsed())
        o.command = Command::Apply;
    else if (exportCmd->parsed())
        o.command = Command::Export;
    else if (list->parsed())
        o.command = Command::StartupList;
    else if (regWrite->parsed())
        o.command = Command::RegWrite;
    else if (runCmd->parsed())
        o.command = Command::RunCmd;
    else if (undoCmd->parsed())
        o.command = Command::Undo;
    else if (statusCmd->parsed())
        o.command = Command::Status;

    const bool pass = o.command == Command::Plan || o.command == Command::Apply || o.command == Command::Export;
    if (pass) {
        const auto it = std::find_if(kPages.begin(), kPages.end(), [&](const PageWord& p) { return page == p.word; });
        if (it == kPages.end()) {
            return Fail("unknown page '" + page + "' (system, security, services, slimming, startup or auto)");
        }
        o.page = it->page;
    }

    if (*machineOpt) o.machineDir = machine;
    if (*settingsOpt) o.settingsFile = settings;
    if (*userOpt) o.user = user;
    o.recommend = recommend;
    o.changes = changes;
    o.remove = remove;
    o.codePage = codePage;

    if (!pass) {
        for (CLI::Option* opt : {settingsOpt, recommendOpt, removeOpt, codePageOpt}) {
            if (*opt) return Fail(opt->get_name() + " works only with plan, apply and export");
        }
        if (*userOpt && o.command != Command::StartupList && o.command != Command::Undo) {
            return Fail("--user works only with plan, apply, export, startup-list and undo");
        }
    }
    if (*removeOpt && o.page != PageArg::Startup) return Fail("--remove works only with the startup page");
    if (*codePageOpt && o.command != Command::Export) return Fail("--codepage works only with export");
    if (o.command == Command::Status && !statusPage.empty()) {
        const auto it =
            std::find_if(kPages.begin(), kPages.end(), [&](const PageWord& p) { return statusPage == p.word; });
        if (it == kPages.end() || it->page == PageArg::Startup || it->page == PageArg::Auto) {
            return Fail("unknown page '" + statusPage + "' (system, security, services or slimming)");
        }
        o.statusPage = it->page;
    }
    if (o.command == Command::Undo && (o.list ? 1 : 0) + (o.last ? 1 : 0) + (o.journal.empty() ? 0 : 1) != 1) {
        return Fail("undo takes one of --list, --last or a journal");
    }
    if (o.command == Command::RegWrite && o.type != "string" && o.type != "dword" && o.type != "hex") {
        return Fail("unknown value type '" + o.type + "' (string, dword or hex)");
    }
    return {o, ""};
}

} // namespace cli
