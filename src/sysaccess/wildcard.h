// File-name patterns as Windows reads them in the last part of a path.
#pragma once

#include <string_view>

namespace sysaccess {

bool HasWildcard(std::string_view s);

// Matches one UTF-8 file name against a pattern: * any run of characters, ? any one character,
// letters compared without regard to ASCII case. As on Windows, "*.*" also matches names
// without a dot and "x.*" matches "x".
bool WildcardMatch(std::string_view pattern, std::string_view name);

} // namespace sysaccess
