// The window's own controls: the push button (owner-drawn, with a hover and a pressed look) and
// the check-box list (an owner-drawn list box whose items carry a tick).
#pragma once

#include <windows.h>

#include <string>

namespace appwin {

// Sent to the top-level window when the user flips the tick of a check-box list's item:
// wParam = the list's control id, lParam = the item index.
inline constexpr UINT kMsgListToggle = WM_APP + 1;
// Posted to the top-level window when a check-box list shows other items than before (scrolled):
// wParam = the list's control id.
inline constexpr UINT kMsgListScrolled = WM_APP + 2;

// A push button that draws itself: caption with its access key, enabled state, hover, pressed.
HWND CreatePushButton(HWND parent, int id, const RECT& rect, const std::string& caption, HFONT font);
// Paints one push button (the top-level window's WM_DRAWITEM for an ODT_BUTTON).
void DrawPushButton(const DRAWITEMSTRUCT& item);

// A check-box list: any number of items ticked at once; a click on the box, a double click or the
// space bar flips the current item's tick (through kMsgListToggle: the model decides).
HWND CreateCheckList(HWND parent, int id, const RECT& rect, HFONT font);
void SetCheckListItems(HWND list, int count, const wchar_t* const* items, const bool* ticked);
void SetCheckListTick(HWND list, int index, bool ticked);
bool CheckListTick(HWND list, int index);
// An item drawn greyed keeps its tick; the list still shows it.
void SetCheckListGrey(HWND list, int index, bool grey);
bool CheckListGrey(HWND list, int index);
// Paints one item (WM_DRAWITEM for an ODT_LISTBOX) and gives the item height (WM_MEASUREITEM).
void DrawCheckListItem(const DRAWITEMSTRUCT& item);
int CheckListItemHeight(HFONT font);

} // namespace appwin
