#include "sysaccess/regscript.h"

#include <cstdint>
#include <optional>

#include "sysaccess/text.h"

namespace sysaccess {

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";

// Only blanks or a comment may follow the data on its line.
bool OnlyTrailer(std::string_view rest) {
    const std::string t = TrimLeft(rest);
    return t.empty() || t[0] == ';';
}

// Reads a quoted text starting at s[0] == '"'; \\ and \" are the escapes, any other backslash
// stays as written. Sets `used` to the characters consumed, closing quote included.
std::optional<std::string> ReadQuoted(std::string_view s, std::size_t& used) {
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[++i];
        } else if (s[i] == '"') {
            used = i + 1;
            return out;
        } else {
            out += s[i];
        }
    }
    return std::nullopt;
}

// "aa,bb,c,..." with an optional trailing comma; empty is no bytes.
std::optional<std::string> ReadHexBytes(std::string_view s) {
    std::string bytes;
    const std::string all = TrimRight(TrimLeft(s));
    if (all.empty()) return bytes;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t comma = all.find(',', start);
        const bool last = comma == std::string::npos;
        const std::string_view token = std::string_view(all).substr(start, last ? all.npos : comma - start);
        if (token.empty() || token.size() > 2) return std::nullopt;
        int value = 0;
        for (char c : token) {
            const int d = text::HexDigitValue(c);
            if (d < 0) return std::nullopt;
            value = value * 16 + d;
        }
        bytes += static_cast<char>(value);
        if (last) break;
        start = comma + 1;
    }
    return bytes;
}

std::optional<std::uint32_t> ReadHexNumber(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int d = text::HexDigitValue(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

// Raw bytes of a hex(N) value in the form the machine keeps for type N.
RegData DataFromBytes(std::uint32_t type, std::string bytes) {
    RegData data;
    data.type = type;
    if (type == kRegSz || type == kRegExpandSz) {
        if (bytes.size() >= 2 && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0)
            bytes.resize(bytes.size() - 2);
        data.text = Utf16LeToUtf8(bytes);
    } else if (type == kRegDword && bytes.size() == 4) {
        for (int i = 3; i >= 0; --i)
            data.dword = (data.dword << 8) | static_cast<unsigned char>(bytes[i]);
    } else {
        data.bytes = std::move(bytes);
    }
    return data;
}

enum class Outcome { Set, Delete, Reject };

struct ParsedData {
    Outcome outcome = Outcome::Reject;
    RegData data;
};

ParsedData ParseData(std::string_view s) {
    ParsedData r;
    if (!s.empty() && s[0] == '"') {
        std::size_t used = 0;
        auto text = ReadQuoted(s, used);
        if (!text || !OnlyTrailer(s.substr(used))) return r;
        r.data.type = kRegSz;
        r.data.text = std::move(*text);
        r.outcome = Outcome::Set;
        return r;
    }
    if (!s.empty() && s[0] == '-') {
        if (OnlyTrailer(s.substr(1))) r.outcome = Outcome::Delete;
        return r;
    }
    // The type words are lower case, as the registry editor writes and reads them; blanks may
    // stand before the number but not inside a byte list.
    if (s.starts_with("dword:")) {
        const std::string afterColon = TrimLeft(s.substr(6));
        std::string_view rest = afterColon;
        const std::size_t end = rest.find_first_of(" \t;");
        if (end != std::string_view::npos && !OnlyTrailer(rest.substr(end))) return r;
        const auto value = ReadHexNumber(rest.substr(0, end), 8);
        if (!value) return r;
        r.data.type = kRegDword;
        r.data.dword = *value;
        r.outcome = Outcome::Set;
        return r;
    }
    if (s.starts_with("hex")) {
        std::string_view rest = s.substr(3);
        std::uint32_t type = kRegBinary;
        if (!rest.empty() && rest[0] == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos) return r;
            const auto n = ReadHexNumber(rest.substr(1, close - 1), 8);
            if (!n) return r;
            type = *n;
            rest = rest.substr(close + 1);
        }
        if (rest.empty() || rest[0] != ':') return r;
        rest = rest.substr(1);
        const std::size_t comment = rest.find(';');
        auto bytes = ReadHexBytes(rest.substr(0, comment));
        if (!bytes) return r;
        r.data = DataFromBytes(type, std::move(*bytes));
        r.outcome = Outcome::Set;
        return r;
    }
    return r;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == text.size()) break;
        start = end + 1;
    }
    return lines;
}

} // namespace

RegScript ReadRegScript(std::string_view text, bool abbreviatedRoots) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::vector<std::string> lines = SplitLines(text);
    RegScript script;
    auto reject = [&](std::size_t index) { script.rejected.push_back({static_cast<int>(index + 1), lines[index]}); };
    auto op = [&](ScriptOp::Kind kind, const KeyPath& key, std::size_t index) -> ScriptOp& {
        script.ops.push_back({kind, key, {}, {}, static_cast<int>(index + 1)});
        return script.ops.back();
    };

    const std::string header = lines.empty() ? std::string() : TrimRight(lines[0]);
    if (header != kRegScriptHeader && header != kHeader4) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!TrimLeft(lines[i]).empty()) reject(i);
        }
        return script;
    }

    std::optional<KeyPath> current;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string line = TrimLeft(lines[i]);
        if (line.empty() || line[0] == ';') continue;

        if (line[0] == '[') {
            const std::string trimmed = TrimRight(line);
            current.reset();
            if (trimmed.back() != ']' || trimmed.size() < 3) {
                reject(i);
                continue;
            }
            std::string_view name = std::string_view(trimmed).substr(1, trimmed.size() - 2);
            const bool remove = !name.empty() && name[0] == '-';
            if (remove) name.remove_prefix(1);
            auto path = ParseKeyPath(name, abbreviatedRoots);
            if (!path) {
                reject(i);
                continue;
            }
            if (remove) {
                (void)op(ScriptOp::Kind::DeleteKey, *path, i);
            } else {
                (void)op(ScriptOp::Kind::CreateKey, *path, i);
                current = std::move(path);
            }
            continue;
        }

        const std::size_t first = i;
        std::string name;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] == '"') {
            auto quoted = ReadQuoted(line, pos);
            if (!quoted) {
                reject(first);
                continue;
            }
            name = std::move(*quoted);
        } else {
            reject(first);
            continue;
        }
        const std::string afterName = TrimLeft(std::string_view(line).substr(pos));
        if (afterName.empty() || afterName[0] != '=') {
            reject(first);
            continue;
        }
        std::string data = TrimLeft(std::string_view(afterName).substr(1));
        // Hex data may go on over lines that end in a backslash.
        if (data.starts_with("hex")) {
            while (TrimRight(data).ends_with('\\') && i + 1 < lines.size()) {
                data = TrimRight(data);
                data.pop_back();
                data += TrimLeft(lines[++i]);
            }
        }
        if (!current) {
            reject(first);
            continue;
        }
        const ParsedData parsed = ParseData(data);
        if (parsed.outcome == Outcome::Reject) {
            reject(first);
        } else if (parsed.outcome == Outcome::Delete) {
            op(ScriptOp::Kind::DeleteValue, *current, first).name = std::move(name);
        } else {
            ScriptOp& set = op(ScriptOp::Kind::SetValue, *current, first);
            set.name = std::move(name);
            set.data = parsed.data;
        }
    }
    return script;
}

namespace {

std::string Quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// hex bytes wrapped as the registry editor wraps them: no line longer than 80 characters.
std::string HexList(std::string_view bytes, std::size_t column) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++column;
            if (column >= 77) {
                out += "\\\r\n  ";
                column = 2;
            }
        }
    }
    return out;
}

std::string TypeTag(std::uint32_t type) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string n;
    do {
        n.insert(n.begin(), kDigits[type & 15]);
        type >>= 4;
    } while (type);
    return "hex(" + n + "):";
}

} // namespace

std::string RegValueLine(const std::string& name, const RegData& d) {
    std::string line = name.empty() ? "@=" : Quote(name) + "=";
    std::string prefix;
    std::string bytes;
    switch (d.type) {
    case kRegSz:
        if (ScriptCanCarry(d.text)) return line + Quote(d.text);
        prefix = TypeTag(d.type);
        bytes = Utf8ToUtf16Le(d.text) + std::string(2, '\0');
        break;
    case kRegExpandSz:
        prefix = TypeTag(d.type);
        bytes = Utf8ToUtf16Le(d.text) + std::string(2, '\0');
        break;
    case kRegDword:
        if (d.bytes.empty()) {
            static constexpr char kDigits[] = "0123456789abcdef";
            std::string hex(8, '0');
            for (int i = 0; i < 8; ++i)
                hex[7 - i] = kDigits[(d.dword >> (4 * i)) & 15];
            return line + "dword:" + hex;
        }
        prefix = TypeTag(d.type);
        bytes = d.bytes;
        break;
    case kRegBinary:
        prefix = "hex:";
        bytes = d.bytes;
        break;
    default:
        prefix = TypeTag(d.type);
        bytes = d.bytes;
        break;
    }
    line += prefix;
    return line + HexList(bytes, line.size());
}

std::string RegValueDeletionLine(const std::string& name) {
    return (name.empty() ? std::string("@") : Quote(name)) + "=-";
}

// dword data: one to eight hex digits; hex data: pairs of hex digits between commas.
std::optional<RegData> ImportedData(RegType type, const std::string& data) {
    RegData want;
    switch (type) {
    case RegType::String:
        want.type = kRegSz;
        want.text = data;
        return want;
    case RegType::Dword:
        if (data.empty() || data.size() > 8) return std::nullopt;
        for (char c : data) {
            if (text::HexDigitValue(c) < 0) return std::nullopt;
        }
        want.type = kRegDword;
        want.dword = static_cast<std::uint32_t>(std::stoul(data, nullptr, 16));
        return want;
    case RegType::Hex:
        want.type = kRegBinary;
        for (std::size_t i = 0; i < data.size(); i += 3) {
            if (i + 1 >= data.size() || text::HexDigitValue(data[i]) < 0 || text::HexDigitValue(data[i + 1]) < 0)
                return std::nullopt;
            if (i + 2 < data.size() && (data[i + 2] != ',' || i + 3 == data.size())) return std::nullopt;
            want.bytes += static_cast<char>(std::stoul(data.substr(i, 2), nullptr, 16));
        }
        return want;
    }
    return std::nullopt;
}

bool ScriptCanCarry(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string RegScriptText(const std::vector<ScriptOp>& ops) {
    std::string text = std::string(kRegScriptHeader) + "\r\n";
    for (const ScriptOp& op : ops) {
        switch (op.kind) {
        case ScriptOp::Kind::CreateKey:
            text += "\r\n[" + JoinKeyPath(op.key) + "]\r\n";
            break;
        case ScriptOp::Kind::DeleteKey:
            text += "\r\n[-" + JoinKeyPath(op.key) + "]\r\n";
            break;
        case ScriptOp::Kind::SetValue:
            text += RegValueLine(op.name, op.data) + "\r\n";
            break;
        case ScriptOp::Kind::DeleteValue:
            text += RegValueDeletionLine(op.name) + "\r\n";
            break;
        }
    }
    return text;
}

} // namespace sysaccess
