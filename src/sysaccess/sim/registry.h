// The simulated registry: five roots, keys and values kept in creation order, names compared
// without regard to case and kept in the case they were created with.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sysaccess/regpath.h"
#include "sysaccess/system.h"

namespace sim {

struct RegValue {
    std::string name; // "" is the default value
    sysaccess::RegData data;
};

class RegKey {
public:
    RegKey() = default;
    explicit RegKey(std::string keyName) : name(std::move(keyName)) {}

    std::string name;
    std::vector<RegKey> subkeys; // creation order

    RegKey* FindSubkey(std::string_view child);
    const RegKey* FindSubkey(std::string_view child) const;
    RegKey& SubkeyOrNew(std::string_view child);

    // The values in creation order.
    std::vector<const RegValue*> Values() const;
    bool HasValues() const { return live_ != 0; }
    RegValue* FindValue(std::string_view value);
    const RegValue* FindValue(std::string_view value) const;
    // Overwrites an existing value in its place, whatever its type; a new value goes last.
    void SetValue(std::string_view value, const sysaccess::RegData& data);
    bool DeleteValue(std::string_view value);
    void ClearValues();
    // Values of other overwrite or join ours; with subkeys, the same for every subkey beneath.
    void Merge(const RegKey& other, bool subkeys);

private:
    // A Run key may hold thousands of values, removed one by one: a deleted value leaves a gap
    // that is closed when gaps are half the slots, and the index finds a name without a scan.
    void Compact();

    std::vector<std::optional<RegValue>> slots_;
    std::unordered_map<std::string, std::size_t> index_; // folded name -> slot
    std::size_t live_ = 0;
};

using sysaccess::JoinKeyPath;
using sysaccess::KeyPath;
using sysaccess::kRoots;
using sysaccess::ParseKeyPath;

class Registry {
public:
    Registry();

    RegKey* Find(const KeyPath& path);
    const RegKey* Find(const KeyPath& path) const;
    RegKey& Create(const KeyPath& path);
    // Deletes the key and everything beneath it; a root cannot be deleted.
    bool Delete(const KeyPath& path);

    RegKey& Root(std::size_t index) { return roots_[index]; }
    const RegKey& Root(std::size_t index) const { return roots_[index]; }

private:
    std::array<RegKey, kRoots.size()> roots_;
};

} // namespace sim
