// How each tool is started and how keys are opened, for a 32-bit process on 32-bit Windows and
// on 64-bit Windows (WOW64), with and without %windir%\Sysnative (XP x64 has none).
#include <gtest/gtest.h>

#include "sysaccess/wow64.h"

namespace {

using sysaccess::DecideToolStart;
using sysaccess::Platform;
using sysaccess::ToolStart;

struct Case {
    bool wow64;
    bool sysnative;
    const char* tool;
    const char* path;
    bool redirectionOff;
};

constexpr Case kCases[] = {
    // 32-bit Windows: every tool from its own folder, nothing turned off.
    {false, false, "regedit", R"(C:\Windows\regedit.exe)", false},
    {false, false, "reg", R"(C:\Windows\system32\reg.exe)", false},
    {false, false, "sc", R"(C:\Windows\system32\sc.exe)", false},
    {false, false, "sfc", R"(C:\Windows\system32\sfc.exe)", false},
    {false, false, "chkntfs", R"(C:\Windows\system32\chkntfs.exe)", false},
    {false, false, "regsvr32", R"(C:\Windows\system32\regsvr32.exe)", false},
    // A Sysnative folder means nothing to a process that is not redirected.
    {false, true, "regedit", R"(C:\Windows\regedit.exe)", false},
    {false, true, "reg", R"(C:\Windows\system32\reg.exe)", false},
    {false, true, "sc", R"(C:\Windows\system32\sc.exe)", false},
    {false, true, "sfc", R"(C:\Windows\system32\sfc.exe)", false},
    {false, true, "chkntfs", R"(C:\Windows\system32\chkntfs.exe)", false},
    {false, true, "regsvr32", R"(C:\Windows\system32\regsvr32.exe)", false},
    // WOW64 from Vista on: the 64-bit system tools through Sysnative; regedit lives in the Windows
    // folder, which Sysnative does not stand for, so redirection is off while it starts.
    {true, true, "regedit", R"(C:\Windows\regedit.exe)", true},
    {true, true, "reg", R"(C:\Windows\Sysnative\reg.exe)", false},
    {true, true, "sc", R"(C:\Windows\Sysnative\sc.exe)", false},
    {true, true, "sfc", R"(C:\Windows\Sysnative\sfc.exe)", false},
    {true, true, "chkntfs", R"(C:\Windows\Sysnative\chkntfs.exe)", false},
    {true, true, "regsvr32", R"(C:\Windows\Sysnative\regsvr32.exe)", false},
    // WOW64 without Sysnative (XP x64, or a tool Sysnative lacks): redirection off for each.
    {true, false, "regedit", R"(C:\Windows\regedit.exe)", true},
    {true, false, "reg", R"(C:\Windows\system32\reg.exe)", true},
    {true, false, "sc", R"(C:\Windows\system32\sc.exe)", true},
    {true, false, "sfc", R"(C:\Windows\system32\sfc.exe)", true},
    {true, false, "chkntfs", R"(C:\Windows\system32\chkntfs.exe)", true},
    {true, false, "regsvr32", R"(C:\Windows\system32\regsvr32.exe)", true},
};

TEST(Wow64Decision, ToolPathAndRedirectionForEachPlatform) {
    for (const Case& c : kCases) {
        const Platform platform{c.wow64, R"(C:\Windows)", R"(C:\Windows\system32)"};
        const ToolStart start = DecideToolStart(c.tool, platform, c.sysnative);
        EXPECT_EQ(start.path, c.path) << c.tool << " wow64=" << c.wow64 << " sysnative=" << c.sysnative;
        EXPECT_EQ(start.redirectionOff, c.redirectionOff)
            << c.tool << " wow64=" << c.wow64 << " sysnative=" << c.sysnative;
    }
}

TEST(Wow64Decision, KeysOpenInThe64BitViewUnderWow64Only) {
    // KEY_WOW64_64KEY is 0x0100 in winnt.h.
    EXPECT_EQ(sysaccess::RegViewFlags(Platform{true, R"(C:\Windows)", R"(C:\Windows\system32)"}), 0x0100u);
    EXPECT_EQ(sysaccess::RegViewFlags(Platform{false, R"(C:\Windows)", R"(C:\Windows\system32)"}), 0u);
}

TEST(Wow64Decision, ToolNamedByTheCommandLine) {
    constexpr std::pair<const char*, const char*> kLines[] = {
        {"regedit /s c:\\tempreg.reg", "regedit"},
        {"REGEDIT.EXE /s x", "regedit"},
        {"Reg.exe delete x", "reg"},
        {"\"reg\" add x", "reg"},
        {"sc \\\\. config x start= demand", "sc"},
        {"chkntfs /x c:", "chkntfs"},
        {"c:\\elsewhere\\reg.exe add x", nullptr},
        {".\\reg add x", nullptr},
        {"regedt32 /s x", nullptr},
        {"", nullptr},
    };
    for (const auto& [line, tool] : kLines) {
        const auto found = sysaccess::ToolOf(line);
        if (tool) {
            EXPECT_EQ(found, std::string_view(tool)) << line;
        } else {
            EXPECT_FALSE(found) << line;
        }
    }
}

} // namespace
