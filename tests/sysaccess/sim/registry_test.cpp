// The simulated registry and its script importer and exporter, beyond what the System contract
// checks of it on the simulated machine.
#include <gtest/gtest.h>

#include "sysaccess/sim/machine.h"

using sysaccess::RegRoot;

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n";
constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\T";

TEST(SimRegistry, ValuesListInCreationOrderAndKeepTheirPlace) {
    sim::Machine m;
    m.SetString(kKey, "zeta", "1");
    m.SetDword(kKey, "", 2);
    m.SetString(kKey, "alpha", "3");
    m.SetDword(kKey, "ZETA", 4); // overwritten in place, with its new type
    EXPECT_EQ(m.EnumRegValues(RegRoot::CurrentUser, "Software\\T"), (std::vector<std::string>{"zeta", "", "alpha"}));
    EXPECT_EQ(m.ReadRegValue(kKey, "zeta")->type, sysaccess::kRegDword);
    EXPECT_TRUE(m.DeleteValue(kKey, "Alpha"));
    EXPECT_FALSE(m.DeleteValue(kKey, "alpha"));
    EXPECT_TRUE(m.EnumRegValues(RegRoot::CurrentUser, "Software\\Missing").empty());
    EXPECT_TRUE(m.EnumRegValues(RegRoot::LocalMachine, "Software\\T").empty());
}

TEST(SimRegistry, OrderSurvivesManyDeletions) {
    sim::Machine m;
    for (int i = 0; i < 10; ++i)
        m.SetDword(kKey, "v" + std::to_string(i), static_cast<std::uint32_t>(i));
    for (int i : {0, 2, 3, 5, 6, 8})
        ASSERT_TRUE(m.DeleteValue(kKey, "V" + std::to_string(i)));
    m.SetDword(kKey, "v2", 22); // back, at the end
    m.SetDword(kKey, "v4", 44); // in its place
    EXPECT_EQ(m.EnumRegValues(RegRoot::CurrentUser, "Software\\T"),
              (std::vector<std::string>{"v1", "v4", "v7", "v9", "v2"}));
    EXPECT_EQ(m.ReadRegValue(kKey, "v4")->dword, 44u);
    EXPECT_EQ(m.ReadRegValue(kKey, "v9")->dword, 9u);
    EXPECT_FALSE(m.ReadRegValue(kKey, "v8"));
}

TEST(SimImport, DwordTakesOneToEightHexDigits) {
    sim::Machine m;
    const int rejected = m.ImportScript(std::string(kHeader) + "[" + kKey + "]\r\n" +
                                        "\"c\"=dword:C\r\n\"big\"=dword:3FFFFFF\r\n\"max\"=dword:ffffffff\r\n"
                                        "\"nine\"=dword:123456789\r\n\"none\"=dword:\r\n\"bad\"=dword:12x4\r\n"
                                        "\"spaced\"=dword: 1\r\n\"after\"=dword:00000010 ; comment\r\n"
                                        "\"upper\"=DWORD:1\r\n");
    EXPECT_EQ(rejected, 4);
    EXPECT_EQ(m.ReadRegValue(kKey, "spaced")->dword, 1u);
    EXPECT_EQ(m.ReadRegValue(kKey, "c")->dword, 12u);
    EXPECT_EQ(m.ReadRegValue(kKey, "big")->dword, 0x3FFFFFFu);
    EXPECT_EQ(m.ReadRegValue(kKey, "max")->dword, 0xFFFFFFFFu);
    EXPECT_EQ(m.ReadRegValue(kKey, "after")->dword, 16u);
    for (const char* name : {"nine", "none", "bad", "upper"})
        EXPECT_FALSE(m.ReadRegValue(kKey, name)) << name;
}

TEST(SimImport, StringsAndTheirEscapes) {
    sim::Machine m;
    const int rejected = m.ImportScript(std::string(kHeader) + "[" + kKey + "]\n" +
                                        "\"path\"=\"C:\\\\Downloads\\\\\"\n"
                                        "\"q\\\"n\"=\"say \\\"hi\\\"\"\n"
                                        "@=\"default\"\n"
                                        "\"other\"=\"a\\tb\"\n"
                                        "\"open\"=\"never closed\n"
                                        "\"junk\"=\"x\" trailing\n");
    EXPECT_EQ(rejected, 2);
    EXPECT_EQ(m.ReadRegValue(kKey, "path")->text, "C:\\Downloads\\");
    EXPECT_EQ(m.ReadRegValue(kKey, "q\"n")->text, "say \"hi\"");
    EXPECT_EQ(m.ReadRegValue(kKey, "")->text, "default");
    EXPECT_EQ(m.ReadRegValue(kKey, "other")->text, "a\\tb");
    EXPECT_FALSE(m.ReadRegValue(kKey, "open"));
}

TEST(SimImport, HexDataOfEveryType) {
    sim::Machine m;
    const int rejected = m.ImportScript(std::string(kHeader) + "[" + kKey + "]\r\n" +
                                        "\"bin\"=hex:01,02,\\\r\n  0a,FF\r\n"
                                        "\"empty\"=hex:\r\n"
                                        "\"expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                                        "\"multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                                        "\"dw\"=hex(4):78,56,34,12\r\n"
                                        "\"qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                                        "\"badbyte\"=hex:1,234\r\n\"gap\"=hex:01,,02\r\n\"badtype\"=hex(zz):00\r\n"
                                        "\"blanks\"=hex: 01 , 02\r\n\"upper\"=HEX:01\r\n\"trail\"=hex:01,02,\r\n");
    EXPECT_EQ(rejected, 5);
    EXPECT_EQ(m.ReadRegValue(kKey, "bin")->bytes, std::string("\x01\x02\x0a\xff"));
    EXPECT_EQ(m.ReadRegValue(kKey, "empty")->type, sysaccess::kRegBinary);
    EXPECT_EQ(m.ReadRegValue(kKey, "empty")->bytes, "");
    EXPECT_EQ(m.ReadRegValue(kKey, "expand")->type, sysaccess::kRegExpandSz);
    EXPECT_EQ(m.ReadRegValue(kKey, "expand")->text, "%A%");
    EXPECT_EQ(m.ReadRegValue(kKey, "multi")->bytes, std::string("a\0\0\0b\0\0\0\0\0", 10));
    EXPECT_EQ(m.ReadRegValue(kKey, "dw")->dword, 0x12345678u);
    EXPECT_EQ(m.ReadRegValue(kKey, "qword")->type, 11u);
    EXPECT_EQ(m.ReadRegValue(kKey, "trail")->bytes, "\x01\x02"); // a trailing comma ends the list
}

TEST(SimImport, BadLinesAreSkippedAndTheRestApplied) {
    sim::Machine m;
    const int rejected = m.ImportScript(std::string(kHeader) + "\"orphan\"=\"no key yet\"\r\n" +
                                        "[HKEY_NOWHERE\\X]\r\n\"lost\"=dword:1\r\n"
                                        "[HKEY_CURRENT_USER\\Unclosed\r\n"
                                        "[HKEY_CURRENT_USER\\Double\\\\Slash]\r\n"
                                        "not a line at all\r\n; a comment\r\n\r\n"
                                        "[" +
                                        kKey + "]\r\n\"kept\"=dword:1\r\n");
    EXPECT_EQ(rejected, 6);
    EXPECT_EQ(m.ReadRegValue(kKey, "kept")->dword, 1u);
    EXPECT_FALSE(m.KeyExists("HKEY_CURRENT_USER\\Unclosed"));
    EXPECT_FALSE(m.KeyExists("HKEY_CURRENT_USER\\Double"));
}

TEST(SimImport, DeletesKeysAndValues) {
    sim::Machine m;
    m.SetString(kKey, "gone", "x");
    m.SetString(kKey, "stays", "x");
    m.SetString(std::string(kKey) + "\\Sub\\Deep", "v", "x");
    EXPECT_EQ(m.ImportScript(std::string(kHeader) + "[" + kKey + "]\r\n\"gone\"=-\r\n\"never\"=-\r\n[-" + kKey +
                             "\\Sub]\r\n[-HKEY_CURRENT_USER\\Not\\There]\r\n"),
              0);
    EXPECT_FALSE(m.ReadRegValue(kKey, "gone"));
    EXPECT_TRUE(m.ReadRegValue(kKey, "stays"));
    EXPECT_FALSE(m.KeyExists(std::string(kKey) + "\\Sub"));
}

TEST(SimImport, WithoutTheHeaderNothingIsApplied) {
    sim::Machine m;
    EXPECT_EQ(m.ImportScript(std::string("[") + kKey + "]\r\n\"a\"=dword:1\r\n"), 2);
    EXPECT_EQ(m.ImportScript(std::string("Windows Registry Editor Version 4.00\r\n[") + kKey + "]\r\n"), 2);
    EXPECT_FALSE(m.KeyExists(kKey));
    EXPECT_EQ(m.ImportScript(std::string("REGEDIT4\n[") + kKey + "]\n"), 0);
    EXPECT_TRUE(m.KeyExists(kKey));
}

TEST(SimExport, WritesKeysParentsFirstInCreationOrder) {
    sim::Machine m;
    m.CreateKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty");
    m.SetString(kKey, "s", "C:\\a \"b\"");
    m.SetDword(kKey, "", 0xC);
    sysaccess::RegData bin;
    bin.type = sysaccess::kRegBinary;
    bin.bytes = std::string(30, '\x01');
    m.SetValue(kKey, "b", bin);
    EXPECT_EQ(m.ExportRegistry(),
              std::string(kHeader) + "\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n" +
                  "\"s\"=\"C:\\\\a \\\"b\\\"\"\r\n@=dword:0000000c\r\n" +
                  "\"b\"=hex:01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,01,\\\r\n" +
                  "  01,01,01,01,01,01,01\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n" +
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty]\r\n\r\n");
}

TEST(SimExport, EveryTypeSurvivesARoundTrip) {
    sim::Machine m;
    m.SetString(kKey, "lines", "one\r\ntwo");
    m.SetString(kKey, "中文名", "中文值");
    m.SetString(kKey, "a=hex:", "ends in a backslash\\"); // not a hex line going on
    m.SetString(kKey, "after", "1");
    sysaccess::RegData expand;
    expand.type = sysaccess::kRegExpandSz;
    expand.text = "%SystemRoot%\\x";
    m.SetValue(kKey, "expand", expand);
    sysaccess::RegData multi;
    multi.type = sysaccess::kRegMultiSz;
    multi.bytes = std::string("a\0\0\0\0\0", 6);
    m.SetValue(kKey, "multi", multi);
    sysaccess::RegData odd;
    odd.type = 0x20;
    odd.bytes = std::string(200, '\x7f');
    m.SetValue(kKey, "odd", odd);
    m.SetDword(std::string(kKey) + "\\Child", "d", 0xFFFFFFFF);

    sim::Machine copy;
    EXPECT_EQ(copy.ImportScript(m.ExportRegistry()), 0);
    EXPECT_EQ(copy.ExportRegistry(), m.ExportRegistry());
    EXPECT_EQ(copy.ReadRegValue(kKey, "lines")->text, "one\r\ntwo");
    EXPECT_EQ(copy.ReadRegValue(kKey, "expand")->text, "%SystemRoot%\\x");
    EXPECT_EQ(copy.ReadRegValue(kKey, "odd")->type, 0x20u);
}

} // namespace
