#include "ui/panel/layout_description.h"

#include "text/ascii.h"

#include <cmath>
#include <cstdio>

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

// A double-quoted text with its escapes; `text` starts at the opening quote. False, with the
// reason, for an unknown escape, a missing closing quote or anything after it.
bool ParseQuoted(std::string_view text, std::string& out, std::string& why) {
    out.clear();
    std::size_t i = 1;
    for (;;) {
        if (i >= text.size()) {
            why = "text without its closing quote";
            return false;
        }
        const char c = text[i++];
        if (c == '"') break;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i >= text.size()) {
            why = "text without its closing quote";
            return false;
        }
        const char e = text[i++];
        switch (e) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            const int high = i < text.size() ? text::HexDigitValue(text[i]) : -1;
            const int low = i + 1 < text.size() ? text::HexDigitValue(text[i + 1]) : -1;
            if (high < 0 || low < 0) {
                why = "\\x needs two hex digits";
                return false;
            }
            out += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            why = std::string("unknown escape \\") + e;
            return false;
        }
    }
    if (!TrimBlanks(text.substr(i)).empty()) {
        why = "something after the closing quote";
        return false;
    }
    return true;
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

LayoutReadResult ReadLayoutDescription(std::string_view text) {
    LayoutReadResult result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // a UTF-8 byte order mark
    PanelDescription* current = nullptr;
    int lineNumber = 0;
    const auto problem = [&](std::string what) { result.problems.push_back({lineNumber, std::move(what)}); };

    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;

        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || line.front() == '#' || line.front() == ';') continue;

        if (line.front() == '[') {
            const std::string_view name = line.back() == ']' && line.size() >= 2
                                              ? TrimBlanks(line.substr(1, line.size() - 2))
                                              : std::string_view();
            if (name.empty()) {
                problem("a panel heading needs a name between [ and ]");
                current = nullptr; // its lines belong to no panel
                continue;
            }
            PanelDescription* earlier = nullptr;
            for (PanelDescription& p : result.layout.panels) {
                if (text::SameName(p.name, name)) earlier = &p;
            }
            if (earlier != nullptr) {
                problem("panel " + std::string(name) + " again; its values are added to the first");
                current = earlier;
                continue;
            }
            result.layout.panels.push_back({std::string(name), {}});
            current = &result.layout.panels.back(); // the only pointer kept, renewed at every heading
            continue;
        }

        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            problem("expected name = value");
            continue;
        }
        const std::string_view name = TrimBlanks(line.substr(0, eq));
        const std::string_view value = TrimBlanks(line.substr(eq + 1));
        if (name.empty()) {
            problem("a value without a name");
            continue;
        }
        if (current == nullptr) {
            problem("a value before the first panel heading");
            continue;
        }
        if (!value.empty() && value.front() == '"') {
            std::string parsed, why;
            if (!ParseQuoted(value, parsed, why)) {
                problem(std::string(name) + ": " + why);
                continue;
            }
            current->bag.Set(name, std::move(parsed));
            continue;
        }
        std::int32_t number = 0;
        if (!ParseInt32(value, number)) {
            problem(std::string(name) + ": not a 32-bit integer or a quoted text");
            continue;
        }
        current->bag.Set(name, number);
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
