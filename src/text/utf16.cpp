#include "text/utf16.h"

namespace text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Decoded {
    char32_t c;
    std::size_t length;
};

// The character s begins with; U+FFFD and length 1 when it begins none.
Decoded DecodeOne(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t length = 0;
    char32_t c = 0, least = 0;
    if (lead < 0x80) return {lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    }
    bool valid = length > 0 && length <= s.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[k]);
        if ((b & 0xC0) != 0x80) valid = false;
        c = (c << 6) | (b & 0x3F);
    }
    if (valid && (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
    return valid ? Decoded{c, length} : Decoded{kReplacement, 1};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Decoded d = DecodeOne(utf8);
        if (d.c >= 0x10000) {
            const char32_t v = d.c - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(d.c));
        }
        utf8.remove_prefix(d.length);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement; // an unpaired surrogate
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool IsValidUtf8(std::string_view s) {
    while (!s.empty()) {
        const Decoded d = DecodeOne(s);
        if (d.c == kReplacement && d.length == 1) return false; // a real U+FFFD takes three bytes
        s.remove_prefix(d.length);
    }
    return true;
}

std::size_t Utf8CharLength(std::string_view s) {
    return s.empty() ? 0 : DecodeOne(s).length;
}

} // namespace text
