// The user's Windows UI language, which the window and the CLI follow unless told otherwise.
#pragma once

#include "lang/language.h"

namespace win32 {

// GetUserDefaultUILanguage: Chinese for every zh-*, English otherwise.
lang::Language UserUiLanguage();

} // namespace win32
