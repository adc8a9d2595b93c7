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

using sysaccess::KnownFolder;

// Each known folder in the batch: the mark the pass's paths carry, the variable that holds the
// folder where the batch runs, and how the batch sets it (nothing: Windows sets it itself).
struct BatchFolder {
    KnownFolder folder;
    const char* mark;
    const char* variable;
    const char* profile; // the profile variable the folder lies in on a Simplified-Chinese XP
    const char* root;    // HKCU or HKLM: where the Shell Folders value is
    const char* value;   // the Shell Folders value, and the token after which its data stands
    const char* tokens;
};
constexpr BatchFolder kFolders[] = {
    {KnownFolder::Windows, "<windir>", "%windir%", nullptr, nullptr, nullptr, nullptr},
    {KnownFolder::Startup, "<startup>", "%SYSVELA_STARTUP%", "%USERPROFILE%", "HKCU", "Startup", "2,*"},
    {KnownFolder::CommonStartup, "<common-startup>", "%SYSVELA_COMMON_STARTUP%", "%ALLUSERSPROFILE%", "HKLM",
     "\"Common Startup\"", "3,*"},
    {KnownFolder::CommonStartMenu, "<common-start-menu>", "%SYSVELA_COMMON_STARTMENU%", "%ALLUSERSPROFILE%", "HKLM",
     "\"Common Start Menu\"", "4,*"},
    {KnownFolder::StartMenu, "<start-menu>", "%SYSVELA_STARTMENU%", "%USERPROFILE%", "HKCU", "\"Start Menu\"", "3,*"},
    {KnownFolder::Profile, "<profile>", "%USERPROFILE%", nullptr, nullptr, nullptr, nullptr},
};
// cmd refuses longer lines.
constexpr std::size_t kMaxLine = 8000;

// How the batch tells the releases apart: the text "ver" prints holds " 5.1." on XP, " 10.0." on
// 10 and 11 alike, which the batch therefore cannot tell apart.
struct VersionTest {
    sysaccess::ReleaseSet releases;
    const char* variable;
    const char* text;
};
using sysaccess::Bit;
using sysaccess::Release;
constexpr VersionTest kVersionTests[] = {
    {Bit(Release::Xp), "SYSVELA_WIN51", " 5.1."},
    {Bit(Release::Server2003), "SYSVELA_WIN52", " 5.2."},
    {Bit(Release::Vista), "SYSVELA_WIN60", " 6.0."},
    {Bit(Release::Win7), "SYSVELA_WIN61", " 6.1."},
    {Bit(Release::Win8), "SYSVELA_WIN62", " 6.2."},
    {Bit(Release::Win81), "SYSVELA_WIN63", " 6.3."},
    {static_cast<sysaccess::ReleaseSet>(Bit(Release::Win10) | Bit(Release::Win11)), "SYSVELA_WIN100", " 10.0."},
};
constexpr const char* kRunVariable = "SYSVELA_RUN";

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
    if (!guarded_.empty()) {
        if (!guardWritten_) {
            // Whether this Windows is one the option has an effect on, tested once for the option.
            guardWritten_ = true;
            lines_.push_back("set \"" + std::string(kRunVariable) + "=\"");
            for (const VersionTest& t : kVersionTests) {
                if ((guardReleases_ & t.releases) != t.releases) continue;
                releasesTested_ |= t.releases;
                lines_.push_back("if defined " + std::string(t.variable) + " set \"" + kRunVariable + "=1\"");
            }
            lines_.push_back("if not defined " + std::string(kRunVariable) + " echo skipped " +
                             EscapeForBatch(guarded_) + ": not on this version of Windows");
        }
        line = "if defined " + std::string(kRunVariable) + " " + line;
    }
    if (line.size() > kMaxLine) {
        Skip("a line longer than cmd accepts");
        return;
    }
    lines_.push_back(std::move(line));
}

void BatchExporter::OptionBegins(const std::string& what, sysaccess::ReleaseSet releases) {
    const bool limited = versionChecks_ && !what.empty() && releases != sysaccess::kEveryRelease;
    if (limited && what == guarded_) return; // the same option goes on
    guarded_ = limited ? what : std::string();
    guardReleases_ = releases;
    guardWritten_ = false;
}

void BatchExporter::Skip(const std::string& why) {
    lines_.push_back("rem skipped: " + why);
}

void BatchExporter::Page(const std::string& name) {
    OptionBegins({}, sysaccess::kEveryRelease);
    lines_.push_back("rem page " + PercentDoubled(name));
}

std::optional<std::string> BatchExporter::KnownFolderPath(KnownFolder folder) {
    for (const BatchFolder& f : kFolders) {
        if (f.folder == folder) return std::string(f.mark);
    }
    return std::nullopt;
}

std::string BatchExporter::BatchPath(const std::string& path) {
    for (std::size_t i = 0; i < std::size(kFolders); ++i) {
        const std::string mark = kFolders[i].mark;
        if (path.starts_with(mark)) {
            foldersUsed_ |= 1u << static_cast<unsigned>(kFolders[i].folder);
            return kFolders[i].variable + PercentDoubled(path.substr(mark.size()));
        }
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
    for (const VersionTest& t : kVersionTests) {
        if (!(releasesTested_ & t.releases)) continue;
        // find compares bytes, so the text matches in any language's "ver". Its errorlevel is read
        // on a line of its own: Wine's cmd does not give "&&" after a pipe the pipe's outcome.
        out.push_back("set \"" + std::string(t.variable) + "=\"");
        out.push_back("ver | find \"" + std::string(t.text) + "\" >nul");
        out.push_back("if not errorlevel 1 set \"" + std::string(t.variable) + "=1\"");
    }
    const std::string shellFolders = R"(\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders")";
    for (const BatchFolder& f : kFolders) {
        if (!(foldersUsed_ & (1u << static_cast<unsigned>(f.folder))) || f.profile == nullptr) continue;
        // The folder as a Simplified-Chinese XP names it below the profile when it exists there,
        // else the one the shell's registry names; its data stands after the type, read by token.
        const std::string name = std::string(f.variable).substr(1, std::strlen(f.variable) - 2);
        out.push_back("set \"" + name + "=" + f.profile + std::string(sysaccess::XpBelowProfile(f.folder)) + "\"");
        out.push_back("if not exist \"" + std::string(f.variable) + "\\*\" for /f \"tokens=" + f.tokens +
                      "\" %%A in ('reg query \"" + f.root + shellFolders + " /v " + f.value +
                      " 2^>nul ^| find \"REG_SZ\"') do set \"" + name + "=%%B\"");
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
