// The window's type face and the screen's dpi; the GDI owners are the Win32 base's (win32/handles.h).
#pragma once

#include <windows.h>

#include "lang/language.h"
#include "win32/handles.h"

namespace win32 {

// The type face of the window's language at a size in tenths of a point, for the screen's dpi:
// "宋体" in the GB2312 character set for Chinese; for English "Segoe UI" where it is installed
// (Windows Vista on), otherwise "Tahoma" (Windows XP's).
Font CreateUiFont(lang::Language language, int decipoints, bool bold, int dpi);

// The screen's logical dpi (96 unless the user changed it).
int ScreenDpi();

} // namespace win32
