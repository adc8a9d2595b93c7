#include "sysaccess/wildcard.h"

#include <cstddef>

#include "text/ascii.h"

namespace sysaccess {

namespace {

// Length of the UTF-8 character starting at s[i]; a stray byte counts as one character.
std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t n = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    for (std::size_t k = 1; k < n; ++k) {
        if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return k;
    }
    return n;
}

bool Glob(std::string_view pattern, std::string_view name) {
    // Iterative matcher with one back-tracking point for the last star: linear in practice.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += CharLength(name, n);
        } else if (p < pattern.size() && text::AsciiUpper(pattern[p]) == text::AsciiUpper(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            n = starN += CharLength(name, starN);
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool HasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (Glob(pattern, name)) return true;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
        return Glob(pattern.substr(0, pattern.size() - 2), name);
    }
    return false;
}

} // namespace sysaccess
