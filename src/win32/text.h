// UTF-8 inside the program, UTF-16 at the Win32 edge, through the one portable converter
// (text/utf16.h): invalid input becomes U+FFFD on both sides.
#pragma once

#include <cstddef>
#include <string>

namespace win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, std::size_t length);

} // namespace win32
