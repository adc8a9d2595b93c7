#include "sysaccess/folders.h"

namespace sysaccess {

std::string FixedStartMenu(std::string_view profile) {
    return std::string(kProfilesFolder) + std::string(profile) + R"(\「开始」菜单)";
}

std::string FixedStartupFolder(std::string_view profile) {
    return FixedStartMenu(profile) + R"(\程序\启动)";
}

} // namespace sysaccess
