#include "sysaccess/folders.h"

#include "sysaccess/text.h"

namespace sysaccess {

namespace {

constexpr std::string_view kXpProfiles = R"(C:\Documents and Settings)";
constexpr std::string_view kXpStartMenu = R"(\「开始」菜单)";
constexpr std::string_view kXpStartup = R"(\「开始」菜单\程序\启动)";

} // namespace

std::string_view XpBelowProfile(KnownFolder folder) {
    switch (folder) {
    case KnownFolder::StartMenu:
    case KnownFolder::CommonStartMenu:
        return kXpStartMenu;
    case KnownFolder::Startup:
    case KnownFolder::CommonStartup:
        return kXpStartup;
    default:
        return {};
    }
}

std::string XpFolder(KnownFolder folder, std::string_view user) {
    const std::string profiles(kXpProfiles);
    const std::string profile = profiles + "\\" + std::string(user);
    const std::string allUsers = profiles + R"(\All Users)";
    switch (folder) {
    case KnownFolder::Windows:
        return R"(C:\WINDOWS)";
    case KnownFolder::Profiles:
        return profiles;
    case KnownFolder::Profile:
        return profile;
    case KnownFolder::StartMenu:
    case KnownFolder::Startup:
        return profile + std::string(XpBelowProfile(folder));
    case KnownFolder::CommonStartMenu:
    case KnownFolder::CommonStartup:
        return allUsers + std::string(XpBelowProfile(folder));
    }
    return {};
}

bool InFolder(std::string_view path, std::string_view folder) {
    return path.size() >= folder.size() && SameName(path.substr(0, folder.size()), folder) &&
           (path.size() == folder.size() || path[folder.size()] == '\\');
}

std::optional<std::string> Resolve(System& sys, KnownFolder folder, const std::string& fixed, std::string_view user) {
    const std::string xp = XpFolder(folder, user);
    const std::optional<std::string> now = sys.KnownFolderPath(folder);
    if (!now || now->empty()) return std::nullopt;
    if (SameName(*now, xp) || !InFolder(fixed, xp)) return fixed;
    return *now + fixed.substr(xp.size());
}

std::string ResolveOrFixed(System& sys, KnownFolder folder, const std::string& fixed, std::string_view user) {
    return Resolve(sys, folder, fixed, user).value_or(fixed);
}

} // namespace sysaccess
