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

namespace {

// The usage errors, worded in one language.
struct Words : lang::Say {
    // The words of the pages that pass test, and extra: "a, b or c".
    template <typename Test> std::string Pages(Test test, const char* extra = nullptr) const {
        return PageWords(test, lang::Text(lang::CliStr::ListComma, language),
                         lang::Text(lang::CliStr::ListOr, language), extra);
    }
};

// What the arguments may say, bound to where each lands: the options before the command, then
// exactly one command. It holds the parser, which points into it, so it stays where it is made.
struct Grammar {
    CLI::App app{"sysvela-cli", "sysvela-cli"};
    Options o;
    std::string machine, settings, user, languageWord, page, statusPage;
    bool recommend = false, all = false, changes = false;
    std::vector<std::string> remove;
    unsigned codePage = 936;
    CLI::Option *machineOpt, *settingsOpt, *userOpt, *recommendOpt, *allOpt, *removeOpt, *codePageOpt, *languageOpt;
    std::vector<std::pair<CLI::App*, Command>> commands;

    Grammar() {
        app.set_help_flag(); // our own text; must precede the subcommands, which copy it
        app.require_subcommand(1, 1);
        app.fallthrough();
        machineOpt = app.add_option("--machine", machine);
        settingsOpt = app.add_option("--settings", settings);
        userOpt = app.add_option("--user", user);
        recommendOpt = app.add_flag("--recommend", recommend);
        allOpt = app.add_flag("--all", all);
        removeOpt = app.add_option("--remove", remove)->allow_extra_args(false);
        codePageOpt = app.add_option("--codepage", codePage)->check(CLI::Range(1u, 65535u));
        languageOpt = app.add_option("--lang", languageWord);

        for (const auto& [word, command] : {std::pair{"plan", Command::Plan}, std::pair{"apply", Command::Apply},
                                            std::pair{"export", Command::Export}}) {
            CLI::App* pass = Add(word, command);
            pass->add_option("PAGE", page)->required();
            if (command == Command::Plan) pass->add_flag("--changes", changes);
        }
        Add("startup-list", Command::StartupList);
        CLI::App* regWrite = Add("reg-write", Command::RegWrite);
        for (const auto& [name, field] : {std::pair{"KEY", &o.key}, std::pair{"NAME", &o.name},
                                          std::pair{"TYPE", &o.type}, std::pair{"DATA", &o.data}})
            regWrite->add_option(name, *field)->required();
        Add("run-cmd", Command::RunCmd)->add_option("COMMAND", o.commandLine)->required();
        CLI::App* undo = Add("undo", Command::Undo);
        undo->add_flag("--list", o.list);
        undo->add_flag("--last", o.last);
        undo->add_flag("--force", o.force);
        undo->add_flag("--force-user", o.forceUser);
        undo->add_option("JOURNAL", o.journal);
        for (const auto& [word, command] : {std::pair{"status", Command::Status}, std::pair{"list", Command::List}}) {
            CLI::App* read = Add(word, command);
            read->add_option("PAGE", statusPage);
            read->add_flag("--json", o.json);
        }
    }
    Grammar(const Grammar&) = delete;
    Grammar& operator=(const Grammar&) = delete;

    CLI::App* Add(const char* word, Command command) {
        commands.emplace_back(app.add_subcommand(word), command);
        return commands.back().first;
    }

    // The options as parsed: the command and what the options before it said.
    Options Parsed() const {
        Options out = o;
        for (const auto& [sub, command] : commands) {
            if (sub->parsed()) out.command = command;
        }
        if (*machineOpt) out.machineDir = machine;
        if (*settingsOpt) out.settingsFile = settings;
        if (*userOpt) out.user = user;
        out.recommend = recommend;
        out.all = all;
        out.changes = changes;
        out.remove = remove;
        out.codePage = codePage;
        return out;
    }
};

bool IsPass(Command command) {
    return command == Command::Plan || command == Command::Apply || command == Command::Export;
}

// The words that name something: the pass's page and the language. Why one names nothing.
std::optional<std::string> ReadWords(const Grammar& g, Options& o, const Words& say) {
    if (IsPass(o.command)) {
        const auto chosen = form::PageOfWord(g.page);
        o.automatic = g.page == form::kAutoWord;
        if (!chosen && !o.automatic) {
            return say(lang::CliStr::UnknownPage,
                       {g.page, say.Pages([](const form::PageRecord&) { return true; }, form::kAutoWord)});
        }
        if (chosen) o.page = *chosen;
    }
    if (*g.languageOpt) {
        o.language = lang::FromWord(g.languageWord);
        if (!o.language) return say(lang::CliStr::UnknownLanguage, {g.languageWord});
    }
    return std::nullopt;
}

// The options that go only with some commands, status's page, and the commands that need one of a
// few: why the arguments do not go together.
std::optional<std::string> CheckTogether(const Grammar& g, Options& o, const Words& say) {
    if (!IsPass(o.command)) {
        for (CLI::Option* opt : {g.settingsOpt, g.recommendOpt, g.removeOpt, g.codePageOpt, g.allOpt}) {
            if (*opt) return say(lang::CliStr::OnlyWithPass, {opt->get_name()});
        }
        if (*g.userOpt && o.command != Command::StartupList && o.command != Command::Undo) {
            return say(lang::CliStr::UserOnly);
        }
    }
    if (*g.removeOpt && (o.automatic || o.page != form::Page::Startup)) return say(lang::CliStr::RemoveOnly);
    if (*g.codePageOpt && o.command != Command::Export) return say(lang::CliStr::CodePageOnly);
    if ((o.command == Command::Status || o.command == Command::List) && !g.statusPage.empty()) {
        const auto chosen = form::PageOfWord(g.statusPage);
        if (!chosen || !form::Record(*chosen).options) {
            return say(lang::CliStr::UnknownPage,
                       {g.statusPage, say.Pages([](const form::PageRecord& r) { return r.options; })});
        }
        o.statusPage = chosen;
    }
    if (o.command == Command::Undo && (o.list ? 1 : 0) + (o.last ? 1 : 0) + (o.journal.empty() ? 0 : 1) != 1) {
        return say(lang::CliStr::UndoTakesOne);
    }
    if (o.command == Command::RegWrite && o.type != "string" && o.type != "dword" && o.type != "hex") {
        return say(lang::CliStr::UnknownType, {o.type});
    }
    return std::nullopt;
}

} // namespace

ParseResult ParseArguments(const std::vector<std::string>& args, lang::Language language) {
    const auto any = [&](std::initializer_list<std::string_view> words) {
        return std::any_of(args.begin(), args.end(), [&](const std::string& a) {
            return std::find(words.begin(), words.end(), a) != words.end();
        });
    };
    Options early;
    if (any({"--help", "-h"})) return {early, ""}; // Command::Help
    if (any({"--version"})) {
        early.command = Command::Version;
        return {early, ""};
    }

    const Words say{{language}};
    Grammar g;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        g.app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        std::string what = e.what();
        return Fail(what.empty() ? say(lang::CliStr::BadArguments) : what);
    }
    Options o = g.Parsed();
    if (auto why = ReadWords(g, o, say)) return Fail(std::move(*why));
    if (auto why = CheckTogether(g, o, say)) return Fail(std::move(*why));
    return {o, ""};
}

} // namespace cli
