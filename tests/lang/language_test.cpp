// How the language is chosen, and the placeholders of a text.
#include "lang/language.h"

#include <gtest/gtest.h>

#include "lang/strings.h"

namespace {

using lang::Language;
using Choice = std::optional<Language>;
constexpr Choice kNone = std::nullopt;

TEST(Language, ChosenFromTheUiLanguageTheLocaleAndTheCommandLine) {
    for (const auto& [id, want] : {std::pair{0x0804u, Language::Chinese},
                                   {0x0404u, Language::Chinese},
                                   {0x0C04u, Language::Chinese},
                                   {0x1004u, Language::Chinese},
                                   {0x0409u, Language::English},
                                   {0x0411u, Language::English},
                                   {0u, Language::English}}) {
        EXPECT_EQ(lang::FromLangId(id), want) << std::hex << id;
    }
    for (const auto& [locale, want] : {std::pair{"zh_CN.UTF-8", Language::Chinese},
                                       {"zh_TW", Language::Chinese},
                                       {"ZH", Language::Chinese},
                                       {"C", Language::English},
                                       {"en_US.UTF-8", Language::English},
                                       {"POSIX", Language::English},
                                       {"", Language::English},
                                       {"z", Language::English}}) {
        EXPECT_EQ(lang::FromLocale(locale), want) << locale;
    }
    for (const auto& [line, want] : {std::pair{"", kNone},
                                     {"/lang:en", Choice(Language::English)},
                                     {"/LANG:ZH", Choice(Language::Chinese)},
                                     {"x /lang:en y", Choice(Language::English)},
                                     {"/lang:zh\t/lang:en", Choice(Language::English)},
                                     {"/lang:en /lang:xx", Choice(Language::English)},
                                     {"/lang:", kNone},
                                     {"/lang:zh-CN", kNone},
                                     {"/language:en", kNone},
                                     {"lang:en", kNone}}) {
        EXPECT_EQ(lang::FromCommandLine(line), want) << line;
    }
}

TEST(Strings, FormatFillsOnlyThePlaceholdersItHasArgumentsFor) {
    EXPECT_EQ(lang::Format("{2} of {1}, {3} {x} {", {"a", "b"}), "b of a, {3} {x} {");
    EXPECT_EQ(lang::Format(lang::Str::JournalFailed, Language::English, {"disk full"}),
              "The undo journal cannot be written, so nothing was changed:\ndisk full");
}

} // namespace
