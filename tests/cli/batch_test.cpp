// The batch exporter: cmd's escaping, the reg add line for each value type, and the guards it
// writes around file operations and the safe-boot deletes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cli/batch.h"
#include "cli/cli.h"
#include "sysaccess/cmdline.h"
#include "sysaccess/sim/machine.h"

using cli::BatchExporter;
using cli::EscapeForBatch;
using cli::RegAddLine;
using sysaccess::RegType;
using sysaccess::RunMode;

namespace {

// What cmd does to a line before starting the program: %% becomes %, and outside quotes a caret
// is dropped and the character after it kept. Checks that the escaping round-trips.
std::string CmdReading(const std::string& line) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '%') {
            EXPECT_TRUE(i + 1 < line.size() && line[i + 1] == '%') << line;
            out += '%';
            ++i;
            continue;
        }
        if (c == '"') quoted = !quoted;
        if (!quoted && c == '^' && i + 1 < line.size()) {
            out += line[++i];
            continue;
        }
        if (!quoted) {
            EXPECT_EQ(std::string("&|<>").find(c), std::string::npos) << line;
        }
        out += c;
    }
    return out;
}

TEST(BatchEscape, MetacharactersOutsideQuotesAndPercentEverywhere) {
    EXPECT_EQ(EscapeForBatch("sc \\\\. config Alerter start= demand"), "sc \\\\. config Alerter start= demand");
    EXPECT_EQ(EscapeForBatch("a & b | c > d < e ^ f"), "a ^& b ^| c ^> d ^< e ^^ f");
    EXPECT_EQ(EscapeForBatch("\"a & b\" & c"), "\"a & b\" ^& c");
    EXPECT_EQ(EscapeForBatch("%PATH% \"50%\""), "%%PATH%% \"50%%\"");
    // A quote escaped for the program still opens and closes quotes for cmd.
    const std::string name = "x\" & del c:\\* & \"";
    const std::string line = "reg delete HKEY_CURRENT_USER\\Run /v " + sysaccess::QuoteArgument(name) + " /f";
    const std::string escaped = EscapeForBatch(line);
    EXPECT_EQ(CmdReading(escaped), line);
    EXPECT_EQ(sysaccess::SplitCommandLine(CmdReading(escaped)).at(4), name);

    // Any mix of quotes and metacharacters reads back as it was.
    std::srand(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = std::rand() % 12; i > 0; --i)
            text += "a \"%&|<>^\\"[std::rand() % 10];
        EXPECT_EQ(CmdReading(EscapeForBatch(text)), text) << text;
    }
}

TEST(BatchRegAdd, EachTypeAsTheImportStoresIt) {
    EXPECT_EQ(RegAddLine("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore",
                         RegType::Dword, "DisableSR", "00000001"),
              "reg add \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore\" /v "
              "\"DisableSR\" /t REG_DWORD /d 0x00000001 /f");
    EXPECT_EQ(RegAddLine("HKEY_CURRENT_USER\\X", RegType::Dword, "NoDrives", "C"),
              "reg add \"HKEY_CURRENT_USER\\X\" /v \"NoDrives\" /t REG_DWORD /d 0xC /f");
    EXPECT_EQ(RegAddLine("HKEY_CURRENT_USER\\X", RegType::String, "downloadDirectory", "C:\\"),
              "reg add \"HKEY_CURRENT_USER\\X\" /v \"downloadDirectory\" /t REG_SZ /d \"C:\\\\\" /f");
    EXPECT_EQ(RegAddLine("HKEY_CURRENT_USER\\X\\", RegType::String, "1", ""),
              "reg add \"HKEY_CURRENT_USER\\X\\\\\" /v \"1\" /t REG_SZ /d \"\" /f");
    EXPECT_EQ(RegAddLine("HKEY_CURRENT_USER\\X", RegType::String, "p", "50% & more"),
              "reg add \"HKEY_CURRENT_USER\\X\" /v \"p\" /t REG_SZ /d \"50%% & more\" /f");
    EXPECT_EQ(RegAddLine("HKEY_CURRENT_USER\\X", RegType::Hex, "b", "01,ff,2A"),
              "reg add \"HKEY_CURRENT_USER\\X\" /v \"b\" /t REG_BINARY /d \"01ff2A\" /f");
    EXPECT_EQ(RegAddLine("HKEY_CURRENT_USER\\X", RegType::String, "", "d"),
              "reg add \"HKEY_CURRENT_USER\\X\" /ve /t REG_SZ /d \"d\" /f");
}

TEST(BatchRegAdd, WhatTheImportRefusesIsNotWritten) {
    for (const char* bad : {"", "123456789", "zz", "0x1", "-1"}) {
        EXPECT_FALSE(RegAddLine("HKEY_CURRENT_USER\\X", RegType::Dword, "n", bad)) << bad;
    }
    for (const char* bad : {"1", "01,", "01,,02", "0g"}) {
        EXPECT_FALSE(RegAddLine("HKEY_CURRENT_USER\\X", RegType::Hex, "n", bad)) << bad;
    }
    EXPECT_FALSE(RegAddLine("HKEY_CURRENT_USER\\X", RegType::String, "n", "a\r\nreg delete HKLM /f"));
    EXPECT_FALSE(RegAddLine("HKEY_CURRENT_USER\\X\nY", RegType::String, "n", "a"));
}

class Exporter : public ::testing::Test {
protected:
    sim::Machine machine;
    BatchExporter exporter{machine};

    std::vector<std::string> Body() {
        const std::string text = exporter.Text("t");
        std::vector<std::string> lines;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = text.find("\r\n", at);
            EXPECT_NE(end, std::string::npos);
            lines.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1); // CR LF only
        return lines;
    }
};

TEST_F(Exporter, KnownFoldersBecomeThoseOfWhereverTheBatchRuns) {
    const auto folder = [&](sysaccess::KnownFolder f) { return exporter.KnownFolderPath(f).value_or("?"); };
    (void)exporter.DeleteFiles(folder(sysaccess::KnownFolder::Startup) + "\\a%b.lnk");
    (void)exporter.DeleteFiles(folder(sysaccess::KnownFolder::CommonStartup) + "\\c.lnk");
    // A fixed path stays as it is.
    (void)exporter.DeleteFiles("C:\\Documents and Settings\\Administrator2\\x.lnk");
    const auto lines = Body();
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("set \"SYSVELA_STARTUP=%USERPROFILE%\\「开始」菜单\\程序\\启动\""));
    EXPECT_TRUE(has("set \"SYSVELA_COMMON_STARTUP=%ALLUSERSPROFILE%\\「开始」菜单\\程序\\启动\""));
    // A name is compared with what dir lists: the second cmd that runs dir never sees it.
    EXPECT_TRUE(has("for /f \"eol=| delims=\" %%F in ('dir /b /a:-d-h-s \"%SYSVELA_STARTUP%\" 2^>nul') do if /i "
                    "\"%%F\"==\"a%%b.lnk\" del /q \"%SYSVELA_STARTUP%\\%%F\""));
    EXPECT_TRUE(has("for /f \"eol=| delims=\" %%F in ('dir /b /a:-d-h-s \"%SYSVELA_COMMON_STARTUP%\" 2^>nul') do "
                    "if /i \"%%F\"==\"c.lnk\" del /q \"%SYSVELA_COMMON_STARTUP%\\%%F\""));
    EXPECT_TRUE(has("for /f \"eol=| delims=\" %%F in ('dir /b /a:-d-h-s \"C:\\Documents and "
                    "Settings\\Administrator2\" 2^>nul') do if /i \"%%F\"==\"x.lnk\" del /q \"C:\\Documents and "
                    "Settings\\Administrator2\\%%F\""));
    // A pattern goes to dir itself, unless cmd would expand part of it.
    (void)exporter.DeleteFiles("C:\\a\\*.lnk");
    (void)exporter.DeleteFiles("C:\\a\\%x%*.lnk");
    const auto more = Body();
    EXPECT_EQ(more.at(more.size() - 4),
              "for /f \"eol=| delims=\" %%F in ('dir /b /a:-d-h-s \"C:\\a\\*.lnk\" 2^>nul') do del /q \"C:\\a\\%%F\"");
    EXPECT_EQ(more.at(more.size() - 3), "rem skipped: a file pattern with a percent sign");
}

TEST_F(Exporter, ACopiedKeyIsDeletedOnlyAfterItsCopySucceeded) {
    const std::string sb = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\";
    EXPECT_TRUE(exporter.Run("reg copy " + sb + "Minimal\\ " + sb + "Minimal1\\ /s /f", RunMode::Wait).ok());
    EXPECT_TRUE(exporter.Run("reg copy " + sb + "Network\\ " + sb + "Network1\\ /s /f", RunMode::Wait).ok());
    (void)exporter.Run("reg delete " + sb + "Minimal\\ /f", RunMode::Wait);
    (void)exporter.Run("reg delete " + sb + "network /f", RunMode::Wait);
    (void)exporter.Run("reg delete " + sb + "Other\\ /f", RunMode::Wait);
    auto lines = Body();
    // Everything after the opening lines, which end in pushd.
    lines.erase(lines.begin(), std::find(lines.begin(), lines.end(), "pushd \"%SystemRoot%\\system32\"") + 1);
    lines.resize(lines.size() - 2);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "set \"SYSVELA_COPIED_1=\"",
                         "reg copy " + sb + "Minimal\\ " + sb + "Minimal1\\ /s /f",
                         "if not errorlevel 1 set \"SYSVELA_COPIED_1=1\"",
                         "set \"SYSVELA_COPIED_2=\"",
                         "reg copy " + sb + "Network\\ " + sb + "Network1\\ /s /f",
                         "if not errorlevel 1 set \"SYSVELA_COPIED_2=1\"",
                         "if defined SYSVELA_COPIED_1 reg delete " + sb + "Minimal\\ /f",
                         "if defined SYSVELA_COPIED_2 reg delete " + sb + "network /f",
                         "reg delete " + sb + "Other\\ /f",
                     }));
}

// sysvela-cli on a machine where the program runs as another account than the session's.
TEST(CliMain, SaysWhenTheSessionsUserIsAnother) {
    std::string out, err;
    cli::Env env{[&](const std::string& s) { out += s; }, [&](const std::string& s) { err += s; },
                 [] {
                     auto m = std::make_unique<sim::Machine>(sim::Machine::Seeded());
                     m->SetSessionUserName("Alice");
                     return std::unique_ptr<sysaccess::System>(std::move(m));
                 }};
    EXPECT_EQ(cli::Main({"plan", "system"}, env), 0);
    EXPECT_NE(err.find("running as Administrator while Alice is logged on in this session"), std::string::npos) << err;
}

} // namespace
