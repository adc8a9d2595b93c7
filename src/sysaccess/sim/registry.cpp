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
    subkeys.emplace_back(std::string(child));
    return subkeys.back();
}

std::vector<const RegValue*> RegKey::Values() const {
    std::vector<const RegValue*> out;
    out.reserve(live_);
    for (const auto& slot : slots_) {
        if (slot) out.push_back(&*slot);
    }
    return out;
}

RegValue* RegKey::FindValue(std::string_view value) {
    const auto it = index_.find(FoldCase(value));
    return it == index_.end() ? nullptr : &*slots_[it->second];
}

const RegValue* RegKey::FindValue(std::string_view value) const {
    return const_cast<RegKey*>(this)->FindValue(value);
}

void RegKey::SetValue(std::string_view value, const sysaccess::RegData& data) {
    if (RegValue* v = FindValue(value)) {
        v->data = data;
        return;
    }
    index_.emplace(FoldCase(value), slots_.size());
    slots_.emplace_back(RegValue{std::string(value), data});
    ++live_;
}

bool RegKey::DeleteValue(std::string_view value) {
    const auto it = index_.find(FoldCase(value));
    if (it == index_.end()) return false;
    slots_[it->second].reset();
    index_.erase(it);
    --live_;
    if (live_ * 2 < slots_.size()) Compact();
    return true;
}

void RegKey::ClearValues() {
    slots_.clear();
    index_.clear();
    live_ = 0;
}

void RegKey::Compact() {
    std::vector<std::optional<RegValue>> kept;
    kept.reserve(live_);
    index_.clear();
    for (auto& slot : slots_) {
        if (!slot) continue;
        index_.emplace(FoldCase(slot->name), kept.size());
        kept.push_back(std::move(slot));
    }
    slots_ = std::move(kept);
}

void RegKey::Merge(const RegKey& other, bool withSubkeys) {
    for (const RegValue* v : other.Values())
        SetValue(v->name, v->data);
    if (!withSubkeys) return;
    for (const RegKey& k : other.subkeys)
        SubkeyOrNew(k.name).Merge(k, true);
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
