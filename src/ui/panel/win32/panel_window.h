// The XPContainer panel as a child window: it paints the panel model through a GDI canvas into a
// back buffer and gives the controls placed on it that same picture as their background.
//
// Notifications of the controls on a panel (WM_COMMAND, WM_DRAWITEM, ...) go on to the top-level
// window, which handles every control in one place; a WM_CTLCOLOR* message is answered by the
// top-level window if it wants to, otherwise with the panel's picture, aligned to the control.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/panel/win32/gdi.h"
#include "ui/panel/xpcontainer.h"

namespace panelwin {

inline constexpr wchar_t kPanelClass[] = L"SysvelaXPContainer";

class PanelWindow {
public:
    // Registers the window class once per process.
    static bool Register(HINSTANCE instance);

    // A visible or hidden child panel; `dragsWindow`: a press on the header strip moves the
    // top-level window (the program's window has no title bar of its own).
    static std::unique_ptr<PanelWindow> Create(HWND parent, int id, const RECT& rect, bool visible, bool dragsWindow);

    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;
    ~PanelWindow();

    HWND hwnd() const { return hwnd_; }
    panel::XPContainer& Model() { return model_; }

    // Caption of the model and text of the window (what a screen reader or a test reads).
    void SetCaption(const std::string& utf8);
    // The language of the caption, whose type face it is painted in (Chinese at first).
    void SetLanguage(lang::Language language);

    // Paints the panel, as on screen, into dc at its origin (WM_PRINTCLIENT, tests).
    void PaintTo(HDC dc);

    // The brush that paints the panel's picture under a child control; aligned for that child.
    HBRUSH BackgroundFor(HDC childDc, HWND child);

private:
    PanelWindow() = default;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void EnsureRendered();
    void Invalidate();

    HWND hwnd_ = nullptr;
    bool dragsWindow_ = false;
    panel::XPContainer model_;
    int width_ = 0;
    int height_ = 0;
    bool stale_ = true;
    lang::Language language_ = lang::Language::Chinese;
    win32::Bitmap buffer_;
    win32::Brush pattern_;
};

} // namespace panelwin
