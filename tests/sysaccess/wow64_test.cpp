// How each tool is started and how keys are opened, for a 32-bit process on 32-bit Windows and
// on 64-bit Windows (WOW64), with and without %windir%\Sysnative (XP x64 has none).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

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
