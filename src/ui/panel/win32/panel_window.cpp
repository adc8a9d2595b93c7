#include "ui/panel/win32/panel_window.h"

#include "ui/panel/win32/gdi_canvas.h"
#include "win32/text.h"

namespace panelwin {

namespace {

PanelWindow* From(HWND hwnd) {
    return reinterpret_cast<PanelWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool IsNotification(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    default:
        return false;
    }
}

bool IsColorRequest(UINT msg) {
    return msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORDLG;
}

} // namespace

bool PanelWindow::Register(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kPanelClass, &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    return RegisterClassExW(&wc) != 0;
}

std::unique_ptr<PanelWindow> PanelWindow::Create(HWND parent, int id, const RECT& rect, bool visible,
                                                 bool dragsWindow) {
    std::unique_ptr<PanelWindow> panel(new PanelWindow());
    panel->dragsWindow_ = dragsWindow;
    panel->model_.SetObserver([p = panel.get()](std::string_view) { p->Invalidate(); });
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    Register(instance);
    const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    // WS_EX_CONTROLPARENT lets Tab and the access keys reach the controls inside.
    const HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", style, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, panel.get());
    if (hwnd == nullptr) return nullptr;
    return panel;
}

PanelWindow::~PanelWindow() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void PanelWindow::SetLanguage(lang::Language language) {
    language_ = language;
    Invalidate();
}

void PanelWindow::SetCaption(const std::string& utf8) {
    SetWindowTextW(hwnd_, win32::Widen(utf8).c_str());
    model_.SetCaption(utf8);
}

void PanelWindow::Invalidate() {
    stale_ = true;
    if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void PanelWindow::EnsureRendered() {
    if (!stale_ && buffer_) return;
    win32::WindowDc screen(hwnd_);
    win32::MemoryDc memory(CreateCompatibleDC(screen.get()));
    const int w = width_ > 0 ? width_ : 1;
    const int h = height_ > 0 ? height_ : 1;
    buffer_ = win32::Bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    if (!memory || !buffer_) return;
    {
        win32::Selection bitmap(memory.get(), buffer_.get());
        // The panel paints in pixels: its header strip is 23 high at any dpi, so its caption keeps
        // the 96-dpi size that fits there.
        GdiCanvas canvas(memory.get(), width_, height_, GetSysColor(COLOR_BTNFACE), 96, language_);
        model_.Layout(width_, height_);
        (void)model_.Redraw(canvas);
    }
    // Children paint their background from this picture, so it is rebuilt with it.
    pattern_ = win32::Brush(CreatePatternBrush(buffer_.get()));
    stale_ = false;
}

void PanelWindow::PaintTo(HDC dc) {
    EnsureRendered();
    win32::MemoryDc memory(CreateCompatibleDC(dc));
    if (!memory || !buffer_) return;
    win32::Selection bitmap(memory.get(), buffer_.get());
    BitBlt(dc, 0, 0, width_, height_, memory.get(), 0, 0, SRCCOPY);
}

HBRUSH PanelWindow::BackgroundFor(HDC childDc, HWND child) {
    EnsureRendered();
    POINT origin{0, 0};
    MapWindowPoints(child, hwnd_, &origin, 1);
    const int w = width_ > 0 ? width_ : 1;
    const int h = height_ > 0 ? height_ : 1;
    SetBrushOrgEx(childDc, (w - origin.x % w) % w, (h - origin.y % h) % h, nullptr);
    SetBkMode(childDc, TRANSPARENT);
    return pattern_ ? pattern_.get() : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK PanelWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* panel = static_cast<PanelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        panel->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(panel));
    }
    PanelWindow* panel = From(hwnd);
    if (panel == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
    return panel->Handle(msg, wp, lp);
}

LRESULT PanelWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (IsNotification(msg)) return SendMessageW(GetAncestor(hwnd_, GA_ROOT), msg, wp, lp);
    if (IsColorRequest(msg)) {
        if (LRESULT answer = SendMessageW(GetAncestor(hwnd_, GA_ROOT), msg, wp, lp)) return answer;
        return reinterpret_cast<LRESULT>(BackgroundFor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)));
    }
    switch (msg) {
    case WM_SIZE:
        width_ = LOWORD(lp);
        height_ = HIWORD(lp);
        Invalidate();
        return 0;
    case WM_SHOWWINDOW:
        if (wp) Invalidate(); // a page shown again lays out and repaints
        break;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_PAINT: {
        win32::PaintDc dc(hwnd_);
        PaintTo(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintTo(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_LBUTTONDOWN:
        if (dragsWindow_ && model_.Style() == 0 && static_cast<short>(HIWORD(lp)) < panel::kBodyTop) {
            ReleaseCapture();
            SendMessageW(GetAncestor(hwnd_, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace panelwin
