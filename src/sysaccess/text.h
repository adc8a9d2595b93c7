// Small text helpers: Windows-style name comparison (text/ascii.h) and UTF-16 for the registry's
// wide-string data and the registry scripts regedit writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/ascii.h"

namespace sysaccess {

using text::FoldCase;
using text::NameLess;
using text::SameName;

// UTF-8 to UTF-16LE bytes and back, through the shared converter (text/utf16.h); invalid input
// becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view utf8);
std::string Utf16LeToUtf8(std::string_view bytes);

std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

} // namespace sysaccess
