// A machine's state as an undo must leave it: the registry key by key and value by value, the start
// type the service manager holds for each service, and the files with their bytes and attributes,
// in name order. The program's own journals and their
// hashes are left out, and so are the Windows folder, whose removals are not undoable, and a
// registry script left behind. And a key's subtree, for comparing keys that were moved.
#pragma once

#include <set>
#include <sstream>
#include <string>

#include "sysaccess/sim/machine.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"

namespace testing_support {

inline std::set<std::string> StateOf(sim::Machine& m) {
    std::set<std::string> lines;
    std::istringstream in(m.ExportRegistry());
    std::string key;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("[")) key = line;
        if (line.empty() || sysaccess::FoldCase(key).starts_with("[HKEY_LOCAL_MACHINE\\SOFTWARE\\SYSVELA")) continue;
        lines.insert(line.starts_with("[") ? line : key + line);
    }
    for (const std::string& service : m.SubKeys(sysaccess::kServicesKey)) {
        if (const auto start = m.ServiceStartType(service))
            lines.insert("service manager: " + sysaccess::FoldCase(service) + " " + std::to_string(*start));
    }
    for (const std::string& path : m.AllPaths()) {
        const std::string folded = sysaccess::FoldCase(path);
        if (folded.starts_with("C:\\WINDOWS\\") || folded.starts_with("C:\\PROGRAM FILES\\SYSVELA\\UNDO") ||
            folded == "C:\\TEMPREG.REG") {
            continue; // removals that are not undoable, the journals, a leftover registry script
        }
        lines.insert(path + "|" + std::to_string(m.Attributes(path).value_or(0)) + "|" + m.ReadFile(path).value_or(""));
    }
    return lines;
}

// A key, its values and every subkey below, as lines of the machine's export that name the key
// relative to `key` ("\\SUB|" for a key, "\\SUB|\"name\"=data" for a value), for deep comparison.
inline std::set<std::string> Subtree(const sim::Machine& m, const std::string& key) {
    std::set<std::string> lines;
    std::istringstream in(m.ExportRegistry());
    const std::string head = "[" + sysaccess::FoldCase(key);
    std::string section; // the key below `key`, empty when outside it
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("[")) {
            const std::string folded = sysaccess::FoldCase(line);
            const bool inside = folded.starts_with(head + "]") || folded.starts_with(head + "\\");
            section = inside ? folded.substr(head.size(), folded.size() - head.size() - 1) + "|" : "";
            if (inside) lines.insert(section);
        } else if (!section.empty() && !line.empty()) {
            lines.insert(section + line);
        }
    }
    return lines;
}

} // namespace testing_support
