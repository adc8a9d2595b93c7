// The simulated tools, driven by the exact command lines the program passes, beyond what the
// System contract checks of them on the simulated machine.
#include <gtest/gtest.h>

#include "sysaccess/sim/machine.h"

using sysaccess::RunMode;
using sysaccess::RunResult;

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n";
constexpr const char* kSafeBoot = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot";
constexpr const char* kServices = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services";

class SimTools : public testing::Test {
protected:
    sim::Machine m = sim::Machine::Seeded();

    std::uint32_t Exit(const std::string& line) {
        const RunResult r = m.Run(line, RunMode::Wait);
        EXPECT_TRUE(r.started && r.finished) << line;
        return r.exitCode;
    }
    std::uint32_t Start(const std::string& service) {
        return m.ReadRegValue(std::string(kServices) + "\\" + service, "Start")->dword;
    }
};

TEST_F(SimTools, RegeditImportsTheFileInTheAnsiCodePage) {
    m.AddFile("C:\\My Scripts\\one.reg",
              std::string(kHeader) + "[HKEY_CURRENT_USER\\X]\r\n\"\xC3\xFB\"=\"\xD6\xB5\"\r\n");
    EXPECT_EQ(Exit("regedit /s \"C:\\My Scripts\\one.reg\""), 0u);
    EXPECT_EQ(m.ReadRegValue("HKEY_CURRENT_USER\\X", "名")->text, "值");
    // A Unicode script, as the editor itself exports them.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string(kHeader) + "[HKEY_CURRENT_USER\\Unicode]\r\n")
        utf16 += std::string{c, '\0'};
    m.AddFile("c:\\u.reg", utf16);
    EXPECT_EQ(Exit("REGEDIT.EXE -S c:\\u.reg"), 0u);
    EXPECT_TRUE(m.KeyExists("HKEY_CURRENT_USER\\Unicode"));
}

TEST_F(SimTools, RegeditWithoutSilentSwitchImportsNothing) {
    m.AddFile("c:\\tempreg.reg", std::string(kHeader) + "[HKEY_CURRENT_USER\\Asked]\r\n");
    EXPECT_EQ(Exit("regedit c:\\tempreg.reg"), 1u);
    EXPECT_FALSE(m.KeyExists("HKEY_CURRENT_USER\\Asked"));
    EXPECT_EQ(Exit("regedit /s c:\\missing.reg"), 0u); // the real editor says nothing either
}

TEST_F(SimTools, RegAddAndDeleteKeys) {
    const std::string key =
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowCpl";
    EXPECT_EQ(Exit("reg add " + key + "\\ /f"), 0u);
    EXPECT_EQ(m.EnumRegValues(sysaccess::RegRoot::CurrentUser,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowCpl"),
              std::vector<std::string>{""});
    m.SetString(key, "", "earlier");
    EXPECT_EQ(Exit("reg add " + key + " /f"), 0u); // already there: the default value is emptied
    EXPECT_EQ(m.ReadRegValue(key, "")->text, "");
    m.SetDword(key + "\\Deep\\Deeper", "v", 1);
    EXPECT_EQ(Exit("reg delete " + key + "\\ /f"), 0u);
    EXPECT_FALSE(m.KeyExists(key));
    EXPECT_EQ(Exit("reg delete " + key + " /f"), 1u);
    EXPECT_EQ(Exit("reg delete HKLM /f"), 1u);
    EXPECT_EQ(Exit("reg delete HKEY_NOWHERE\\X /f"), 1u);
    // The tray streams are values, not keys: the program's key deletion finds nothing.
    EXPECT_EQ(Exit("reg delete HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify\\"
                   "IconStreams /f"),
              1u);
}

TEST_F(SimTools, RegDeleteValueQuotedOrNot) {
    const std::string run = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_EQ(Exit("reg delete " + run + " /v \"Adobe Reader Speed Launcher\" /f"), 0u);
    EXPECT_EQ(Exit("reg delete " + run + " /v SoundMan /f"), 0u);
    EXPECT_EQ(Exit("reg delete " + run + " /v SoundMan /f"), 1u);
    EXPECT_EQ(Exit("reg delete HKCU\\Nowhere /v SoundMan /f"), 1u);
    EXPECT_EQ(m.EnumRegValues(sysaccess::RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
              (std::vector<std::string>{"IMJPMIG8.1", "PHIME2002A"}));
}

TEST_F(SimTools, RegRefusesWhatItWouldAskAboutOrCannotRead) {
    const std::string run = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_EQ(Exit("reg delete " + run + " /v SoundMan"), 1u); // no /f: nobody answers the question
    EXPECT_EQ(Exit("reg delete " + run + " /v SoundMan /f /q"), 1u);
    EXPECT_EQ(Exit("reg query " + run), 1u);
    EXPECT_EQ(Exit("reg"), 1u);
    EXPECT_TRUE(m.ReadRegValue(run, "SoundMan"));
}

TEST_F(SimTools, RegCopyIntoItsOwnSubtreeEnds) {
    m.SetDword("HKCU\\A\\B", "v", 7);
    EXPECT_EQ(Exit("reg copy HKCU\\A HKCU\\A\\B\\C /s /f"), 0u);
    EXPECT_EQ(m.ReadRegValue("HKCU\\A\\B\\C\\B", "v")->dword, 7u);
    EXPECT_FALSE(m.KeyExists("HKCU\\A\\B\\C\\B\\C"));
}

TEST_F(SimTools, ScSetsTheStartType) {
    EXPECT_EQ(Exit("sc \\\\. config Alerter start= disabled"), 0u);
    EXPECT_EQ(Start("Alerter"), 4u);
    EXPECT_EQ(Exit("sc \\\\. config alerter start= demand"), 0u);
    EXPECT_EQ(Start("Alerter"), 3u);
    EXPECT_EQ(m.SubKeys(kServices).front(), "Alerter");
    EXPECT_EQ(Exit("sc \\\\. config NoSuchService start= disabled"), 1060u);
    EXPECT_FALSE(m.KeyExists(std::string(kServices) + "\\NoSuchService"));
    EXPECT_EQ(Exit("sc \\\\. config wuauserv start=disabled"), 1639u);
    EXPECT_EQ(Exit("sc \\\\. config wuauserv start= off"), 1639u);
    EXPECT_EQ(Exit("sc \\\\elsewhere config wuauserv start= disabled"), 1722u);
    EXPECT_EQ(Start("wuauserv"), 2u);
}

TEST_F(SimTools, OnlyTheSystemToolsStartFromTheirOwnFolders) {
    for (const char* line : {"cmd /c del c:\\*.*", "\"C:\\Program Files\\reg\" add HKCU\\X /f", "regedit32 /s x"})
        EXPECT_EQ(m.Run(line, RunMode::Wait).startError, 2u) << line;
    EXPECT_EQ(Exit("C:\\WINDOWS\\system32\\REG.exe add HKCU\\Y /f"), 0u);
    EXPECT_EQ(Exit("c:\\windows\\regedit.EXE /s c:\\missing.reg"), 0u);
    EXPECT_TRUE(m.KeyExists("HKCU\\Y"));
}

TEST_F(SimTools, SfcChkntfsRegsvr32) {
    EXPECT_EQ(Exit("sfc /purgecache"), 0u);
    EXPECT_TRUE(m.FolderExists("C:\\WINDOWS\\system32\\dllcache"));
    EXPECT_TRUE(m.ListFolder("C:\\WINDOWS\\system32\\dllcache").empty());
    EXPECT_FALSE(m.PathExists("C:\\WINDOWS\\system32\\dllcache\\calc.exe"));
    sim::Machine seven = sim::Machine::Seeded(sim::Machine::Seed::Win7Sp1); // sfc has no /purgecache there
    EXPECT_EQ(seven.Run("sfc /purgecache", RunMode::Wait).exitCode, 1u);

    EXPECT_EQ(Exit("chkntfs /x c: d:"), 0u);
    const auto boot =
        m.ReadRegValue("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager", "BootExecute");
    const std::string text = "autocheck autochk /k:C /k:D *";
    std::string utf16;
    for (char c : text)
        utf16 += std::string{c, '\0'};
    EXPECT_EQ(boot->bytes, utf16 + std::string(4, '\0'));
    for (const char* notDrives : {"cd", "c:d", "1:", "@:", "[:", "`:", "{:"})
        EXPECT_EQ(Exit(std::string("chkntfs /x c: ") + notDrives), 1u) << notDrives;

    EXPECT_EQ(Exit("regsvr32 /s \"C:\\Program Files\\Sysvela\\xpbutton.ocx\""), 0u);
    EXPECT_EQ(Exit("regsvr32 /s \"C:\\Program Files\\Elsewhere\\xpbutton.ocx\""), 3u);
}

} // namespace
