// How each tool is started and how keys are opened, for a 32-bit process on 32-bit Windows and
// on 64-bit Windows (WOW64), with and without %windir%\Sysnative (XP x64 has none); and which
// release each Windows version counts as.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "sysaccess/winver.h"
#include "sysaccess/wow64.h"

namespace {

using sysaccess::DecideToolStart;
using sysaccess::Platform;
using sysaccess::ToolStart;

// The decision table, written out in tests/sysaccess/wow64_cases.txt: 6 tools on each platform.
TEST(Wow64Decision, ToolPathAndRedirectionForEachPlatform) {
    std::ifstream in(std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/sysaccess/wow64_cases.txt");
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string wow64, sysnative, tool, path, off;
        if (line.starts_with("#") || !(fields >> wow64 >> sysnative >> tool >> path >> off)) continue;
        const Platform platform{wow64 == "yes", R"(C:\Windows)", R"(C:\Windows\system32)"};
        const ToolStart start = DecideToolStart(tool, platform, sysnative == "yes");
        EXPECT_EQ(start.path, path) << line;
        EXPECT_EQ(start.redirectionOff, off == "yes") << line;
        ++rows;
    }
    EXPECT_EQ(rows, 24);
}

// The table written out in tests/sysaccess/versions.txt.
TEST(WindowsVersion, EachVersionCountsAsItsRelease) {
    std::ifstream in(std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/sysaccess/versions.txt");
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t bar1 = line.find(" | "), bar2 = line.rfind(" | ");
        if (line.starts_with("#") || bar1 == bar2) continue;
        const auto v = sysaccess::ParseVersionLine(line.substr(0, bar1));
        ASSERT_TRUE(v) << line;
        EXPECT_EQ(sysaccess::FormatVersionLine(*v), line.substr(0, bar1));
        const auto release = sysaccess::ReleaseOf(*v);
        EXPECT_EQ(release ? sysaccess::ReleaseWord(*release) : "-", line.substr(bar1 + 3, bar2 - bar1 - 3)) << line;
        EXPECT_EQ(sysaccess::VersionText(*v), line.substr(bar2 + 3));
        ++rows;
    }
    EXPECT_EQ(rows, 18);
    EXPECT_FALSE(sysaccess::ReleaseOf(sysaccess::WindowsVersion{}));
    for (const char* bad : {"", "10.0", "10.0.x", "10.0.19045 SP", "10.0.19045 sp3 beta", "10..1"})
        EXPECT_FALSE(sysaccess::ParseVersionLine(bad)) << bad;
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
