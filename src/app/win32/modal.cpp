#include "app/win32/modal.h"

#include <optional>

#include "win32/controls.h"
#include "win32/text.h"

namespace appwin {

namespace {

constexpr int kTextId = 1;

// What both of the program's own windows of text do alike: the focus goes to the control that holds
// the text, and a read-only edit box is white, as text to read. Nothing for any other message.
std::optional<LRESULT> TextWindowMessage(HWND hwnd, UINT msg, int focusId) {
    if (msg == WM_SETFOCUS) {
        SetFocus(GetDlgItem(hwnd, focusId));
        return 0;
    }
    if (msg == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return std::nullopt;
}

LRESULT CALLBACK TextWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_SIZE: {
        RECT r{};
        GetClientRect(hwnd, &r);
        MoveWindow(GetDlgItem(hwnd, kTextId), 0, 0, r.right, r.bottom, TRUE);
        return 0;
    }
    default:
        if (const auto handled = TextWindowMessage(hwnd, msg, kTextId)) return *handled;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

// What the list window holds while it is open.
struct ListState {
    std::function<std::vector<form::ListRow>()> read;
    std::function<void(std::size_t)> act;
    std::vector<form::ListRow> rows;
    int buttonWidth = 0, buttonHeight = 0, gap = 0;
};

ListState* StateOf(HWND hwnd) {
    return reinterpret_cast<ListState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The chosen row's details and whether its action may be taken.
void ShowChosen(HWND hwnd, const ListState& state) {
    const LRESULT i = SendDlgItemMessageW(hwnd, kListRowsId, LB_GETCURSEL, 0, 0);
    const bool chosen = i >= 0 && static_cast<std::size_t>(i) < state.rows.size();
    win32::SetText(GetDlgItem(hwnd, kListDetailsId), chosen ? state.rows[static_cast<std::size_t>(i)].details : "");
    EnableWindow(GetDlgItem(hwnd, kListActionId),
                 chosen && state.rows[static_cast<std::size_t>(i)].actionable ? TRUE : FALSE);
}

// The rows read afresh, the same place in the list chosen again.
void FillRows(HWND hwnd, ListState& state, LRESULT chosen) {
    const HWND list = GetDlgItem(hwnd, kListRowsId);
    state.rows = state.read();
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const form::ListRow& row : state.rows)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(row.line).c_str()));
    if (!state.rows.empty())
        SendMessageW(
            list, LB_SETCURSEL,
            static_cast<WPARAM>(chosen >= 0 && static_cast<std::size_t>(chosen) < state.rows.size() ? chosen : 0), 0);
    ShowChosen(hwnd, state);
}

LRESULT CALLBACK ListWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    ListState* state = StateOf(hwnd);
    switch (msg) {
    case WM_SIZE:
        if (state != nullptr) {
            RECT r{};
            GetClientRect(hwnd, &r);
            const int g = state->gap, bw = state->buttonWidth, bh = state->buttonHeight;
            const int bottom = r.bottom - bh - 2 * g, listHeight = (bottom - g) * 2 / 5;
            MoveWindow(GetDlgItem(hwnd, kListRowsId), g, g, r.right - 2 * g, listHeight, TRUE);
            MoveWindow(GetDlgItem(hwnd, kListDetailsId), g, 2 * g + listHeight, r.right - 2 * g,
                       bottom - 2 * g - listHeight + g, TRUE);
            MoveWindow(GetDlgItem(hwnd, kListActionId), r.right - g - bw, r.bottom - g - bh, bw, bh, TRUE);
        }
        return 0;
    case WM_COMMAND:
        if (state == nullptr) break;
        if (LOWORD(wp) == kListRowsId && HIWORD(wp) == LBN_SELCHANGE) {
            ShowChosen(hwnd, *state);
        } else if (LOWORD(wp) == kListActionId && HIWORD(wp) == BN_CLICKED) {
            const LRESULT i = SendDlgItemMessageW(hwnd, kListRowsId, LB_GETCURSEL, 0, 0);
            if (i < 0 || static_cast<std::size_t>(i) >= state->rows.size() ||
                !state->rows[static_cast<std::size_t>(i)].actionable)
                return 0;
            // The action's own message boxes are its owner's; nothing here is pressed again meanwhile.
            EnableWindow(hwnd, FALSE);
            state->act(static_cast<std::size_t>(i));
            EnableWindow(hwnd, TRUE);
            SetActiveWindow(hwnd);
            FillRows(hwnd, *state, i);
            SetFocus(GetDlgItem(hwnd, kListRowsId));
        }
        return 0;
    default:
        break;
    }
    if (const auto handled = TextWindowMessage(hwnd, msg, kListRowsId)) return *handled;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool IsEditBox(HWND hwnd) {
    wchar_t cls[8] = L"";
    GetClassNameW(hwnd, cls, 8);
    return lstrcmpiW(cls, L"EDIT") == 0;
}

// The class, registered once per instance.
void Register(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

// A resizable window of class name over the middle of owner.
HWND CreateOver(HWND owner, HINSTANCE instance, const wchar_t* name, int dpi, const std::string& title) {
    RECT o{};
    GetWindowRect(owner, &o);
    const int width = MulDiv(640, dpi, 96), height = MulDiv(400, dpi, 96);
    return CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, name, win32::Widen(title).c_str(),
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX,
                           o.left + (o.right - o.left - width) / 2, o.top + (o.bottom - o.top - height) / 2, width,
                           height, owner, nullptr, instance, nullptr);
}

constexpr DWORD kReadOnlyText = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL;

} // namespace

void RunModal(HWND owner, HWND window, const ModalHook& hook) {
    if (window == nullptr) return;
    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    if (hook) hook(window);
    MSG msg{};
    while (IsWindow(window)) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // for the main loop, once this window is gone
            break;
        }
        const bool inside = msg.hwnd == window || IsChild(window, msg.hwnd);
        if (inside && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            DestroyWindow(window);
            continue;
        }
        if (inside && msg.message == WM_KEYDOWN && msg.wParam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000) &&
            IsEditBox(msg.hwnd)) {
            SendMessageW(msg.hwnd, EM_SETSEL, 0, -1);
            continue;
        }
        if (inside && IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
}

void ShowTextWindow(HWND owner, HFONT font, int dpi, const std::string& title, const std::string& text,
                    const ModalHook& hook) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    Register(instance, kTextWindowClass, TextWindowProc);
    const HWND window = CreateOver(owner, instance, kTextWindowClass, dpi, title);
    if (window == nullptr) return;
    RECT r{};
    GetClientRect(window, &r);
    const HWND edit = win32::CreateChild(window, L"EDIT", kTextId, kReadOnlyText, r, {}, font);
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0); // as long as the text is
    win32::SetText(edit, text);
    SetFocus(GetDlgItem(window, kTextId));
    RunModal(owner, window, hook);
}

void ShowListWindow(HWND owner, HFONT font, int dpi, const std::string& title, const std::string& action,
                    const std::function<std::vector<form::ListRow>()>& rows,
                    const std::function<void(std::size_t)>& act, const ModalHook& hook) {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    Register(instance, kListWindowClass, ListWindowProc);
    const HWND window = CreateOver(owner, instance, kListWindowClass, dpi, title);
    if (window == nullptr) return;
    // As the main window's push buttons: 75 x 25 px at 96 dpi, 8 px apart.
    ListState state{rows, act, {}, MulDiv(100, dpi, 96), MulDiv(25, dpi, 96), MulDiv(8, dpi, 96)};
    const RECT none{0, 0, 0, 0};
    win32::CreateChild(window, L"LISTBOX", kListRowsId,
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_BORDER | LBS_NOTIFY |
                           LBS_NOINTEGRALHEIGHT,
                       none, {}, font);
    const HWND details = win32::CreateChild(window, L"EDIT", kListDetailsId, kReadOnlyText | WS_BORDER, none, {}, font);
    SendMessageW(details, EM_SETLIMITTEXT, 0, 0);
    win32::CreateChild(window, L"BUTTON", kListActionId, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, none,
                       action, font);
    SendDlgItemMessageW(window, kListRowsId, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(MulDiv(1200, dpi, 96)), 0);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    RECT r{};
    GetClientRect(window, &r);
    SendMessageW(window, WM_SIZE, 0, MAKELPARAM(r.right, r.bottom));
    FillRows(window, state, 0);
    SetFocus(GetDlgItem(window, kListRowsId));
    RunModal(owner, window, hook);
}

} // namespace appwin
