#include "text/ascii.h"

namespace text {

std::string FoldCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = AsciiLower(c);
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

bool NameLess(std::string_view a, std::string_view b) {
    const std::string fa = FoldCase(a), fb = FoldCase(b);
    if (fa != fb) return fa < fb;
    return a < b;
}

} // namespace text
