// Command lines split as the C runtime splits them, quoting that survives the split, text in
// code page 936, and UTF-8 <-> UTF-16 as the Win32 edge converts.
#include <gtest/gtest.h>

#include "sysaccess/cmdline.h"
#include "sysaccess/encoding.h"
#include "sysaccess/wildcard.h"
#include "text/utf16.h"

using sysaccess::QuoteArgument;
using sysaccess::SplitCommandLine;
using Args = std::vector<std::string>;

namespace {

TEST(SplitCommandLine, ToolLinesOfTheProgram) {
    EXPECT_EQ(SplitCommandLine("sc \\\\. config Alerter start= disabled"),
              (Args{"sc", "\\\\.", "config", "Alerter", "start=", "disabled"}));
    EXPECT_EQ(SplitCommandLine("reg delete HKEY_CURRENT_USER\\Run /v \"My App\" /f"),
              (Args{"reg", "delete", "HKEY_CURRENT_USER\\Run", "/v", "My App", "/f"}));
    EXPECT_EQ(SplitCommandLine("regsvr32 /s \"C:\\Program Files\\Sysvela\\xpbutton.ocx\""),
              (Args{"regsvr32", "/s", "C:\\Program Files\\Sysvela\\xpbutton.ocx"}));
    EXPECT_EQ(SplitCommandLine("reg add HKEY_CURRENT_USER\\DisallowCpl\\ /f"),
              (Args{"reg", "add", "HKEY_CURRENT_USER\\DisallowCpl\\", "/f"}));
}

TEST(SplitCommandLine, BackslashesAndQuotes) {
    EXPECT_EQ(SplitCommandLine("p a\\\\\\\"b"), (Args{"p", "a\\\"b"}));    // 3 backslashes + quote: \ and "
    EXPECT_EQ(SplitCommandLine("p \"a\\\\\" b"), (Args{"p", "a\\", "b"})); // 2 + quote: \ and closing quote
    EXPECT_EQ(SplitCommandLine("p a\\b\\\\c"), (Args{"p", "a\\b\\\\c"}));  // no quote: literal
    EXPECT_EQ(SplitCommandLine("p \"a \"\"b\"\" c\""), (Args{"p", "a \"b\" c"}));
    EXPECT_EQ(SplitCommandLine("p \"\" x"), (Args{"p", "", "x"}));
    EXPECT_EQ(SplitCommandLine("p \t a\t\tb  "), (Args{"p", "a", "b"}));
    EXPECT_EQ(SplitCommandLine("p \"open ended"), (Args{"p", "open ended"}));
    EXPECT_EQ(SplitCommandLine("p \"a\"\""), (Args{"p", "a\""})); // a doubled quote as the line's end
}

TEST(SplitCommandLine, ProgramNameHasNoEscapes) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\x\\\" a"), (Args{"C:\\Program Files\\x\\", "a"}));
    EXPECT_EQ(SplitCommandLine("C:\\tools\\reg.exe add"), (Args{"C:\\tools\\reg.exe", "add"}));
    EXPECT_EQ(SplitCommandLine(""), (Args{""}));
}

TEST(QuoteArgument, SurvivesTheSplit) {
    for (const std::string arg :
         {"", "plain", "two words", "C:\\", "C:\\dir\\", "a\"b", "\\\"", "\\\\\"\\\\", "tab\there", "名字 带空格"}) {
        const Args split = SplitCommandLine("p " + QuoteArgument(arg));
        ASSERT_EQ(split.size(), 2u) << arg;
        EXPECT_EQ(split[1], arg);
    }
    EXPECT_EQ(QuoteArgument("My App"), "\"My App\"");
    EXPECT_EQ(QuoteArgument("C:\\"), "\"C:\\\\\"");
}

TEST(Encoding, Gbk) {
    EXPECT_EQ(sysaccess::Utf8ToCodePage("启动 ab", 936), "\xC6\xF4\xB6\xAF ab");
    EXPECT_EQ(sysaccess::CodePageToUtf8("\xC6\xF4\xB6\xAF ab", 936), "启动 ab");
    EXPECT_EQ(sysaccess::Utf8ToCodePage("", 936), "");
    EXPECT_FALSE(sysaccess::Utf8ToCodePage("\xF0\x9F\x98\x80", 936)); // no equivalent
    EXPECT_FALSE(sysaccess::Utf8ToCodePage("\xC3", 936));             // not UTF-8
    // A lone lead byte cannot form a character; the text around it survives.
    const std::string damaged = sysaccess::CodePageToUtf8("a\xC6", 936);
    EXPECT_EQ(damaged.substr(0, 1), "a");
    EXPECT_GT(damaged.size(), 1u);
}

TEST(Utf16, RoundTripsAndMarksEachDamagedByte) {
    using text::Utf16ToUtf8;
    using text::Utf8ToUtf16;
    const std::string text = "启动 ok \xf0\x9f\x98\x80";
    EXPECT_EQ(Utf8ToUtf16(text), u"启动 ok \xd83d\xde00");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    EXPECT_EQ(Utf8ToUtf16("a\xff\xe4\xb8"
                          "b"),
              u"a\xfffd\xfffd\xfffd"
              u"b");
    EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\xfffd\xfffd") << "an overlong slash is no slash";
    EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\xfffd\xfffd\xfffd") << "a surrogate is no character";
    EXPECT_EQ(Utf16ToUtf8(u"x\xd800"), "x\xef\xbf\xbd");
    EXPECT_EQ(Utf16ToUtf8(u"\xdbff\xdfff"), "\xf4\x8f\xbf\xbf"); // U+10FFFF, the last pair
    EXPECT_TRUE(text::IsValidUtf8(text));
    EXPECT_TRUE(text::IsValidUtf8("\xef\xbf\xbd")); // U+FFFD itself
    EXPECT_FALSE(text::IsValidUtf8("ok\xe4\xb8"));
}

TEST(WildcardMatch, FollowsWindowsFileNameMatching) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"a.lnk", "*.lnk", true},
        {"A.LNK", "*.lnk", true},
        {"a.lnk2", "*.lnk", false},
        {"a.lnk.txt", "*.lnk", false},
        {"README", "*.*", true},
        {"x", "x.*", true},
        {"x.y", "x.*", true},
        {"xy", "x.*", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"中文.LNK", "*.lnk", true},
        {"启.lnk", "?.lnk", true}, // ? is a character
        {"aaab", "*a*b", true},
        {"", "*", true},
        {"a", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sysaccess::WildcardMatch(c.pattern, c.name), c.matches) << c.name << " ~ " << c.pattern;
    }
}

} // namespace
