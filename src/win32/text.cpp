#include "win32/text.h"

#include "text/utf16.h"

namespace win32 {

// wchar_t is a UTF-16 unit on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(const std::string& utf8) {
    const std::u16string units = text::Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Narrow(const wchar_t* utf16, std::size_t length) {
    return text::Utf16ToUtf8(std::u16string(utf16, utf16 + length));
}

std::string Narrow(const std::wstring& utf16) {
    return Narrow(utf16.data(), utf16.size());
}

} // namespace win32
