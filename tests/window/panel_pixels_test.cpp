// The panels as painted on screen through GDI against the pixel-buffer rendering of the same
// panel: every pixel equal, for every theme, with and without the header strip.
#include "sysaccess/win32/system.h"

#include "app/win32/view.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "ui/panel/pixel_canvas.h"
#include "ui/panel/property_bag.h"
#include "ui/panel/themes.h"
#include "ui/panel/win32/panel_window.h"
#include "win32/text.h"

namespace {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// What the screen shows of a window, read back from its DC.
Capture Grab(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetClientRect(hwnd, &r);
    Capture c;
    c.width = r.right;
    c.height = r.bottom;
    c.pixels.resize(static_cast<std::size_t>(c.width * c.height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::WindowDc screen(hwnd);
    win32::Bitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win32::MemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!dib || !memory || bits == nullptr) return c;
    {
        win32::Selection selected(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, c.width, c.height, screen.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* quads = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < c.pixels.size(); ++i) {
        const std::uint32_t q = quads[i]; // 0x00RRGGBB in a DIB
        c.pixels[i] = RGB((q >> 16) & 0xFF, (q >> 8) & 0xFF, q & 0xFF);
    }
    return c;
}

// The same panel, painted in memory.
panel::PixelCanvas Expected(const panel::XPContainer& shown, int width, int height) {
    panel::PropertyBag bag;
    shown.WriteProperties(bag);
    panel::XPContainer copy;
    copy.ReadProperties(bag);
    panel::PixelCanvas canvas(width, height, GetSysColor(COLOR_BTNFACE));
    copy.Layout(width, height);
    (void)copy.Redraw(canvas);
    return canvas;
}

// Pixels that differ, outside the rectangles left out; the first few described.
int Compare(const Capture& got, const panel::PixelCanvas& want, const std::vector<RECT>& skip, std::string* first) {
    int differences = 0;
    std::ostringstream out;
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            bool skipped = false;
            for (const RECT& r : skip)
                skipped = skipped || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            if (skipped || got.At(x, y) == want.At(x, y)) continue;
            if (++differences <= 5)
                out << " (" << x << "," << y << ") " << std::hex << got.At(x, y) << " != " << want.At(x, y) << std::dec;
        }
    }
    *first = out.str();
    return differences;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(PanelPixels, EveryThemeWithAndWithoutHeaderEqualsThePixelCanvas) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"PanelPixelsHost";
    RegisterClassW(&wc);
    const HWND host = CreateWindowExW(0, L"PanelPixelsHost", L"panels", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                      400, 300, nullptr, nullptr, instance, nullptr);
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(panelwin::PanelWindow::Register(instance));

    for (int theme = 0; theme < panel::kThemeCount; ++theme) {
        for (int style : {0, 1}) {
            SCOPED_TRACE("theme " + std::to_string(theme) + ", style " + std::to_string(style));
            auto shown = panelwin::PanelWindow::Create(host, 1, RECT{10, 10, 10 + 331, 10 + 217}, true, false);
            ASSERT_TRUE(shown);
            shown->Model().SetStyle(style);
            shown->Model().SetTheme(theme);
            shown->SetCaption(""); // the caption's glyphs are the font's, not the panel's
            const Capture got = Grab(shown->hwnd());
            ASSERT_EQ(got.width, 331);
            ASSERT_EQ(got.height, 217);
            std::string first;
            EXPECT_EQ(Compare(got, Expected(shown->Model(), got.width, got.height), {}, &first), 0) << first;
        }
    }
    DestroyWindow(host);
}

TEST(PanelPixels, TheWindowsTwelvePanelsEqualThePixelCanvasAroundTheirControls) {
    win32::System sys;
    form::MainForm form;
    appwin::MainWindow window(form, sys, GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.Create());
    window.Show(SW_SHOWNOACTIVATE);
    window.CreateLaterControls(); // as the window's timer does after the first paint

    const form::Page pageOf[appwin::kPanelCount] = {
        form::Page::System,   form::Page::System,   form::Page::System,   form::Page::System,
        form::Page::Security, form::Page::Security, form::Page::Security, form::Page::Security,
        form::Page::Security, form::Page::Service,  form::Page::Wight,    form::Page::Startup,
    };
    for (int id = 0; id < appwin::kPanelCount; ++id) {
        SCOPED_TRACE(appwin::kPanels[static_cast<std::size_t>(id)].name);
        form.ShowPage(pageOf[id]);
        panelwin::PanelWindow& shown = window.Panel(static_cast<appwin::PanelId>(id));
        const Capture got = Grab(shown.hwnd());
        ASSERT_GT(got.width, 0);

        // Left out: the visible controls on the panel, and the header caption's glyphs.
        std::vector<RECT> skip;
        for (HWND child = GetWindow(shown.hwnd(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, shown.hwnd(), reinterpret_cast<POINT*>(&r), 2);
            skip.push_back(r);
        }
        if (shown.Model().Style() == 0) {
            const std::wstring caption = win32::Widen(shown.Model().Caption());
            win32::Font bold =
                win32::CreateUiFont(lang::Language::Chinese, 90, true, 96); // the header keeps its 96-dpi size
            win32::WindowDc dc(shown.hwnd());
            win32::Selection selected(dc.get(), bold.get());
            SIZE extent{0, 0};
            GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
            const int left = panel::kHeaderLeft + panel::kCaptionLeft;
            skip.push_back(
                RECT{left, panel::kHeaderTop, left + extent.cx + 2, panel::kHeaderTop + panel::kHeaderHeight});
        }
        std::string first;
        EXPECT_EQ(Compare(got, Expected(shown.Model(), got.width, got.height), skip, &first), 0) << first;
    }
}

} // namespace
