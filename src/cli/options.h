// The command line of sysvela-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Command { Plan, Apply, Export, StartupList, RegWrite, RunCmd, Undo, Status, Help, Version };

// The pages a pass can run on; Auto is the automatic optimisation of four pages.
enum class PageArg { System, Security, Services, Slimming, Startup, Auto };

struct Options {
    Command command = Command::Help;
    PageArg page = PageArg::System;
    std::optional<std::string> machineDir;
    std::optional<std::string> settingsFile;
    std::optional<std::string> user;
    bool recommend = false;
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
    // status [PAGE] [--json]: no page is every page with options
    std::optional<PageArg> statusPage;
    bool json = false;
};

struct ParseResult {
    std::optional<Options> options; // nothing: a usage error
    std::string error;              // the problem, without the program name
};

// Parses the arguments after the program name. --help anywhere gives Command::Help, and
// otherwise --version anywhere Command::Version.
ParseResult ParseArguments(const std::vector<std::string>& args);

// The text --help prints.
std::string HelpText();

// "system", "security", "services", "slimming", "startup", "auto".
const char* PageName(PageArg page);

} // namespace cli
