#include "sysaccess/sim/registry.h"

#include <algorithm>

#include "sysaccess/sim/text.h"

namespace sim {

RegKey* RegKey::FindSubkey(std::string_view child) {
    for (RegKey& k : subkeys) {
        if (SameName(k.name, child)) return &k;
    }
    return nullptr;
}

const RegKey* RegKey::FindSubkey(std::string_view child) const {
    return const_cast<RegKey*>(this)->FindSubkey(child);
}

RegKey& RegKey::SubkeyOrNew(std::string_view child) {
    if (RegKey* k = FindSubkey(child)) return *k;
    subkeys.push_back(RegKey{std::string(child), {}, {}});
    return subkeys.back();
}

RegValue* RegKey::FindValue(std::string_view value) {
    for (RegValue& v : values) {
        if (SameName(v.name, value)) return &v;
    }
    return nullptr;
}

const RegValue* RegKey::FindValue(std::string_view value) const {
    return const_cast<RegKey*>(this)->FindValue(value);
}

void RegKey::SetValue(std::string_view value, const sysaccess::RegData& data) {
    if (RegValue* v = FindValue(value)) {
        v->data = data;
    } else {
        values.push_back(RegValue{std::string(value), data});
    }
}

bool RegKey::DeleteValue(std::string_view value) {
    const auto it =
        std::find_if(values.begin(), values.end(), [&](const RegValue& v) { return SameName(v.name, value); });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

void RegKey::Merge(const RegKey& other, bool withSubkeys) {
    for (const RegValue& v : other.values)
        SetValue(v.name, v.data);
    if (!withSubkeys) return;
    for (const RegKey& k : other.subkeys)
        SubkeyOrNew(k.name).Merge(k, true);
}

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

std::string JoinKeyPath(const KeyPath& path) {
    std::string out = kRoots[path.root].full;
    for (const std::string& p : path.parts)
        out += "\\" + p;
    return out;
}

Registry::Registry() {
    for (std::size_t i = 0; i < kRoots.size(); ++i)
        roots_[i].name = kRoots[i].full;
}

RegKey* Registry::Find(const KeyPath& path) {
    RegKey* key = &roots_[path.root];
    for (const std::string& p : path.parts) {
        key = key->FindSubkey(p);
        if (!key) return nullptr;
    }
    return key;
}

const RegKey* Registry::Find(const KeyPath& path) const {
    return const_cast<Registry*>(this)->Find(path);
}

RegKey& Registry::Create(const KeyPath& path) {
    RegKey* key = &roots_[path.root];
    for (const std::string& p : path.parts)
        key = &key->SubkeyOrNew(p);
    return *key;
}

bool Registry::Delete(const KeyPath& path) {
    if (path.parts.empty()) return false;
    KeyPath parentPath{path.root, {path.parts.begin(), path.parts.end() - 1}};
    RegKey* parent = Find(parentPath);
    if (!parent) return false;
    auto& subs = parent->subkeys;
    const auto it =
        std::find_if(subs.begin(), subs.end(), [&](const RegKey& k) { return SameName(k.name, path.parts.back()); });
    if (it == subs.end()) return false;
    subs.erase(it);
    return true;
}

} // namespace sim
