// The startup list and the removal of ticked entries, on the seeded simulated machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "startup/startup.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"

namespace {

using ::testing::ElementsAre;

const std::string kUserRun = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
const std::string kUserDir = R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\启动\)";
const std::string kAllDir = R"(C:\Documents and Settings\All Users\「开始」菜单\程序\启动\)";
const std::string kDelete = R"(reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run /v )";

struct Startup : ::testing::Test {
    sim::Machine m = sim::Machine::Seeded();
    form::MainForm form;
    testing_support::FakeHost host;

    void SetUp() override { form.UserName = "Administrator"; }
    std::vector<std::string> Items() { return form.lstStartup().items; }
    void Fill() { startup::FillStartupList(form, m); }
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

TEST_F(Startup, ListsRunKeysThenFoldersAndRemovesTickedEntriesFromEverySource) {
    m.SetString(R"(HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)", "ctfmon.exe", "ctfmon.exe");
    Fill();
    EXPECT_THAT(Items(), ElementsAre("ctfmon.exe", "MSMSGS", "Contoso Update Agent", "SoundMan",
                                     "Adobe Reader Speed Launcher", "IMJPMIG8.1", "PHIME2002A", "ctfmon.exe",
                                     "腾讯QQ.lnk", "Adobe Reader Speed Launch.lnk", "Microsoft Office.lnk"));
    Tick("ctfmon.exe"); // the first of two items: both Run keys lose the value
    Tick("Contoso Update Agent");
    Tick("Microsoft Office.lnk");
    startup::RunStartupSection(form, m, host);
    const std::string machineDelete =
        R"(reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v )";
    EXPECT_THAT(Lines(),
                ElementsAre(kDelete + R"("ctfmon.exe" /f)", machineDelete + R"("ctfmon.exe" /f)",
                            kDelete + R"("Contoso Update Agent" /f)", machineDelete + R"("Contoso Update Agent" /f)",
                            kDelete + R"("Microsoft Office.lnk" /f)", machineDelete + R"("Microsoft Office.lnk" /f)"));
    EXPECT_EQ(host.doEvents, 1001);
    EXPECT_THAT(Items(), ElementsAre("MSMSGS", "SoundMan", "Adobe Reader Speed Launcher", "IMJPMIG8.1", "PHIME2002A",
                                     "腾讯QQ.lnk", "Adobe Reader Speed Launch.lnk"));
    EXPECT_TRUE(m.PathExists(kAllDir + "desktop.ini")); // hidden: never listed, never removed

    m.ClearCommands();
    startup::RunStartupSection(form, m, host); // nothing ticked: nothing removed
    EXPECT_TRUE(m.Commands().empty());
    EXPECT_EQ(Items().size(), 7u);
}

TEST_F(Startup, On64BitWindowsTheMachineRunKeyOfBothViewsIsListedAndEmptied) {
    const std::string run32 = R"(HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run)";
    m.SetString(run32, "Agent32", "agent.exe");
    m.SetString(run32, "SoundMan", "soundman32.exe");
    Fill(); // a 32-bit Windows has no second view to list
    EXPECT_THAT(Items(), ::testing::Not(::testing::Contains("Agent32")));

    m.SetWow64(true);
    Fill();
    EXPECT_THAT(Items(), ElementsAre("ctfmon.exe", "MSMSGS", "Contoso Update Agent", "SoundMan",
                                     "Adobe Reader Speed Launcher", "IMJPMIG8.1", "PHIME2002A", "Agent32", "SoundMan",
                                     "腾讯QQ.lnk", "Adobe Reader Speed Launch.lnk", "Microsoft Office.lnk"));
    Tick("Agent32");
    Tick("SoundMan"); // in both views: gone from both
    startup::RunStartupSection(form, m, host);
    const std::string machineDelete =
        R"(reg delete HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run /v )";
    const std::string delete32 =
        R"(reg delete HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run /v )";
    EXPECT_THAT(Lines(), ElementsAre(kDelete + R"("SoundMan" /f)", machineDelete + R"("SoundMan" /f)",
                                     delete32 + R"("SoundMan" /f)", kDelete + R"("Agent32" /f)",
                                     machineDelete + R"("Agent32" /f)", delete32 + R"("Agent32" /f)"));
    EXPECT_THAT(Items(),
                ElementsAre("ctfmon.exe", "MSMSGS", "Contoso Update Agent", "Adobe Reader Speed Launcher", "IMJPMIG8.1",
                            "PHIME2002A", "腾讯QQ.lnk", "Adobe Reader Speed Launch.lnk", "Microsoft Office.lnk"));
}

TEST_F(Startup, NamesReachRegExactlyAsWritten) {
    for (const char* name : {R"(say "hi")", R"(say)", R"(hi")", R"(C:\dir\)", R"(C:\dir)"})
        m.SetString(kUserRun, name, "x.exe");
    startup::RemoveStartupItem(form, m, R"(say "hi")");
    startup::RemoveStartupItem(form, m, R"(C:\dir\)");
    EXPECT_EQ(Lines()[0], kDelete + R"("say \"hi\"" /f)");
    EXPECT_EQ(Lines()[2], kDelete + R"("C:\dir\\" /f)");
    EXPECT_FALSE(m.ReadRegValue(kUserRun, R"(say "hi")"));
    EXPECT_FALSE(m.ReadRegValue(kUserRun, R"(C:\dir\)"));
    for (const char* kept : {"say", R"(hi")", R"(C:\dir)"})
        EXPECT_TRUE(m.ReadRegValue(kUserRun, kept)) << kept;
}

TEST_F(Startup, HostileNamesNeverReachFilesOutsideTheFolder) {
    m.AddFile(R"(C:\WINDOWS\system32\hal.dll)", "hal");
    m.AddFile(R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\x.lnk)");
    const std::vector<std::string> names = {R"(..\..\..\WINDOWS\system32\hal.dll)",
                                            "*",
                                            "*.lnk",
                                            "?QQ.lnk",
                                            "..",
                                            R"(..\x.lnk)",
                                            "../x.lnk",
                                            "腾讯QQ.lnk.",
                                            "腾讯QQ.lnk ",
                                            ""};
    for (const std::string& n : names)
        m.SetString(kUserRun, n, "evil.exe");
    const auto before = m.AllPaths();
    Fill();
    for (const std::string& n : names)
        Tick(n);
    startup::RunStartupSection(form, m, host);
    EXPECT_EQ(m.AllPaths(), before);
    for (const std::string& n : names)
        EXPECT_FALSE(m.ReadRegValue(kUserRun, n)) << n;
}

TEST_F(Startup, StartupFoldersAreWhereThisWindowsKeepsThem) {
    // Windows 10 keeps them in the profile's AppData and in ProgramData.
    sim::Machine w = sim::Machine::Seeded(sim::Machine::Seed::Win10_22H2);
    startup::FillStartupList(form, w);
    EXPECT_THAT(Items(), ElementsAre("OneDrive", "SecurityHealth", "Adobe ARM", "Send to OneNote.lnk"));
    const std::string tail = R"(\AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Startup)";
    startup::RemoveStartupItem(form, w, "Send to OneNote.lnk");
    EXPECT_FALSE(w.PathExists(R"(C:\Users\Administrator)" + tail + R"(\Send to OneNote.lnk)"));
    form.UserName = "Bob"; // another user's folder lies in that user's profile
    EXPECT_EQ(startup::StartupFolder(form, w, false), R"(C:\Users\Bob)" + tail);

    // An English XP names its own; the Chinese text is kept, letter for letter, where it is the place.
    const std::string english = R"(C:\Documents and Settings\Administrator\Start Menu\Programs\Startup)";
    m.SetString(R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", "Startup", english);
    m.SetString(R"(HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", "Common Startup",
                R"(c:\documents and settings\all users\「开始」菜单\程序\启动)");
    form.UserName = "Administrator";
    EXPECT_EQ(startup::StartupFolder(form, m, false), english);
    EXPECT_EQ(startup::StartupFolder(form, m, true) + "\\", kAllDir);
}

} // namespace
