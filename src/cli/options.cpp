#include "cli/options.h"

#include "lang/strings.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <utility>

namespace cli {

namespace {

// The words of the pages that pass the test, and extra, joined: "a, b or c".
template <typename Test>
std::string PageWords(Test test, std::string_view comma, std::string_view last, const char* extra = nullptr) {
    std::vector<std::string> words;
    for (const form::PageRecord& r : form::kPages) {
        if (test(r)) words.emplace_back(r.word);
    }
    if (extra) words.emplace_back(extra);
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i)
        out += std::string(i == 0 ? "" : i + 1 == words.size() ? last : comma) + words[i];
    return out;
}

ParseResult Fail(std::string why) {
    return {std::nullopt, std::move(why)};
}

} // namespace

const char* PassWord(const Options& options) {
    return options.automatic ? form::kAutoWord : form::PageWord(options.page);
}

std::string HelpText(lang::Language language) {
    return lang::Format(lang::CliStr::Help, language,
                        {PageWords([](const form::PageRecord&) { return true; }, " | ", " | ", form::kAutoWord)});
}

std::optional<lang::Language> LanguageArgument(const std::vector<std::string>& args) {
    std::optional<lang::Language> chosen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            if (const auto l = lang::FromWord(args[i + 1])) chosen = l;
        } else if (args[i].starts_with("--lang=")) {
            if (const auto l = lang::FromWord(args[i].substr(7))) chosen = l;
        }
    }
    return chosen;
}

ParseResult ParseArguments(const std::vector<std::string>& args, lang::Language language) {
    const auto text = [language](lang::CliStr id) { return std::string(lang::Text(id, language)); };
    const auto say = [language](lang::CliStr id, std::initializer_list<std::string_view> parts) {
        return lang::Format(id, language, parts);
    };
    const auto words = [&](auto test, const char* extra = nullptr) {
        return PageWords(test, text(lang::CliStr::ListComma), text(lang::CliStr::ListOr), extra);
    };
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

    std::string machine, settings, user, languageWord;
    bool recommend = false;
    std::vector<std::string> remove;
    unsigned codePage = 936;
    CLI::Option* machineOpt = app.add_option("--machine", machine);
    CLI::Option* settingsOpt = app.add_option("--settings", settings);
    CLI::Option* userOpt = app.add_option("--user", user);
    CLI::Option* recommendOpt = app.add_flag("--recommend", recommend);
    bool all = false;
    CLI::Option* allOpt = app.add_flag("--all", all);
    CLI::Option* removeOpt = app.add_option("--remove", remove)->allow_extra_args(false);
    CLI::Option* codePageOpt = app.add_option("--codepage", codePage)->check(CLI::Range(1u, 65535u));
    CLI::Option* languageOpt = app.add_option("--lang", languageWord);

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
    CLI::App* listCmd = app.add_subcommand("list");
    listCmd->add_option("PAGE", statusPage);
    listCmd->add_flag("--json", o.json);

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        std::string what = e.what();
        if (what.empty()) what = text(lang::CliStr::BadArguments);
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
    else if (listCmd->parsed())
        o.command = Command::List;

    const bool pass = o.command == Command::Plan || o.command == Command::Apply || o.command == Command::Export;
    if (pass) {
        const auto chosen = form::PageOfWord(page);
        o.automatic = page == form::kAutoWord;
        if (!chosen && !o.automatic) {
            return Fail(say(lang::CliStr::UnknownPage,
                            {page, words([](const form::PageRecord&) { return true; }, form::kAutoWord)}));
        }
        if (chosen) o.page = *chosen;
    }

    if (*machineOpt) o.machineDir = machine;
    if (*settingsOpt) o.settingsFile = settings;
    if (*userOpt) o.user = user;
    o.recommend = recommend;
    o.all = all;
    o.changes = changes;
    o.remove = remove;
    o.codePage = codePage;
    if (*languageOpt) {
        o.language = lang::FromWord(languageWord);
        if (!o.language) return Fail(say(lang::CliStr::UnknownLanguage, {languageWord}));
    }

    if (!pass) {
        for (CLI::Option* opt : {settingsOpt, recommendOpt, removeOpt, codePageOpt, allOpt}) {
            if (*opt) return Fail(say(lang::CliStr::OnlyWithPass, {opt->get_name()}));
        }
        if (*userOpt && o.command != Command::StartupList && o.command != Command::Undo) {
            return Fail(text(lang::CliStr::UserOnly));
        }
    }
    if (*removeOpt && (o.automatic || o.page != form::Page::Startup)) {
        return Fail(text(lang::CliStr::RemoveOnly));
    }
    if (*codePageOpt && o.command != Command::Export) return Fail(text(lang::CliStr::CodePageOnly));
    if ((o.command == Command::Status || o.command == Command::List) && !statusPage.empty()) {
        const auto chosen = form::PageOfWord(statusPage);
        if (!chosen || !form::Record(*chosen).options) {
            return Fail(say(lang::CliStr::UnknownPage,
                            {statusPage, words([](const form::PageRecord& r) { return r.options; })}));
        }
        o.statusPage = chosen;
    }
    if (o.command == Command::Undo && (o.list ? 1 : 0) + (o.last ? 1 : 0) + (o.journal.empty() ? 0 : 1) != 1) {
        return Fail(text(lang::CliStr::UndoTakesOne));
    }
    if (o.command == Command::RegWrite && o.type != "string" && o.type != "dword" && o.type != "hex") {
        return Fail(say(lang::CliStr::UnknownType, {o.type}));
    }
    return {o, ""};
}

} // namespace cli
