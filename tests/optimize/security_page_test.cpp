// The security page on the simulated XP machine: browser settings, drive masks, display, Start
// menu and other restrictions, and the safe-mode backup.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "optimize/catalogue.h"
#include "optimize/sections.h"
#include "trace.h"

namespace {

using catalogue_test::W;
using ::testing::ElementsAreArray;

const std::string K1 = R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Internet Explorer\Control Panel)";
const std::string K2 = R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Internet Explorer\Restrictions)";
const std::string K3 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Zones\3)";
const std::string K4 = R"(HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer)";
const std::string K5 = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\Explorer)";
const std::string K6 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\System)";
const std::string K7 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\ActiveDesktop)";
const std::string K8 = R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Windows\Control Panel\Desktop)";
const std::string K9 = R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
const std::string K10 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer)";
const std::string K11 = K10 + R"(\DisallowCpl)";
const std::string K12 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\NonEnum)";
const std::string K13 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\ShellNoRoam\MUICache)";
const std::string kMenu = R"(C:\Documents and Settings\All Users\「开始」菜单\)";
const std::string kRecycle =
    R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\explorer\Desktop\NameSpace\{645FF040-5081-101B-9F08-00AA002F954E})";
const std::string kSafe = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\SafeBoot\)";

std::string D(int v) {
    return v ? "00000001" : "00000000";
}
std::string Dw(const std::string& key, const std::string& name, int v) {
    return W(key, name, "dword", D(v));
}

// Everything of the page in pass order, for every box ticked (t = 1) or every box clear (t = 0),
// with txtPath empty and no drive selected.
std::vector<std::string> Expected(int t) {
    const char* tab[] = {"GeneralTab",     "SecurityTab", "PrivacyTab", "ContentTab",
                         "ConnectionsTab", "ProgramsTab", "AdvancedTab"};
    const char* tabCleared[] = {"GeneralTab",     "securityTab", "privacyTab", "ContentTab",
                                "connectionsTab", "programsTab", "AdvancedTab"};
    std::vector<std::string> e;
    for (int i = 0; i < 7; ++i)
        e.push_back(Dw(K1, t ? tab[i] : tabCleared[i], t));
    for (const char* n : {"NoFileOpen", "NoBrowserSaveAs", "NoFavorites", "NoBrowserOptions", "NoBrowserContextMenu"})
        e.push_back(Dw(K2, n, t));
    e.push_back(W(K3, "1803", "dword", t ? "00000003" : "00000000"));
    e.push_back(Dw(K2, "NoFileNew", t));
    e.push_back(W(K5, "NoDrives", "dword", "0"));
    e.push_back(W(K5, "NoViewOnDrive", "dword", "0"));
    for (const char* n : {"NoDispAppearancePage", "NoDispBackgroundPage", "NoDispScrSavPage"})
        e.push_back(Dw(K6, n, t));
    e.push_back(Dw(K7, "NoDispBackgroundPage", t));
    e.push_back(Dw(K8, "ScreenSaveActive", !t));
    for (const char* n : {"noRun", "noFind", "NoSetFolders", "NoSetTaskbar", "NoRecentDocsMenu", "NoSMHelp"})
        e.push_back(Dw(K9, n, t));
    e.push_back(Dw(K10, "NoControlPanel", t));
    e.push_back(Dw(K6, "DisableTaskMgr", t));
    e.push_back(Dw(K10, "NoViewContextMenu", t));
    e.push_back(Dw(K10, "DisallowCpl", t));
    e.push_back(std::string(t ? "wait reg add " : "wait reg delete ") + K11 + "\\ /f");
    e.push_back(W(K11, "1", "string", t ? "Appwiz.cpl" : ""));
    e.push_back(Dw(K6, "DisableChangePassword", t));
    e.push_back(Dw(K12, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", t));
    e.push_back(Dw(K10, "NoFileMenu", t));
    if (t) {
        e.push_back("delete " + kMenu + "Windows Catalog.lnk");
        e.push_back("delete " + kMenu + "Windows Update.lnk");
    } else {
        e.push_back(W(K13, "@shell32.dll,-22075", "string", "Windows Catalog"));
    }
    e.push_back(Dw(K10, "NoChangeStartMenu", t));
    e.push_back(Dw(K9, "NoSetTaskbar", t));
    e.push_back(Dw(K9, "noRun", t));
    e.push_back(Dw(K10, "NoNetHood", t));
    e.push_back(std::string(t ? "wait reg delete " : "wait reg add ") + kRecycle + " /f");
    e.push_back(Dw(K10, "NoManageMyComputerVerb", t));
    const std::string from = t ? "" : "1", to = t ? "1" : "";
    for (const char* k : {"Minimal", "Network"})
        e.push_back("wait reg copy " + kSafe + k + from + "\\ " + kSafe + k + to + "\\ /s /f");
    if (t) { // on the seeded machine only the ticked copies find their source
        for (const char* k : {"Minimal", "Network"})
            e.push_back("wait reg delete " + kSafe + k + "\\ /f");
    }
    e.push_back(Dw(K10, "NoFolderOptions", t));
    return e;
}

// A key with its values and every subkey, subkeys sorted, as comparable text.
std::string Subtree(sim::Machine& m, const std::string& key, const std::string& rel = "") {
    std::string out;
    const std::string sub = key.substr(key.find('\\') + 1);
    for (const std::string& name : m.EnumRegValues(sysaccess::RegRoot::LocalMachine, sub)) {
        const auto v = m.ReadRegValue(key, name);
        out += rel + "|" + name + "=" + std::to_string(v->type) + ":" + v->text + ":" + std::to_string(v->dword) + "\n";
    }
    std::vector<std::string> kids = m.SubKeys(key);
    std::sort(kids.begin(), kids.end());
    for (const std::string& k : kids)
        out += "[" + rel + "\\" + k + "]\n" + Subtree(m, key + "\\" + k, rel + "\\" + k);
    return out;
}

struct SecurityPage : catalogue_test::PageTest {
    void SetAll(int value) {
        for (int i = 0; i <= 40; ++i)
            form.SetChk(i, value);
    }
    void Pass() {
        ClearLines();
        progress.clear();
        optimize::RunSecuritySection(form, sys);
    }
    std::uint32_t Value(const std::string& key, const std::string& name) {
        const auto v = sys.ReadRegValue(key, name);
        return v ? v->dword : 0xDEADu;
    }
};

TEST_F(SecurityPage, AllClearReleasesEverythingInPassOrder) {
    Pass();
    EXPECT_THAT(Lines(), ElementsAreArray(Expected(0)));
    EXPECT_THAT(progress, ::testing::ElementsAre(500, 3500, 6800, 8000, 9000, 9900, 10905));
    // The key of chk(27) is deleted before its value is written, so it ends up holding "1" = "".
    const auto one = sys.ReadRegValue(K11, "1");
    ASSERT_TRUE(one);
    EXPECT_EQ(one->text, "");
    EXPECT_TRUE(machine.KeyExists(kRecycle));
}

TEST_F(SecurityPage, AllTickedRestrictsEverythingInPassOrder) {
    SetAll(1);
    Pass();
    EXPECT_THAT(Lines(), ElementsAreArray(Expected(1)));
    EXPECT_FALSE(sys.FileExists(kMenu + "Windows Catalog.lnk"));
    EXPECT_FALSE(sys.FileExists(kMenu + "Windows Update.lnk"));
    EXPECT_FALSE(machine.KeyExists(kRecycle));
    EXPECT_EQ(sys.ReadRegValue(K11, "1")->text, "Appwiz.cpl");
}

TEST_F(SecurityPage, GreyBoxesCountAsClear) {
    SetAll(2);
    Pass();
    EXPECT_THAT(Lines(), ElementsAreArray(Expected(0)));
}

TEST_F(SecurityPage, LaterOptionsDecideSharedValues) {
    form.SetChk(19, 1); // noRun: chk(35) decides
    form.SetChk(21, 1); // NoSetTaskbar: chk(34) decides; NoSetFolders follows chk(21)
    form.SetChk(24, 1); // NoControlPanel: either box
    Pass();
    EXPECT_EQ(Value(K9, "noRun"), 0u);
    EXPECT_EQ(Value(K9, "NoSetTaskbar"), 0u);
    EXPECT_EQ(Value(K9, "NoSetFolders"), 1u);
    EXPECT_EQ(Value(K10, "NoControlPanel"), 1u);

    form.SetChk(19, 0);
    form.SetChk(35, 1);
    form.SetChk(21, 0);
    form.SetChk(34, 1);
    form.SetChk(24, 0);
    form.SetChk(28, 1);
    Pass();
    EXPECT_EQ(Value(K9, "noRun"), 1u);
    EXPECT_EQ(Value(K9, "NoSetTaskbar"), 1u);
    EXPECT_EQ(Value(K9, "NoSetFolders"), 0u);
    EXPECT_EQ(Value(K10, "NoControlPanel"), 1u);
}

TEST_F(SecurityPage, DriveMasksAreUpperCaseHexWithoutLeadingZeros) {
    struct Case {
        std::vector<int> drives;
        std::string text;
        std::uint32_t value;
    };
    std::vector<int> all(26);
    for (int i = 0; i < 26; ++i)
        all[i] = i;
    const Case cases[] = {{{}, "0", 0},
                          {{2}, "4", 4},
                          {{0, 2}, "5", 5},
                          {{2, 3}, "C", 12},
                          {{25}, "2000000", 1u << 25},
                          {all, "3FFFFFF", 0x3FFFFFF}};
    for (const Case& c : cases) {
        form::MainForm f;
        for (int d : c.drives)
            f.SetHide(d, true);
        f.SetNot(1, true); // the other list stays independent
        ClearLines();
        optimize::RunBrowserDrivesSection(f, sys);
        EXPECT_THAT(Lines(), ::testing::Contains(W(K5, "NoDrives", "dword", c.text))) << c.text;
        EXPECT_THAT(Lines(), ::testing::Contains(W(K5, "NoViewOnDrive", "dword", "2")));
        EXPECT_EQ(Value(K5, "NoDrives"), c.value) << c.text;
    }
}

TEST_F(SecurityPage, DownloadFolderOnlyWhenTheBoxHoldsText) {
    machine.SetString(K4, "downloadDirectory", R"(C:\Old)");
    Pass();
    EXPECT_EQ(sys.ReadRegValue(K4, "downloadDirectory")->text, R"(C:\Old)");
    form.SetTxtPath("  ");
    Pass();
    EXPECT_EQ(sys.ReadRegValue(K4, "downloadDirectory")->text, "  ");
    form.SetTxtPath(R"(D:\下载\)");
    Pass();
    EXPECT_THAT(Lines(), ::testing::Contains(W(K4, "downloadDirectory", "string", R"(D:\下载\)")));
    EXPECT_EQ(sys.ReadRegValue(K4, "downloadDirectory")->text, R"(D:\下载\)");
}

TEST_F(SecurityPage, SafeModeBackupRoundTripKeepsEverySubkey) {
    const std::string minimal = Subtree(machine, kSafe + "Minimal");
    const std::string network = Subtree(machine, kSafe + "Network");
    ASSERT_NE(minimal.find("[\\"), std::string::npos) << "the seed's Minimal key has subkeys";
    ASSERT_NE(network.find("[\\"), std::string::npos);

    form.SetChk(39, 1);
    Pass();
    EXPECT_FALSE(machine.KeyExists(kSafe + "Minimal"));
    EXPECT_FALSE(machine.KeyExists(kSafe + "Network"));
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal1"), minimal);
    EXPECT_EQ(Subtree(machine, kSafe + "Network1"), network);

    Pass(); // ticked again: no source to copy, so the backups are kept
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal1"), minimal);

    form.SetChk(39, 0);
    Pass();
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal"), minimal);
    EXPECT_EQ(Subtree(machine, kSafe + "Network"), network);
    EXPECT_FALSE(machine.KeyExists(kSafe + "Minimal1"));
    EXPECT_FALSE(machine.KeyExists(kSafe + "Network1"));
}

TEST_F(SecurityPage, FailedSafeModeCopyLeavesItsSourceKey) {
    const std::string minimal = Subtree(machine, kSafe + "Minimal");
    machine.failCommand = [](const std::string& line) {
        return line.rfind("reg copy " + kSafe + "Minimal\\ ", 0) == 0;
    };
    form.SetChk(39, 1);
    Pass();
    EXPECT_EQ(Subtree(machine, kSafe + "Minimal"), minimal);
    EXPECT_FALSE(machine.KeyExists(kSafe + "Network"));
    EXPECT_THAT(Lines(), ::testing::Not(::testing::Contains("wait reg delete " + kSafe + "Minimal\\ /f")));
}

} // namespace
