#include "app/win32/controls.h"

#include <memory>
#include <string>

#include "ui/panel/win32/gdi.h"
#include "win32/controls.h"

namespace appwin {

namespace {

// A check-box list item's data: its tick, and whether it is drawn greyed.
constexpr LRESULT kTicked = 1;
constexpr LRESULT kGreyed = 2;

// Per-button state kept by the subclass: the original procedure and whether the mouse is over it.
struct ButtonState {
    WNDPROC original = nullptr;
    bool hover = false;
};

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* state = reinterpret_cast<ButtonState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const WNDPROC original = state->original;
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!state->hover) {
            state->hover = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        state->hover = false;
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    case WM_ERASEBKGND:
        return 1; // the drawing covers the whole button
    case WM_NCDESTROY: {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        const std::unique_ptr<ButtonState> owned(state); // freed on the way out
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    default:
        break;
    }
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

bool IsHover(HWND button) {
    auto* state = reinterpret_cast<ButtonState*>(GetWindowLongPtrW(button, GWLP_USERDATA));
    return state != nullptr && state->hover;
}

// A vertical two-colour gradient, one line per row.
void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    const int rows = r.bottom - r.top;
    win32::Selection pen(dc, GetStockObject(DC_PEN));
    for (int y = 0; y < rows; ++y) {
        const int k = rows > 1 ? y * 256 / (rows - 1) : 0;
        auto mix = [k](int a, int b) { return a + (b - a) * k / 256; };
        SetDCPenColor(dc, RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                              mix(GetBValue(top), GetBValue(bottom))));
        MoveToEx(dc, r.left, r.top + y, nullptr);
        LineTo(dc, r.right, r.top + y);
    }
}

constexpr int kBoxSize = 13;

bool BoxHit(HWND list, LPARAM lp, int* index) {
    const int x = static_cast<short>(LOWORD(lp));
    const int y = static_cast<short>(HIWORD(lp));
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (HIWORD(hit) != 0) return false; // outside every item
    *index = LOWORD(hit);
    return x < kBoxSize + 4;
}

void RequestToggle(HWND list, int index) {
    if (index < 0 || index >= static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0))) return;
    SendMessageW(GetAncestor(list, GA_ROOT), kMsgListToggle, static_cast<WPARAM>(GetDlgCtrlID(list)), index);
}

LRESULT CheckListMessage(HWND hwnd, WNDPROC original, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN: {
        int index = -1;
        const bool onBox = BoxHit(hwnd, lp, &index);
        const LRESULT r = CallWindowProcW(original, hwnd, msg, wp, lp);
        if (onBox) RequestToggle(hwnd, index);
        return r;
    }
    case WM_LBUTTONDBLCLK: {
        int index = -1;
        // The first click of a double click on the box already flipped it.
        if (!BoxHit(hwnd, lp, &index) && index >= 0) RequestToggle(hwnd, index);
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
    case WM_CHAR:
        if (wp == L' ') {
            RequestToggle(hwnd, static_cast<int>(SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0)));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        break;
    default:
        break;
    }
    return CallWindowProcW(original, hwnd, msg, wp, lp);
}

// The messages after which a list may show other items than before.
bool MayScroll(UINT msg) {
    switch (msg) {
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_SIZE:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK CheckListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!MayScroll(msg)) return CheckListMessage(hwnd, original, msg, wp, lp);
    const LRESULT top = CallWindowProcW(original, hwnd, LB_GETTOPINDEX, 0, 0);
    const LRESULT r = CheckListMessage(hwnd, original, msg, wp, lp);
    // The items' tips follow them.
    if (CallWindowProcW(original, hwnd, LB_GETTOPINDEX, 0, 0) != top)
        PostMessageW(GetAncestor(hwnd, GA_ROOT), kMsgListScrolled, static_cast<WPARAM>(GetDlgCtrlID(hwnd)), 0);
    return r;
}

} // namespace

HWND CreatePushButton(HWND parent, int id, const RECT& rect, const std::string& caption, HFONT font) {
    const HWND hwnd = win32::CreateChild(parent, L"BUTTON", id, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, rect,
                                         caption, font);
    if (hwnd == nullptr) return nullptr;
    auto state = std::make_unique<ButtonState>();
    state->original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    // The window owns its state from here on; WM_NCDESTROY takes it back.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonProc));
    return hwnd;
}

void DrawPushButton(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool hover = IsHover(item.hwndItem) && !disabled;

    // The corners show what lies under the button: the parent panel's picture.
    const HWND parent = GetParent(item.hwndItem);
    auto back = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(item.hwndItem)));
    FillRect(dc, &r, back != nullptr ? back : GetSysColorBrush(COLOR_BTNFACE));

    RECT face{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (disabled) {
        Gradient(dc, face, RGB(0xF7, 0xF7, 0xF4), RGB(0xE8, 0xE8, 0xE2));
    } else if (pressed) {
        Gradient(dc, face, RGB(0xD8, 0xE4, 0xF0), RGB(0xF2, 0xF6, 0xFB));
    } else if (hover) {
        Gradient(dc, face, RGB(0xFF, 0xFF, 0xFF), RGB(0xFB, 0xE4, 0xB8));
    } else {
        Gradient(dc, face, RGB(0xFF, 0xFF, 0xFF), RGB(0xDC, 0xE8, 0xF5));
    }

    const COLORREF border = disabled ? RGB(0xC9, 0xC7, 0xBA) : hover ? RGB(0xE5, 0x97, 0x00) : RGB(0x00, 0x3C, 0x74);
    {
        win32::Selection pen(dc, GetStockObject(DC_PEN));
        win32::Selection brush(dc, GetStockObject(NULL_BRUSH));
        SetDCPenColor(dc, border);
        RoundRect(dc, r.left, r.top, r.right, r.bottom, 5, 5);
    }

    wchar_t caption[64] = L"";
    GetWindowTextW(item.hwndItem, caption, 64);
    RECT text = r;
    if (pressed) OffsetRect(&text, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
    const UINT hidePrefix = (item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0;
    DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | hidePrefix);

    if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        DrawFocusRect(dc, &focus);
    }
}

HWND CreateCheckList(HWND parent, int id, const RECT& rect, HFONT font) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_OWNERDRAWFIXED |
                        LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    const HWND hwnd = win32::CreateChild(parent, L"LISTBOX", id, style, rect, {}, font);
    if (hwnd == nullptr) return nullptr;
    SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, CheckListItemHeight(font));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CheckListProc));
    return hwnd;
}

void SetCheckListItems(HWND list, int count, const wchar_t* const* items, const bool* ticked) {
    const int caret = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
        if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), ticked[i] ? kTicked : 0);
    }
    // The same items again (a tick of the whole list) keep the place the user was looking at.
    if (caret >= 0 && caret < count) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(caret), 0);
    if (top < count) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

namespace {

void SetItemFlag(HWND list, int index, LRESULT flag, bool on) {
    const LRESULT data = SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data == LB_ERR) return;
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), on ? (data | flag) : (data & ~flag));
    RECT item{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
        InvalidateRect(list, &item, FALSE);
    }
}

bool ItemFlag(HWND list, int index, LRESULT flag) {
    const LRESULT data = SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data != LB_ERR && (data & flag) != 0;
}

} // namespace

void SetCheckListTick(HWND list, int index, bool ticked) {
    SetItemFlag(list, index, kTicked, ticked);
}

bool CheckListTick(HWND list, int index) {
    return ItemFlag(list, index, kTicked);
}

void SetCheckListGrey(HWND list, int index, bool grey) {
    SetItemFlag(list, index, kGreyed, grey);
}

bool CheckListGrey(HWND list, int index) {
    return ItemFlag(list, index, kGreyed);
}

void DrawCheckListItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int boxTop = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kBoxSize) / 2;
    RECT box{item.rcItem.left + 2, boxTop, item.rcItem.left + 2 + kBoxSize, boxTop + kBoxSize};
    const bool grey = (item.itemData & kGreyed) != 0;
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | ((item.itemData & kTicked) != 0 ? DFCS_CHECKED : 0) |
                         (grey ? DFCS_INACTIVE : 0));

    const int length = static_cast<int>(SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0));
    std::wstring text(length > 0 ? static_cast<std::size_t>(length) : 0, L'\0');
    if (length > 0) SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    RECT textRect = item.rcItem;
    textRect.left += kBoxSize + 6;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &item.rcItem);
}

int CheckListItemHeight(HFONT font) {
    win32::WindowDc screen(nullptr);
    win32::Selection selected(screen.get(), font);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    const int text = tm.tmHeight + 2;
    return text > kBoxSize + 3 ? text : kBoxSize + 3;
}

} // namespace appwin
