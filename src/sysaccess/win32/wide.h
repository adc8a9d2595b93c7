// UTF-8 inside the program, UTF-16 at the Win32 edge.
#pragma once

#include <string>

namespace win32 {

// Each invalid UTF-8 byte, and each unpaired surrogate, becomes U+FFFD rather than being dropped,
// so a damaged name never turns into a different valid one by losing characters.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, std::size_t length);

} // namespace win32
