// Registry key paths as the program and the tools write them: a root, then names below it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sysaccess {

// A key path split into its root and the names beneath it.
struct KeyPath {
    std::size_t root = 0; // index into kRoots
    std::vector<std::string> parts;
};

struct RootName {
    const char* full;
    const char* abbreviation;
};
inline constexpr std::array<RootName, 5> kRoots{{{"HKEY_CLASSES_ROOT", "HKCR"},
                                                 {"HKEY_CURRENT_USER", "HKCU"},
                                                 {"HKEY_LOCAL_MACHINE", "HKLM"},
                                                 {"HKEY_USERS", "HKU"},
                                                 {"HKEY_CURRENT_CONFIG", "HKCC"}}};

// "HKEY_LOCAL_MACHINE\Software\X" (and "HKLM\..." when abbreviations are allowed, as reg.exe
// takes them). One trailing backslash is accepted; an empty name inside the path is not.
std::optional<KeyPath> ParseKeyPath(std::string_view path, bool allowAbbreviation);

// Full path of a key, root written out, for display and export.
std::string JoinKeyPath(const KeyPath& path);

// A key as the program writes it: root written out, no trailing backslash; a text that is no key
// path stays as it is.
std::string CanonicalKey(std::string_view key);

// A key as the registry compares it: the canonical form without letter case.
std::string KeyIdentity(std::string_view key);

} // namespace sysaccess
