// A property bag: the named values a control saves with the window's layout.
//
// Names are compared without regard to case and kept in lower case. Writing a value equal to its
// default removes the name, so the bag holds only what differs from the defaults; reading a name
// that is missing gives the default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace panel {

class PropertyBag {
public:
    using Value = std::variant<std::int32_t, std::string>;
    struct Entry {
        std::string name; // lower case
        Value value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // The stored integer; a stored text that reads as an integer (see ParseInt32) converts.
    // Missing or unconvertible: the default.
    [[nodiscard]] std::int32_t ReadProperty(std::string_view name, std::int32_t defaultValue) const;
    // The stored text; a stored integer reads as its decimal digits. Missing: the default.
    [[nodiscard]] std::string ReadProperty(std::string_view name, std::string_view defaultValue) const;

    void WriteProperty(std::string_view name, std::int32_t value, std::int32_t defaultValue);
    void WriteProperty(std::string_view name, std::string_view value, std::string_view defaultValue);

    // Stores a value whatever its default: how a reader of the layout text fills the bag, and
    // how the host keeps its own "_extentx" and "_extenty".
    void Set(std::string_view name, Value value);
    void Remove(std::string_view name);
    [[nodiscard]] const Value* Find(std::string_view name) const;
    [[nodiscard]] bool Contains(std::string_view name) const { return Find(name) != nullptr; }

    // In the order the names were first stored.
    [[nodiscard]] const std::vector<Entry>& Entries() const { return entries_; }
    [[nodiscard]] bool Empty() const { return entries_.empty(); }

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    std::vector<Entry> entries_;
};

// "123", "-5", "0x00F1E3C8" (up to 8 hex digits, the bit pattern of a 32-bit value) or the same
// with "&H" in front and an optional "&" behind; surrounding blanks allowed. Anything else, or a
// decimal outside the 32-bit range, gives false.
[[nodiscard]] bool ParseInt32(std::string_view text, std::int32_t& out);

} // namespace panel
