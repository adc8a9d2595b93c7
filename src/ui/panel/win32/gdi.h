// The panel's type face and the screen's dpi; the GDI owners are the Win32 base's (win32/handles.h).
#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace win32 {

// "宋体" in the GB2312 character set at a size in tenths of a point, for the screen's dpi.
Font CreateSongFont(int decipoints, bool bold, int dpi);

// The screen's logical dpi (96 unless the user changed it).
int ScreenDpi();

} // namespace win32
