// The languages of the program's window and of the CLI's human-readable lines, and how one is
// chosen. What machines read (setup.dat, journals, logs, exported batches, effect lines, --json
// keys) is the same in every language.
#pragma once

#include <optional>
#include <string_view>

namespace lang {

enum class Language { Chinese, English };

// A Windows UI language id (GetUserDefaultUILanguage): Chinese for every zh-* (primary language
// 0x04), English for any other.
Language FromLangId(unsigned langId);

// "zh" or "en", as /lang: and --lang take them, in any letter case; nothing for anything else.
std::optional<Language> FromWord(std::string_view word);

// A POSIX locale name as LC_ALL, LC_MESSAGES or LANG hold it: Chinese for zh*, English for any
// other (C, POSIX, empty included).
Language FromLocale(std::string_view locale);

// The window's command line: the last "/lang:zh" or "/lang:en" on it, in any letter case; nothing
// when there is none. Other words are left to others.
std::optional<Language> FromCommandLine(std::string_view commandLine);

} // namespace lang
