#include "app/win32/view.h"

#include <shlobj.h>

#include <vector>

#include "app/history.h"
#include "app/preview.h"
#include "app/shell.h"
#include "app/win32/controls.h"
#include "optimize/pass.h"
#include "presets/presets.h"
#include "ui/panel/layout_description.h"
#include "version/version.h"
#include "win32/controls.h"
#include "win32/text.h"

namespace appwin {

namespace {

using Operation = void (*)(form::Context&);

// The click of each main button that is not a page button; a page button shows its page.
struct Command {
    form::Button button;
    Operation click;
};
constexpr Command kCommands[] = {
    {form::Button::Redo, presets::cmdRedo},     {form::Button::Suggest, presets::cmdSuggest},
    {form::Button::Optimize, app::cmdOptimize}, {form::Button::Exit, app::cmdExit},
    {form::Button::Auto, app::cmdAuto},
};
static_assert(std::size(kCommands) + form::kPageCount == form::kButtonCount,
              "kCommands: every main button but the pages'");

constexpr wchar_t kShapeClass[] = L"SysvelaShape";     // a filled rectangle: Shape2
constexpr wchar_t kPictureClass[] = L"SysvelaPicture"; // a bitmap: the banner

bool IsPushButton(HWND hwnd) {
    wchar_t cls[16] = L"";
    GetClassNameW(hwnd, cls, 16);
    return lstrcmpiW(cls, L"BUTTON") == 0 && (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

SIZE TextSize(HFONT font, const std::wstring& text) {
    win32::WindowDc screen(nullptr);
    win32::Selection selected(screen.get(), font);
    SIZE size{0, 0};
    if (!text.empty()) GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    if (size.cy < tm.tmHeight) size.cy = tm.tmHeight;
    return size;
}

LRESULT CALLBACK ShapeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) {
        win32::PaintDc dc(hwnd);
        RECT r{};
        GetClientRect(hwnd, &r);
        SetDCBrushColor(dc.get(), static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT) {
        win32::PaintDc dc(hwnd);
        RECT r{};
        GetClientRect(hwnd, &r);
        const auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        BITMAP info{};
        win32::MemoryDc memory(CreateCompatibleDC(dc.get()));
        if (bitmap != nullptr && memory && GetObjectW(bitmap, sizeof info, &info) != 0) {
            win32::Selection selected(memory.get(), bitmap);
            SetStretchBltMode(dc.get(), HALFTONE);
            SetBrushOrgEx(dc.get(), 0, 0, nullptr);
            StretchBlt(dc.get(), 0, 0, r.right, r.bottom, memory.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        } else {
            FillRect(dc.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC proc, HICON icon = nullptr) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, name, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

win32::Bitmap LoadBitmapResource(HINSTANCE instance, int id) {
    return win32::Bitmap(
        static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// The banner in the window's language: the English one is the banner with its English subtitle laid
// over the Chinese, in a bitmap of its own colours.
win32::Bitmap LoadBanner(HINSTANCE instance, lang::Language language) {
    win32::Bitmap banner = LoadBitmapResource(instance, kBannerId);
    if (language != lang::Language::English || !banner) return banner;
    const win32::Bitmap subtitle = LoadBitmapResource(instance, kBannerEnglishId);
    BITMAP size{}, subtitleSize{};
    if (!subtitle || GetObjectW(banner.get(), sizeof size, &size) == 0 ||
        GetObjectW(subtitle.get(), sizeof subtitleSize, &subtitleSize) == 0)
        return banner;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = size.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::Bitmap english(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win32::MemoryDc to(CreateCompatibleDC(nullptr)), from(CreateCompatibleDC(nullptr));
    if (!english || !to || !from) return banner;
    {
        win32::Selection target(to.get(), english.get());
        {
            win32::Selection source(from.get(), banner.get());
            BitBlt(to.get(), 0, 0, size.bmWidth, size.bmHeight, from.get(), 0, 0, SRCCOPY);
        }
        win32::Selection source(from.get(), subtitle.get());
        BitBlt(to.get(), kBannerSubtitleLeft, kBannerSubtitleTop, subtitleSize.bmWidth, subtitleSize.bmHeight,
               from.get(), 0, 0, SRCCOPY);
    }
    return english;
}

// Mouse and keyboard messages: they wait in the queue while an operation runs.
constexpr UINT kQueueWithoutInput = PM_REMOVE | PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE;

} // namespace

MainWindow::MainWindow(form::MainForm& form, sysaccess::System& sys, HINSTANCE instance)
    : form_(form), sys_(sys), ctx_{form, sys, *this}, instance_(instance) {}

MainWindow::~MainWindow() {
    form_.SetObserver({});
    sys_.SetIdleHook({});
    for (auto it = panels_.rbegin(); it != panels_.rend(); ++it)
        it->reset();
    if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (com_) CoUninitialize();
}

RECT MainWindow::Pixels(const Twips& t) const {
    const int left = Px(t.left);
    const int top = Px(t.top);
    return RECT{left, top, left + Px(t.width), top + Px(t.height)};
}

HWND MainWindow::Control(int id) const {
    if (hwnd_ == nullptr) return nullptr; // EnumChildWindows(nullptr) would walk every window
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    struct Visit {
        static BOOL CALLBACK Child(HWND child, LPARAM lp) {
            auto* s = reinterpret_cast<Search*>(lp);
            if (GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        }
    };
    EnumChildWindows(hwnd_, Visit::Child, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool MainWindow::Create() {
    dpi_ = win32::ScreenDpi();
    font_ = win32::CreateUiFont(form_.Language(), 90, false, dpi_);
    captionFont_ = win32::CreateUiFont(form_.Language(), 105, true, dpi_);
    optBrush_ = win32::Brush(CreateSolidBrush(kOptBackColor));
    banner_ = LoadBanner(instance_, form_.Language());

    const HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(kIconId));
    RegisterClassOnce(instance_, kWindowClass, Proc, icon);
    RegisterClassOnce(instance_, kShapeClass, ShapeProc);
    RegisterClassOnce(instance_, kPictureClass, PictureProc);
    panelwin::PanelWindow::Register(instance_);

    // Centred on the work area; no border and no title bar: XPCMain's header is the title.
    const int width = Px(kWindowWidth);
    const int height = Px(kWindowHeight);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, kWindowClass, kWindowTitle,
                            WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                            nullptr, instance_, this);
    if (hwnd_ == nullptr) return false;
    // The version has no place on the pages: it is the last line of the system menu (Alt+Space,
    // or the taskbar button's menu), greyed, as text to read.
    if (const HMENU menu = GetSystemMenu(hwnd_, FALSE)) {
        const std::wstring line = win32::Widen(std::string("Sysvela ") + version::Text());
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING | MF_GRAYED, kIdVersionMenuItem, line.c_str());
    }

    startPage_ = form_.VisiblePage();
    CreateMainControls();
    SyncAll();
    form_.SetObserver([this](const form::Change& c) { Observe(c); });
    sys_.SetIdleHook([this] { PumpWithoutInput(); });
    return true;
}

void MainWindow::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    RequestStates(); // after the first paint, which it does not delay
    SetFocus(buttons_[static_cast<std::size_t>(form::Button::System)]);
}

HWND MainWindow::MakeLabel(HWND parent, int id, int left, int top, const std::string& text, HFONT font) {
    const SIZE size = TextSize(font, win32::Widen(text));
    return win32::CreateChild(parent, L"STATIC", id, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                              {left, top, left + size.cx + 2, top + size.cy}, text, font);
}

void MainWindow::SetLabel(HWND label, const std::string& utf8, bool autosize) {
    const std::wstring text = win32::Widen(utf8);
    if (autosize) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
        const SIZE size = TextSize(font, text);
        SetWindowPos(label, nullptr, 0, 0, size.cx + 2, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowTextW(label, text.c_str());
}

void MainWindow::CreateMainControls() {
    auto panelOf = [this](PanelId id) { return panels_[static_cast<std::size_t>(id)]->hwnd(); };
    auto makePanel = [this, &panelOf](PanelId id) {
        const PanelSpec& spec = kPanels[static_cast<std::size_t>(id)];
        const HWND parent = id == PanelId::Main ? hwnd_ : panelOf(spec.parent);
        const bool isPage = spec.parent == PanelId::Main && id != PanelId::Main;
        auto panel = panelwin::PanelWindow::Create(parent, kIdPanel + static_cast<int>(id), Pixels(spec.place), !isPage,
                                                   id == PanelId::Main);
        if (!panel) return;
        if (const panel::PanelDescription* saved = panel::MainWindowLayout().Find(spec.name)) {
            panel->Model().ReadProperties(saved->bag);
        } else {
            panel->Model().SetStyle(spec.style);
            panel->Model().SetTheme(spec.theme);
        }
        panel->SetLanguage(form_.Language());
        panel->SetCaption(id == PanelId::Main ? form_.Header() : panel->Model().Caption());
        panels_[static_cast<std::size_t>(id)] = std::move(panel);
    };

    makePanel(PanelId::Main);
    if (!panels_[0]) return;
    const HWND main = panelOf(PanelId::Main);
    auto makeButton = [&](const ButtonSpec& b) {
        buttons_[static_cast<std::size_t>(b.button)] = CreatePushButton(
            main, kIdButton + static_cast<int>(b.button), Pixels(b.place), form_.Text(b.caption), font_.get());
    };
    // Tab order follows the layout: the buttons above the pages, the page on screen, the buttons below.
    const int pagesTop = kPanels[static_cast<std::size_t>(PagePanel(form::Page::System))].place.top;
    for (const ButtonSpec& b : kButtons) {
        if (b.place.top < pagesTop) makeButton(b);
    }
    for (const PanelSpec& spec : kPanels) {
        if (spec.id != PanelId::Main) makePanel(spec.id);
    }
    // Then the buttons below: 预览 follows 优化(O), 撤销 comes before 退出(E).
    auto makeExtra = [&](const ExtraButtonSpec& b, int id) {
        return CreatePushButton(main, id, Pixels(b.place), form_.Text(b.caption), font_.get());
    };
    for (const ButtonSpec& b : kButtons) {
        if (b.place.top < pagesTop) continue;
        if (b.button == form::Button::Exit) undo_ = makeExtra(kUndoButton, kIdUndo);
        makeButton(b);
        if (b.button == form::Button::Optimize) preview_ = makeExtra(kPreviewButton, kIdPreview);
    }

    const RECT cap = Pixels(kLblCaptionPlace);
    lblCaption_ = MakeLabel(main, kIdLblCaption, cap.left, cap.top, form_.lblCaption(), captionFont_.get());
    const RECT wait = Pixels(kLblWaitPlace);
    lblWait_ = MakeLabel(main, kIdLblWait, wait.left, wait.top, form_.lblWait(), font_.get());
    shape2_ =
        win32::CreateChild(main, kShapeClass, kIdShape2, WS_CHILD,
                           {Px(kShape2Left), Px(kShape2Top), Px(kShape2Left) + 1, Px(kShape2Top) + Px(kShape2Height)},
                           {}, nullptr, instance_);
    SetWindowLongPtrW(shape2_, GWLP_USERDATA, static_cast<LONG_PTR>(kShape2FillColor));

    CreateSystemPage();
    CreateLabels(false);
    CreateListPages(false);
    CreateCheckColumns(false);
    // Combo3 belongs to kCpuPriority, the first box of the system page: next in the tab order.
    SetWindowPos(combo3_, ChkWindow(form::kCpuPriority), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool MainWindow::Later(PanelId panel) const {
    const PanelId start = PagePanel(startPage_);
    for (PanelId p = panel; p != PanelId::Main; p = kPanels[static_cast<std::size_t>(p)].parent) {
        const PanelSpec& spec = kPanels[static_cast<std::size_t>(p)];
        if (spec.parent == PanelId::Main) return p != start; // a page's panel
    }
    return false; // on no page
}

void MainWindow::CreateLaterControls() {
    if (laterCreated_ || hwnd_ == nullptr || panels_[0] == nullptr) return;
    laterCreated_ = true;
    // Each panel's controls are made in one go and in layout order, so the tab order is as if
    // they had been made with the rest.
    CreateLabels(true);
    CreateListPages(true);
    CreateCheckColumns(true);
    SyncAll();
}

HWND MainWindow::MakeCombo(HWND parent, int id, const Twips& place, const std::array<lang::Str, 2>& items) {
    const RECT r = Pixels(place);
    // The height of a drop-down list is that of its open list.
    const HWND combo =
        win32::CreateChild(parent, L"COMBOBOX", id, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                           {r.left, r.top, r.right, r.bottom + Px(1500)}, {}, font_.get());
    // Closed, the list is as high as its place (the selection field plus its 3-pixel frame).
    const int field = (r.bottom - r.top) - 6;
    if (field > 0) SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    for (const lang::Str item : items)
        win32::AddComboItem(combo, form_.Text(item));
    return combo;
}

void MainWindow::CreateSystemPage() {
    const HWND system = Panel(PanelId::System).hwnd();
    const RECT pic = Pixels(kPicture1Place);
    const HWND picture =
        win32::CreateChild(system, kPictureClass, kIdPicture1, WS_CHILD | WS_VISIBLE, pic, {}, nullptr, instance_);
    SetWindowLongPtrW(picture, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(banner_.get()));
    combo3_ = MakeCombo(system, kIdCombo3, kCombo3Place, kCombo3Items);

    const HWND c5 = Panel(PanelId::Container5).hwnd();
    for (int i = 0; i < form::kOptCount; ++i) {
        const RECT r = Pixels(kOptPlaces[static_cast<std::size_t>(i)]);
        DWORD style = WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON;
        if (i == 0) style |= WS_GROUP | WS_TABSTOP;
        opt_[static_cast<std::size_t>(i)] = win32::CreateChild(
            c5, L"BUTTON", kIdOpt + i, style, r, form_.Text(kOptCaptions[static_cast<std::size_t>(i)]), font_.get());
    }
}

void MainWindow::CreateLabels(bool later) {
    for (std::size_t i = 0; i < std::size(kLabels); ++i) {
        const LabelSpec& l = kLabels[i];
        if (Later(l.panel) != later) continue;
        const HWND parent = Panel(l.panel).hwnd();
        MakeLabel(parent, kIdLabel + static_cast<int>(i), Px(l.left), Px(l.top), form_.Text(l.text), font_.get());
        switch (l.names) {
        case Labelled::Combo2:
            combo2_ = MakeCombo(parent, kIdCombo2, kCombo2Place, kCombo2Items);
            break;
        case Labelled::TxtPath:
            txtPath_ = win32::CreateChild(parent, L"EDIT", kIdTxtPath,
                                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                                          Pixels(kTxtPathPlace), {}, font_.get());
            CreatePushButton(parent, kIdBrowse, Pixels(kBrowsePlace), form_.Text(kBrowseCaption), font_.get());
            break;
        case Labelled::LstHide:
            lstHide_ = CreateCheckList(parent, kIdLstHide, Pixels(kLstHidePlace), font_.get());
            break;
        case Labelled::LstNot:
            lstNot_ = CreateCheckList(parent, kIdLstNot, Pixels(kLstNotPlace), font_.get());
            break;
        case Labelled::None:
            break;
        }
    }
}

void MainWindow::CreateListPages(bool later) {
    if (Later(PanelId::Startup) == later)
        lstStartup_ =
            CreateCheckList(Panel(PanelId::Startup).hwnd(), kIdLstStartup, Pixels(kLstStartupPlace), font_.get());
    if (Later(PanelId::Service) != later) return;
    lstService_ = CreateCheckList(Panel(PanelId::Service).hwnd(), kIdLstService, Pixels(kLstServicePlace), font_.get());
    const RECT info = Pixels(kLblInfoPlace);
    const SIZE line = TextSize(font_.get(), L"");
    // Two lines: the longest descriptions wrap once.
    const int height = info.bottom - info.top > 2 * line.cy ? info.bottom - info.top : 2 * line.cy;
    lblInfo_ = win32::CreateChild(Panel(PanelId::Service).hwnd(), L"STATIC", kIdLblInfo,
                                  WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                  {info.left, info.top, info.right, info.top + height}, {}, font_.get());
}

void MainWindow::CreateCheckColumns(bool later) {
    TEXTMETRICW tm{};
    {
        win32::WindowDc screen(nullptr);
        win32::Selection selected(screen.get(), font_.get());
        GetTextMetricsW(screen.get(), &tm);
    }
    const int boxHeight = Px(kBoxHeight);
    const int maxHeight = Px(kRowStep) - 1;
    int height = tm.tmHeight + 2 > boxHeight ? tm.tmHeight + 2 : boxHeight;
    if (height > maxHeight) height = maxHeight;
    const int boxSide = GetSystemMetrics(SM_CXMENUCHECK);

    for (const CheckColumn& col : kCheckColumns) {
        if (Later(col.panel) != later) continue;
        const HWND parent = Panel(col.panel).hwnd();
        int k = 0;
        for (const int i : form::ColumnOptions(col.page, col.column)) {
            const char* caption = form_.Caption(i);
            // The box with its caption as one control: a click on the caption ticks it, the
            // focus shows, and a screen reader reads the caption.
            const int width = boxSide + 6 + TextSize(font_.get(), win32::Widen(caption)).cx;
            const int top = Px(col.top + col.step * k) - (height - boxHeight) / 2;
            chk_[static_cast<std::size_t>(i)] =
                win32::CreateChild(parent, L"BUTTON", kIdChk + i, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_3STATE,
                                   {Px(col.left), top, Px(col.left) + width, top + height}, caption, font_.get());
            ++k;
        }
    }
}

// --- Model to controls ---------------------------------------------------------------------------

void MainWindow::SyncList(HWND hwnd, const form::CheckList& list, int index) {
    if (hwnd == nullptr) return;
    if (index >= 0 && static_cast<std::size_t>(index) < list.ticked.size() &&
        static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)) == static_cast<int>(list.items.size())) {
        SetCheckListTick(hwnd, index, list.ticked[static_cast<std::size_t>(index)]);
        return;
    }
    std::vector<std::wstring> items;
    items.reserve(list.items.size());
    for (const std::string& item : list.items)
        items.push_back(win32::Widen(item));
    std::vector<const wchar_t*> texts;
    std::unique_ptr<bool[]> ticks(new bool[items.size() + 1]);
    for (std::size_t i = 0; i < items.size(); ++i) {
        texts.push_back(items[i].c_str());
        ticks[i] = i < list.ticked.size() && list.ticked[i];
    }
    SetCheckListItems(hwnd, static_cast<int>(items.size()), texts.data(), ticks.get());
}

void MainWindow::SyncShape2() {
    int width = Px(form_.Shape2Width());
    if (width < 1) width = 1;
    SetWindowPos(shape2_, HWND_TOP, Px(kShape2Left), Px(kShape2Top), width, Px(kShape2Height),
                 SWP_NOACTIVATE | (form_.Shape2Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void MainWindow::SyncChk(int i) {
    const int v = form_.chk(i);
    SendMessageW(ChkWindow(i), BM_SETCHECK,
                 v == form::kTicked ? BST_CHECKED
                 : v == form::kGrey ? BST_INDETERMINATE
                                    : BST_UNCHECKED,
                 0);
}

void MainWindow::SyncPage() {
    for (const form::PageRecord& page : form::kPages) {
        if (!form_.Visible(page.page)) ShowWindow(Panel(PagePanel(page.page)).hwnd(), SW_HIDE);
    }
    ShowWindow(Panel(PagePanel(form_.VisiblePage())).hwnd(), SW_SHOW);
}

void MainWindow::SyncButtons(int index) {
    for (int b = 0; b < form::kButtonCount; ++b) {
        if (index < 0 || index >= form::kButtonCount || b == index)
            EnableWindow(buttons_[static_cast<std::size_t>(b)], form_.Enabled(static_cast<form::Button>(b)));
    }
}

void MainWindow::Observe(const form::Change& change) {
    syncing_ = true;
    Sync(change);
    syncing_ = false;
    // Under a running operation nothing else would paint until it ends: show each step now.
    if (running_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void MainWindow::Sync(const form::Change& change) {
    const int i = change.index;
    switch (change.field) {
    case form::Field::Chk:
        SyncChk(i);
        break;
    case form::Field::Opt:
        for (int k = 0; k < form::kOptCount; ++k)
            SendMessageW(opt_[static_cast<std::size_t>(k)], BM_SETCHECK, form_.Opt(k) ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case form::Field::Combo2:
        SendMessageW(combo2_, CB_SETCURSEL, static_cast<WPARAM>(form_.Combo2()), 0);
        break;
    case form::Field::Combo3:
        SendMessageW(combo3_, CB_SETCURSEL, static_cast<WPARAM>(form_.Combo3()), 0);
        break;
    case form::Field::TxtPath:
        if (win32::GetText(txtPath_) != form_.txtPath()) win32::SetText(txtPath_, form_.txtPath());
        break;
    case form::Field::LstHide:
        SyncList(lstHide_, form_.lstHide(), i);
        break;
    case form::Field::LstNot:
        SyncList(lstNot_, form_.lstNot(), i);
        break;
    case form::Field::LstService:
        SyncList(lstService_, form_.lstService(), i);
        if (i < 0) {
            for (int k = 0; k < form::kServiceCount; ++k)
                SetCheckListGrey(lstService_, k, !form_.ServiceApplies(k));
        }
        break;
    case form::Field::ServiceApplies:
        SetCheckListGrey(lstService_, i, !form_.ServiceApplies(i));
        break;
    case form::Field::Applies:
        // A box that has no effect on this Windows is disabled; its tick stays, and is saved.
        EnableWindow(ChkWindow(i), form_.Applies(i));
        break;
    case form::Field::LstStartup:
        SyncList(lstStartup_, form_.lstStartup(), i);
        break;
    case form::Field::LblInfo:
        SetLabel(lblInfo_, form_.lblInfo(), false);
        break;
    case form::Field::LblWait:
        SetLabel(lblWait_, form_.lblWait(), true);
        break;
    case form::Field::LblCaption:
        SetLabel(lblCaption_, form_.lblCaption(), true);
        break;
    case form::Field::Header:
        Panel(PanelId::Main).SetCaption(form_.Header());
        break;
    case form::Field::Page:
        SyncPage();
        break;
    case form::Field::ButtonEnabled:
        SyncButtons(i);
        break;
    case form::Field::Shape2:
        SyncShape2();
        break;
    }
}

void MainWindow::SyncAll() {
    for (int i = 0; i < form::kChkCount; ++i) {
        Observe({form::Field::Chk, i});
        Observe({form::Field::Applies, i});
    }
    for (form::Field f : {form::Field::Opt, form::Field::Combo2, form::Field::Combo3, form::Field::TxtPath,
                          form::Field::LstHide, form::Field::LstNot, form::Field::LstService, form::Field::LstStartup,
                          form::Field::LblInfo, form::Field::LblWait, form::Field::LblCaption, form::Field::Header,
                          form::Field::Page, form::Field::ButtonEnabled, form::Field::Shape2})
        Observe({f, -1});
}

// --- Controls to model ---------------------------------------------------------------------------

void MainWindow::RunOperation(const std::function<void(form::Context&)>& operation) {
    if (running_ || form_.Busy()) return;
    const HWND focus = GetFocus();
    // The mouse waits with the rest of the input; the cursor says so until the operation ends.
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    running_ = true;
    EnableExtraButtons(false);
    operation(ctx_);
    EnableExtraButtons(true);
    running_ = false;
    SetCursor(previous);
    RequestStates(); // what the operation changed, or the page it showed
    // The pass disables the button that had the focus; give it back once it is enabled again.
    if (hwnd_ != nullptr && focus != nullptr && IsWindow(focus) && IsWindowEnabled(focus) && IsWindowVisible(focus) &&
        (GetFocus() == nullptr || !IsWindowEnabled(GetFocus())))
        SetFocus(focus);
}

void MainWindow::EnableExtraButtons(bool enabled) {
    for (HWND b : {preview_, undo_}) {
        if (b != nullptr) EnableWindow(b, enabled ? TRUE : FALSE);
    }
}

void MainWindow::RequestStates() {
    if (hwnd_ != nullptr) (void)SetTimer(hwnd_, kTimerReadStates, kReadStatesDelayMs, nullptr);
}

void MainWindow::ReadStates() {
    // The tooltip window comes with the first states, after the first paint, which it would delay.
    // Without it the window works, only without tips.
    if (tooltips_.hwnd() == nullptr) (void)tooltips_.Create(hwnd_, instance_);
    tipsReader_.Read(sys_, form_.Language(), tips_);
    for (int i = 0; i < form::kChkCount; ++i)
        tooltips_.SetControlTip(ChkWindow(i), tips_.chk[static_cast<std::size_t>(i)]);
    tooltips_.SetListTips(lstService_, {tips_.services.begin(), tips_.services.end()});
    std::vector<std::string> startup;
    for (const std::string& item : form_.lstStartup().items)
        startup.push_back(app::StartupTip(form_, sys_, item));
    tooltips_.SetListTips(lstStartup_, startup);
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    CreateLaterControls(); // before anything a command may show or change
    if (syncing_ || running_ || form_.Busy()) return;
    if (id == IDOK) { // Enter: the focused push button, as in a dialog
        const HWND focus = GetFocus();
        if (focus != nullptr && IsPushButton(focus) && IsChild(hwnd_, focus)) SendMessageW(focus, BM_CLICK, 0, 0);
        return;
    }
    if (id >= kIdButton && id < kIdButton + form::kButtonCount && code == BN_CLICKED) {
        const auto button = static_cast<form::Button>(id - kIdButton);
        if (const auto page = form::PageOfButton(button)) {
            RunOperation([page](form::Context& ctx) { app::ShowPage(ctx, *page); });
        }
        for (const Command& c : kCommands) {
            if (c.button == button) RunOperation(c.click);
        }
    } else if (id == kIdBrowse && code == BN_CLICKED) {
        RunOperation(app::cmdBrowse);
    } else if (id == kIdPreview && code == BN_CLICKED) {
        RunOperation(app::cmdPreview);
    } else if (id == kIdUndo && code == BN_CLICKED) {
        RunOperation(app::cmdHistory);
    } else if (id >= kIdChk && id < kIdChk + form::kChkCount && code == BN_CLICKED) {
        const int i = id - kIdChk;
        // A box that has no effect here is disabled; a click that reaches it anyway changes nothing.
        if (form_.Applies(i)) form_.SetChk(i, form_.chk(i) == form::kTicked ? form::kCleared : form::kTicked);
    } else if (id >= kIdOpt && id < kIdOpt + form::kOptCount && code == BN_CLICKED) {
        form_.SelectOpt(id - kIdOpt);
    } else if ((id == kIdCombo2 || id == kIdCombo3) && code == CBN_SELCHANGE) {
        const int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        if (id == kIdCombo2)
            form_.SetCombo2(index);
        else
            form_.SetCombo3(index);
    } else if (id == kIdTxtPath && code == EN_CHANGE) {
        form_.SetTxtPath(win32::GetText(control));
    } else if (id == kIdLstService && code == LBN_SELCHANGE) {
        const int index = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
        if (index >= 0 && index < form::kServiceCount) {
            running_ = true;
            app::lstServiceClick(ctx_, index);
            running_ = false;
        }
    }
}

void MainWindow::OnListToggle(int id, int index) {
    if (syncing_ || running_ || form_.Busy() || index < 0) return;
    auto flip = [index](const form::CheckList& list) {
        return !(static_cast<std::size_t>(index) < list.ticked.size() && list.ticked[static_cast<std::size_t>(index)]);
    };
    auto inRange = [index](const form::CheckList& list) { return static_cast<std::size_t>(index) < list.items.size(); };
    if (id == kIdLstHide && inRange(form_.lstHide())) form_.SetHide(index, flip(form_.lstHide()));
    if (id == kIdLstNot && inRange(form_.lstNot())) form_.SetNot(index, flip(form_.lstNot()));
    if (id == kIdLstService && inRange(form_.lstService()) && form_.ServiceApplies(index)) {
        form_.SetService(index, flip(form_.lstService()));
    }
    if (id == kIdLstStartup && inRange(form_.lstStartup())) form_.SetStartupTick(index, flip(form_.lstStartup()));
}

// --- The window procedure --------------------------------------------------------------------------

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->Handle(msg, wp, lp);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case kMsgListToggle:
        OnListToggle(static_cast<int>(wp), static_cast<int>(lp));
        return 0;
    case kMsgListScrolled:
        tooltips_.ListScrolled(Control(static_cast<int>(wp)));
        return 0;
    case WM_TIMER:
        if (wp != kTimerReadStates) break;
        KillTimer(hwnd_, kTimerReadStates);
        CreateLaterControls();
        if (!running_ && !form_.Busy()) ReadStates(); // an operation asks again at its end
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlType == ODT_BUTTON) DrawPushButton(*item);
        if (item->CtlType == ODT_LISTBOX) DrawCheckListItem(*item);
        return TRUE;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (item->CtlType == ODT_LISTBOX) item->itemHeight = static_cast<UINT>(CheckListItemHeight(font_.get()));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintFrame();
        return 0;
    case WM_ACTIVATE:
        if (KeepFocus(LOWORD(wp) != WA_INACTIVE)) return 0;
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE && (running_ || form_.Busy())) return 0;
        break;
    case WM_CLOSE:
        // Closing the window other than through cmdExit ends the program without saving; never
        // in the middle of an operation.
        if (running_ || form_.Busy()) return 0;
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        RemovePropW(hwnd_, L"SysvelaFocus");
        form_.SetObserver({});
        sys_.SetIdleHook({});
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT MainWindow::ControlColor(HDC dc, HWND control) {
    for (HWND opt : opt_) {
        if (opt == control && opt != nullptr) { // the option buttons keep their own back colour
            SetBkColor(dc, kOptBackColor);
            return reinterpret_cast<LRESULT>(optBrush_.get());
        }
    }
    return 0; // the panel under the control answers
}

void MainWindow::PaintFrame() {
    // Shape1: the frame line around the window, outside XPCMain's margin.
    win32::PaintDc dc(hwnd_);
    RECT r{};
    GetClientRect(hwnd_, &r);
    FillRect(dc.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
    win32::Selection pen(dc.get(), GetStockObject(DC_PEN));
    win32::Selection brush(dc.get(), GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc.get(), kFrameColor);
    Rectangle(dc.get(), r.left, r.top, r.right, r.bottom);
}

bool MainWindow::KeepFocus(bool activated) {
    // A window that is not a dialog keeps its focus across activation itself.
    if (!activated) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) SetPropW(hwnd_, L"SysvelaFocus", focus);
        return false;
    }
    const auto focus = static_cast<HWND>(GetPropW(hwnd_, L"SysvelaFocus"));
    if (focus == nullptr || !IsWindow(focus) || !IsWindowVisible(focus)) return false;
    SetFocus(focus);
    return true;
}

int MainWindow::Run() {
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &msg)) continue; // Tab and the access keys
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void MainWindow::PumpWithoutInput() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, kQueueWithoutInput)) {
        if (msg.message == WM_QUIT) { // for the main loop, after the operation
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchMessageW(&msg);
    }
}

// --- form::Host ---------------------------------------------------------------------------------------

form::MsgAnswer MainWindow::MsgBox(const std::string& text, const std::string& title, form::MsgButtons buttons,
                                   form::MsgIcon icon) {
    UINT type = buttons == form::MsgButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    switch (icon) {
    case form::MsgIcon::Exclamation:
        type |= MB_ICONEXCLAMATION;
        break;
    case form::MsgIcon::Information:
        type |= MB_ICONINFORMATION;
        break;
    case form::MsgIcon::Question:
        type |= MB_ICONQUESTION;
        break;
    case form::MsgIcon::Error:
        type |= MB_ICONERROR;
        break;
    case form::MsgIcon::None:
        break;
    }
    const int answer = ::MessageBoxW(hwnd_, win32::Widen(text).c_str(), win32::Widen(title).c_str(), type);
    return answer == IDOK ? form::MsgAnswer::Ok : form::MsgAnswer::Cancel;
}

std::optional<std::string> MainWindow::BrowseForFolder(const std::string& title) {
    // Not before: initialising COM at start would delay the window's first paint.
    if (!com_) com_ = SUCCEEDED(CoInitialize(nullptr));
    const std::wstring wideTitle = win32::Widen(title);
    BROWSEINFOW info{};
    info.hwndOwner = hwnd_;
    info.lpszTitle = wideTitle.c_str();
    const win32::Pidl chosen(SHBrowseForFolderW(&info));
    if (!chosen) return std::nullopt;
    wchar_t path[512] = L"";
    if (!SHGetPathFromIDListW(chosen.get(), path) || path[0] == L'\0') return std::nullopt;
    return win32::Narrow(path);
}

void MainWindow::LogOff() {
    (void)ExitWindowsEx(EWX_LOGOFF, 0);
}

void MainWindow::ShowText(const std::string& title, const std::string& text) {
    ShowTextWindow(hwnd_, font_.get(), dpi_, title, text, modalHook_);
}

void MainWindow::ShowList(const std::string& title, const std::string& action,
                          const std::function<std::vector<form::ListRow>()>& rows,
                          const std::function<void(std::size_t)>& act) {
    ShowListWindow(hwnd_, font_.get(), dpi_, title, action, rows, act, modalHook_);
}

void MainWindow::CloseWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

} // namespace appwin
