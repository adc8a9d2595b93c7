// Small text helpers: Windows-style name comparison and UTF-16 for the registry's wide-string
// data and the registry scripts regedit writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sysaccess {

// ASCII upper-case folding, as good as Windows' for the names this machine holds.
std::string FoldCase(std::string_view s);
bool SameName(std::string_view a, std::string_view b);
// Orders names without regard to case; ties broken by the bytes so the order is total.
bool NameLess(std::string_view a, std::string_view b);

// UTF-8 to UTF-16LE bytes and back, through the shared converter (utf16.h); invalid input
// becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view utf8);
std::string Utf16LeToUtf8(std::string_view bytes);

std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

} // namespace sysaccess
