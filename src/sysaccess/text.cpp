#include "sysaccess/text.h"

#include <cstdint>
#include <vector>

#include "text/utf16.h"

namespace sysaccess {

namespace {

void AppendUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
}

} // namespace

std::string Utf8ToUtf16Le(std::string_view utf8) {
    std::string out;
    for (const char16_t unit : text::Utf8ToUtf16(utf8))
        AppendUnit(out, unit);
    return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::u16string units;
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[k]) |
                                              (static_cast<unsigned char>(bytes[k + 1]) << 8)));
    }
    std::string out = text::Utf16ToUtf8(units);
    if (bytes.size() % 2) out += "\xEF\xBF\xBD"; // half a unit: U+FFFD
    return out;
}

std::string TrimLeft(std::string_view s) {
    const auto start = s.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string() : std::string(s.substr(start));
}

std::string TrimRight(std::string_view s) {
    const auto end = s.find_last_not_of(" \t");
    return end == std::string_view::npos ? std::string() : std::string(s.substr(0, end + 1));
}

} // namespace sysaccess
