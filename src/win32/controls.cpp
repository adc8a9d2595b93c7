#include "win32/controls.h"

#include "win32/text.h"

namespace win32 {

HWND CreateChild(HWND parent, const wchar_t* className, int id, DWORD style, const RECT& rect, const std::string& text,
                 HFONT font, HINSTANCE instance) {
    const HWND hwnd =
        CreateWindowExW(0, className, Widen(text).c_str(), style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        instance != nullptr ? instance : GetModuleHandleW(nullptr), nullptr);
    if (hwnd != nullptr && font != nullptr) SetFont(hwnd, font);
    return hwnd;
}

void SetFont(HWND control, HFONT font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::string GetText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(control, text.data(), length + 1);
    return Narrow(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

void SetText(HWND control, const std::string& text) {
    SetWindowTextW(control, Widen(text).c_str());
}

void AddComboItem(HWND combo, const std::string& text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

} // namespace win32
