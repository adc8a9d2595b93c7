#include "app/win32/tooltips.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/text.h"

namespace appwin {

namespace {

// Wide enough for a registry path and its value on one line; the tip breaks at its line ends.
constexpr int kMaxTipWidth = 640;
constexpr int kShownMs = 30000; // long enough to read a tip of several lines

TTTOOLINFOW Tool(HWND hwnd, UINT_PTR id, UINT flags) {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE; // what every comctl32 from XP's on takes
    ti.uFlags = flags | TTF_SUBCLASS;
    ti.hwnd = hwnd;
    ti.uId = id;
    return ti;
}

} // namespace

bool OptionTooltips::Create(HWND owner, HINSTANCE instance) {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
    if (tooltip_ == nullptr) return false;
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kShownMs);
    return true;
}

void OptionTooltips::SetControlTip(HWND control, const std::string& text) {
    if (tooltip_ == nullptr || control == nullptr) return;
    std::wstring wide = win32::Widen(text);
    TTTOOLINFOW ti = Tool(GetParent(control), reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND);
    ti.lpszText = wide.data();
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) {
        if (SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) controls_.push_back(control);
    } else {
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void OptionTooltips::SetListTips(HWND list, const std::vector<std::string>& texts) {
    if (tooltip_ == nullptr || list == nullptr) return;
    int& count = listItems_[list];
    for (int i = 0; i < count; ++i) {
        TTTOOLINFOW ti = Tool(list, static_cast<UINT_PTR>(i), 0);
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    count = 0;
    for (const std::string& text : texts) {
        std::wstring wide = win32::Widen(text);
        TTTOOLINFOW ti = Tool(list, static_cast<UINT_PTR>(count), 0);
        ti.lpszText = wide.data();
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&ti.rect));
        if (!SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) break;
        ++count;
    }
}

void OptionTooltips::ListScrolled(HWND list) {
    const auto it = listItems_.find(list);
    if (tooltip_ == nullptr || it == listItems_.end()) return;
    for (int i = 0; i < it->second; ++i) {
        TTTOOLINFOW ti = Tool(list, static_cast<UINT_PTR>(i), 0);
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&ti.rect));
        SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

} // namespace appwin
