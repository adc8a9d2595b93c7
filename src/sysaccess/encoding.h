// Text in Windows code pages. Inside the program text is UTF-8; the files it writes for
// Windows tools (the registry script, setup.dat) are in the ANSI code page.
#pragma once

#include <optional>
#include <string>

namespace sysaccess {

inline constexpr unsigned kCodePageGbk = 936;

// UTF-8 to the code page; nothing when the text is not valid UTF-8 or a character has no
// equivalent in the code page.
std::optional<std::string> Utf8ToCodePage(const std::string& utf8, unsigned codePage);

// The code page to UTF-8; bytes that form no character become U+FFFD.
std::string CodePageToUtf8(const std::string& bytes, unsigned codePage);

} // namespace sysaccess
