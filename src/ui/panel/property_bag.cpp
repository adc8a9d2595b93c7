#include "ui/panel/property_bag.h"

#include "text/ascii.h"

#include <algorithm>

namespace panel {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool ParseInt32(std::string_view text, std::int32_t& out) {
    text = TrimBlanks(text);
    bool hex = false;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    } else if (text.size() >= 2 && text[0] == '&' && (text[1] == 'h' || text[1] == 'H')) {
        hex = true;
        text.remove_prefix(2);
        if (!text.empty() && text.back() == '&') text.remove_suffix(1);
    }
    if (hex) {
        if (text.empty() || text.size() > 8) return false;
        std::uint32_t value = 0;
        for (char c : text) {
            const int digit = text::HexDigitValue(c);
            if (digit < 0) return false;
            value = value << 4 | static_cast<std::uint32_t>(digit);
        }
        out = static_cast<std::int32_t>(value);
        return true;
    }

    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return false; // stops long digit runs early
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

const PropertyBag::Value* PropertyBag::Find(std::string_view name) const {
    for (const Entry& e : entries_) {
        if (text::SameName(e.name, name)) return &e.value;
    }
    return nullptr;
}

void PropertyBag::Set(std::string_view name, Value value) {
    for (Entry& e : entries_) {
        if (text::SameName(e.name, name)) {
            e.value = std::move(value);
            return;
        }
    }
    entries_.push_back({text::LowerCase(name), std::move(value)});
}

void PropertyBag::Remove(std::string_view name) {
    std::erase_if(entries_, [&](const Entry& e) { return text::SameName(e.name, name); });
}

std::int32_t PropertyBag::ReadProperty(std::string_view name, std::int32_t defaultValue) const {
    const Value* v = Find(name);
    if (v == nullptr) return defaultValue;
    if (const auto* number = std::get_if<std::int32_t>(v)) return *number;
    std::int32_t parsed = 0;
    return ParseInt32(std::get<std::string>(*v), parsed) ? parsed : defaultValue;
}

std::string PropertyBag::ReadProperty(std::string_view name, std::string_view defaultValue) const {
    const Value* v = Find(name);
    if (v == nullptr) return std::string(defaultValue);
    if (const auto* text = std::get_if<std::string>(v)) return *text;
    return std::to_string(std::get<std::int32_t>(*v));
}

void PropertyBag::WriteProperty(std::string_view name, std::int32_t value, std::int32_t defaultValue) {
    if (value == defaultValue) {
        Remove(name);
    } else {
        Set(name, value);
    }
}

void PropertyBag::WriteProperty(std::string_view name, std::string_view value, std::string_view defaultValue) {
    if (value == defaultValue) {
        Remove(name);
    } else {
        Set(name, std::string(value));
    }
}

} // namespace panel
