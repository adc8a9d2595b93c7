// The window's modal windows of its own: a text to read and copy (the preview), and the running of
// any modal window with its owner disabled until it is gone.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace appwin {

// Called with each modal window once it is shown, before its loop runs: the window tests drive
// the window from there. Empty in the program.
using ModalHook = std::function<void(HWND)>;

// Runs window modally: its owner disabled, the messages of the thread dispatched (Tab and the
// access keys inside window) until window is gone; Esc closes it, Ctrl+A selects the whole text of
// an edit box. The owner is enabled and active again afterwards.
void RunModal(HWND owner, HWND window, const ModalHook& hook);

// A resizable window over owner holding text that can be read, selected and copied, not changed.
// Returns when it is closed.
void ShowTextWindow(HWND owner, HFONT font, int dpi, const std::string& title, const std::string& text,
                    const ModalHook& hook);

inline constexpr wchar_t kTextWindowClass[] = L"SysvelaText";

} // namespace appwin
