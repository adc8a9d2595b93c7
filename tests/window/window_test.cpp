// The real window under Wine: page buttons, the model binding, access keys, and an Optimize pass
// that reaches Wine's registry.
#include "sysaccess/win32/system.h"

#include "app/win32/view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/shell.h"
#include "app/win32/controls.h"
#include "app/win32/modal.h"
#include "form/facts.h"
#include "optimize/pass.h"
#include "undo/journal.h"
#include "version/version.h"
#include "win32/controls.h"
#include "win32/handles.h"
#include "win32/text.h"
#include <commctrl.h>

namespace {

using appwin::MainWindow;

constexpr const char* kDoneText = "优化完成!请重新启动计算机";
using appwin::PanelId;

std::string Text(HWND hwnd) {
    wchar_t buffer[512] = L"";
    GetWindowTextW(hwnd, buffer, 512);
    return win32::Narrow(buffer);
}

void Pump() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Pumps until the timer that reads the options' states for their tips has fired.
void PumpUntilStatesRead() {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < appwin::kReadStatesDelayMs * 4; Sleep(5))
        Pump();
}

// Answers the message boxes the window shows, as a user would after reading them. The box's own
// loop runs on the test's thread, so it is found from a thread of its own; without a window
// manager it has no keyboard focus, so it is answered with its OK command, not a key.
class BoxAnswerer {
public:
    BoxAnswerer() : thread_([this] { Loop(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    // "title|text" of every box answered so far.
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    void Forget() {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.clear();
    }

private:
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM lp) {
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        wchar_t cls[16] = L"";
        GetClassNameW(hwnd, cls, 16);
        if (process != GetCurrentProcessId() || lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    static HWND FindBox() {
        HWND found = nullptr;
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&found));
        return found;
    }
    void Loop() {
        while (!stop_) {
            if (const HWND box = FindBox()) {
                wchar_t text[4096] = L"", title[256] = L"";
                GetDlgItemTextW(box, 0xFFFF, text, 4096); // the message's static control
                GetWindowTextW(box, title, 256);
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    seen_.push_back(win32::Narrow(title) + "|" + win32::Narrow(text));
                }
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                for (int i = 0; i < 200 && IsWindow(box); ++i)
                    Sleep(10);
            }
            Sleep(20);
        }
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::thread thread_;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(form, sys, GetModuleHandleW(nullptr));
        bool created = false;
        app::Main(window->Context(), [&] {
            created = window->Create();
            if (created) window->Show(SW_SHOWNOACTIVATE);
        });
        ASSERT_TRUE(created);
        PumpUntilStatesRead(); // the other pages' controls and the tips come after the first paint
    }
    void TearDown() override {
        window.reset();
        Pump();
    }

    void Click(HWND control) {
        ASSERT_NE(control, nullptr);
        SendMessageW(control, BM_CLICK, 0, 0);
        Pump();
    }
    HWND Button(form::Button b) const { return window->ButtonWindow(b); }
    bool Shown(PanelId id) const { return IsWindowVisible(window->Panel(id).hwnd()) != FALSE; }

    win32::System sys;
    form::MainForm form;
    std::unique_ptr<MainWindow> window;
    BoxAnswerer boxes;
};

TEST_F(WindowTest, EachPageButtonShowsItsPanelHeaderAndCaption) {
    struct Case {
        form::Button button;
        PanelId panel;
        const char* header;
        const char* caption;
    };
    const Case cases[] = {
        {form::Button::Security, PanelId::Security, "  Sysvela(系统安全页)", "[安全优化]"},
        {form::Button::Service, PanelId::Service, "  Sysvela(服务优化页)", "[服务优化]"},
        {form::Button::Startup, PanelId::Startup, "  Sysvela(启动优化页)", "[启动优化]"},
        {form::Button::Wight, PanelId::Wight, "  Sysvela(系统减肥页)", "[系统减肥]"},
        {form::Button::System, PanelId::System, "  Sysvela(系统优化页)", "[系统优化]"},
        {form::Button::Security, PanelId::Security, "  Sysvela(系统安全页)", "[安全优化]"}, // a second time
    };
    EXPECT_TRUE(Shown(PanelId::System));
    EXPECT_EQ(Text(window->Panel(PanelId::Main).hwnd()), "  Sysvela(系统优化页)");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        Click(Button(c.button));
        EXPECT_EQ(Text(window->Panel(PanelId::Main).hwnd()), c.header);
        EXPECT_EQ(window->Panel(PanelId::Main).Model().Caption(), c.header); // what the header paints
        EXPECT_EQ(Text(window->Control(appwin::kIdLblCaption)), c.caption);
        for (PanelId page : {PanelId::System, PanelId::Security, PanelId::Service, PanelId::Wight, PanelId::Startup})
            EXPECT_EQ(Shown(page), page == c.panel) << static_cast<int>(page);
    }
}

RECT RectIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(WindowTest, GeometryIsTheTwipsLayoutInPixels) {
    // 96 dpi under Wine: 15 twips to the pixel.
    RECT r{};
    GetWindowRect(window->hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 729); // 10935 twips
    EXPECT_EQ(r.bottom - r.top, 479); // 7190 twips
    const LONG style = GetWindowLongW(window->hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0); // no border, no title bar of its own
    // The version is the system menu's last line, greyed, and takes no room on the window.
    const HMENU menu = GetSystemMenu(window->hwnd(), FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    wchar_t line[64] = L"";
    GetMenuStringW(menu, static_cast<UINT>(last), line, 64, MF_BYPOSITION);
    EXPECT_EQ(win32::Narrow(line), std::string("Sysvela ") + version::Text());
    EXPECT_NE(GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION) & MF_GRAYED, 0u);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(r.left - work.left, work.right - r.right, 1); // centred
    EXPECT_NEAR(r.top - work.top, work.bottom - r.bottom, 1);

    const HWND main = window->Panel(PanelId::Main).hwnd();
    const RECT m = RectIn(main, window->hwnd());
    EXPECT_EQ(m.left, 1);
    EXPECT_EQ(m.top, 1);
    EXPECT_EQ(m.right - m.left, 727);
    EXPECT_EQ(m.bottom - m.top, 477);
    const RECT optimizeButton = RectIn(Button(form::Button::Optimize), main); // 2850, 6570, 1215 x 375
    EXPECT_EQ(optimizeButton.left, 190);
    EXPECT_EQ(optimizeButton.top, 438);
    EXPECT_EQ(optimizeButton.right - optimizeButton.left, 81);
    EXPECT_EQ(optimizeButton.bottom - optimizeButton.top, 25);
    const RECT page = RectIn(window->Panel(PanelId::Security).hwnd(), main); // 180, 1170, 10515 x 5265
    EXPECT_EQ(page.left, 12);
    EXPECT_EQ(page.top, 78);
    EXPECT_EQ(page.right - page.left, 701);
    EXPECT_EQ(page.bottom - page.top, 351);
    EXPECT_EQ(Text(Button(form::Button::Exit)), "退出(&E)");
}

TEST_F(WindowTest, EveryCheckBoxCaptionReadsWhole) {
    HDC dc = GetDC(window->hwnd());
    for (int i = 0; i < form::kChkCount; ++i) {
        SCOPED_TRACE("chk(" + std::to_string(i) + ") " + form.Caption(i));
        const HWND box = window->ChkWindow(i);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Text(box), form.Caption(i));
        const HWND parent = GetParent(box);
        const RECT r = RectIn(box, parent);
        RECT client{};
        GetClientRect(parent, &client);
        // Inside its panel, clear of the panel's frame.
        EXPECT_GE(r.left, 1);
        EXPECT_LE(r.right, client.right - 1);
        EXPECT_LE(r.bottom, client.bottom - 1);
        // Wide enough for the box and the whole caption in the control's own font.
        const std::wstring caption = win32::Widen(form.Caption(i));
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        SelectObject(dc, old);
        EXPECT_GE(r.right - r.left, GetSystemMetrics(SM_CXMENUCHECK) + extent.cx);
        // Overlapping no other control on the same panel.
        for (HWND other = GetWindow(parent, GW_CHILD); other != nullptr; other = GetWindow(other, GW_HWNDNEXT)) {
            if (other == box) continue;
            RECT o = RectIn(other, parent), both{};
            COMBOBOXINFO combo{};
            combo.cbSize = sizeof combo;
            if (GetComboBoxInfo(other, &combo)) o.bottom = o.top + combo.rcButton.bottom + 2; // closed, not its list
            EXPECT_FALSE(IntersectRect(&both, &r, &o)) << "overlaps control " << GetDlgCtrlID(other);
        }
    }
    ReleaseDC(window->hwnd(), dc);
}

TEST_F(WindowTest, ControlsAndModelFollowEachOther) {
    // A click ticks the model; the model's grey value shows as the grey box.
    Click(window->ChkWindow(67));
    EXPECT_EQ(form.chk(67), form::kTicked);
    EXPECT_EQ(SendMessageW(window->ChkWindow(67), BM_GETCHECK, 0, 0), BST_CHECKED);
    form.SetChk(67, form::kGrey);
    EXPECT_EQ(SendMessageW(window->ChkWindow(67), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    Click(window->ChkWindow(67)); // grey, clicked, is ticked
    EXPECT_EQ(form.chk(67), form::kTicked);

    // The combos start on item 0 (the window's load) and report a choice back.
    const HWND combo3 = window->Control(appwin::kIdCombo3);
    EXPECT_EQ(SendMessageW(combo3, CB_GETCURSEL, 0, 0), 0);
    form.SetCombo3(1);
    EXPECT_EQ(SendMessageW(combo3, CB_GETCURSEL, 0, 0), 1);

    // Option buttons: one selected, the model's.
    Click(window->Control(appwin::kIdOpt + 3));
    EXPECT_TRUE(form.Opt(3));
    EXPECT_FALSE(form.Opt(0));
    EXPECT_EQ(SendMessageW(window->Control(appwin::kIdOpt + 0), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // The download folder: typed text reaches the model, the model's text the box, without echo.
    const HWND path = window->Control(appwin::kIdTxtPath);
    SetWindowTextW(path, L"D:\\下载");
    EXPECT_EQ(form.txtPath(), "D:\\下载");
    form.SetTxtPath("C:\\Downloads");
    EXPECT_EQ(Text(path), "C:\\Downloads");

    // Check-box lists: a space flips the current item through the model.
    const HWND hide = window->Control(appwin::kIdLstHide);
    EXPECT_EQ(SendMessageW(hide, LB_GETCOUNT, 0, 0), form::kDriveCount);
    SendMessageW(hide, LB_SETCURSEL, 2, 0);
    SendMessageW(hide, WM_CHAR, L' ', 0);
    EXPECT_TRUE(form.lstHide().ticked[2]);
    form.SetHide(2, false);
    form.SetHide(25, true);
    EXPECT_FALSE(appwin::CheckListTick(hide, 2));
    EXPECT_TRUE(appwin::CheckListTick(hide, 25));

    // A service item chosen shows its whole text below the list.
    const HWND services = window->Control(appwin::kIdLstService);
    EXPECT_EQ(SendMessageW(services, LB_GETCOUNT, 0, 0), form::kServiceCount);
    EXPECT_EQ(Text(window->Control(appwin::kIdLblInfo)), std::string(lang::ServiceItem(0, lang::Language::Chinese)));
    SendMessageW(services, LB_SETCURSEL, 17, 0);
    SendMessageW(window->Panel(PanelId::Service).hwnd(), WM_COMMAND, MAKEWPARAM(appwin::kIdLstService, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(services));
    EXPECT_EQ(Text(window->Control(appwin::kIdLblInfo)), std::string(lang::ServiceItem(17, lang::Language::Chinese)));
}

TEST_F(WindowTest, WhatHasNoEffectHereIsDisabledAndKeepsItsTick) {
    // Wine has no dllcache, and of the services page's services only these four.
    const HWND purge = window->ChkWindow(form::kPurgeSystemCache);
    EXPECT_FALSE(IsWindowEnabled(purge));
    EXPECT_TRUE(IsWindowEnabled(window->ChkWindow(form::kNoSystemRestore)));
    form.SetChk(form::kPurgeSystemCache, form::kTicked);
    EXPECT_EQ(SendMessageW(purge, BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(purge);
    EXPECT_EQ(form.chk(form::kPurgeSystemCache), form::kTicked);
    const HWND services = window->Control(appwin::kIdLstService);
    for (int i = 0; i < form::kServiceCount; ++i) {
        const std::string name = form::kServices[i].name;
        const bool wine = name == "wuauserv" || name == "Spooler" || name == "lanmanserver" || name == "Schedule";
        EXPECT_EQ(appwin::CheckListGrey(services, i), !wine) << name;
    }
    // 推荐 leaves what has no effect here alone: RDSessMgr is not in Wine, wuauserv is.
    Click(Button(form::Button::Suggest));
    EXPECT_EQ(form.chk(form::kNoRemoteAssistance), form::kCleared);
    EXPECT_EQ(form.chk(form::kNoAutoUpdateService), form::kTicked);
}

TEST_F(WindowTest, AccessKeysPressTheirButtons) {
    form.SetChk(3, form::kTicked);
    // Alt+C is cmdRedo ("重置(&C)"): it clears every option.
    MSG msg{window->ButtonWindow(form::Button::System), WM_SYSCHAR, L'c', 0x20000000, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageW(window->hwnd(), &msg));
    Pump();
    EXPECT_EQ(form.chk(3), form::kCleared);
    // Alt+S is cmdSuggest ("推荐(&S)"): the system page's recommendation ticks something.
    msg.wParam = L's';
    EXPECT_TRUE(IsDialogMessageW(window->hwnd(), &msg));
    Pump();
    int ticked = 0;
    for (int i = 0; i < form::kChkCount; ++i)
        ticked += form.Ticked(i) ? 1 : 0;
    EXPECT_GT(ticked, 0);
}

TEST_F(WindowTest, TabMovesThroughTheButtonsAndIntoThePage) {
    SetForegroundWindow(window->hwnd());
    SetFocus(Button(form::Button::Auto));
    ASSERT_EQ(GetFocus(), Button(form::Button::Auto));
    auto tab = [&] {
        MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        EXPECT_TRUE(IsDialogMessageW(window->hwnd(), &msg));
        Pump();
        return GetFocus();
    };
    EXPECT_EQ(tab(), Button(form::Button::System));
    EXPECT_EQ(tab(), Button(form::Button::Security));
    for (int i = 0; i < 4; ++i)
        tab(); // Startup, Wight, Service, then the page on screen
    EXPECT_EQ(GetAncestor(GetFocus(), GA_PARENT), window->Panel(PanelId::Container4).hwnd()); // Combo2
}

// Counts the paints of one window: the progress bar during a pass.
// Counts the mouse buttons a control was given, so that input lost by Wine on its way to the
// window is told apart from a click the program lost.
struct ButtonCounter {
    static inline int downs = 0;
    static inline WNDPROC original = nullptr;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_LBUTTONDOWN) ++downs;
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
};

struct PaintCounter {
    static inline int paints = 0;
    static inline WNDPROC original = nullptr;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_PAINT && IsWindowVisible(hwnd)) ++paints;
        return CallWindowProcW(original, hwnd, msg, wp, lp);
    }
};

DWORD ReadDword(HKEY root, const wchar_t* subkey, const wchar_t* name, bool* found) {
    *found = false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    DWORD value = 0, type = 0, size = sizeof value;
    *found = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
             type == REG_DWORD;
    RegCloseKey(key);
    return value;
}

TEST_F(WindowTest, OptimizeOnTheSystemPageWritesDisableSRAndShowsProgress) {
    const wchar_t* key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";
    HKEY open = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, &open) == ERROR_SUCCESS) {
        RegDeleteValueW(open, L"DisableSR");
        RegCloseKey(open);
    }
    Click(window->ChkWindow(67));
    ASSERT_TRUE(form.Ticked(67));

    const HWND shape2 = window->Control(appwin::kIdShape2);
    ASSERT_NE(shape2, nullptr);
    PaintCounter::paints = 0;
    PaintCounter::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(shape2, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintCounter::Proc)));

    Click(Button(form::Button::Optimize));

    SetWindowLongPtrW(shape2, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaintCounter::original));
    bool found = false;
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, key, L"DisableSR", &found), 1u);
    EXPECT_TRUE(found);
    // The bar was painted at its checkpoints while the pass ran, and is gone at its end.
    EXPECT_GE(PaintCounter::paints, 3);
    EXPECT_FALSE(IsWindowVisible(shape2));
    for (int b = 0; b < form::kButtonCount; ++b)
        EXPECT_TRUE(IsWindowEnabled(window->ButtonWindow(static_cast<form::Button>(b)))) << b;
}

// Wine's sc cannot set a start type: every step of a services pass fails, and the window says so
// and names them. The security page asks nothing of sc, and everything there succeeds under Wine.
TEST_F(WindowTest, APassSaysHowManyEffectsFailedAndWhich) {
    Click(Button(form::Button::Service));
    form.SetService(0, true);
    Click(Button(form::Button::Optimize));
    // Wine has four of the page's services (the rest are skipped as not there), and its sc config
    // fails for each.
    EXPECT_EQ(Text(window->Control(appwin::kIdLblWait)), "优化结束，4 项未成功");
    const std::vector<std::string> seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].starts_with("优化结果|优化结束，4 项未成功：\nstart sc \\\\. config wuauserv start= demand："))
        << seen[0];
    EXPECT_NE(seen[0].find("本次的日志和撤销记录保存在 undo 文件夹中："), std::string::npos);

    boxes.Forget();
    Click(Button(form::Button::Security));
    Click(window->ChkWindow(form::kNoTaskManager));
    Click(window->ChkWindow(form::kNoRunItem));
    Click(Button(form::Button::Optimize));
    EXPECT_EQ(Text(window->Control(appwin::kIdLblWait)), "优化完成!请重新启动计算机");
    EXPECT_EQ(boxes.Seen(), std::vector<std::string>{});
}

// What a modal window of the program's own held when a hook read it: its title, its edit box's text,
// the text copied from it, and whether Esc closed it.
struct ModalSeen {
    std::string title, text, copied;
    bool resizable = false, closedByEsc = false;
};

HWND shownModal = nullptr;

// Should Esc not close a modal window, the test must not hang.
void CALLBACK CloseLeftModal(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (IsWindow(shownModal)) DestroyWindow(shownModal);
}

// Reads the text window the next click shows, selects and copies its text, then presses Esc in it.
ModalSeen ReadTextWindow(MainWindow& window, HWND button) {
    ModalSeen seen;
    HWND& shown = shownModal;
    window.SetModalHook([&](HWND w) {
        shown = w;
        wchar_t title[256] = L"";
        GetWindowTextW(w, title, 256);
        seen.title = win32::Narrow(title);
        seen.resizable = (GetWindowLongW(w, GWL_STYLE) & WS_THICKFRAME) != 0;
        const HWND edit = FindWindowExW(w, nullptr, L"EDIT", nullptr);
        seen.text = win32::GetText(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_COPY, 0, 0);
        if (OpenClipboard(w)) {
            if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                seen.copied = win32::Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        SetTimer(nullptr, 0, 5000, CloseLeftModal);
    });
    SendMessageW(button, BM_CLICK, 0, 0);
    seen.closedByEsc = !IsWindow(shown);
    window.SetModalHook({});
    return seen;
}

std::vector<std::string> LinesMarked(const std::string& text, const std::string& mark) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        if (text.compare(start, mark.size(), mark) == 0)
            lines.push_back(text.substr(start + mark.size() + 2, end - start - mark.size() - 2));
    }
    return lines;
}

// Right after a pass, the preview of the same ticks finds nothing to change; one value changed on
// the machine makes exactly its line change. Wine has neither RDSessMgr nor ERSvc: their sc steps
// cannot be known.
TEST_F(WindowTest, PreviewShowsWhatAPressWouldChange) {
    Click(window->ChkWindow(form::kNoSystemRestore));
    Click(window->ChkWindow(form::kAutoEndTasks));
    Click(Button(form::Button::Optimize));
    const HWND previewButton = window->Control(appwin::kIdPreview);
    ModalSeen seen = ReadTextWindow(*window, previewButton);
    EXPECT_EQ(seen.title, "预览：按下“优化”将对本机做的更改");
    EXPECT_TRUE(seen.text.starts_with("将更改 0 项；")) << seen.text;
    EXPECT_EQ(LinesMarked(seen.text, "[将更改]"), std::vector<std::string>{});
    // The services Wine lacks (RDSessMgr, ERSvc) are skipped, not left to chance.
    EXPECT_EQ(LinesMarked(seen.text, "[无法预知]"), std::vector<std::string>{});
    EXPECT_EQ(seen.copied, seen.text);
    EXPECT_TRUE(seen.resizable && seen.closedByEsc);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore", 0,
                            KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const DWORD other = 7;
    RegSetValueExW(key, L"DisableSR", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&other), sizeof other);
    RegCloseKey(key);
    seen = ReadTextWindow(*window, previewButton);
    EXPECT_TRUE(seen.text.starts_with("将更改 1 项；")) << seen.text;
    EXPECT_EQ(LinesMarked(seen.text, "[将更改]"),
              std::vector<std::string>{
                  "write HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore|DisableSR|"
                  "dword|00000001"});
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
}

// The key as Wine's own "reg export" writes it, or "absent".
std::string Export(sysaccess::System& sys, const std::string& key) {
    const std::string file = sys.ProgramFolder() + "\\window-test-export.txt";
    if (!sys.Run("reg export \"" + key + "\" \"" + file + "\" /y", sysaccess::RunMode::Wait).ok()) return "absent";
    return sys.ReadFile(file).value_or("unreadable");
}

// What the history window showed: its title, its rows before and after the undo, the chosen row's
// details, whether its button could be pressed.
struct HistorySeen {
    std::string title, details;
    std::vector<std::string> rows, rowsAfter;
    bool actionEnabled = false;
};

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::wstring row(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
        rows.push_back(win32::Narrow(row.c_str()));
    }
    return rows;
}

// After a system-page pass, 撤销 on the newest journal leaves every key the pass touched as Wine's
// reg export wrote it before (the program's own key aside), says what it did, and the row says it
// is undone.
TEST_F(WindowTest, UndoFromTheHistoryRestoresEveryKeyThePassTouched) {
    for (const form::Option& o : form::kOptions) {
        if (o.page == form::Page::System && o.chk != form::kShortDiskCheck) form.SetChk(o.chk, form::kTicked);
    }
    std::map<std::string, std::string> before;
    const undo::Targets targets = undo::PlanTargets(form, sys, optimize::cmdOptimize);
    for (const auto& [key, name] : targets.values)
        before.emplace(key, "");
    for (const std::string& key : targets.trees)
        before.emplace(key, "");
    std::erase_if(before, [](const auto& k) { return k.first.starts_with("HKEY_LOCAL_MACHINE\\SOFTWARE\\Sysvela"); });
    ASSERT_GT(before.size(), 5u);
    for (auto& [key, text] : before)
        text = Export(sys, key);
    Click(Button(form::Button::Optimize));
    std::size_t changed = 0;
    for (const auto& [key, text] : before)
        changed += Export(sys, key) != text ? 1 : 0;
    ASSERT_GT(changed, 0u);
    boxes.Forget();

    HistorySeen seen;
    HWND& shown = shownModal;
    window->SetModalHook([&](HWND w) {
        shown = w;
        wchar_t title[256] = L"";
        GetWindowTextW(w, title, 256);
        seen.title = win32::Narrow(title);
        const HWND list = GetDlgItem(w, appwin::kListRowsId);
        seen.rows = ListRows(list);
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(appwin::kListRowsId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        seen.details = win32::GetText(GetDlgItem(w, appwin::kListDetailsId));
        seen.actionEnabled = IsWindowEnabled(GetDlgItem(w, appwin::kListActionId)) != FALSE;
        SendMessageW(GetDlgItem(w, appwin::kListActionId), BM_CLICK, 0, 0); // the result's box is answered
        seen.rowsAfter = ListRows(list);
        PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
        SetTimer(nullptr, 0, 5000, CloseLeftModal);
    });
    SendMessageW(window->Control(appwin::kIdUndo), BM_CLICK, 0, 0);
    window->SetModalHook({});
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(seen.title, "优化记录与撤销");
    ASSERT_FALSE(seen.rows.empty());
    EXPECT_NE(seen.rows[0].find("  [系统优化]  "), std::string::npos) << seen.rows[0];
    EXPECT_TRUE(seen.details.starts_with("撤销将按下面的注册表内容恢复，记录文件：")) << seen.details;
    EXPECT_TRUE(seen.actionEnabled);
    const std::vector<std::string> said = boxes.Seen();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_TRUE(said[0].starts_with("撤销结果|撤销完成。")) << said[0];
    ASSERT_EQ(seen.rowsAfter.size(), seen.rows.size() + 1);
    EXPECT_NE(seen.rowsAfter[0].find("  撤销 "), std::string::npos) << seen.rowsAfter[0];
    EXPECT_TRUE(seen.rowsAfter[1].ends_with("已撤销")) << seen.rowsAfter[1];
    for (const auto& [key, text] : before)
        EXPECT_EQ(Export(sys, key), text) << key;
    EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
    EXPECT_TRUE(IsWindowEnabled(window->Control(appwin::kIdUndo)));
}

// What the screen shows of a window and its children, in its client coordinates.
std::vector<std::uint32_t> ScreenOf(HWND hwnd, int width, int height) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::WindowDc screen(nullptr);
    win32::Bitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win32::MemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!dib || !memory || bits == nullptr) return {};
    win32::Selection selected(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const std::uint32_t*>(bits);
    return {quads, quads + static_cast<std::size_t>(width) * static_cast<std::size_t>(height)};
}

// On every page, 预览 and 撤销 change no pixel outside their own places, overlap no other control,
// and lblWait at its longest text ends 6 px before 撤销.
TEST_F(WindowTest, TheTwoNewButtonsLeaveTodaysWindowAsItWas) {
    const HWND main = window->Panel(PanelId::Main).hwnd();
    const HWND extra[] = {window->Control(appwin::kIdPreview), window->Control(appwin::kIdUndo)};
    RECT client{};
    GetClientRect(main, &client);
    for (const form::PageRecord& page : form::kPages) {
        SCOPED_TRACE(page.word);
        Click(Button(page.button));
        const std::vector<std::uint32_t> with = ScreenOf(main, client.right, client.bottom);
        for (const HWND b : extra)
            ShowWindow(b, SW_HIDE);
        const std::vector<std::uint32_t> without = ScreenOf(main, client.right, client.bottom);
        ASSERT_EQ(with.size(), without.size());
        ASSERT_FALSE(with.empty());
        for (const HWND b : extra)
            ShowWindow(b, SW_SHOWNA);
        std::size_t differ = 0, drawn = 0; // drawn: the buttons' own pixels, so the capture sees controls
        RECT where{client.right, client.bottom, 0, 0};
        for (int y = 0; y < client.bottom; ++y) {
            for (int x = 0; x < client.right; ++x) {
                bool inside = false;
                for (const HWND b : extra) {
                    const RECT r = RectIn(b, main);
                    inside |= x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                }
                const std::size_t i = static_cast<std::size_t>(y * client.right + x);
                drawn += inside && with[i] != without[i] ? 1 : 0;
                if (inside || with[i] == without[i]) continue;
                ++differ;
                where = {std::min<LONG>(where.left, x), std::min<LONG>(where.top, y), std::max<LONG>(where.right, x),
                         std::max<LONG>(where.bottom, y)};
            }
        }
        EXPECT_GT(drawn, 100u);
        EXPECT_EQ(differ, 0u) << "within " << where.left << "," << where.top << " - " << where.right << ","
                              << where.bottom;
        for (HWND other = GetWindow(main, GW_CHILD); other != nullptr; other = GetWindow(other, GW_HWNDNEXT)) {
            if (!IsWindowVisible(other) || other == extra[0] || other == extra[1]) continue;
            for (const HWND b : extra) {
                const RECT r = RectIn(b, main), o = RectIn(other, main);
                RECT both{};
                EXPECT_FALSE(IntersectRect(&both, &r, &o)) << GetDlgCtrlID(b) << " overlaps " << GetDlgCtrlID(other);
            }
        }
    }
    const HWND lblWait = window->Control(appwin::kIdLblWait);
    for (const std::string& longest :
         {std::string(form.Text(lang::Str::Done)), lang::Format(lang::Str::PassFailed, form.Language(), {"9999"})}) {
        form.SetLblWait(longest);
        Pump();
        EXPECT_EQ(Text(lblWait), longest);
        EXPECT_LE(RectIn(lblWait, main).right + 6, RectIn(extra[1], main).left) << longest;
    }
}

// The tip found at a point of a control (its client coordinates), read back whole.
std::string TipAt(HWND tooltip, HWND control, POINT at) {
    static wchar_t text[1024];
    TTHITTESTINFOW hit{};
    hit.hwnd = control;
    hit.pt = at;
    hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!SendMessageW(tooltip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return "(no tool)";
    text[0] = L'\0';
    hit.ti.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&hit.ti));
    return win32::Narrow(text);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Each box, service item and startup entry has a tip of its own: the state now, then what a tick
// and a clear do; an entry, where it starts from. A pass changes what the tips say.
TEST_F(WindowTest, EachOptionTellsItsStateAndEffects) {
    PumpUntilStatesRead(); // the tooltip window comes with the first states
    const HWND tooltip = window->Tooltips().hwnd();
    ASSERT_NE(tooltip, nullptr);
    for (const form::Option& o : form::kOptions) {
        SCOPED_TRACE(o.chk);
        const HWND box = window->ChkWindow(o.chk);
        RECT r{};
        GetClientRect(box, &r);
        const std::string tip = TipAt(tooltip, box, Centre(r));
        EXPECT_TRUE(tip.starts_with("当前状态：已生效\r\n") || tip.starts_with("当前状态：未生效\r\n") ||
                    tip.starts_with("当前状态：部分生效\r\n") || tip.starts_with("当前状态：无法读取\r\n") ||
                    tip.starts_with("当前状态：不适用（"))
            << tip;
        EXPECT_NE(tip.find("\r\n风险："), std::string::npos) << tip;
        EXPECT_NE(tip.find("\r\n勾选时："), std::string::npos) << tip;
        EXPECT_NE(tip.find("\r\n不勾选时："), std::string::npos) << tip;
    }
    const HWND restore = window->ChkWindow(form::kNoSystemRestore);
    RECT r{};
    GetClientRect(restore, &r);
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";
    const std::string effects = "\r\n勾选时：\r\nwrite " + key + "|DisableSR|dword|00000001\r\n不勾选时：\r\nwrite " +
                                key + "|DisableSR|dword|00000000";
    const form::Fact& fact = form::OptionFact(form::kNoSystemRestore);
    const std::string about = "\r\n" + fact.explanation + "\r\n风险：高，" + fact.riskReason;
    Click(restore);
    Click(Button(form::Button::Optimize));
    PumpUntilStatesRead();
    EXPECT_EQ(TipAt(tooltip, restore, Centre(r)), "当前状态：已生效" + about + effects);
    Click(restore);
    Click(Button(form::Button::Optimize));
    PumpUntilStatesRead();
    EXPECT_EQ(TipAt(tooltip, restore, Centre(r)), "当前状态：未生效" + about + effects);

    const HWND services = window->Control(appwin::kIdLstService);
    for (int i : {0, form::kServiceCount - 1}) {
        RECT item{};
        SendMessageW(services, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        const std::string tip = TipAt(tooltip, services, Centre(item));
        EXPECT_NE(tip.find("\r\n勾选时：\r\nstart sc \\\\. config " + std::string(form::kServices[i].name) +
                           " start= disabled\r\n"),
                  std::string::npos)
            << tip;
    }

    HKEY run = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &run, nullptr),
              ERROR_SUCCESS);
    const wchar_t command[] = L"\"C:\\Program Files\\提示\\tip.exe\" /quiet";
    RegSetValueExW(run, L"提示测试", 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof command);
    Click(Button(form::Button::Startup));
    PumpUntilStatesRead();
    RegDeleteValueW(run, L"提示测试");
    RegCloseKey(run);
    const HWND startup = window->Control(appwin::kIdLstStartup);
    const int index = static_cast<int>(
        SendMessageW(startup, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"提示测试")));
    ASSERT_GE(index, 0);
    RECT item{};
    SendMessageW(startup, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(TipAt(tooltip, startup, Centre(item)),
              "启动位置：HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"
              "\"C:\\Program Files\\提示\\tip.exe\" /quiet");
}

TEST_F(WindowTest, InputDuringAPassWaitsUntilItHasEnded) {
    // A real click on a box queued, then the pass: the pass must not see the box change under
    // it, and the click must not be lost either. The security page: nothing fails there under
    // Wine, so no message box follows the pass.
    Click(Button(form::Button::Security));
    SetForegroundWindow(window->hwnd());
    Pump();
    constexpr int kBox = form::kNoFolderOptions;
    const HWND box = window->ChkWindow(kBox);
    RECT rect{};
    GetWindowRect(box, &rect);
    INPUT input[3] = {};
    for (INPUT& i : input)
        i.type = INPUT_MOUSE;
    input[0].mi.dx = (rect.left + 6) * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input[0].mi.dy = (rect.top + rect.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ButtonCounter::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonCounter::Proc)));
    const auto pumpFor = [](DWORD ms, auto done) {
        for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < ms; Sleep(10))
            Pump();
    };
    // 64-bit Wine on Xvfb now and then drops an injected click before any window sees it: only
    // then is the click sent again.
    for (int attempt = 0; attempt < 3 && ButtonCounter::downs == 0; ++attempt) {
        // The pointer goes first and is given time to get there: Wine moves the X pointer too,
        // and a late report of that move would otherwise fall between the button's down and up.
        ASSERT_EQ(SendInput(1, input, sizeof(INPUT)), 1u);
        pumpFor(200, [] { return false; });
        ASSERT_EQ(SendInput(2, input + 1, sizeof(INPUT)), 2u);

        SendMessageW(Button(form::Button::Optimize), BM_CLICK, 0, 0); // the whole pass, before any pump
        EXPECT_EQ(form.chk(kBox), form::kCleared);
        EXPECT_EQ(Text(window->Control(appwin::kIdLblWait)), kDoneText);
        // Injected input goes through the X server and may reach the queue after the pass.
        pumpFor(3000, [&] { return form.chk(kBox) == form::kTicked; });
    }
    SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ButtonCounter::original));
    ASSERT_GT(ButtonCounter::downs, 0) << "the injected click never reached the check box";
    EXPECT_EQ(form.chk(kBox), form::kTicked);
}

} // namespace
