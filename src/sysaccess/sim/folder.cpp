// A machine folder on disk (registry.reg, drive_c/, attributes.txt) and the seed, which is such
// a folder compiled into the library.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "sysaccess/sim/machine.h"
#include "sysaccess/sim/regfile.h"
#include "sysaccess/sim/seed_data.h"
#include "sysaccess/sim/state.h"
#include "sysaccess/sim/text.h"

namespace fs = std::filesystem;

namespace sim {

struct MachineAccess {
    static MachineState& State(Machine& m) { return *m.state_; }
    static const MachineState& State(const Machine& m) { return *m.state_; }
};

namespace {

constexpr const char* kRegistryFile = "registry.reg";
constexpr const char* kAttributesFile = "attributes.txt";
constexpr const char* kDriveFolder = "drive_c";
// Git keeps no empty folders: an empty file of this name stands for "this folder exists".
constexpr const char* kFolderMarker = ".keep";

struct FolderEntry {
    std::string path; // relative to the machine folder, '/' between names, UTF-8
    bool folder = false;
    std::string bytes;
};

// Paths are UTF-8 inside; the file system gets them as such on every platform.
fs::path FsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& p) {
    const std::u8string s = p.generic_u8string();
    return std::string(s.begin(), s.end());
}

std::string DecodeText(const std::string& bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(std::string_view(bytes).substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF")) return bytes.substr(3);
    return bytes;
}

std::string AttributeLetters(unsigned a) {
    std::string s;
    if (a & kHidden) s += 'H';
    if (a & kSystem) s += 'S';
    if (a & kReadOnly) s += 'R';
    return s;
}

using sysaccess::Result;

Result Fail(const std::string& why) {
    return Result::Fail(why);
}

Result ReadRegistry(MachineState& m, const std::string& bytes) {
    const auto rejected = ImportRegScript(m.registry, DecodeText(bytes), true);
    if (rejected.empty()) return Result::Ok();
    return Fail(std::string(kRegistryFile) + " line " + std::to_string(rejected.front().number) + ": cannot read \"" +
                rejected.front().text + "\"");
}

Result ReadDrive(MachineState& m, std::vector<FolderEntry> entries) {
    const std::string prefix = std::string(kDriveFolder) + "/";
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.path < b.path; });
    std::set<std::string> seen; // folded Windows paths, to catch names that differ only in case
    for (const FolderEntry& e : entries) {
        if (!e.path.starts_with(prefix)) continue;
        std::string windowsPath = "C:";
        std::string rest = e.path.substr(prefix.size());
        std::size_t start = 0;
        std::string name;
        while (start <= rest.size()) {
            std::size_t end = rest.find('/', start);
            if (end == std::string::npos) end = rest.size();
            name = rest.substr(start, end - start);
            if (end < rest.size() || e.folder || name != kFolderMarker || !e.bytes.empty()) {
                if (!ValidFileName(name)) return Fail("not a Windows file name: " + e.path);
                windowsPath += "\\" + name;
            }
            start = end + 1;
        }
        if (windowsPath == "C:") continue;
        const bool marker = !e.folder && name == kFolderMarker && e.bytes.empty();
        const bool folder = e.folder || marker;
        if (!seen.insert(FoldCase(windowsPath) + (folder ? "\\" : "")).second && !folder) {
            return Fail("two files differ only in case: " + e.path);
        }
        if (!folder && seen.count(FoldCase(windowsPath) + "\\")) {
            return Fail("a file and a folder of one name: " + e.path);
        }
        const bool ok = folder ? m.drive.MakeFolder(windowsPath, 0) : m.drive.PutFile(windowsPath, e.bytes, 0);
        if (!ok) return Fail("cannot place " + e.path);
    }
    return Result::Ok();
}

Result ReadAttributes(MachineState& m, const std::string& text) {
    std::istringstream in(DecodeText(text));
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = TrimLeft(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        const std::string where = std::string(kAttributesFile) + " line " + std::to_string(number);
        const std::size_t gap = trimmed.find_first_of(" \t");
        if (gap == std::string::npos) return Fail(where + ": letters, a tab, then a path");
        unsigned attributes = 0;
        for (char c : trimmed.substr(0, gap)) {
            switch (c) {
            case 'H':
            case 'h':
                attributes |= kHidden;
                break;
            case 'S':
            case 's':
                attributes |= kSystem;
                break;
            case 'R':
            case 'r':
                attributes |= kReadOnly;
                break;
            default:
                return Fail(where + ": unknown attribute letter '" + std::string(1, c) + "'");
            }
        }
        const std::string path = TrimRight(TrimLeft(trimmed.substr(gap)));
        Node* node = m.drive.Find(path);
        if (!node || node == &m.drive.Root()) return Fail(where + ": no such file or folder " + path);
        node->attributes = attributes;
    }
    return Result::Ok();
}

LoadedMachine MachineFromEntries(const std::vector<FolderEntry>& entries) {
    Machine machine;
    MachineState& m = MachineAccess::State(machine);
    const FolderEntry* registry = nullptr;
    const FolderEntry* attributes = nullptr;
    for (const FolderEntry& e : entries) {
        if (!e.folder && e.path == kRegistryFile) registry = &e;
        if (!e.folder && e.path == kAttributesFile) attributes = &e;
    }
    if (!registry) return {std::nullopt, std::string("no ") + kRegistryFile};
    Result read = ReadRegistry(m, registry->bytes);
    if (read) read = ReadDrive(m, entries);
    if (read && attributes) read = ReadAttributes(m, attributes->bytes);
    if (!read) return {std::nullopt, read.error};
    machine.Restart(); // a machine read from its files has just started
    return {std::move(machine), {}};
}

bool ReadWholeFile(const fs::path& p, std::string& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return !in.bad();
}

bool WriteWholeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool WriteTree(const Node& folder, const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return false;
    if (folder.children.empty()) return WriteWholeFile(dir / kFolderMarker, "");
    for (const Node& child : folder.children) {
        const fs::path p = dir / FsPath(child.name);
        if (child.folder ? !WriteTree(child, p) : !WriteWholeFile(p, child.bytes)) return false;
    }
    return true;
}

} // namespace

LoadedMachine Machine::Load(const std::string& dir) {
    const fs::path root = FsPath(dir);
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return {std::nullopt, "not a folder: " + dir};
    std::vector<FolderEntry> entries;
    for (const char* name : {kRegistryFile, kAttributesFile}) {
        FolderEntry e{name, false, {}};
        if (fs::exists(root / name, ec)) {
            if (!ReadWholeFile(root / name, e.bytes)) return {std::nullopt, std::string("cannot read ") + name};
            entries.push_back(std::move(e));
        }
    }
    const fs::path drive = root / kDriveFolder;
    if (fs::is_directory(drive, ec)) {
        for (auto it = fs::recursive_directory_iterator(drive, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            const std::string rel = std::string(kDriveFolder) + "/" + Utf8Of(fs::relative(it->path(), drive, ec));
            if (it->is_directory(ec)) {
                entries.push_back({rel, true, {}});
            } else if (it->is_regular_file(ec)) {
                FolderEntry e{rel, false, {}};
                if (!ReadWholeFile(it->path(), e.bytes)) return {std::nullopt, "cannot read " + rel};
                entries.push_back(std::move(e));
            }
        }
        if (ec) return {std::nullopt, "cannot list " + Utf8Of(drive) + ": " + ec.message()};
    }
    return MachineFromEntries(entries);
}

sysaccess::Result Machine::Save(const std::string& dir) const {
    const MachineState& m = MachineAccess::State(*this);
    const fs::path root = FsPath(dir);
    std::error_code ec;
    fs::create_directories(root, ec);
    if (ec || !fs::is_directory(root, ec)) return sysaccess::Result::Fail("cannot create " + dir);

    std::string attributes;
    for (const std::string& path : m.drive.AllPaths()) {
        const Node* node = m.drive.Find(path);
        if (node->attributes) attributes += AttributeLetters(node->attributes) + "\t" + path + "\n";
    }

    // Everything is written beside the old files first; only when all of it is complete do the
    // new files take the old ones' places, each by a rename.
    const fs::path registry = root / kRegistryFile;
    const fs::path attributesFile = root / kAttributesFile;
    const fs::path drive = root / kDriveFolder;
    const fs::path newRegistry = root / "registry.reg.new";
    const fs::path newAttributes = root / "attributes.txt.new";
    const fs::path newDrive = root / "drive_c.new";
    const fs::path oldDrive = root / "drive_c.old";
    auto discard = [&] {
        std::error_code ignored;
        fs::remove(newRegistry, ignored);
        fs::remove(newAttributes, ignored);
        fs::remove_all(newDrive, ignored);
    };
    discard();
    fs::remove_all(oldDrive, ec);
    if (!WriteWholeFile(newRegistry, ExportRegScript(m.registry)) || !WriteWholeFile(newAttributes, attributes) ||
        !WriteTree(m.drive.Root(), newDrive)) {
        discard();
        return sysaccess::Result::Fail("cannot write into " + dir);
    }

    if (fs::exists(drive, ec)) {
        fs::rename(drive, oldDrive, ec);
        if (ec) {
            discard();
            return sysaccess::Result::Fail("cannot move " + Utf8Of(drive) + " aside");
        }
    }
    fs::rename(newDrive, drive, ec);
    if (ec) {
        fs::rename(oldDrive, drive, ec);
        discard();
        return sysaccess::Result::Fail("cannot move " + Utf8Of(newDrive) + " into place");
    }
    fs::remove_all(oldDrive, ec);
    fs::rename(newRegistry, registry, ec);
    if (!ec) fs::rename(newAttributes, attributesFile, ec);
    if (ec) {
        discard();
        return sysaccess::Result::Fail("cannot replace the files in " + dir);
    }
    return sysaccess::Result::Ok();
}

Machine Machine::Seeded() {
    static const Machine seed = [] {
        std::vector<FolderEntry> entries;
        for (std::size_t i = 0; i < seed::kFileCount; ++i) {
            const seed::File& f = seed::kFiles[i];
            entries.push_back({reinterpret_cast<const char*>(f.path), false,
                               std::string(reinterpret_cast<const char*>(f.bytes), f.size)});
        }
        LoadedMachine loaded = MachineFromEntries(entries);
        if (!loaded.machine) {
            std::fprintf(stderr, "sim: the built-in seed machine is damaged: %s\n", loaded.error.c_str());
            std::abort();
        }
        return std::move(*loaded.machine);
    }();
    return seed;
}

} // namespace sim
