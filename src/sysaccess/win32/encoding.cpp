// Code pages through the system's own conversion tables.
#include "sysaccess/encoding.h"

#include <windows.h>

#include <climits>

namespace sysaccess {

namespace {

// The conversion functions count in int: longer text is refused rather than cut.
bool FitsInt(const std::string& s) {
    return s.size() <= static_cast<std::size_t>(INT_MAX);
}

} // namespace

std::optional<std::string> Utf8ToCodePage(const std::string& utf8, unsigned codePage) {
    if (utf8.empty()) return std::string();
    if (!FitsInt(utf8)) return std::nullopt;
    const int size = static_cast<int>(utf8.size());
    const int wlen = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wlen <= 0) return std::nullopt;
    std::wstring wide(wlen, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wlen);
    BOOL lossy = FALSE;
    const int len = WideCharToMultiByte(codePage, 0, wide.data(), wlen, nullptr, 0, nullptr, &lossy);
    if (len <= 0 || lossy) return std::nullopt;
    std::string out(len, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
}

std::string CodePageToUtf8(const std::string& bytes, unsigned codePage) {
    if (bytes.empty() || !FitsInt(bytes)) return std::string();
    const int size = static_cast<int>(bytes.size());
    const int wlen = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (wlen <= 0) return std::string();
    std::wstring wide(wlen, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wlen);
    const int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, nullptr, 0, nullptr, nullptr);
    if (len <= 0) return std::string();
    std::string out(len, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
}

} // namespace sysaccess
