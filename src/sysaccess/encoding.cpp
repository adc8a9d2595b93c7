// Code pages through iconv; the Windows build converts with the system's own tables
// (win32/encoding.cpp).
#include "sysaccess/encoding.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace sysaccess {

namespace {

std::string IconvName(unsigned codePage) {
    if (codePage == 936) return "GBK";
    if (codePage == 65001) return "UTF-8";
    return "CP" + std::to_string(codePage);
}

// Converts with iconv; a byte sequence that cannot be converted either fails the whole
// conversion (strict) or becomes `replacement` and the conversion goes on.
std::optional<std::string> Convert(const std::string& in, const std::string& from, const std::string& to, bool strict,
                                   const std::string& replacement, std::size_t skipUnit) {
    const iconv_t opened = iconv_open(to.c_str(), from.c_str());
    if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> owner(opened, iconv_close);
    const iconv_t cd = owner.get();
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
            if (strict) return std::nullopt;
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
    return out;
}

} // namespace

std::optional<std::string> Utf8ToCodePage(const std::string& utf8, unsigned codePage) {
    return Convert(utf8, "UTF-8", IconvName(codePage), true, "", 1);
}

std::string CodePageToUtf8(const std::string& bytes, unsigned codePage) {
    return Convert(bytes, IconvName(codePage), "UTF-8", false, "\xEF\xBF\xBD", 1).value_or(bytes);
}

} // namespace sysaccess
