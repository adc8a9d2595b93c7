// The fixed folders of a Simplified-Chinese Windows XP on drive C: that the catalogue, the startup
// list, the exported batch and undo name.
#pragma once

#include <string>
#include <string_view>

namespace sysaccess {

inline constexpr std::string_view kProfilesFolder = R"(C:\Documents and Settings\)";
inline constexpr std::string_view kAllUsers = "All Users";

// The Start menu of a profile (a user's log-in name, kAllUsers, or a batch's %USERNAME%).
std::string FixedStartMenu(std::string_view profile);

// The Startup folder inside that Start menu.
std::string FixedStartupFolder(std::string_view profile);

} // namespace sysaccess
