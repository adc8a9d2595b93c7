#include "ui/panel/layout_description.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "text/ascii.h"

namespace panel {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// A value as read: the text or number it holds, or why it holds none.
struct Read {
    std::optional<std::string> text;
    std::int32_t number = 0;
    std::string why; // empty when it holds one
};

Read Refused(std::string why) {
    return {std::nullopt, 0, std::move(why)};
}

// The character after a backslash; nothing for an unknown escape.
std::optional<char> Escaped(char e) {
    switch (e) {
    case '"':
    case '\\':
        return e;
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    default:
        return std::nullopt;
    }
}

// A double-quoted text with its escapes; `text` starts at the opening quote. Refused, with the
// reason, for an unknown escape, a missing closing quote or anything after it.
Read ReadQuoted(std::string_view text) {
    std::string out;
    std::size_t i = 1;
    for (;;) {
        if (i >= text.size()) return Refused("text without its closing quote");
        const char c = text[i++];
        if (c == '"') break;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i >= text.size()) return Refused("text without its closing quote");
        const char e = text[i++];
        if (e == 'x') {
            const int high = i < text.size() ? text::HexDigitValue(text[i]) : -1;
            const int low = i + 1 < text.size() ? text::HexDigitValue(text[i + 1]) : -1;
            if (high < 0 || low < 0) return Refused("\\x needs two hex digits");
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (const auto plain = Escaped(e)) {
            out += *plain;
        } else {
            return Refused(std::string("unknown escape \\") + e);
        }
    }
    if (!TrimBlanks(text.substr(i)).empty()) return Refused("something after the closing quote");
    return {std::move(out), 0, {}};
}

// A property's value: a quoted text or a 32-bit number.
Read ReadValue(std::string_view value) {
    if (!value.empty() && value.front() == '"') return ReadQuoted(value);
    std::int32_t number = 0;
    if (!ParseInt32(value, number)) return Refused("not a 32-bit integer or a quoted text");
    return {std::nullopt, number, {}};
}

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

int HimetricToPixels(std::int32_t himetric) {
    return static_cast<int>(std::lround(static_cast<double>(himetric) * 96.0 / 2540.0));
}

} // namespace

const PanelDescription* LayoutDescription::Find(std::string_view name) const {
    for (const PanelDescription& p : panels) {
        if (text::SameName(p.name, name)) return &p;
    }
    return nullptr;
}

namespace {

// A panel heading "[name]": the panel its values go to from here on (nothing: none), and what was
// wrong with it.
struct Heading {
    PanelDescription* panel;
    std::string problem;
};

Heading ReadHeading(std::string_view line, LayoutDescription& layout) {
    const std::string_view name =
        line.back() == ']' && line.size() >= 2 ? TrimBlanks(line.substr(1, line.size() - 2)) : std::string_view();
    if (name.empty()) return {nullptr, "a panel heading needs a name between [ and ]"}; // its lines go nowhere
    for (PanelDescription& p : layout.panels) {
        if (text::SameName(p.name, name))
            return {&p, "panel " + std::string(name) + " again; its values are added to the first"};
    }
    layout.panels.push_back({std::string(name), {}});
    return {&layout.panels.back(), {}}; // the only pointer kept, renewed at every heading
}

// A line "name = value" into the current panel; what was wrong with it, if anything.
std::string ReadProperty(std::string_view line, PanelDescription* current) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return "expected name = value";
    const std::string_view name = TrimBlanks(line.substr(0, eq));
    if (name.empty()) return "a value without a name";
    if (current == nullptr) return "a value before the first panel heading";
    Read value = ReadValue(TrimBlanks(line.substr(eq + 1)));
    if (!value.why.empty()) return std::string(name) + ": " + value.why;
    if (value.text) {
        current->bag.Set(name, std::move(*value.text));
    } else {
        current->bag.Set(name, value.number);
    }
    return {};
}

} // namespace

LayoutReadResult ReadLayoutDescription(std::string_view text) {
    LayoutReadResult result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // a UTF-8 byte order mark
    PanelDescription* current = nullptr;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;
        std::string problem;
        if (line.front() == '[') {
            Heading heading = ReadHeading(line, result.layout);
            current = heading.panel;
            problem = std::move(heading.problem);
        } else {
            problem = ReadProperty(line, current);
        }
        if (!problem.empty()) result.problems.push_back({lineNumber, std::move(problem)});
    }
    return result;
}

std::string WriteLayoutDescription(const LayoutDescription& layout) {
    std::string out;
    for (const PanelDescription& panel : layout.panels) {
        if (!out.empty()) out += '\n';
        out += '[' + panel.name + "]\n";
        for (const PropertyBag::Entry& e : panel.bag.Entries()) {
            out += e.name + " = ";
            if (const auto* number = std::get_if<std::int32_t>(&e.value)) {
                if (EndsWith(e.name, "color")) {
                    char buf[16];
                    std::snprintf(buf, sizeof buf, "0x%08X",
                                  static_cast<unsigned>(static_cast<std::uint32_t>(*number)));
                    out += buf;
                } else {
                    out += std::to_string(*number);
                }
            } else {
                out += Quote(std::get<std::string>(e.value));
            }
            out += '\n';
        }
    }
    return out;
}

const LayoutDescription& MainWindowLayout() {
    static const LayoutDescription layout = ReadLayoutDescription(MainWindowLayoutText()).layout;
    return layout;
}

int ExtentPixelsX(const PropertyBag& bag) {
    return HimetricToPixels(bag.ReadProperty("_extentx", 0));
}
int ExtentPixelsY(const PropertyBag& bag) {
    return HimetricToPixels(bag.ReadProperty("_extenty", 0));
}

} // namespace panel
