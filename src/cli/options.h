// The command line of sysvela-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "form/pages.h"
#include "lang/language.h"

namespace cli {

enum class Command { Plan, Apply, Export, StartupList, RegWrite, RunCmd, Undo, Status, List, Help, Version };

struct Options {
    Command command = Command::Help;
    form::Page page = form::Page::System;
    bool automatic = false; // "auto": automatic optimisation instead of one page
    std::optional<std::string> machineDir;
    std::optional<std::string> settingsFile;
    std::optional<std::string> user;
    bool recommend = false;
    bool all = false;     // every option runs, whether or not this Windows has what it changes
    bool changes = false; // plan --changes: only what would change the machine, or cannot be known
    std::vector<std::string> remove;
    unsigned codePage = 936;
    // reg-write KEY NAME TYPE DATA; run-cmd COMMAND
    std::string key, name, type, data;
    std::string commandLine;
    // undo: --list, --last or a journal; --force for a journal of another computer, --force-user for one
    // of another user
    bool list = false, last = false, force = false, forceUser = false;
    std::string journal;
    // status and list [PAGE] [--json]: no page is every page with options
    std::optional<form::Page> statusPage;
    bool json = false;
    // --lang: the language of messages and help; nothing leaves it to the platform.
    std::optional<lang::Language> language;
};

struct ParseResult {
    std::optional<Options> options; // nothing: a usage error
    std::string error;              // the problem, without the program name
};

// Parses the arguments after the program name. --help anywhere gives Command::Help, and
// otherwise --version anywhere Command::Version. A usage error is worded in language.
ParseResult ParseArguments(const std::vector<std::string>& args, lang::Language language);

// The language --lang names among the arguments, before they are parsed: what a usage error is
// worded in. Nothing when there is none or it names none.
std::optional<lang::Language> LanguageArgument(const std::vector<std::string>& args);

// The text --help prints.
std::string HelpText(lang::Language language);

// The pass's word, as the page argument gave it: a page's word or "auto".
const char* PassWord(const Options& options);

} // namespace cli
