// UTF-8 <-> UTF-16, by hand and the same on every platform: the Win32 edge converts with it, and
// the simulated machine keeps the registry's wide strings with it.
//
// Each invalid UTF-8 byte (overlong forms, surrogates and values beyond Unicode included) and each
// unpaired surrogate becomes U+FFFD rather than being dropped, so a damaged name never turns into
// a different valid one by losing characters. (Windows XP's own conversion drops invalid UTF-8
// where later versions substitute U+FFFD; a name must not change with the version.)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// True when every byte belongs to a character.
bool IsValidUtf8(std::string_view s);

// The bytes of the character s begins with: 1 to 4, or 1 for a byte that begins no character.
std::size_t Utf8CharLength(std::string_view s);

} // namespace text
