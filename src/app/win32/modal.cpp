#include "app/win32/modal.h"

#include "win32/controls.h"
#include "win32/text.h"

namespace appwin {

namespace {

constexpr int kTextId = 1;

LRESULT CALLBACK TextWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_SIZE: {
        RECT r{};
        GetClientRect(hwnd, &r);
        MoveWindow(GetDlgItem(hwnd, kTextId), 0, 0, r.right, r.bottom, TRUE);
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(hwnd, kTextId));
        return 0;
    case WM_CTLCOLORSTATIC: // a read-only edit box: white, as text to read
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

bool IsEditBox(HWND hwnd) {
    wchar_t cls[8] = L"";
    GetClassNameW(hwnd, cls, 8);
    return lstrcmpiW(cls, L"EDIT") == 0;
}

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
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, kTextWindowClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TextWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kTextWindowClass;
        RegisterClassExW(&wc);
    }
    RECT o{};
    GetWindowRect(owner, &o);
    const int width = MulDiv(640, dpi, 96), height = MulDiv(400, dpi, 96);
    const HWND window = CreateWindowExW(
        WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kTextWindowClass, win32::Widen(title).c_str(),
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, o.left + (o.right - o.left - width) / 2,
        o.top + (o.bottom - o.top - height) / 2, width, height, owner, nullptr, instance, nullptr);
    if (window == nullptr) return;
    RECT r{};
    GetClientRect(window, &r);
    const HWND edit = win32::CreateChild(window, L"EDIT", kTextId,
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                             ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                         r, {}, font);
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0); // as long as the text is
    win32::SetText(edit, text);
    SetFocus(GetDlgItem(window, kTextId));
    RunModal(owner, window, hook);
}

} // namespace appwin
