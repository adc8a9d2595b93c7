// SHA-256, to know a journal is the one the program wrote.
#pragma once

#include <string>
#include <string_view>

namespace undo {

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

} // namespace undo
