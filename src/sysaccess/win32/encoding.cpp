// Code pages through the system's own conversion tables; UTF-8 <-> UTF-16 through the shared converter.
#include "sysaccess/encoding.h"

#include <windows.h>

#include <climits>

#include "text/utf16.h"

namespace sysaccess {

namespace {

// The conversion functions count in int: longer text is refused rather than cut.
bool FitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX);
}

} // namespace

std::optional<std::string> Utf8ToCodePage(const std::string& utf8, unsigned codePage) {
    if (utf8.empty()) return std::string();
    if (!text::IsValidUtf8(utf8)) return std::nullopt;
    const std::u16string units = text::Utf8ToUtf16(utf8);
    if (!FitsInt(units.size())) return std::nullopt;
    const std::wstring wide(units.begin(), units.end());
    const int wlen = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int len = WideCharToMultiByte(codePage, 0, wide.data(), wlen, nullptr, 0, nullptr, &lossy);
    if (len <= 0 || lossy) return std::nullopt;
    std::string out(len, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
}

std::string CodePageToUtf8(const std::string& bytes, unsigned codePage) {
    if (bytes.empty() || !FitsInt(bytes.size())) return std::string();
    const int size = static_cast<int>(bytes.size());
    const int wlen = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (wlen <= 0) return std::string();
    std::wstring wide(wlen, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wlen);
    return text::Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

} // namespace sysaccess
