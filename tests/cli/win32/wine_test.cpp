// Under Wine: the exported batch, run by cmd, leaves the registry as apply leaves the simulated
// machine; and sysvela-cli.exe plans and applies against the real registry.
//
// Wine's tools cannot do everything the pass asks of them: "sc config" is not implemented (exit 1),
// sfc and chkntfs do not exist, and Wine has no SafeBoot keys to copy. Those effects are
// therefore not compared; every registry value the pass writes is.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>

#include "support/run_program.h"
#include "sysaccess/encoding.h"
#include "sysaccess/sim/machine.h"
#include "sysaccess/win32/system.h"
#include "win32/text.h"

namespace fs = std::filesystem;

namespace {

using testing_support::Lines;
using testing_support::Outcome;
using testing_support::WriteAll;

fs::path TestFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    return fs::path(temp) / "sysvela-cli-test";
}

std::string Utf8(const fs::path& p) {
    return win32::Narrow(p.wstring());
}

// sysvela-cli.exe, copied into the test's folder and run there, so that its undo folder is the
// test's too. The build gives its path as the build machine sees it; Wine sees / as Z:.
Outcome Cli(const std::vector<std::string>& args) {
    return testing_support::RunProgram(Utf8(TestFolder() / "sysvela-cli.exe"), args, TestFolder());
}

fs::path BuiltCli() {
    std::string path = SYSVELA_CLI_EXE;
    if (!path.empty() && path[0] == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    return fs::path(win32::Widen(path));
}

// A batch file run by cmd.
Outcome Batch(const fs::path& batch) {
    return testing_support::RunProgram("cmd", {"/c", Utf8(batch)}, TestFolder());
}

// The values a plan writes, each once, by key and name as the registry compares them.
std::vector<std::pair<std::string, std::string>> WrittenValues(const std::string& plan) {
    std::vector<std::pair<std::string, std::string>> values;
    std::map<std::string, bool> seen;
    for (const std::string& line : Lines(plan)) {
        if (line.rfind("write ", 0) != 0) continue;
        const std::size_t a = line.find('|'), b = line.find('|', a + 1);
        const std::string key = line.substr(6, a - 6), name = line.substr(a + 1, b - a - 1);
        std::string id = key + "|" + name;
        for (char& c : id)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (seen.emplace(id, true).second) values.emplace_back(key, name);
    }
    return values;
}

// Removes a value from the real registry, so that only what runs next can set it again.
void DeleteValue(const std::string& key, const std::string& name) {
    const std::size_t slash = key.find('\\');
    const std::string root = key.substr(0, slash);
    HKEY hive = root == "HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(hive, win32::Widen(key.substr(slash + 1)).c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueW(opened, win32::Widen(name).c_str());
    RegCloseKey(opened);
}

class WineCli : public ::testing::Test {
protected:
    void SetUp() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::create_directories(dir);
        fs::copy_file(BuiltCli(), dir / "sysvela-cli.exe");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir = TestFolder();
};

TEST_F(WineCli, ExportedBatchLeavesTheValuesApplyLeavesOnTheSimulatedMachine) {
    // Every box ticked, all drives, the last cache size, and a Chinese download folder with a
    // percent sign and a trailing backslash, in the ANSI code page as setup.dat holds it.
    const auto ansi =
        sysaccess::Utf8ToCodePage("\"" + std::string(77, '1') +
                                      "\"\r\n\"4\"\r\n\"1\"\r\n\"1\"\r\n\"D:\\下载 50%\\\"\r\n"
                                      "\"00100000000000000000000001\"\r\n\"11111111111111111111111111\"\r\n"
                                      "\"1111111111111111111\"\r\n",
                                  sysaccess::kCodePageGbk);
    ASSERT_TRUE(ansi);
    WriteAll(dir / "all.dat", *ansi);
    const std::string all = Utf8(dir / "all.dat");
    // Each page ends with every box clear, which leaves the prefix with every restriction
    // released for the tests that share it.
    const std::vector<std::vector<std::string>> cases = {
        {"security", "--settings", all},
        {"security"},
        {"system", "--recommend"},
        {"system"},
    };
    win32::System wine;
    int n = 0;
    for (const auto& pageArgs : cases) {
        const std::string machine = Utf8(dir / ("m" + std::to_string(++n)));
        const auto with = [&](const char* command) {
            std::vector<std::string> args = {"--machine", machine, command};
            args.insert(args.end(), pageArgs.begin(), pageArgs.end());
            return args;
        };
        const Outcome plan = Cli(with("plan"));
        ASSERT_EQ(plan.status, 0) << plan.err;
        const Outcome exported = Cli(with("export"));
        ASSERT_EQ(exported.status, 0) << exported.err;
        const fs::path batch = dir / ("b" + std::to_string(n) + ".bat");
        WriteAll(batch, exported.out);
        (void)Cli(with("apply"));

        const auto values = WrittenValues(plan.out);
        EXPECT_GT(values.size(), 20u);
        for (const auto& [key, name] : values)
            DeleteValue(key, name);
        const Outcome ran = Batch(batch);
        EXPECT_EQ(ran.status, 0) << pageArgs[0];

        const sim::LoadedMachine applied = sim::Machine::Load(machine);
        ASSERT_TRUE(applied.machine) << applied.error;
        sim::Machine simulated = *applied.machine;
        for (const auto& [key, name] : values) {
            const auto want = simulated.ReadRegValue(key, name);
            const auto got = wine.ReadRegValue(key, name);
            ASSERT_TRUE(want) << key << " " << name;
            ASSERT_TRUE(got) << pageArgs[0] << ": " << key << " " << name;
            EXPECT_EQ(got->type, want->type) << key << " " << name;
            EXPECT_EQ(got->text, want->text) << key << " " << name;
            EXPECT_EQ(got->dword, want->dword) << key << " " << name;
            EXPECT_EQ(got->bytes, want->bytes) << key << " " << name;
        }
    }
}

TEST_F(WineCli, ExportedStartupRemovalFindsTheUsersOwnStartupFolder) {
    // Wine keeps the Startup folder where the shell says, not under "Documents and Settings":
    // the batch finds it the same way the program does.
    win32::System wine;
    const auto folder = wine.KnownFolderPath(sysaccess::KnownFolder::Startup);
    ASSERT_TRUE(folder);
    const std::string name = "sysvela cli test & 1.lnk";
    const std::string run = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const fs::path shortcut = fs::path(win32::Widen(*folder)) / win32::Widen(name);
    WriteAll(shortcut, "x");
    ASSERT_TRUE(wine.WriteRegValue(run, sysaccess::RegType::String, name, "x").ok);

    const Outcome list = Cli({"startup-list"});
    const auto listed = Lines(list.out);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), name), 2) << list.out; // Run value and shortcut
    const Outcome exported = Cli({"export", "startup", "--remove", name});
    ASSERT_EQ(exported.status, 0) << exported.err;
    WriteAll(dir / "startup.bat", exported.out);
    (void)Batch(dir / "startup.bat");
    EXPECT_FALSE(fs::exists(shortcut));
    EXPECT_FALSE(wine.ReadRegValue(run, name));
    EXPECT_EQ(Cli({"startup-list"}).out.find(name), std::string::npos);
}

TEST_F(WineCli, TheWindowsBuildPlansAndAppliesAgainstTheRealRegistry) {
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";
    win32::System wine;
    ASSERT_EQ(wine.Run("reg add \"" + key + "\" /v DisableSR /t REG_DWORD /d 7 /f", sysaccess::RunMode::Wait).ok(),
              true);

    const Outcome plan = Cli({"plan", "--recommend", "system"});
    EXPECT_EQ(plan.status, 0);
    const auto planned = Lines(plan.out);
    ASSERT_FALSE(planned.empty());
    EXPECT_EQ(planned.front(), "page system");
    EXPECT_NE(plan.out.find("write " + key + "|DisableSR|dword|00000001\n"), std::string::npos) << plan.out;
    EXPECT_EQ(plan.out.find('\r'), std::string::npos);         // LF only
    EXPECT_EQ(wine.ReadRegValue(key, "DisableSR")->dword, 7u); // a plan writes nothing

    const Outcome applied = Cli({"apply", "--recommend", "system"});
    EXPECT_EQ(wine.ReadRegValue(key, "DisableSR")->dword, 1u);
    EXPECT_NE(applied.out.find("write " + key + "|DisableSR|dword|00000001\n"), std::string::npos) << applied.out;
    // What Wine cannot do is reported, and the run goes on to the end; a service it does not have
    // is skipped.
    EXPECT_EQ(applied.status, 1);
    EXPECT_NE(applied.out.find("start chkntfs /x c: d:\tfailed: could not be started (error 2)\n"), std::string::npos)
        << applied.out;
    EXPECT_NE(applied.out.find("\nskipped 禁止发送远程协助邀请: not on Windows XP"), std::string::npos) << applied.out;
    EXPECT_NE(applied.out.find("failed: sc \\\\. config wuauserv start= disabled: exit code"), std::string::npos)
        << applied.out;
    EXPECT_NE(applied.out.find("PrefetchParameters|EnablePrefetcher|string|5\n"), std::string::npos);
    EXPECT_EQ(wine.ReadRegValue("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory "
                                "Management\\PrefetchParameters",
                                "EnablePrefetcher")
                  ->text,
              "5");

    // Every box clear again, for the tests that share the prefix.
    (void)Cli({"apply", "system"});
    EXPECT_EQ(wine.ReadRegValue(key, "DisableSR")->dword, 0u);
}

TEST_F(WineCli, StatusAndPlanAgreeOnWhatThisWindowsHas) {
    // Wine has 4 of the services page's 19 services and no dllcache: the rest is skipped by the
    // plan and n/a in status, and for the same reason.
    for (const char* page : {"services", "slimming"}) {
        const auto plan = Lines(Cli({"plan", page, "--recommend"}).out);
        const auto status = Lines(Cli({"status", page}).out);
        std::vector<std::string> skipped, na;
        for (const std::string& line : plan) {
            if (line.starts_with("skipped ")) skipped.push_back(line.substr(line.find(": ") + 2));
        }
        for (const std::string& line : status) {
            if (line.starts_with("n/a\t")) na.push_back(line.substr(line.rfind('\t') + 1));
        }
        EXPECT_EQ(skipped, na) << page;
        if (std::string(page) == "services") {
            EXPECT_EQ(skipped.size(), 15u);
        }
    }
}

// Wine's cmd.exe reports Windows 10 while this lasts.
struct CmdReportsWindows10 {
    win32::System& wine;
    const std::string key = "HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\cmd.exe";
    explicit CmdReportsWindows10(win32::System& w) : wine(w) {
        (void)wine.Run("reg add " + key + " /v Version /d win10 /f", sysaccess::RunMode::Wait);
    }
    ~CmdReportsWindows10() { (void)wine.Run("reg delete " + key + " /f", sysaccess::RunMode::Wait); }
};

TEST_F(WineCli, TheBatchTellsTheVersionAndFindsTheFoldersAsEachWindowsPrintsThem) {
    // The recommendation tidies the Start menu, whose folder the batch looks up.
    const Outcome exported = Cli({"--machine", Utf8(dir / "m"), "export", "system", "--recommend"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const auto gbk = [](const std::string& utf8) { return *sysaccess::Utf8ToCodePage(utf8, sysaccess::kCodePageGbk); };
    const auto utf8 = [](const std::string& ansi) { return sysaccess::CodePageToUtf8(ansi, sysaccess::kCodePageGbk); };

    // Its parsing, fed with what a Chinese XP's and a Windows 10's tools print.
    const std::string printed = std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/cli/win32/printed/";
    for (const auto& [system, expected] :
         {std::pair<std::string, std::string>{"xp",
                                              "XP=1 2003=\r\nMENU=C:\\Documents and Settings\\All Users\\「开始」菜单"},
          {"win10", "XP= 2003=\r\nMENU=C:\\ProgramData\\Microsoft\\Windows\\Start Menu"}}) {
        for (const char* tool : {"ver", "reg-query"}) {
            WriteAll(dir / (system + "-" + tool + ".txt"),
                     gbk(testing_support::ReadAll(printed + system + "-" + tool + ".txt")));
        }
        std::string batch = "@echo off\r\nset \"ALLUSERSPROFILE=" + Utf8(dir / "nowhere") + "\"\r\n";
        for (std::string line : Lines(exported.out)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.starts_with("ver | ")) line = "type \"" + system + "-ver.txt\" | " + line.substr(6);
            if (const std::size_t query = line.find("('reg query "); query != std::string::npos) {
                line = line.substr(0, query) + "('type \"" + system + "-reg-query.txt\"" +
                       line.substr(line.find(" 2^>nul"));
            }
            if (line.find("SYSVELA_WIN") != std::string::npos ||
                line.find("SYSVELA_COMMON_STARTMENU=") != std::string::npos || line.starts_with("type ")) {
                batch += line + "\r\n";
            }
        }
        WriteAll(dir / "parse.bat",
                 batch + "echo XP=%SYSVELA_WIN51% 2003=%SYSVELA_WIN52%\r\necho MENU=%SYSVELA_COMMON_STARTMENU%\r\n");
        // Wine's cmd garbles what "for /f" reads beyond ASCII (Windows' reads it in the OEM code
        // page): the Chinese tail of XP's folder is left out of the comparison.
        const std::string out = utf8(Batch(dir / "parse.bat").out);
        const std::size_t chinese = expected.find("「");
        EXPECT_EQ(out.substr(0, chinese),
                  chinese == std::string::npos ? expected + "\r\n" : expected.substr(0, chinese))
            << system << "\n"
            << utf8(batch);
        if (chinese != std::string::npos) {
            EXPECT_GT(out.size(), chinese + 2) << out; // something after it
        }
    }

    // The batch itself, every box clear, run by cmd as Wine reports XP and as it reports Windows
    // 10: the Start menu's tidying, an XP option, runs on the first only.
    const Outcome cleared = Cli({"--machine", Utf8(dir / "m"), "export", "system"});
    WriteAll(dir / "system.bat", cleared.out);
    win32::System wine;
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer";
    ASSERT_TRUE(wine.WriteRegValue(key, sysaccess::RegType::Dword, "NoLogoff", "00000007").ok);
    Outcome ran = Batch(dir / "system.bat");
    EXPECT_EQ(wine.ReadRegValue(key, "NoLogoff")->dword, 0u) << utf8(ran.out);
    EXPECT_EQ(utf8(ran.out).find("skipped"), std::string::npos);
    ASSERT_TRUE(wine.WriteRegValue(key, sysaccess::RegType::Dword, "NoLogoff", "00000007").ok);
    {
        CmdReportsWindows10 ten(wine);
        ran = Batch(dir / "system.bat");
    }
    EXPECT_EQ(wine.ReadRegValue(key, "NoLogoff")->dword, 7u);
    EXPECT_NE(utf8(ran.out).find("skipped 整理开始菜单: not on this version of Windows\r\n"), std::string::npos)
        << utf8(ran.out);
    ASSERT_TRUE(wine.WriteRegValue(key, sysaccess::RegType::Dword, "NoLogoff", "00000000").ok);
}

// Undo of the exe users get, against whoever writes its undo folder and on Wine's services: a
// replaced copy is refused, a journal of 200 MiB is refused unread, and a services journal naming
// a service removed since is undone for the others (Wine's sc config fails: the read-back decides).
TEST_F(WineCli, UndoRefusesWhatItCannotTrustAndRestoresWhatItCan) {
    win32::System wine;
    const fs::path startup = fs::path(win32::Widen(wine.KnownFolderPath(sysaccess::KnownFolder::Startup).value_or("")));
    const std::string name = "sysvela undo test.lnk";
    WriteAll(startup / win32::Widen(name), "shortcut");
    ASSERT_EQ(Cli({"apply", "startup", "--remove", name}).status, 0);
    ASSERT_FALSE(fs::exists(startup / win32::Widen(name)));
    const fs::path undo = dir / "undo";
    std::vector<fs::path> journals;
    for (const auto& entry : fs::directory_iterator(undo)) {
        if (entry.path().extension() != ".log") journals.push_back(entry.path()); // the pass's log aside
    }
    std::sort(journals.begin(), journals.end());
    ASSERT_EQ(journals.size(), 2u); // the journal and its copy
    WriteAll(journals[1], "evil");
    const Outcome replaced = Cli({"undo", "--last"});
    EXPECT_EQ(replaced.status, 1);
    EXPECT_NE(replaced.err.find("SHA-256"), std::string::npos) << replaced.err;
    EXPECT_FALSE(fs::exists(startup / win32::Widen(name)));

    const fs::path big = undo / "big.reg";
    WriteAll(big, "\xFF\xFE");
    fs::resize_file(big, 200u << 20);
    const Outcome large = Cli({"undo", "big.reg"});
    fs::remove(big);
    EXPECT_EQ(large.status, 1);
    EXPECT_NE(large.err.find("16 MiB"), std::string::npos) << large.err;

    // Alerter, one of the page's services that Wine lacks, is there during the pass only.
    const std::string services = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
    const auto run = [&](const std::string& line) { return wine.Run(line, sysaccess::RunMode::Wait).ok(); };
    ASSERT_TRUE(run("reg add " + services + "Alerter /v Start /t REG_DWORD /d 2 /f"));
    std::map<std::string, std::uint32_t> before;
    for (const char* service : {"wuauserv", "Spooler", "lanmanserver", "Schedule"})
        before[service] = wine.ReadRegValue(services + service, "Start").value_or(sysaccess::RegData{}).dword;
    (void)Cli({"apply", "services"});
    for (const auto& [service, start] : before)
        EXPECT_TRUE(run("reg add " + services + service + " /v Start /t REG_DWORD /d 4 /f")); // as sc would
    ASSERT_TRUE(run("reg delete " + services + "Alerter /f"));
    const Outcome undone = Cli({"undo", "--last"});
    EXPECT_EQ(undone.status, 0) << undone.out << undone.err;
    EXPECT_NE(undone.out.find("服务 Alerter 已不存在，跳过"), std::string::npos) << undone.out;
    for (const auto& [service, start] : before)
        EXPECT_EQ(wine.ReadRegValue(services + service, "Start").value_or(sysaccess::RegData{}).dword, start)
            << service;
    EXPECT_FALSE(wine.ListRegKey(services + "Alerter"));
}

} // namespace
