// The folders Windows places itself, named in the catalogue by their place on a Simplified-Chinese
// Windows XP installed on C:, and found where this machine keeps them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sysaccess/system.h"

namespace sysaccess {

// The folder's place on a Simplified-Chinese XP on C: ("C:\WINDOWS", "C:\Documents and
// Settings\All Users\「开始」菜单" ...); the current user's folders are those of user.
std::string XpFolder(KnownFolder folder, std::string_view user = "Administrator");

// The Start menu's and the Startup folder's place below a profile on a Simplified-Chinese XP
// ("\「开始」菜单", "\「开始」菜单\程序\启动"); empty for the other folders.
std::string_view XpBelowProfile(KnownFolder folder);

// True when path is folder or lies inside it, compared without regard to case.
bool InFolder(std::string_view path, std::string_view folder);

// fixed names a path inside the folder by its XP place (XpFolder(folder, user)). The same path
// where this machine keeps the folder: fixed itself, letter for letter, where that place equals
// the XP one without regard to case; nothing when the system cannot say where the folder is.
std::optional<std::string> Resolve(System& sys, KnownFolder folder, const std::string& fixed,
                                   std::string_view user = "Administrator");

// Resolve, or fixed itself when the system cannot say: for the operations whose option was not
// judged first (every option run as on XP).
std::string ResolveOrFixed(System& sys, KnownFolder folder, const std::string& fixed,
                           std::string_view user = "Administrator");

} // namespace sysaccess
