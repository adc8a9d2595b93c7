// The reader of a machine folder (registry.reg, attributes.txt, drive_c/) on arbitrary content.
// The input is split at NUL bytes: registry.reg, attributes.txt, then files of drive_c/, each
// "relative/path\n" followed by its bytes. Whatever loads is saved and loads back the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sysaccess/sim/machine.h"

namespace fs = std::filesystem;

namespace {

const fs::path& WorkFolder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("sysvela-fuzz-folder-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A relative path that stays inside drive_c/ on this file system; empty when it would not.
fs::path SafeRelative(const std::string& text) {
    fs::path out;
    std::size_t start = 0;
    int depth = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos) end = text.size();
        const std::string part = text.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.size() > 64 || ++depth > 4) return {};
        out /= fs::path(std::u8string(part.begin(), part.end()));
        start = end + 1;
    }
    return out;
}

std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() < 12) {
        const std::size_t end = text.find('\0', start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

void Same(sim::Machine& a, sim::Machine& b) {
    if (a.ExportRegistry() != b.ExportRegistry()) std::abort();
    const auto paths = a.AllPaths();
    if (paths != b.AllPaths()) std::abort();
    for (const std::string& p : paths) {
        if (a.Attributes(p) != b.Attributes(p)) std::abort();
        if (a.ReadFile(p) != b.ReadFile(p)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 16384) return 0;
    const fs::path in = WorkFolder() / "in";
    const fs::path out = WorkFolder() / "out";
    std::error_code ec;
    fs::remove_all(in, ec);
    fs::remove_all(out, ec);
    fs::create_directories(in / "drive_c");

    const std::vector<std::string> parts = Parts(std::string(reinterpret_cast<const char*>(data), size));
    Write(in / "registry.reg", parts[0]);
    if (parts.size() > 1) Write(in / "attributes.txt", parts[1]);
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const std::size_t newline = parts[i].find('\n');
        const fs::path rel = SafeRelative(parts[i].substr(0, newline));
        if (rel.empty()) continue;
        const fs::path target = in / "drive_c" / rel;
        fs::create_directories(target.parent_path(), ec);
        if (!ec) Write(target, newline == std::string::npos ? std::string() : parts[i].substr(newline + 1));
    }

    sim::LoadedMachine loaded = sim::Machine::Load(in.string());
    if (!loaded.machine) {
        if (loaded.error.empty()) std::abort(); // a refusal always says why
        return 0;
    }
    if (!loaded.machine->Save(out.string()).ok) std::abort();
    sim::LoadedMachine again = sim::Machine::Load(out.string());
    if (!again.machine) std::abort();
    Same(*loaded.machine, *again.machine);
    return 0;
}
