#include "cli/batch.h"

#include <cstring>

#include "sysaccess/cmdline.h"
#include "sysaccess/folders.h"
#include "sysaccess/regpath.h"
#include "sysaccess/regscript.h"
#include "text/ascii.h"

namespace cli {

namespace {

using sysaccess::RegType;

constexpr const char* kUserStartupVar = "%SYSVELA_STARTUP%";
constexpr const char* kCommonStartupVar = "%SYSVELA_COMMON_STARTUP%";
// cmd refuses longer lines.
constexpr std::size_t kMaxLine = 8000;

bool HasLineBreak(const std::string& s) {
    return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// Text that will stand inside double quotes in the batch: only % needs doubling there.
std::string PercentDoubled(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && text::SameName(s.substr(0, prefix.size()), prefix);
}

} // namespace

std::string EscapeForBatch(const std::string& text) {
    std::string out;
    bool quoted = false;
    for (char c : text) {
        if (c == '%') {
            out += "%%";
            continue;
        }
        if (c == '"') quoted = !quoted;
        if (!quoted && std::strchr("&|<>^", c) != nullptr) out += '^';
        out += c;
    }
    return out;
}

std::optional<std::string> RegAddLine(const std::string& key, RegType type, const std::string& name,
                                      const std::string& data) {
    if (HasLineBreak(key) || HasLineBreak(name) || HasLineBreak(data)) return std::nullopt;
    if (!sysaccess::ImportedData(type, data)) return std::nullopt; // what the import would refuse
    std::string line = "reg add " + sysaccess::QuoteArgument(key);
    // An empty name is the key's default value, which reg names with /ve.
    line += name.empty() ? " /ve" : " /v " + sysaccess::QuoteArgument(name);
    switch (type) {
    case RegType::String:
        line += " /t REG_SZ /d " + sysaccess::QuoteArgument(data);
        break;
    case RegType::Dword:
        line += " /t REG_DWORD /d 0x" + data;
        break;
    case RegType::Hex: {
        // The pairs of the registry script ("01,ff,2a") as reg add wants them ("01ff2a").
        std::string pairs;
        for (char c : data) {
            if (c != ',') pairs += c;
        }
        line += " /t REG_BINARY /d " + sysaccess::QuoteArgument(pairs);
        break;
    }
    }
    return EscapeForBatch(line + " /f");
}

void BatchExporter::Line(std::string line) {
    if (line.size() > kMaxLine) {
        Skip("a line longer than cmd accepts");
        return;
    }
    lines_.push_back(std::move(line));
}

void BatchExporter::Skip(const std::string& why) {
    lines_.push_back("rem skipped: " + why);
}

void BatchExporter::Page(const std::string& name) {
    lines_.push_back("rem page " + PercentDoubled(name));
}

std::string BatchExporter::BatchPath(const std::string& path) {
    const std::string user = sysaccess::FixedStartupFolder(userName_);
    const std::string common = sysaccess::FixedStartupFolder(sysaccess::kAllUsers);
    const auto under = [&](const std::string& folder) {
        return StartsWithNoCase(path, folder) && (path.size() == folder.size() || path[folder.size()] == '\\');
    };
    if (!userName_.empty() && under(user)) {
        userStartup_ = true;
        return kUserStartupVar + PercentDoubled(path.substr(user.size()));
    }
    if (under(common)) {
        commonStartup_ = true;
        return kCommonStartupVar + PercentDoubled(path.substr(common.size()));
    }
    return PercentDoubled(path);
}

sysaccess::Result BatchExporter::WriteRegValue(const std::string& key, RegType type, const std::string& name,
                                               const std::string& data) {
    const auto line = RegAddLine(key, type, name, data);
    if (!line) {
        Skip("a registry value the import refuses");
        return sysaccess::Result::Fail("the import refuses this value");
    }
    Line(*line);
    return sysaccess::Result::Ok();
}

sysaccess::RunResult BatchExporter::Run(const std::string& commandLine, sysaccess::RunMode mode) {
    const sysaccess::RunResult done =
        mode == sysaccess::RunMode::Wait ? sysaccess::RunResult::Exited(0) : sysaccess::RunResult::Running();
    if (HasLineBreak(commandLine)) {
        Skip("a command line with a line break");
        return done;
    }
    // Every command runs to completion in the batch, so the order stays as in the pass.
    const std::vector<std::string> args = sysaccess::SplitCommandLine(commandLine);
    const auto is = [&](std::size_t i, const char* word) { return args.size() > i && text::SameName(args[i], word); };
    if (is(0, "reg") && is(1, "copy") && args.size() > 3) {
        // The pass deletes a copied key only when its copy exited 0; so does the batch.
        const std::string flag = "SYSVELA_COPIED_" + std::to_string(copies_.size() + 1);
        copies_.push_back({sysaccess::KeyIdentity(args[2]), flag});
        Line("set \"" + flag + "=\"");
        Line(EscapeForBatch(commandLine));
        Line("if not errorlevel 1 set \"" + flag + "=1\"");
        return done;
    }
    if (is(0, "reg") && is(1, "delete") && args.size() > 2) {
        for (auto it = copies_.rbegin(); it != copies_.rend(); ++it) {
            if (it->source == sysaccess::KeyIdentity(args[2])) {
                Line("if defined " + it->flag + " " + EscapeForBatch(commandLine));
                return done;
            }
        }
    }
    Line(EscapeForBatch(commandLine));
    return done;
}

sysaccess::Result BatchExporter::DeleteFiles(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    if (HasLineBreak(path) || path.find('"') != std::string::npos || slash == std::string::npos) {
        Skip("a file path a batch file cannot hold");
        return sysaccess::Result::Fail("not a path");
    }
    // Ordinary files only, in that folder only, as the program's own test and deletion; del
    // itself leaves a read-only file. dir runs in a second cmd, which would expand a %NAME% in
    // the text it is given once more: a pattern goes there only without a percent sign, and a
    // plain name is compared with what dir lists instead.
    const std::string folder = BatchPath(path.substr(0, slash));
    const std::string name = path.substr(slash + 1);
    const std::string each = "for /f \"eol=| delims=\" %%F in ('dir /b /a:-d-h-s \"" + folder;
    if (name.find_first_of("*?") != std::string::npos) {
        if (name.find('%') != std::string::npos) {
            Skip("a file pattern with a percent sign");
            return sysaccess::Result::Fail("not a pattern a batch file can hold");
        }
        Line(each + "\\" + name + "\" 2^>nul') do del /q \"" + folder + "\\%%F\"");
    } else {
        Line(each + "\" 2^>nul') do if /i \"%%F\"==\"" + PercentDoubled(name) + "\" del /q \"" + folder + "\\%%F\"");
    }
    return sysaccess::Result::Ok();
}

sysaccess::Result BatchExporter::RemoveFolder(const std::string& path) {
    if (HasLineBreak(path) || path.find('"') != std::string::npos) {
        Skip("a folder path a batch file cannot hold");
        return sysaccess::Result::Fail("not a path");
    }
    // rd without /s removes an empty folder only, as the program does.
    const std::string folder = BatchPath(path);
    Line("if exist \"" + folder + "\\*\" rd \"" + folder + "\"");
    return sysaccess::Result::Ok();
}

sysaccess::Result BatchExporter::ReplaceFileAtomically(const std::string& path, const std::string&) {
    (void)BatchPath(path);
    Skip("a file the program writes");
    return sysaccess::Result::Fail("a batch file writes no files");
}

sysaccess::Result BatchExporter::CreateHeldFile(const std::string& path, const std::string&,
                                                std::unique_ptr<sysaccess::FileHold>&) {
    (void)BatchPath(path);
    Skip("a file the program writes");
    return sysaccess::Result::Fail("a batch file writes no files");
}

std::string BatchExporter::Text(const std::string& title) const {
    std::vector<std::string> out = {
        "@echo off",
        "rem " + PercentDoubled(title),
        "setlocal EnableExtensions DisableDelayedExpansion",
        // Run by a 32-bit program on 64-bit Windows, cmd is the 32-bit one, whose system32 holds the
        // 32-bit tools and whose reg writes where 64-bit Windows does not read: the batch starts
        // again under the 64-bit cmd, with its arguments, and ends with that run's exit code.
        "if not defined PROCESSOR_ARCHITEW6432 goto sysvela_start",
        "if not exist \"%SystemRoot%\\Sysnative\\cmd.exe\" goto sysvela_start",
        "\"%SystemRoot%\\Sysnative\\cmd.exe\" /d /c \"\"%~f0\" %*\"",
        "exit /b %ERRORLEVEL%",
        ":sysvela_start",
        // Bare tool names then find the system's own tools first, not a file in the current folder.
        "pushd \"%SystemRoot%\\system32\"",
    };
    const std::string shellFolders = R"(\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders")";
    if (userStartup_) {
        // The program's fixed folder when it exists, else the one the shell names.
        out.push_back("set \"SYSVELA_STARTUP=" + sysaccess::FixedStartupFolder("%USERNAME%") + "\"");
        out.push_back("if not exist \"%SYSVELA_STARTUP%\\*\" for /f \"tokens=2,*\" %%A in ('reg query \"HKCU" +
                      shellFolders + " /v Startup 2^>nul ^| find \"REG_SZ\"') do set \"SYSVELA_STARTUP=%%B\"");
    }
    if (commonStartup_) {
        out.push_back("set \"SYSVELA_COMMON_STARTUP=" + sysaccess::FixedStartupFolder(sysaccess::kAllUsers) + "\"");
        out.push_back("if not exist \"%SYSVELA_COMMON_STARTUP%\\*\" for /f \"tokens=3,*\" %%A in ('reg query \"HKLM" +
                      shellFolders +
                      " /v \"Common Startup\" 2^>nul ^| find \"REG_SZ\"') do set "
                      "\"SYSVELA_COMMON_STARTUP=%%B\"");
    }
    out.insert(out.end(), lines_.begin(), lines_.end());
    out.push_back("popd");
    out.push_back("endlocal");
    std::string text;
    for (const std::string& line : out)
        text += line + "\r\n";
    return text;
}

} // namespace cli
