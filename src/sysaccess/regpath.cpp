#include "sysaccess/regpath.h"

#include "sysaccess/text.h"

namespace sysaccess {

std::optional<KeyPath> ParseKeyPath(std::string_view path, bool allowAbbreviation) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end == std::string_view::npos ? path.npos : end - start);
        // A line break could not be written in a registry script.
        if (part.empty() || part.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
        parts.emplace_back(part);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    for (std::size_t i = 0; i < kRoots.size(); ++i) {
        if (SameName(parts[0], kRoots[i].full) || (allowAbbreviation && SameName(parts[0], kRoots[i].abbreviation))) {
            parts.erase(parts.begin());
            return KeyPath{i, std::move(parts)};
        }
    }
    return std::nullopt;
}

std::string CanonicalKey(std::string_view key) {
    const auto path = ParseKeyPath(key, true);
    return path ? JoinKeyPath(*path) : std::string(key);
}

std::string KeyIdentity(std::string_view key) {
    return FoldCase(CanonicalKey(key));
}

std::string JoinKeyPath(const KeyPath& path) {
    std::string out = kRoots[path.root].full;
    for (const std::string& p : path.parts)
        out += "\\" + p;
    return out;
}

} // namespace sysaccess
