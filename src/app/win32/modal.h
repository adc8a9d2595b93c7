// The window's modal windows of its own: a text to read and copy (the preview), a list to choose
// from and act on (the history), and the running of any modal window with its owner disabled until it is gone.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "form/host.h"

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

// A resizable window over owner: the rows that rows() gives in a list, the chosen row's details
// below it (read-only, selectable) and one button, action, that runs act on the chosen row while
// the window waits; the rows are read again afterwards. The button is enabled only on a row whose
// action may be taken. Returns when it is closed.
void ShowListWindow(HWND owner, HFONT font, int dpi, const std::string& title, const std::string& action,
                    const std::function<std::vector<form::ListRow>()>& rows,
                    const std::function<void(std::size_t)>& act, const ModalHook& hook);

inline constexpr wchar_t kTextWindowClass[] = L"SysvelaText";
inline constexpr wchar_t kListWindowClass[] = L"SysvelaList";
// The controls of the list window.
inline constexpr int kListRowsId = 1;
inline constexpr int kListDetailsId = 2;
inline constexpr int kListActionId = 3;

} // namespace appwin
