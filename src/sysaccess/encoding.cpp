#include "sysaccess/encoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace sysaccess {

#ifdef _WIN32

std::optional<std::string> Utf8ToCodePage(const std::string& utf8, unsigned codePage) {
    if (utf8.empty()) return std::string();
    const int wlen = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), (int)utf8.size(), nullptr, 0);
    if (wlen <= 0) return std::nullopt;
    std::wstring wide(wlen, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), wide.data(), wlen);
    BOOL lossy = FALSE;
    const int len = WideCharToMultiByte(codePage, 0, wide.data(), wlen, nullptr, 0, nullptr, &lossy);
    if (len <= 0 || lossy) return std::nullopt;
    std::string out(len, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
}

std::string CodePageToUtf8(const std::string& bytes, unsigned codePage) {
    if (bytes.empty()) return std::string();
    const int wlen = MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    if (wlen <= 0) return std::string();
    std::wstring wide(wlen, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), wide.data(), wlen);
    const int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, nullptr, 0, nullptr, nullptr);
    std::string out(len, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wlen, out.data(), len, nullptr, nullptr);
    return out;
}

#else

namespace {

std::string IconvName(unsigned codePage) {
    if (codePage == 936) return "GBK";
    if (codePage == 65001) return "UTF-8";
    return "CP" + std::to_string(codePage);
}

// Converts with iconv; a byte sequence that cannot be converted either fails the whole
// conversion (strict) or becomes `replacement` and the conversion goes on.
std::optional<std::string> Convert(const std::string& in, const std::string& from, const std::string& to,
                                   bool strict, const std::string& replacement, std::size_t skipUnit) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == (iconv_t)-1) return std::nullopt;
    std::string out;
    char buffer[4096];
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t rc = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer, dst - buffer);
        if (rc == (std::size_t)-1) {
            if (errno == E2BIG) continue;
            if (strict) {
                iconv_close(cd);
                return std::nullopt;
            }
            out += replacement;
            const std::size_t skip = left < skipUnit ? left : skipUnit;
            src += skip;
            left -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &room);
    out.append(buffer, dst - buffer);
    iconv_close(cd);
    return out;
}

} // namespace

std::optional<std::string> Utf8ToCodePage(const std::string& utf8, unsigned codePage) {
    return Convert(utf8, "UTF-8", IconvName(codePage), true, "", 1);
}

std::string CodePageToUtf8(const std::string& bytes, unsigned codePage) {
    return Convert(bytes, IconvName(codePage), "UTF-8", false, "\xEF\xBF\xBD", 1).value_or(bytes);
}

#endif

} // namespace sysaccess
