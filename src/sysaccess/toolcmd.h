// One reading of the command lines the program gives the system's tools, as the tools read them:
// split by the C runtime's rules, switches without regard to case. The simulated machine runs
// what this reads, and the journal of a pass learns from it what a command will change.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sysaccess/regpath.h"

namespace sysaccess {

// "REG", "reg.exe" and "C:\WINDOWS\system32\reg.exe" are the tool "reg"; the tools live in the
// Windows folder and its system32, so a path elsewhere names a program that is not there (empty).
std::string ToolName(const std::string& program);

// "/x" or "-x", x compared without regard to case.
bool IsSwitch(const std::string& arg, std::string_view name);

// reg add | delete | copy, as reg.exe reads it before it touches anything.
struct RegCommand {
    enum class Verb { Add, Delete, Copy };
    Verb verb = Verb::Add;
    KeyPath key;    // the key named first
    KeyPath target; // copy: the destination
    bool force = false;
    bool subkeys = false;             // copy /s
    bool allValues = false;           // delete /va
    bool defaultValue = false;        // delete /ve
    std::optional<std::string> value; // delete /v NAME
};

// Nothing when reg refuses the line outright (exit 1, nothing changed). args[0] is the program.
std::optional<RegCommand> ReadRegCommand(const std::vector<std::string>& args);

// sc [\\.] config SERVICE start= TYPE [start= TYPE ...]: the last start type wins.
struct ScCommand {
    std::string service;
    std::uint32_t start = 0; // 0 boot ... 4 disabled, as the service's Start value holds it
};
inline constexpr std::uint32_t kScBadCommandLine = 1639; // ERROR_INVALID_COMMAND_LINE
inline constexpr std::uint32_t kScNoServer = 1722;       // RPC_S_SERVER_UNAVAILABLE
struct ScRead {
    std::optional<ScCommand> command;
    std::uint32_t error = 0; // sc's exit code when command is nothing
};
ScRead ReadScCommand(const std::vector<std::string>& args);
// The line that sets a service's start type as the pass sets one, sc \\. config NAME start= WORD;
// nothing for a start type sc has no word for.
std::optional<std::string> ScConfigCommand(const std::string& service, std::uint32_t start);

// chkntfs: /x DRIVES and /d set the boot-time check, the one command Session Manager's
// BootExecute value then holds; any other form only asks.
struct ChkntfsRead {
    std::optional<std::string> bootExecute; // the command written, when the line sets one
    std::uint32_t exitCode = 0;             // chkntfs's exit code otherwise (a query: 0, bad: 1)
};
ChkntfsRead ReadChkntfsCommand(const std::vector<std::string>& args);

class System;

// For a "reg delete" line: whether what it would remove (the value, the default value, any value,
// the key) is there now; for a "reg copy" line, whether the key it copies is. Nothing for any
// other line.
std::optional<bool> RemovalTargetPresent(System& sys, const std::string& commandLine);

// Where a service keeps its start type: HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\NAME.
inline constexpr const char* kServicesKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
// chkntfs /x and /d write BootExecute under this key.
inline constexpr const char* kSessionManagerKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager";

} // namespace sysaccess
