#include "sysaccess/wow64.h"

#include <algorithm>

#include "sysaccess/cmdline.h"
#include "text/ascii.h"

namespace sysaccess {

namespace {

std::string Join(const std::string& folder, std::string_view tool) {
    return folder + "\\" + std::string(tool) + ".exe";
}

} // namespace

std::optional<std::string_view> ToolOf(const std::string& commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty()) return std::nullopt;
    std::string_view program = args.front();
    if (program.find_first_of("\\/:") != std::string_view::npos) return std::nullopt;
    if (program.size() > 4 && text::SameName(program.substr(program.size() - 4), ".exe")) {
        program.remove_suffix(4);
    }
    for (std::string_view tool : kToolNames) {
        if (text::SameName(program, tool)) return tool;
    }
    return std::nullopt;
}

bool InWindowsFolder(std::string_view tool) {
    return tool == "regedit";
}

ToolStart DecideToolStart(std::string_view tool, const Platform& platform, bool sysnativeHasTool) {
    const std::string& home = InWindowsFolder(tool) ? platform.windowsFolder : platform.systemFolder;
    if (!platform.wow64) return {Join(home, tool), false};
    if (!InWindowsFolder(tool) && sysnativeHasTool) return {Join(platform.windowsFolder + "\\Sysnative", tool), false};
    return {Join(home, tool), true};
}

std::uint32_t RegViewFlags(const Platform& platform) {
    return platform.wow64 ? kKeyWow64_64Key : 0;
}

} // namespace sysaccess
