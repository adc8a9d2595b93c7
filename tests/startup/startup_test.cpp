// The startup list and the removal of ticked entries, on the simulated machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "startup/startup.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"

namespace {

using ::testing::ElementsAre;

const std::string kUserRun = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
const std::string kMachineRun = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
const std::string kUserDir = R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\启动\)";
const std::string kAllDir = R"(C:\Documents and Settings\All Users\「开始」菜单\程序\启动\)";

// A machine whose shell names Startup folders of its own, as a Windows without the XP profile
// layout does.
class ShellMachine : public sim::Machine {
public:
    std::optional<std::string> ShellStartupFolder(bool allUsers) override {
        return allUsers ? R"(C:\ProgramData\Startup)" : R"(C:\Users\Administrator\Startup)";
    }
};

struct Startup : ::testing::Test {
    sim::Machine m;
    app::MainForm form;
    testing_support::FakeHost host;

    void SetUp() override {
        form.UserName = "Administrator";
        m.SetString(kUserRun, "ctfmon", "ctfmon.exe");
        m.SetString(kUserRun, "My App", R"("C:\Program Files\My App\app.exe" /tray)");
        m.SetString(kMachineRun, "SoundMan", "SOUNDMAN.EXE");
        m.SetString(kMachineRun, "ctfmon", "ctfmon.exe");
        m.AddFile(kUserDir + "b.lnk");
        m.AddFile(kUserDir + "A.lnk");
        m.AddFile(kUserDir + "desktop.ini", "", sim::kHidden | sim::kSystem);
        m.AddFile(kAllDir + "c.lnk");
    }
    std::vector<std::string> Items() { return form.lstStartup().items; }
    void Tick(const std::string& item) {
        const auto& items = form.lstStartup().items;
        form.SetStartupTick(static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin()), true);
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> out;
        for (const auto& c : m.Commands()) {
            EXPECT_EQ(c.mode, sysaccess::RunMode::Wait) << c.commandLine;
            out.push_back(c.commandLine);
        }
        return out;
    }
};

TEST_F(Startup, ListsRunKeysThenFoldersAndHidesHiddenFiles) {
    startup::FillStartupList(form, m);
    EXPECT_THAT(Items(), ElementsAre("ctfmon", "My App", "SoundMan", "ctfmon", "A.lnk", "b.lnk", "c.lnk"));
    form.UserName = ""; // no such profile folder: that source adds nothing
    startup::FillStartupList(form, m);
    EXPECT_THAT(Items(), ElementsAre("ctfmon", "My App", "SoundMan", "ctfmon", "c.lnk"));
}

TEST_F(Startup, SeededMachineListsAndRemovesInSourceOrder) {
    sim::Machine seeded = sim::Machine::Seeded();
    startup::FillStartupList(form, seeded);
    EXPECT_THAT(Items(), ElementsAre("ctfmon.exe", "MSMSGS", "Contoso Update Agent", "SoundMan",
                                     "Adobe Reader Speed Launcher", "IMJPMIG8.1", "PHIME2002A", "腾讯QQ.lnk",
                                     "Adobe Reader Speed Launch.lnk", "Microsoft Office.lnk"));
    Tick("Contoso Update Agent");
    Tick("Microsoft Office.lnk");
    startup::RunStartupSection(form, seeded, host);
    EXPECT_THAT(Items(), ElementsAre("ctfmon.exe", "MSMSGS", "SoundMan", "Adobe Reader Speed Launcher", "IMJPMIG8.1",
                                     "PHIME2002A", "腾讯QQ.lnk", "Adobe Reader Speed Launch.lnk"));
    EXPECT_TRUE(seeded.PathExists(kAllDir + "desktop.ini"));
}

TEST_F(Startup, PassRemovesTickedEntriesFromEverySourceThenListsAgain) {
    startup::FillStartupList(form, m);
    Tick("ctfmon"); // the first of two: both Run keys lose it
    Tick("My App");
    Tick("A.lnk");
    startup::RunStartupSection(form, m, host);
    EXPECT_THAT(
        Lines(),
        ElementsAre(R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "ctfmon" /f)",
                    R"(reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v "ctfmon" /f)",
                    R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "My App" /f)",
                    R"(reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v "My App" /f)",
                    R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "A.lnk" /f)",
                    R"(reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v "A.lnk" /f)"));
    EXPECT_EQ(host.doEvents, 1001);
    EXPECT_THAT(Items(), ElementsAre("SoundMan", "b.lnk", "c.lnk"));
    EXPECT_THAT(form.lstStartup().ticked, ElementsAre(false, false, false));

    m.ClearCommands();
    startup::RunStartupSection(form, m, host); // nothing ticked: nothing removed
    EXPECT_TRUE(m.Commands().empty());
    EXPECT_THAT(Items(), ElementsAre("SoundMan", "b.lnk", "c.lnk"));
}

TEST_F(Startup, NamesReachRegExactlyAsWritten) {
    for (const char* name : {R"(say "hi")", R"(say)", R"(hi")", R"(C:\dir\)", R"(C:\dir)"})
        m.SetString(kUserRun, name, "x.exe");
    startup::RemoveStartupItem(form, m, R"(say "hi")");
    startup::RemoveStartupItem(form, m, R"(C:\dir\)");
    EXPECT_EQ(Lines()[0],
              R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "say \"hi\"" /f)");
    EXPECT_EQ(Lines()[2],
              R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v "C:\dir\\" /f)");
    EXPECT_FALSE(m.ReadRegValue(kUserRun, R"(say "hi")"));
    EXPECT_FALSE(m.ReadRegValue(kUserRun, R"(C:\dir\)"));
    for (const char* kept : {"say", R"(hi")", R"(C:\dir)", "ctfmon"})
        EXPECT_TRUE(m.ReadRegValue(kUserRun, kept)) << kept;
}

TEST_F(Startup, HostileNamesNeverReachFilesOutsideTheFolder) {
    m.AddFile(R"(C:\WINDOWS\system32\hal.dll)", "hal");
    m.AddFile(R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\x.lnk)");
    const std::vector<std::string> names = {R"(..\..\..\WINDOWS\system32\hal.dll)",
                                            "*",
                                            "*.lnk",
                                            "?.lnk",
                                            "..",
                                            R"(..\x.lnk)",
                                            "../x.lnk",
                                            "A.lnk.",
                                            "b.lnk ",
                                            ""};
    for (const std::string& n : names)
        m.SetString(kUserRun, n, "evil.exe");
    const auto before = m.AllPaths();
    startup::FillStartupList(form, m);
    for (std::size_t i = 0; i < form.lstStartup().items.size(); ++i)
        form.SetStartupTick(static_cast<int>(i), false);
    for (const std::string& n : names)
        Tick(n);
    startup::RunStartupSection(form, m, host);
    EXPECT_EQ(m.AllPaths(), before);
    for (const std::string& n : names)
        EXPECT_FALSE(m.ReadRegValue(kUserRun, n)) << n;
    EXPECT_THAT(Items(), ElementsAre("ctfmon", "My App", "SoundMan", "ctfmon", "A.lnk", "b.lnk", "c.lnk"));
}

TEST_F(Startup, PlainFileNames) {
    for (const char* ok : {"a.lnk", "My App.lnk", "快速启动.lnk", ".hidden", "a..b"})
        EXPECT_TRUE(startup::IsPlainFileName(ok)) << ok;
    for (const char* bad :
         {"", ".", "..", "...", "a\\b", "a/b", "c:x", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a\tb", "a.", "a "})
        EXPECT_FALSE(startup::IsPlainFileName(bad)) << bad;
}

TEST_F(Startup, ShellFoldersStandInForMissingFixedFolders) {
    ShellMachine s;
    s.AddFile(R"(C:\Users\Administrator\Startup\mine.lnk)");
    s.AddFile(R"(C:\ProgramData\Startup\shared.lnk)");
    s.AddFile(kAllDir + "fixed.lnk"); // the fixed all-users folder exists: it wins
    startup::FillStartupList(form, s);
    EXPECT_THAT(Items(), ElementsAre("mine.lnk", "fixed.lnk"));
    startup::RemoveStartupItem(form, s, "mine.lnk");
    startup::RemoveStartupItem(form, s, "shared.lnk");
    EXPECT_FALSE(s.PathExists(R"(C:\Users\Administrator\Startup\mine.lnk)"));
    EXPECT_TRUE(s.PathExists(R"(C:\ProgramData\Startup\shared.lnk)"));
}

} // namespace
