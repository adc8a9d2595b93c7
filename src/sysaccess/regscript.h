// The registry script format ("Windows Registry Editor Version 5.00"), read as the registry
// editor reads it and written as it exports: one reading for the simulated machine's editor and
// for the undo journal's checks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sysaccess/regpath.h"
#include "sysaccess/system.h"

namespace sysaccess {

inline constexpr std::string_view kRegScriptHeader = "Windows Registry Editor Version 5.00";

// One change a script makes, in the order it makes them.
struct ScriptOp {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::CreateKey;
    KeyPath key;
    std::string name; // values: "" is the default value
    RegData data;     // SetValue
    int line = 0;     // 1-based line of the text where it stands
};

struct RejectedLine {
    int number = 0;   // 1-based line number in the text
    std::string text; // the line as written
};

struct RegScript {
    std::vector<ScriptOp> ops;
    std::vector<RejectedLine> rejected; // lines the registry editor would skip
};

// Reads a registry script given as UTF-8 text (a UTF-8 byte order mark is skipped). A line the
// registry editor would reject is reported and left out; a text without the header line is
// rejected whole. abbreviatedRoots also takes "HKLM", "HKCU" ... in key lines.
RegScript ReadRegScript(std::string_view text, bool abbreviatedRoots = false);

// One value as the registry editor exports it ("name"=..., @=... for the default value), hex data
// wrapped at 80 columns with CR LF; no line end after it.
std::string RegValueLine(const std::string& name, const RegData& data);

// The line that deletes a value: "name"=- (@=- for the default value).
std::string RegValueDeletionLine(const std::string& name);

// The value the registry import stores for the data of a one-value script (WriteRegValue);
// nothing when it refuses the data.
std::optional<RegData> ImportedData(RegType type, const std::string& data);

// Whether a key or value name can stand in a script: a line break or a NUL would end its line.
bool ScriptCanCarry(std::string_view name);

// The script that makes these changes in this order, header first, CR LF after every line. A value
// change must follow the creation of its key.
std::string RegScriptText(const std::vector<ScriptOp>& ops);

} // namespace sysaccess
