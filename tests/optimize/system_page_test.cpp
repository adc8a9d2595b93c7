// The system page on the simulated XP machine: every write and command, in order.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "optimize/sections.h"
#include "trace.h"

namespace {

using catalogue_test::W;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kMep = R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\policies\Explorer)";
const std::string kAeDebug = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\AeDebug)";
const std::string kWu = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\WindowsUpdate)";
const std::string kUep = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer)";
const std::string kMsp = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\system)";
const std::string kMem = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management)";
const std::string kBios = R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\BIOS)";
const std::string kDesk = R"(HKEY_CURRENT_USER\Control Panel\)";
const std::string kMenu = R"(C:\Documents and Settings\All Users\「开始」菜单\)";

// The whole page in pass order with every box ticked (Combo2, Combo3 at 0, Opt(4)) or every box
// clear (no combo item selected).
std::vector<std::string> Expected(bool t) {
    std::vector<std::string> e;
    const auto row = [&](const std::string& key, const char* name, const char* type, const char* on, const char* off) {
        if (const char* d = t ? on : off) e.push_back(W(key, name, type, d));
    };
    const auto sc = [&](const char* service) {
        e.push_back(std::string(R"(start sc \\. config )") + service + (t ? " start= disabled" : " start= demand"));
    };
    const char* dw = "dword";
    row(kBios, "CPUPriority", dw, "00000001", "00000003");
    row(R"(HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\CrashControl)", "AutoReboot", dw, "00000001",
        "00000000");
    if (t) {
        for (const char* n :
             {"NoSMHelp", "NoSetFolders", "NoSetTaskbar", "NoFind", "NoRecentDocsMenu", "StartMenuLogOff"})
            e.push_back(W(kMep, n, dw, "00000001"));
        e.push_back("delete " + kMenu + "*.lnk");
    } else {
        for (const char* n : {"NoFind", "NoSetFolders", "NoSetTaskbar", "NoSMHelp", "NoRecentDocsMenu", "NoLogoff"})
            e.push_back(W(kMep, n, dw, "00000000"));
    }
    row(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore)", "DisableSR", dw, "00000001",
        "00000000");
    row(kAeDebug, "Auto", "string", "0", "1");
    row(kWu, "DisableWindowsUpdateAccess", dw, "00000001", "00000000");
    sc("RDSessMgr");
    sc("ERSvc");
    row(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz)", "NoRun", dw,
        "00000001", "00000000");
    sc("wuauserv");
    row(kUep, "NoSimpleStartMenu", dw, "00000001", "00000000");
    row(kUep, "NoWinKeys", dw, "00000001", "00000000");
    row(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Security Center)", "FirewallDisableNotify", dw, "00000001",
        "00000000");
    row(kMsp, "LogonType", dw, "00000000", "00000001");
    row(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Policies\Microsoft\WindowsMediaPlayer)", "DisableAutoUpdate", dw, "00000001",
        "00000000");
    row(kMem, "DisablePagingExecutive", dw, "00000001", "00000000");
    row(kDesk + (t ? "Desktop" : "desktop"), "WaitToKillAppTimeout", "string", "1000", "20000");
    row(kDesk + "desktop", "AutoEndTasks", "string", "1", "0");
    row(kMem, "ClearPageFileAtShutdown", "string", "1", "0");
    row(kMem, "LargeSystemCache", "string", "1", "0");
    row(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Classes\CLSID\{00021400-0000-0000-C000-000000000046})", "MenuShowDelay",
        "string", "1", "200");
    row(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Group Policy Objects\{93DA6881-55BF-487D-B0AE-C8EB3C54121A}Machine\Software\Microsoft\Windows\CurrentVersion\Policies\System)",
        "DisableStatusMessages", dw, "00000001", "00000000");
    row(kMsp, "DisableStatusMessages", dw, "00000001", "00000000");
    row(kUep, "NoRecycleFiles", dw, "00000001", "00000000");
    if (t) {
        for (const char* k : {"IconStreams", "PastIconsStream"})
            e.push_back(
                std::string(
                    R"(start reg delete HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\TrayNotify\)") +
                k + " /f");
    }
    row(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced)", "TaskbarGlomming", dw,
        "00000000", "00000001");
    row(kDesk + "Desktop", "HungAppTimeout", "string", "5000", nullptr);
    if (t) e.push_back("start chkntfs /x c: d:");
    row(kMem, "SecondLevelDataCache", dw, "00000400", nullptr);
    row(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer)", "AlwaysUnloadDLL", "string", "1",
        nullptr);
    row(kAeDebug, "auto", "string", "0", nullptr);
    row(R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\FileSystem)", "ContigFileAllocSize", dw, "00000400",
        nullptr);
    row(kMem + R"(\PrefetchParameters)", "EnablePrefetcher", "string", "5", "3");
    return e;
}

struct SystemPage : catalogue_test::PageTest {
    void Pass() {
        ClearLines();
        optimize::RunSystemSection(form, sys);
    }
    std::vector<std::string> LinesWith(const std::string& part) const {
        const std::vector<std::string> all = Lines();
        std::vector<std::string> out;
        std::copy_if(all.begin(), all.end(), std::back_inserter(out),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
        return out;
    }
    std::string Str(const std::string& key, const char* name) { return sys.ReadRegValue(key, name).value().text; }
    std::uint32_t Dw(const std::string& key, const char* name) { return sys.ReadRegValue(key, name).value().dword; }
};

TEST_F(SystemPage, AllClearReleasesEveryOptionAndStartsThreeDemandCommands) {
    Pass();
    EXPECT_THAT(Lines(), ElementsAreArray(Expected(false)));
    EXPECT_THAT(progress, ElementsAre(2000, 4000, 6000, 7600, 9000, 10905));
    EXPECT_EQ(Dw(R"(HKLM\SYSTEM\CurrentControlSet\Services\ERSvc)", "Start"), 3u);
}

TEST_F(SystemPage, AllTickedRestrictsEveryOptionInPassOrder) {
    for (int i : {43, 44, 47, 48, 49, 50, 51})
        form.SetChk(i, 1);
    for (int i = 53; i <= 76; ++i)
        form.SetChk(i, 1);
    form.SetCombo2(0);
    form.SetCombo3(0);
    form.SelectOpt(4);
    machine.AddFile(kMenu + R"(程序\Keep.lnk)");
    Pass();
    EXPECT_THAT(Lines(), ElementsAreArray(Expected(true)));
    // The shortcuts directly in the Start menu go; its sub-folders are not touched.
    EXPECT_FALSE(sys.FileExists(kMenu + "*.lnk"));
    EXPECT_TRUE(sys.FileExists(kMenu + R"(程序\Keep.lnk)"));
    EXPECT_EQ(Dw(R"(HKLM\SYSTEM\CurrentControlSet\Services\wuauserv)", "Start"), 4u);
    // The start-menu folder is empty now: a second pass deletes nothing.
    Pass();
    EXPECT_TRUE(LinesWith("delete C:").empty());
}

TEST_F(SystemPage, ErrorReportingLeavesTheUpdatePolicyToItsOwnBox) {
    form.SetChk(65, 1);
    Pass();
    EXPECT_EQ(Dw(kWu, "DisableWindowsUpdateAccess"), 1u);
    form.SetChk(65, 0);
    form.SetChk(58, 1);
    Pass();
    EXPECT_EQ(Dw(kWu, "DisableWindowsUpdateAccess"), 0u);
    EXPECT_EQ(LinesWith("DisableWindowsUpdateAccess").size(), 1u);
}

TEST_F(SystemPage, AutoAndLowerCaseAutoAreOneValueAndTheLaterWins) {
    form.SetChk(66, 1);
    Pass();
    EXPECT_EQ(Str(kAeDebug, "Auto"), "0");
    form.SetChk(66, 0);
    form.SetChk(48, 1); // "Auto" = "1", then "auto" = "0"
    Pass();
    EXPECT_EQ(Str(kAeDebug, "Auto"), "0");
    form.SetChk(48, 0);
    Pass();
    EXPECT_EQ(Str(kAeDebug, "auto"), "1");
}

TEST_F(SystemPage, ClearedStartMenuTidyingSparesValuesOfTickedOrGreySecurityBoxes) {
    for (int i = 20; i <= 23; ++i)
        form.SetChk(i, 1);
    Pass();
    EXPECT_THAT(LinesWith(kMep), ElementsAre(W(kMep, "NoLogoff", "dword", "00000000")));
    form.SetChk(20, 2);
    form.SetChk(21, 0);
    form.SetChk(22, 2);
    form.SetChk(23, 0);
    Pass();
    EXPECT_THAT(LinesWith(kMep),
                ElementsAre(W(kMep, "NoSetFolders", "dword", "00000000"), W(kMep, "NoSetTaskbar", "dword", "00000000"),
                            W(kMep, "NoSMHelp", "dword", "00000000"), W(kMep, "NoLogoff", "dword", "00000000")));
}

TEST_F(SystemPage, ComboBoxesAndCacheButtons) {
    form.SetChk(56, 1); // no Combo3 item: background services
    form.SetChk(75, 1);
    form.ClearOpt(0); // no option button: no cache size
    form.SetCombo2(1);
    Pass();
    EXPECT_EQ(Dw(kBios, "CPUPriority"), 2u);
    EXPECT_EQ(Str(kMem + R"(\PrefetchParameters)", "EnablePrefetcher"), "3");
    EXPECT_TRUE(LinesWith("SecondLevelDataCache").empty());
    const char* sizes[] = {"00000040", "00000080", "00000100", "00000200", "00000400"};
    for (int i = 0; i < form::kOptCount; ++i) {
        form.SelectOpt(i);
        Pass();
        EXPECT_THAT(LinesWith("SecondLevelDataCache"), ElementsAre(W(kMem, "SecondLevelDataCache", "dword", sizes[i])));
    }
    form.SetChk(56, 2); // grey is not ticked, whatever Combo3 shows
    form.SetCombo3(0);
    Pass();
    EXPECT_EQ(Dw(kBios, "CPUPriority"), 3u);
}

} // namespace
