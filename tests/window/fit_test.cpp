// Every caption of the window fits its control, in both languages: the text's extent measured in
// the control's own font, plus 10% (Wine's fonts are not Windows'), within the room the layout
// gives the control. lblWait's texts, a failed pass's count included, end 6 px before the next
// control to their right (撤销).
//
// The margin is for the glyphs whose width differs between fonts. Chinese characters and the
// full-width forms are one em wide in every Chinese face (宋体 on Windows, WenQuanYi under Wine),
// so they take none: the documented layout sets some Chinese captions within a few pixels of the
// next column, and those texts and places are fixed.
#include "sysaccess/win32/system.h"

#include "app/win32/view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/panel/xpcontainer.h"
#include "win32/text.h"

namespace {

using lang::Language;
using lang::Str;

constexpr double kMargin = 1.1;
constexpr int kWaitGap = 6;

struct Fit {
    std::string what;
    int needed; // pixels, margin included
    int room;
};

RECT RectIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Is(HWND hwnd, const wchar_t* cls) {
    wchar_t name[32] = L"";
    GetClassNameW(hwnd, name, 32);
    return lstrcmpiW(name, cls) == 0;
}

// The caption as drawn: an access key's "&" takes no room.
std::wstring Shown(const std::wstring& caption) {
    std::wstring out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

int Extent(HFONT font, const std::wstring& text) {
    win32::WindowDc dc(nullptr);
    win32::Selection selected(dc.get(), font);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

bool EmWide(wchar_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

// The text's extent in font, with the margin on its proportional glyphs.
int Needed(HFONT font, const std::wstring& text) {
    std::wstring proportional;
    for (const wchar_t c : text) {
        if (!EmWide(c)) proportional += c;
    }
    return Extent(font, text) + static_cast<int>(Extent(font, proportional) * (kMargin - 1) + 0.999);
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

std::wstring TextOf(HWND control) {
    wchar_t text[1024] = L"";
    GetWindowTextW(control, text, 1024);
    return text;
}

// The room from the control's left edge to the nearest sibling beside it on the right, or to the
// inside of its panel's frame.
int RoomToTheRight(HWND control) {
    const HWND parent = GetParent(control);
    const RECT r = RectIn(control, parent);
    RECT client{};
    GetClientRect(parent, &client);
    int right = client.right - 1;
    for (HWND other = GetWindow(parent, GW_CHILD); other != nullptr; other = GetWindow(other, GW_HWNDNEXT)) {
        if (other == control) continue;
        const RECT o = RectIn(other, parent);
        if (o.left > r.left && o.top < r.bottom && o.bottom > r.top) right = std::min<int>(right, o.left);
    }
    return right - r.left;
}

BOOL CALLBACK Collect(HWND child, LPARAM all) {
    reinterpret_cast<std::vector<HWND>*>(all)->push_back(child);
    return TRUE;
}

std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> all;
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string Name(HWND control, const std::wstring& text) {
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + win32::Narrow(text) + "\"";
}

// Every caption of the window as it stands, and every text its labels and header may show.
std::vector<Fit> Measure(appwin::MainWindow& window) {
    std::vector<Fit> fits;
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 6;
    const HWND lblCaption = window.Control(appwin::kIdLblCaption);
    const HWND lblWait = window.Control(appwin::kIdLblWait);
    const HWND lblInfo = window.Control(appwin::kIdLblInfo);
    for (const HWND control : Descendants(window.hwnd())) {
        const std::wstring text = TextOf(control);
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        const HFONT font = FontOf(control);
        RECT r{};
        GetClientRect(control, &r);
        if (Is(control, L"Button")) {
            const bool boxed = type == BS_3STATE || type == BS_RADIOBUTTON;
            const int room = type == BS_3STATE ? RoomToTheRight(control) : r.right;
            fits.push_back({Name(control, text), Needed(font, Shown(text)) + (boxed ? box : 0), room});
        } else if (Is(control, L"ComboBox")) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(control, &info);
            const int count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                wchar_t item[256] = L"";
                SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
                fits.push_back({Name(control, item), Needed(font, item), info.rcItem.right - info.rcItem.left});
            }
        } else if (Is(control, L"Static") && control != lblCaption && control != lblWait && control != lblInfo) {
            fits.push_back({Name(control, text), Needed(font, text), RoomToTheRight(control)});
        }
    }
    const form::MainForm& form = window.Context().form;
    const HWND main = window.Panel(appwin::PanelId::Main).hwnd();
    RECT header{};
    GetClientRect(main, &header);
    const int captionLeft = panel::kHeaderLeft + panel::kCaptionLeft;
    const win32::Font bold = win32::CreateUiFont(form.Language(), 90, true, 96); // the header's, as it paints
    const int captionRoom = MulDiv(appwin::kLblCaptionPlace.width, win32::ScreenDpi(), 1440);
    for (const form::PageRecord& page : form::kPages) {
        const std::wstring title = win32::Widen(form.Text(page.header));
        fits.push_back(
            {"header \"" + win32::Narrow(title) + "\"", Needed(bold.get(), title), header.right - captionLeft - 1});
        const std::wstring caption = win32::Widen(form.Text(page.caption));
        fits.push_back({Name(lblCaption, caption), Needed(FontOf(lblCaption), caption), captionRoom});
    }
    // A failed pass counts its failures: four digits are more effects than automatic optimisation has.
    for (const std::string& wait : {std::string(form.Text(Str::Busy)), std::string(form.Text(Str::Done)),
                                    lang::Format(Str::PassFailed, form.Language(), {"9999"})}) {
        const std::wstring text = win32::Widen(wait);
        fits.push_back({Name(lblWait, text), Needed(FontOf(lblWait), text) + kWaitGap, RoomToTheRight(lblWait)});
    }
    // lblInfo shows a service's whole item on its lines, wrapped.
    RECT info{};
    GetClientRect(lblInfo, &info);
    for (const std::string& item : form.lstService().items) {
        const std::wstring text = win32::Widen(item);
        win32::WindowDc dc(nullptr);
        win32::Selection selected(dc.get(), FontOf(lblInfo));
        RECT wrapped{0, 0, static_cast<LONG>(info.right / kMargin), 0};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &wrapped,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        fits.push_back({Name(lblInfo, text) + " (height)", wrapped.bottom, info.bottom});
    }
    return fits;
}

TEST(Fit, EveryCaptionFitsItsControlInEveryLanguage) {
    for (const Language language : {Language::Chinese, Language::English}) {
        SCOPED_TRACE(language == Language::Chinese ? "Chinese" : "English");
        win32::System sys;
        form::MainForm form(language);
        appwin::MainWindow window(form, sys, GetModuleHandleW(nullptr));
        ASSERT_TRUE(window.Create());
        window.Show(SW_SHOWNOACTIVATE);
        window.CreateLaterControls(); // as the window's timer does after the first paint
        std::vector<Fit> fits = Measure(window);
        EXPECT_GE(fits.size(), 141u); // every caption, combo item, title, lblWait and lblInfo text, 预览 and 撤销
        std::sort(fits.begin(), fits.end(),
                  [](const Fit& a, const Fit& b) { return a.room - a.needed < b.room - b.needed; });
        for (const Fit& f : fits)
            EXPECT_LE(f.needed, f.room) << f.what;
        // The tightest, for the record.
        for (std::size_t i = 0; i < fits.size() && i < 8; ++i)
            std::printf("%s: %s needs %d px of %d\n", language == Language::Chinese ? "zh" : "en", fits[i].what.c_str(),
                        fits[i].needed, fits[i].room);
    }
}

} // namespace
