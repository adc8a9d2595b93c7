// sysvela-cli as a user runs it: the real binary on a simulated machine in a folder of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "support/run_program.h"

#ifndef SYSVELA_CLI_PATH
#error "SYSVELA_CLI_PATH names the binary under test"
#endif

namespace fs = std::filesystem;

namespace {

using testing_support::Outcome;
using testing_support::ReadAll;
using testing_support::WriteAll;

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// setup.dat text: the 77 digits, Opt, Combo2, Combo3, txtPath, hidden, forbidden, services.
std::string Settings(const std::string& chk,
                     const std::string& rest = "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n") {
    return "\"" + chk + "\"\r\n" + rest;
}

std::string Ticks(std::initializer_list<int> ticked) {
    std::string chk(77, '0');
    for (int i : ticked)
        chk[i] = '1';
    return chk;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/sysvela-cli-test-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        machine = (dir / "machine").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the binary in the test's folder with the machine folder and the language given first.
    Outcome Run(std::vector<std::string> args, bool withMachine = true) {
        if (withMachine) args.insert(args.begin(), {"--machine", machine});
        args.insert(args.begin(), {"--lang", language});
        return testing_support::RunProgram(SYSVELA_CLI_PATH, args, dir);
    }

    std::string Registry() { return ReadAll(fs::path(machine) / "registry.reg"); }

    fs::path dir;
    std::string machine;
    std::string language = "en";
};

const std::regex kEffectLine(
    R"(^(page (system|security|services|slimming|startup)|write [^|]+\|[^|]*\|(string|dword|hex)\|.*|start .+|wait .+|delete .+|rmdir .+)$)");

// Each page's effects are in the golden plans and batches; here the CLI's own part: the seeding,
// the line forms, and startup removals by name.
TEST_F(Cli, PlanListsEachPageOnTheSeededMachine) {
    const Outcome first = Run({"plan", "system"});
    EXPECT_EQ(first.status, 0);
    EXPECT_NE(first.err.find("seeded a new simulated machine in " + machine), std::string::npos) << first.err;
    EXPECT_NE(first.err.find("setup.dat; using the window's design states"), std::string::npos) << first.err;
    EXPECT_EQ(first.out.rfind("page system\nwrite ", 0), 0u);

    const Outcome again = Run({"plan", "slimming", "--recommend"});
    EXPECT_EQ(again.err.find("seeded"), std::string::npos); // said once, on first use
    EXPECT_EQ(again.out, "page slimming\nstart sfc /purgecache\n");

    const Outcome startup = Run({"plan", "startup", "--remove", "Contoso Update Agent", "--remove", "腾讯QQ.lnk"});
    EXPECT_EQ(startup.out,
              "page startup\n"
              "wait reg delete HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run /v \"Contoso "
              "Update Agent\" /f\n"
              "wait reg delete HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run /v \"Contoso "
              "Update Agent\" /f\n"
              "wait reg delete HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run /v "
              "\"腾讯QQ.lnk\" /f\n"
              "wait reg delete HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run /v "
              "\"腾讯QQ.lnk\" /f\n"
              "delete C:\\Documents and Settings\\Administrator\\「开始」菜单\\程序\\启动\\腾讯QQ.lnk\n");

    for (const char* page : {"system", "security", "services", "slimming", "startup", "auto"}) {
        for (const std::string& line : testing_support::Lines(Run({"plan", page, "--recommend"}).out)) {
            EXPECT_TRUE(std::regex_match(line, kEffectLine)) << page << ": " << line;
        }
    }
}

TEST_F(Cli, ApplyChangesTheMachineThatTheNextPlanReads) {
    WriteAll(dir / "slim.dat", Settings(Ticks({41, 42, 45, 46, 52})));
    const std::string settings = (dir / "slim.dat").string();
    const auto before = testing_support::Lines(Run({"plan", "--settings", settings, "slimming"}).out);
    EXPECT_TRUE(Has(before, "delete C:\\windows\\driver cache\\i386\\Driver.cab"));
    EXPECT_TRUE(Has(before, "rmdir C:\\Windows\\Ime\\chtime"));

    const Outcome applied = Run({"apply", "--settings", settings, "slimming"});
    const auto lines = testing_support::Lines(applied.out);
    EXPECT_EQ(lines.size(), before.size()); // the same effects, each with its outcome
    EXPECT_TRUE(Has(lines, "delete C:\\windows\\driver cache\\i386\\Driver.cab"));
    EXPECT_EQ(applied.status, applied.out.find("\tfailed: ") == std::string::npos ? 0 : 1);
    const fs::path cab = fs::path(machine) / "drive_c/WINDOWS/Driver Cache/i386/Driver.cab";
    EXPECT_TRUE(fs::exists(cab.parent_path())); // the folder stays, so the check below tests the file
    EXPECT_FALSE(fs::exists(cab));

    const auto after = testing_support::Lines(Run({"plan", "--settings", settings, "slimming"}).out);
    EXPECT_FALSE(Has(after, "delete C:\\windows\\driver cache\\i386\\Driver.cab"));
    for (const std::string& line : lines) {
        // A folder removed is not planned again; one that could not be removed still is.
        if (line.rfind("rmdir ", 0) != 0) continue;
        EXPECT_EQ(Has(after, line.substr(0, line.find('\t'))), line.find("\tfailed: ") != std::string::npos) << line;
    }

    // The startup page: an entry removed is gone from the list and from a later plan.
    ASSERT_NE(Run({"startup-list"}).out.find("Contoso Update Agent\n"), std::string::npos);
    const Outcome removed = Run({"apply", "startup", "--remove", "Contoso Update Agent"});
    // The value is in the user's Run key only: the machine's reg delete finds nothing, which is no failure.
    EXPECT_EQ(removed.status, 0) << removed.out;
    EXPECT_NE(removed.out.find("\\Run /v \"Contoso Update Agent\" /f\tnothing to remove\n"), std::string::npos);
    EXPECT_EQ(Run({"startup-list"}).out.find("Contoso Update Agent\n"), std::string::npos);
    const Outcome gone = Run({"plan", "startup", "--remove", "Contoso Update Agent"});
    EXPECT_EQ(gone.out, "page startup\n");
    EXPECT_NE(gone.err.find("no startup entry is named 'Contoso Update Agent'"), std::string::npos);

    // The registry keeps what apply wrote.
    EXPECT_EQ(Registry().find("\"DisableSR\"=dword:00000001"), std::string::npos);
    EXPECT_NE(Run({"plan", "--recommend", "system", "--changes"}).out, "page system\n");
    (void)Run({"apply", "--recommend", "system"});
    EXPECT_NE(Registry().find("\"DisableSR\"=dword:00000001"), std::string::npos);
    // Right after the pass nothing would change; what nothing reads back is said to be unknown.
    EXPECT_EQ(Run({"plan", "--recommend", "system", "--changes"}).out, "page system\n");
    EXPECT_EQ(Run({"plan", "--recommend", "slimming", "--changes"}).out,
              "page slimming\nstart sfc /purgecache\tunknown\n");
}

TEST_F(Cli, WhatThisWindowsLacksIsSkippedAndSaidSo) {
    fs::copy(fs::path(std::getenv("SYSVELA_SOURCE_DIR")) / "src/sysaccess/sim/seeds/win10-22h2", machine,
             fs::copy_options::recursive);
    const Outcome applied = Run({"apply", "services", "--recommend"});
    EXPECT_EQ(applied.status, 0) << applied.out;
    const auto lines = testing_support::Lines(applied.out);
    EXPECT_EQ(lines.at(1), "skipped 停用 Alerter: not on Windows 10 (build 19045)");
    const auto count = [&](const std::string& start) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(start); });
    };
    EXPECT_EQ(count("skipped "), 7);
    EXPECT_EQ(count("start sc "), 12);
    EXPECT_NE(Run({"status", "services"}).out.find("\nn/a\tWZCSVC\tnot on Windows 10 (build 19045)\n"),
              std::string::npos);
    // list tells each option's facts with the verdict on this machine.
    language = "zh"; // the captions in Chinese
    const std::string slimming = Run({"list", "slimming"}).out;
    EXPECT_EQ(slimming.substr(0, slimming.find('\n')),
              "option 41\tslimming\t删除系统备份[200MB-300MB]\tn/a: not on Windows 10 (build 19045)\t中: "
              "缓存中的系统文件备份被删除后无法恢复，之后修复系统文件需要安装光盘。\t清空 XP / Server 2003 的“Windows "
              "文件保护”缓存（system32\\dllcache），系统文件损坏时 Windows 会要求插入安装光盘；Vista 起的 sfc "
              "没有这个开关。");
    const std::string json = Run({"list", "--json"}).out;
    EXPECT_NE(
        json.find(
            "{\"service\":\"Alerter\",\"caption\":\"Alerter    通知所选用户和计算机有关系统管理级警报\","
            "\"page\":\"services\",\"applies\":false,\"why\":\"not on Windows 10 (build 19045)\",\"risk\":\"低\""),
        std::string::npos);
    EXPECT_NE(json.find("\"probes\":[\"service Alerter\"],\"unverified\":false}"), std::string::npos);
    EXPECT_NE(json.find("{\"option\":25,\"caption\":\"禁止任务管理器\",\"page\":\"security\",\"applies\":true"),
              std::string::npos);
    EXPECT_NE(
        json.find("\"sources\":[{\"url\":\"https://github.com/MicrosoftDocs/windows-itpro-docs/blob/public/windows/"
                  "client-management/mdm/policy-csp-admx-ctrlaltdel.md\",\"quote\":\"| Registry Value Name | "
                  "DisableTaskMgr |\"}]"),
        std::string::npos);
    EXPECT_EQ(std::count(json.begin(), json.end(), '\n'), 77 + 19); // one object a line
    // --all runs them as on XP: sc reports the services missing, and apply the failures.
    language = "en";
    const Outcome all = Run({"apply", "services", "--all"});
    EXPECT_EQ(all.status, 1);
    EXPECT_NE(all.out.find("failed: sc \\\\. config Alerter start= demand: exit code 1060\n"), std::string::npos);
    EXPECT_EQ(all.out.find("skipped"), std::string::npos);
    // The log beside the journal, as stderr names it: every effect with its outcome, then the totals.
    std::smatch named;
    ASSERT_TRUE(std::regex_search(all.err, named, std::regex(R"(log C:\\Program Files\\Sysvela\\undo\\(\S+\.log)\n)")))
        << all.err;
    const std::string log = ReadAll(fs::path(machine) / "drive_c/Program Files/Sysvela/undo" / named[1].str());
    EXPECT_NE(log.find("\xEF\xBB\xBFstart sc \\\\. config Alerter start= demand\tfailed: exit code 1060\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("\r\ntotal: 19 effects, "), std::string::npos) << log;
}

TEST_F(Cli, UsageErrorsNameTheProblemAndHelp) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"plan"},
        {"plan", "everything"},
        {"frobnicate", "system"},
        {"plan", "system", "--remove", "x"},
        {"plan", "auto", "--remove", "x"},
        {"plan", "system", "--codepage", "936"},
        {"startup-list", "--recommend"},
        {"reg-write", "HKEY_CURRENT_USER\\X", "n", "qword", "1"},
        {"plan", "system", "--bogus"},
        {"export", "system", "--codepage", "abc"},
        {"apply", "system", "--changes"},
    };
    for (const auto& args : bad) {
        const Outcome o = Run(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(o.status, 2) << joined;
        EXPECT_EQ(o.out, "") << joined;
        EXPECT_NE(o.err.find("--help"), std::string::npos) << joined << o.err;
    }
    for (const char* in : {"en", "zh"}) { // every language's help names every command, option and page
        language = in;
        const Outcome help = Run({"--help"}, false);
        EXPECT_EQ(help.status, 0);
        for (const char* word :
             {"plan", "apply", "export", "startup-list", "reg-write", "run-cmd", "undo", "status", "--machine",
              "--settings", "--user", "--recommend", "--remove", "--codepage", "--lang", "--json", "--force",
              "failed: ", "system | security | services | slimming | startup | auto"}) {
            EXPECT_NE(help.out.find(word), std::string::npos) << in << " " << word;
        }
    }
}

TEST_F(Cli, SettingsAreReadAsTheWindowReadsThem) {
    // Line 2 out of range stops the load there: the boxes of line 1 are kept.
    WriteAll(dir / "damaged.dat", "\"" + Ticks({67}) + "\"\r\n\"9\"\r\n\"0\"\r\n\"0\"\r\n");
    const Outcome damaged = Run({"plan", "--settings", (dir / "damaged.dat").string(), "system"});
    EXPECT_EQ(damaged.status, 0);
    EXPECT_NE(damaged.err.find("line 2"), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.out.find("SystemRestore|DisableSR|dword|00000001\n"), std::string::npos);

    // setup.dat beside the program, inside the simulated machine.
    ASSERT_EQ(Run({"startup-list"}).status, 0);
    const fs::path setup = fs::path(machine) / "drive_c/Program Files/Sysvela/setup.dat";
    fs::create_directories(setup.parent_path());
    WriteAll(setup, Settings(Ticks({67})));
    const Outcome beside = Run({"plan", "system"});
    EXPECT_EQ(beside.err, "");
    EXPECT_NE(beside.out.find("SystemRestore|DisableSR|dword|00000001\n"), std::string::npos);
    (void)Run({"apply", "system"});
    EXPECT_EQ(ReadAll(setup), Settings(Ticks({67}))); // never written

    const Outcome missing = Run({"plan", "--settings", (dir / "nothere.dat").string(), "system"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("nothere.dat"), std::string::npos);
}

TEST_F(Cli, UserNamesTheStartupFolderOnly) {
    const auto own = testing_support::Lines(Run({"startup-list"}).out);
    EXPECT_TRUE(Has(own, "腾讯QQ.lnk"));
    EXPECT_TRUE(Has(own, "Microsoft Office.lnk"));
    const auto other = testing_support::Lines(Run({"--user", "Nobody", "startup-list"}).out);
    EXPECT_FALSE(Has(other, "腾讯QQ.lnk"));
    EXPECT_TRUE(Has(other, "Microsoft Office.lnk"));
    EXPECT_EQ(other.size() + 1, own.size());
    const Outcome plan = Run({"--user", "Someone", "plan", "startup", "--remove", "Microsoft Office.lnk"});
    EXPECT_NE(plan.out.find("delete C:\\Documents and Settings\\All Users\\"), std::string::npos) << plan.out;
}

TEST_F(Cli, ADamagedMachineIsReportedAndLeftAlone) {
    fs::create_directories(machine);
    WriteAll(fs::path(machine) / "registry.reg", "not a registry\n[broken");
    const Outcome o = Run({"apply", "system"});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("cannot read the simulated machine"), std::string::npos) << o.err;
    EXPECT_EQ(ReadAll(fs::path(machine) / "registry.reg"), "not a registry\n[broken");
}

// The exported batch of each page, byte for byte, on a freshly seeded machine. To renew after a
// deliberate change: SYSVELA_UPDATE_GOLDEN=1, then read the difference before committing.
TEST_F(Cli, ExportedBatchOfEachPage) {
    WriteAll(dir / "all.dat",
             Settings(std::string(77, '1'),
                      "\"4\"\r\n\"1\"\r\n\"1\"\r\n\"D:\\Down 50%\\\"\r\n\"00100000000000000000000001\"\r\n"
                      "\"11111111111111111111111111\"\r\n\"1111111111111111111\"\r\n"));
    const std::string all = (dir / "all.dat").string();
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"system", {"export", "system"}},
        {"system-recommend", {"export", "system", "--recommend"}},
        {"security", {"export", "security", "--settings", all}},
        {"services", {"export", "services", "--recommend"}},
        {"slimming", {"export", "slimming", "--settings", all}},
        {"startup", {"export", "startup", "--remove", "Contoso Update Agent", "--remove", "腾讯QQ.lnk"}},
        {"auto", {"export", "auto"}},
        {"auto", {"export", "auto", "--recommend"}}, // every stage applies its recommendation anyway
    };
    const bool update = std::getenv("SYSVELA_UPDATE_GOLDEN") != nullptr;
    for (const auto& [name, args] : cases) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.status, 0) << name << o.err;
        const fs::path golden = fs::path(SYSVELA_CLI_GOLDEN_DIR) / (name + ".bat");
        if (update) WriteAll(golden, o.out);
        EXPECT_EQ(o.out, ReadAll(golden)) << name;
        EXPECT_EQ(o.out.find("\n"), o.out.find("\r\n") + 1) << name;
    }
    // Other code pages on request; text the code page cannot hold is refused, not mangled.
    const Outcome utf8 = Run({"export", "startup", "--remove", "腾讯QQ.lnk", "--codepage", "65001"});
    EXPECT_NE(utf8.out.find("腾讯QQ.lnk"), std::string::npos);
    const Outcome latin = Run({"export", "startup", "--remove", "腾讯QQ.lnk", "--codepage", "1252"});
    EXPECT_EQ(latin.status, 1);
    EXPECT_EQ(latin.out, "");
    // --all: every block as on XP, with no test of the version.
    const Outcome asOnXp = Run({"export", "slimming", "--settings", all, "--all"});
    EXPECT_EQ(asOnXp.out.find("ver |"), std::string::npos);
    EXPECT_NE(asOnXp.out.find("\r\nsfc /purgecache\r\n"), std::string::npos);
}

// status after each page's recommendation on a fresh seeded machine; then an undo of that pass
// brings back the status of the untouched machine, and refuses a journal written elsewhere.
TEST_F(Cli, StatusAfterEachRecommendationAndUndo) {
    language = "zh"; // the window's captions as the golden files hold them
    const bool update = std::getenv("SYSVELA_UPDATE_GOLDEN") != nullptr;
    for (const std::string page : {"system", "security", "services", "slimming"}) {
        fs::remove_all(machine);
        const std::string untouched = Run({"status", page}).out;
        ASSERT_EQ(Run({"apply", page, "--recommend"}).status, 0) << page;
        const Outcome status = Run({"status", page});
        const Outcome json = Run({"status", page, "--json"});
        const fs::path golden = fs::path(SYSVELA_CLI_GOLDEN_DIR) / ("status-" + page + ".txt");
        if (update) WriteAll(golden, status.out + json.out);
        EXPECT_EQ(status.out + json.out, ReadAll(golden)) << page;
        const Outcome list = Run({"undo", "--list"}); // name, pass, time, computer
        EXPECT_TRUE(std::regex_match(list.out, std::regex(R"(\d{8}-\d{6}-01\.reg\t)" + page +
                                                          R"(\t\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\tSYSVELA-SIM\n)")))
            << list.out;
        const Outcome undone = Run({"undo", "--last"});
        EXPECT_EQ(undone.status, 0) << undone.err;
        EXPECT_EQ(Run({"status", page}).out, untouched) << page;
    }
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"undo"},
                                                {"undo", "--last", "x.reg"},
                                                {"status", "startup"},
                                                {"status", "--json", "auto"}}) {
        EXPECT_EQ(Run(bad).status, 2);
    }
    // A journal that cannot be written: apply changes nothing and says so.
    language = "en";
    fs::remove_all(machine);
    ASSERT_EQ(Run({"status", "slimming"}).status, 0); // seeds a new machine
    WriteAll(fs::path(machine) / "drive_c" / "Program Files" / "Sysvela" / "undo", "x");
    const std::string registry = ReadAll(fs::path(machine) / "registry.reg");
    const Outcome blocked = Run({"apply", "system", "--recommend"});
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("so nothing was changed: cannot create C:\\Program Files\\Sysvela\\undo"),
              std::string::npos)
        << blocked.err;
    EXPECT_EQ(ReadAll(fs::path(machine) / "registry.reg"), registry);
    // Keys removed and moved read as done; a value of another type than the box writes does not.
    language = "zh";
    fs::remove_all(machine);
    WriteAll(dir / "keys.dat", Settings(Ticks({37, 39})));
    ASSERT_EQ(Run({"apply", "security", "--settings", (dir / "keys.dat").string()}).status, 0);
    const auto security = testing_support::Lines(Run({"status", "security"}).out);
    EXPECT_TRUE(Has(security, "on\t删除回收站") && Has(security, "on\t禁止进入安全模式"));
    (void)Run({"reg-write", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore",
               "DisableSR", "string", "1"});
    EXPECT_TRUE(Has(testing_support::Lines(Run({"status", "system"}).out), "off\t关闭系统还原"));
    const Outcome missing = Run({"undo", "nosuch.reg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.find("nosuch.reg") != std::string::npos &&
                missing.err.find("；未做任何更改") != std::string::npos &&
                missing.err.find("无法读取 ") != std::string::npos)
        << missing.err; // why undo refuses is said in the language asked for
}

} // namespace
