// sysvela-cli without its platform: the commands, run on a System, writing through callbacks.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lang/language.h"
#include "sysaccess/system.h"

namespace cli {

struct Env {
    std::function<void(const std::string&)> out; // stdout, bytes as given
    std::function<void(const std::string&)> err; // stderr, UTF-8 text
    // The real system; empty where there is none (Linux), where the simulated machine is the default.
    std::function<std::unique_ptr<sysaccess::System>()> realSystem;
    // The language of messages and help when --lang does not say: the user's.
    lang::Language language = lang::Language::English;
};

// Runs the command line (the arguments after the program name); returns the exit status.
int Main(const std::vector<std::string>& args, const Env& env);

// Main, for the program's entry point: whatever is thrown (memory running out, above all) ends the
// run with exit status 1 and the reason on stderr, never as an exception leaving the program.
// args gives the arguments, so that making them is covered too.
int MainCatching(const std::function<std::vector<std::string>()>& args, const Env& env) noexcept;

} // namespace cli
