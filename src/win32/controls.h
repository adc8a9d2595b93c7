// Typed helpers for child controls, in UTF-8: the messages and casts each control needs, once.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// A child window of a class with a control id, in the given font (none: the system's). A class
// of the program's own is found with the instance that registered it; nothing stands for the
// executable's.
HWND CreateChild(HWND parent, const wchar_t* className, int id, DWORD style, const RECT& rect,
                 const std::string& text = {}, HFONT font = nullptr, HINSTANCE instance = nullptr);

void SetFont(HWND control, HFONT font);

std::string GetText(HWND control);
void SetText(HWND control, const std::string& text);

void AddComboItem(HWND combo, const std::string& text);

} // namespace win32
