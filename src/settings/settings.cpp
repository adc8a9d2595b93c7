#include "settings/settings.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>

#include "text/utf16.h"

namespace settings {

namespace {

using form::MainForm;
using Outcome = LoadReport::Outcome;

// Reads the file field by field, the way the file has always been read: spaces before a field
// are skipped; a quoted field ends at the next quote (which may lie on a later line), an unquoted
// one at a comma or the line end; whatever else stands on the line is then passed over.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    // The next field, or nothing at the end of the text.
    std::optional<std::string> Next() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
        if (pos_ >= text_.size()) return std::nullopt;
        std::string_view field;
        if (text_[pos_] == '"') {
            const std::size_t close = text_.find('"', pos_ + 1);
            const std::size_t end = close == std::string_view::npos ? text_.size() : close;
            field = text_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = close == std::string_view::npos ? text_.size() : close + 1;
        } else {
            const std::size_t end = std::min(text_.find_first_of(",\r\n", pos_), text_.size());
            field = text_.substr(pos_, end - pos_);
            pos_ = end;
        }
        SkipPastLineEnd();
        return std::string(field);
    }

private:
    // CR LF, a lone CR and a lone LF each end a line.
    void SkipPastLineEnd() {
        const std::size_t end = text_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) {
            pos_ = text_.size();
            return;
        }
        pos_ = end + 1;
        if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// A field as a reason may quote it: at most 16 bytes, control characters as '?'.
std::string Shown(const std::string& field) {
    std::size_t n = field.size();
    if (n > 16) {
        n = 16;
        while (n > 0 && (static_cast<unsigned char>(field[n]) & 0xC0) == 0x80)
            --n; // keep characters whole
    }
    std::string out = "\"";
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        out += (c < 0x20 || c == 0x7F) ? '?' : field[i];
    }
    return out + (n < field.size() ? "...\"" : "\"");
}

// A whole decimal number, spaces around it allowed; nothing for anything else.
std::optional<int> ParseNumber(const std::string& field) {
    std::size_t b = field.find_first_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    const std::size_t e = field.find_last_not_of(' ') + 1;
    const bool negative = field[b] == '-';
    if (negative || field[b] == '+') ++b;
    if (b == e || e - b > 9) return std::nullopt;
    int value = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (field[i] < '0' || field[i] > '9') return std::nullopt;
        value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

LoadReport Stop(int line, std::string reason) {
    return {Outcome::Stopped, line, std::move(reason)};
}

// What applying one field found wrong: nothing when the load goes on.
using Problem = std::optional<std::string>;

// Field 1: one digit per check box. A field of a count the program once had loads those boxes and
// the load goes on; any other short field sets what it covers, then ends the load; digits beyond
// today's boxes are passed over.
Problem ReadChecks(MainForm& form, const std::string& field, const CheckBoxes& boxes) {
    const int given =
        field.size() < static_cast<std::size_t>(boxes.count) ? static_cast<int>(field.size()) : boxes.count;
    for (int k = 0; k < given; ++k) {
        const char c = field[static_cast<std::size_t>(k)];
        if (c < '0' || c > '9') return "character " + std::to_string(k + 1) + " is not a digit";
        if (c > '2') return "character " + std::to_string(k + 1) + " is " + c + ", above 2";
        form.SetChk(k, c - '0');
    }
    if (given == boxes.count || std::find(boxes.saved.begin(), boxes.saved.end(), given) != boxes.saved.end()) {
        return std::nullopt;
    }
    return "only " + std::to_string(given) + " of " + std::to_string(boxes.count) + " check-box digits";
}

std::string WriteChecks(const MainForm& form) {
    std::string checks;
    for (int k = 0; k < form::kChkCount; ++k) {
        const int v = form.chk(k);
        // Only a check box's own values are stored: anything else would end the next load there.
        checks += static_cast<char>('0' + (v >= form::kCleared && v <= form::kGrey ? v : form::kCleared));
    }
    return checks;
}

Problem ReadOpt(MainForm& form, const std::string& field, const CheckBoxes&) {
    const auto index = ParseNumber(field);
    if (!index || *index < 0 || *index >= form::kOptCount) return Shown(field) + " is not an option button index (0-4)";
    form.SelectOpt(*index);
    return std::nullopt;
}

std::string WriteOpt(const MainForm& form) {
    int opt = 0;
    while (opt < form::kOptCount && !form.Opt(opt))
        ++opt;
    return std::to_string(opt == form::kOptCount ? 0 : opt); // none selected: the window's own default
}

// A combo index: 0 or 1, or -1 for no item, which is what the writer stores for a combo with
// none selected.
Problem ReadCombo(MainForm& form, const std::string& field, void (MainForm::*set)(int), const char* name) {
    const auto index = ParseNumber(field);
    if (!index || *index < -1 || *index > 1) return Shown(field) + " is not a " + name + " index";
    (form.*set)(*index);
    return std::nullopt;
}

Problem ReadCombo2(MainForm& form, const std::string& field, const CheckBoxes&) {
    return ReadCombo(form, field, &MainForm::SetCombo2, "Combo2");
}

Problem ReadCombo3(MainForm& form, const std::string& field, const CheckBoxes&) {
    return ReadCombo(form, field, &MainForm::SetCombo3, "Combo3");
}

template <int (MainForm::*Get)() const> std::string WriteCombo(const MainForm& form) {
    return std::to_string((form.*Get)());
}

Problem ReadPath(MainForm& form, const std::string& field, const CheckBoxes&) {
    form.SetTxtPath(field);
    return std::nullopt;
}

// A folder name holds no line break and no double quote (Windows allows neither in a path); one
// pasted into the box would split the line or end the field early.
std::string WritePath(const MainForm& form) {
    std::string path;
    for (char c : form.txtPath()) {
        if (c != '\r' && c != '\n' && c != '"') path += c;
    }
    return path;
}

// Fields 6 to 8: a "1" selects its item; anything else, or nothing, leaves the item alone.
template <const form::CheckList& (MainForm::*List)() const, void (MainForm::*Select)(int, bool)>
Problem ReadSelection(MainForm& form, const std::string& field, const CheckBoxes&) {
    const std::size_t count = (form.*List)().ticked.size();
    for (std::size_t k = 0; k < count && k < field.size(); ++k) {
        if (field[k] == '1') (form.*Select)(static_cast<int>(k), true);
    }
    return std::nullopt;
}

template <const form::CheckList& (MainForm::*List)() const> std::string WriteSelection(const MainForm& form) {
    std::string out;
    for (bool t : (form.*List)().ticked)
        out += t ? '1' : '0';
    return out;
}

// The file, line by line: each field in double quotes followed by CR LF. The reader applies the
// fields in this order and stops at the first it cannot apply; the writer writes them in it.
struct FieldFormat {
    Problem (*read)(MainForm&, const std::string&, const CheckBoxes&);
    std::string (*write)(const MainForm&);
};

constexpr FieldFormat kFields[] = {
    {ReadChecks, WriteChecks},                                                                   // the chk digits
    {ReadOpt, WriteOpt},                                                                         // the Opt index
    {ReadCombo2, WriteCombo<&MainForm::Combo2>},                                                 // Combo2
    {ReadCombo3, WriteCombo<&MainForm::Combo3>},                                                 // Combo3
    {ReadPath, WritePath},                                                                       // txtPath
    {ReadSelection<&MainForm::lstHide, &MainForm::SetHide>, WriteSelection<&MainForm::lstHide>}, // lstHide
    {ReadSelection<&MainForm::lstNot, &MainForm::SetNot>, WriteSelection<&MainForm::lstNot>},    // lstNot
    {ReadSelection<&MainForm::lstService, &MainForm::SetService>, WriteSelection<&MainForm::lstService>},
};
static_assert(std::size(kFields) == kFieldCount);

// The text in the ANSI code page; a character the code page lacks becomes '?', as the system's
// own conversion does, rather than costing the whole file.
std::string ToAnsiLossy(sysaccess::System& sys, const std::string& utf8) {
    if (auto whole = sys.ToAnsi(utf8)) return *whole;
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = text::Utf8CharLength(std::string_view(utf8).substr(i));
        const auto one = sys.ToAnsi(utf8.substr(i, n));
        out += one ? *one : "?";
        i += n;
    }
    return out;
}

} // namespace

std::string SettingsPath(sysaccess::System& sys) {
    return sys.ProgramFolder() + "\\setup.dat";
}

LoadReport LoadSettingsFromBytes(MainForm& form, const std::string& utf8Text, const CheckBoxes& boxes) {
    FieldReader reader(utf8Text);
    int line = 1;
    for (const FieldFormat& f : kFields) {
        const auto field = reader.Next();
        if (!field) return Stop(line, "the file ends before field " + std::to_string(line));
        if (Problem problem = f.read(form, *field, boxes)) return Stop(line, std::move(*problem));
        ++line;
    }
    return {};
}

LoadReport LoadSettings(MainForm& form, sysaccess::System& sys) {
    const std::string path = SettingsPath(sys);
    if (!sys.FileExists(path)) return {Outcome::Missing, 0, {}};
    const auto bytes = sys.ReadFile(path);
    if (!bytes) return Stop(1, "the file cannot be read");
    return LoadSettingsFromBytes(form, sys.FromAnsi(*bytes));
}

std::string SettingsText(const MainForm& form) {
    std::string text;
    for (const FieldFormat& f : kFields)
        text += "\"" + f.write(form) + "\"\r\n";
    return text;
}

sysaccess::Result SaveSettings(const MainForm& form, sysaccess::System& sys) {
    const std::string path = SettingsPath(sys);
    sysaccess::Result written = sys.ReplaceFileAtomically(path, ToAnsiLossy(sys, SettingsText(form)));
    if (!written) return sysaccess::Result::Fail("cannot write " + path + ": " + written.error);
    return written;
}

} // namespace settings
