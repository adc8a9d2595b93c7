// ASCII letter case and hex digits, as Windows compares the names this program handles: registry
// keys and values, file names, tool names. Bytes beyond ASCII (UTF-8) compare as they are.
#pragma once

#include <string>
#include <string_view>

namespace text {

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of a hex digit, in either case; -1 for any other character.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Upper-case folding.
std::string FoldCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameName(std::string_view a, std::string_view b);
// Orders names without regard to case; ties broken by the bytes so the order is total.
bool NameLess(std::string_view a, std::string_view b);

} // namespace text
