// The registry script: its exact bytes, and the write around it (refusals, a read-only leftover, a
// failing editor). What a write stores on a machine is the System contract's to check.
#include <gtest/gtest.h>

#include "sysaccess/sim/machine.h"
#include "sysaccess/system.h"

using sysaccess::BuildRegScript;
using sysaccess::RegType;

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n";

// Remembers the script as the registry editor finds it; an editor told to fail imports nothing.
class ScriptCapture : public sim::Machine {
public:
    std::vector<std::string> scripts;
    std::optional<sysaccess::RunResult> editorFails;
    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        scripts.push_back(ReadFile("C:\\tempreg.reg").value_or("<no file>"));
        if (editorFails) return *editorFails;
        return Machine::Run(line, mode);
    }
};

TEST(BuildRegScript, ThreeLinesWithCrLf) {
    EXPECT_EQ(BuildRegScript("HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\BIOS", RegType::Dword,
                             "CPUPriority", "00000001"),
              std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\BIOS]\r\n" +
                  "\"CPUPriority\"=dword:00000001\r\n");
    EXPECT_EQ(BuildRegScript("HKEY_CURRENT_USER\\X", RegType::Hex, "b", "01,ff"),
              std::string(kHeader) + "[HKEY_CURRENT_USER\\X]\r\n\"b\"=hex:01,ff\r\n");
}

TEST(BuildRegScript, QuotesAndBackslashesEscapedInNameAndString) {
    const auto k = std::string(kHeader) + "[HKEY_CURRENT_USER\\X]\r\n";
    EXPECT_EQ(BuildRegScript("HKEY_CURRENT_USER\\X", RegType::String, "downloadDirectory", "C:\\Downloads"),
              k + "\"downloadDirectory\"=\"C:\\\\Downloads\"\r\n");
    EXPECT_EQ(BuildRegScript("HKEY_CURRENT_USER\\X", RegType::String, "a\"b\\", "C:\\"),
              k + "\"a\\\"b\\\\\"=\"C:\\\\\"\r\n");
    EXPECT_EQ(BuildRegScript("HKEY_CURRENT_USER\\X", RegType::String, "e", ""), k + "\"e\"=\"\"\r\n");
    // The key is written as given, backslashes and case untouched.
    EXPECT_EQ(BuildRegScript("HKEY_CURRENT_USER\\a\\B", RegType::Dword, "", "0"),
              std::string(kHeader) + "[HKEY_CURRENT_USER\\a\\B]\r\n\"\"=dword:0\r\n");
}

TEST(BuildRegScript, RefusesLineBreaksAnywhere) {
    EXPECT_FALSE(BuildRegScript("HKEY_CURRENT_USER\\X\r\n[HKEY_CURRENT_USER\\Y]", RegType::Dword, "a", "1"));
    EXPECT_FALSE(BuildRegScript("HKEY_CURRENT_USER\\X", RegType::String, "a\n", "1"));
    EXPECT_FALSE(BuildRegScript("HKEY_CURRENT_USER\\X", RegType::String, "a", "x\r"));
}

class WriteRegValueTest : public testing::Test {
protected:
    ScriptCapture m;
    const std::string key = "HKEY_CURRENT_USER\\Software\\T";

    std::optional<sysaccess::RegData> Read(const std::string& name) { return m.ReadRegValue(key, name); }
};

TEST_F(WriteRegValueTest, WritesImportsAndRemovesTheScript) {
    ASSERT_TRUE(m.WriteRegValue(key, RegType::Dword, "DisableSR", "00000001"));
    ASSERT_EQ(m.scripts.size(), 1u);
    EXPECT_EQ(m.scripts[0], std::string(kHeader) + "[" + key + "]\r\n\"DisableSR\"=dword:00000001\r\n");
    ASSERT_EQ(m.Commands().size(), 1u);
    EXPECT_EQ(m.Commands()[0].commandLine, "regedit /s c:\\tempreg.reg");
    EXPECT_EQ(m.Commands()[0].mode, sysaccess::RunMode::Wait);
    EXPECT_FALSE(m.PathExists("c:\\tempreg.reg"));
    ASSERT_TRUE(Read("DisableSR"));
    EXPECT_EQ(Read("DisableSR")->type, sysaccess::kRegDword);
    EXPECT_EQ(Read("DisableSR")->dword, 1u);
}

TEST_F(WriteRegValueTest, ChineseDataGoesOutInGbk) {
    ASSERT_TRUE(m.WriteRegValue(key, RegType::String, "所有者", "微软用户"));
    const std::string gbkLine = "\"\xCB\xF9\xD3\xD0\xD5\xDF\"=\"\xCE\xA2\xC8\xED\xD3\xC3\xBB\xA7\"\r\n";
    EXPECT_EQ(m.scripts.at(0), std::string(kHeader) + "[" + key + "]\r\n" + gbkLine);
    EXPECT_EQ(Read("所有者")->text, "微软用户");
}

TEST_F(WriteRegValueTest, RefusedWritesChangeNothing) {
    const std::string before = m.ExportRegistry();
    EXPECT_FALSE(m.WriteRegValue(key, RegType::String, "a", "line\r\n[HKEY_CURRENT_USER\\Evil]"));
    EXPECT_FALSE(m.WriteRegValue(key + "\n", RegType::Dword, "a", "1"));
    EXPECT_FALSE(m.WriteRegValue(key, RegType::String, "a", "\xF0\x9F\x98\x80")); // no GBK equivalent
    EXPECT_EQ(m.ExportRegistry(), before);
    EXPECT_TRUE(m.Commands().empty());
    EXPECT_FALSE(m.PathExists("c:\\tempreg.reg"));
}

TEST_F(WriteRegValueTest, ReadOnlyLeftoverFailsWithoutRunningTheEditor) {
    m.AddFile("C:\\tempreg.reg", "old", sim::kReadOnly);
    const sysaccess::Result r = m.WriteRegValue(key, RegType::Dword, "a", "1");
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("tempreg.reg"), std::string::npos);
    EXPECT_TRUE(m.Commands().empty());
    EXPECT_EQ(m.ReadFile("C:\\tempreg.reg"), "old");
}

TEST_F(WriteRegValueTest, AnEditorThatFailsIsAFailedWrite) {
    const struct {
        sysaccess::RunResult editor;
        const char* error;
    } cases[] = {
        {sysaccess::RunResult::NotStarted(2), "regedit could not be started (error 2)"},
        {sysaccess::RunResult::Exited(1), "regedit exit code 1"},
    };
    for (const auto& c : cases) {
        m.editorFails = c.editor;
        const sysaccess::Result r = m.WriteRegValue(key, RegType::Dword, "a", "00000001");
        EXPECT_FALSE(r) << c.error;
        EXPECT_EQ(r.error, c.error);
        EXPECT_FALSE(m.PathExists("c:\\tempreg.reg")) << "the script is removed all the same";
    }
}

TEST_F(WriteRegValueTest, RejectedDataLeavesTheRegistryAsItWas) {
    // As with the real editor: the import of a malformed value line succeeds and changes nothing.
    ASSERT_TRUE(m.WriteRegValue(key, RegType::Dword, "bad", "123456789"));
    EXPECT_TRUE(m.KeyExists(key));
    EXPECT_FALSE(Read("bad"));
}

} // namespace
