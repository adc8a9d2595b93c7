#include "sysaccess/text.h"

#include <cstdint>
#include <vector>

namespace sysaccess {

namespace {

char Fold(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUnit(std::string& out, std::uint32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>((unit >> 8) & 0xFF);
}

constexpr std::uint32_t kReplacement = 0xFFFD;

} // namespace

std::string FoldCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = Fold(c);
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

bool NameLess(std::string_view a, std::string_view b) {
    const std::string fa = FoldCase(a), fb = FoldCase(b);
    if (fa != fb) return fa < fb;
    return a < b;
}

std::string Utf8ToUtf16Le(std::string_view s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::uint32_t cp = kReplacement;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
        }
        if (len > 1) {
            bool good = i + len <= s.size();
            std::uint32_t v = b & (0xFF >> (len + 1));
            for (std::size_t k = 1; good && k < len; ++k) {
                const auto c = static_cast<unsigned char>(s[i + k]);
                if ((c & 0xC0) != 0x80) good = false;
                v = (v << 6) | (c & 0x3F);
            }
            // Overlong forms, surrogates and values past U+10FFFF are no characters: UTF-16 has
            // no units for them, and a made-up pair would not read back.
            static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
            if (good && v >= kLeast[len] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
                cp = v;
            } else {
                len = 1;
            }
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            AppendUnit(out, 0xD800 | (cp >> 10));
            AppendUnit(out, 0xDC00 | (cp & 0x3FF));
        } else {
            AppendUnit(out, cp);
        }
    }
    return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t k) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * k])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * k + 1])) << 8);
    };
    for (std::size_t k = 0; k < units; ++k) {
        std::uint32_t u = unitAt(k);
        if (u >= 0xD800 && u < 0xDC00 && k + 1 < units) {
            const std::uint32_t low = unitAt(k + 1);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++k;
                continue;
            }
        }
        if (u >= 0xD800 && u < 0xE000) u = kReplacement;
        AppendUtf8(out, u);
    }
    if (bytes.size() % 2) AppendUtf8(out, kReplacement);
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
