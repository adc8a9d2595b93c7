// The main window: native controls bound to form::MainForm both ways, and the Host the form's
// operations use (message boxes, pending events, the folder browser, log-off).
//
// The model is the truth. A change of the model is copied into its control (the observer); a
// user's change of a control is written to the model and comes back through the observer; a
// click runs the form's operation. While an operation runs, the window keeps painting but input
// waits in the queue until it has ended, so no control changes under a pass.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/tips.h"
#include "app/win32/layout.h"
#include "app/win32/modal.h"
#include "app/win32/tooltips.h"
#include "form/context.h"
#include "ui/panel/win32/gdi.h"
#include "ui/panel/win32/panel_window.h"

namespace appwin {

// Control ids, unique over the whole window (never IDOK or IDCANCEL).
inline constexpr int kIdButton = 100; // + form::Button
inline constexpr int kIdBrowse = 120;
inline constexpr int kIdPreview = 121;
inline constexpr int kIdUndo = 122;
inline constexpr int kIdChk = 200; // + chk index
inline constexpr int kIdOpt = 400; // + Opt index
inline constexpr int kIdCombo2 = 500;
inline constexpr int kIdCombo3 = 501;
inline constexpr int kIdTxtPath = 502;
inline constexpr int kIdLstHide = 503;
inline constexpr int kIdLstNot = 504;
inline constexpr int kIdLstService = 505;
inline constexpr int kIdLstStartup = 506;
inline constexpr int kIdLblInfo = 507;
inline constexpr int kIdLblWait = 508;
inline constexpr int kIdLblCaption = 509;
inline constexpr int kIdShape2 = 510;
inline constexpr int kIdPicture1 = 511;
inline constexpr int kIdPanel = 600; // + PanelId
inline constexpr int kIdLabel = 700; // + index in kLabels

// The version's line in the system menu: an id below 0xF000 with the low four bits clear.
inline constexpr UINT kIdVersionMenuItem = 0x1000;

// The timer that reads the options' states for their tips: after the first paint and after every
// operation, never in the middle of one. A timer's message comes after every paint in the queue,
// and its short wait lets the painted window reach the screen before the states are read.
inline constexpr UINT_PTR kTimerReadStates = 1;
inline constexpr UINT kReadStatesDelayMs = 30;

inline constexpr wchar_t kWindowClass[] = L"SysvelaMain";
inline constexpr wchar_t kWindowTitle[] = L"Sysvela";

class MainWindow final : public form::Host {
public:
    MainWindow(form::MainForm& form, sysaccess::System& sys, HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls (not yet shown), copies the model in and follows it.
    [[nodiscard]] bool Create();
    void Show(int showCommand);
    // The controls of the pages not on screen at start: made after the first paint, which they would
    // delay, by the window's timer or by the first command, whichever comes first; at once here.
    void CreateLaterControls();
    // The message loop, until the window is gone; the exit code of WM_QUIT.
    int Run();

    HWND hwnd() const { return hwnd_; }
    form::Context& Context() { return ctx_; }
    HWND ButtonWindow(form::Button b) const { return buttons_[static_cast<std::size_t>(b)]; }
    HWND ChkWindow(int i) const { return i >= 0 && i < form::kChkCount ? chk_[static_cast<std::size_t>(i)] : nullptr; }
    // Any control of the window by its id; nullptr when there is none.
    HWND Control(int id) const;
    panelwin::PanelWindow& Panel(PanelId id) const { return *panels_[static_cast<std::size_t>(id)]; }
    // True while a click's operation runs.
    bool Running() const { return running_; }
    const OptionTooltips& Tooltips() const { return tooltips_; }

    // Lets paint and posted messages run; input waits in the queue. The runner's idle hook.
    void PumpWithoutInput();
    // Called with each modal window of the program's own once it shows (the window tests).
    void SetModalHook(ModalHook hook) { modalHook_ = std::move(hook); }

    // --- form::Host ---
    form::MsgAnswer MsgBox(const std::string& text, const std::string& title, form::MsgButtons buttons,
                           form::MsgIcon icon) override;
    void DoEvents() override { PumpWithoutInput(); }
    std::optional<std::string> BrowseForFolder(const std::string& title) override;
    void LogOff() override;
    void CloseWindow() override;
    void ShowText(const std::string& title, const std::string& text) override;
    void ShowList(const std::string& title, const std::string& action,
                  const std::function<std::vector<form::ListRow>()>& rows,
                  const std::function<void(std::size_t)>& act) override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id, int code, HWND control);
    void OnListToggle(int id, int index);
    void RunOperation(const std::function<void(form::Context&)>& operation);
    void EnableExtraButtons(bool enabled);
    void ReadStates();
    void RequestStates();
    void Observe(const form::Change& change);
    void Sync(const form::Change& change);
    void SyncChk(int i);
    void SyncPage();
    void SyncButtons(int index); // -1: all
    LRESULT ControlColor(HDC dc, HWND control);
    void PaintFrame();
    bool KeepFocus(bool activated); // true when it gave the focus back
    void SyncAll();
    void SyncList(HWND list, const form::CheckList& items, int index);
    void SyncShape2();
    void SetLabel(HWND label, const std::string& utf8, bool autosize);

    RECT Pixels(const Twips& t) const;
    int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }
    HWND MakeLabel(HWND parent, int id, int left, int top, const std::string& text, HFONT font);
    void CreatePanels();
    void CreateMainControls();
    void CreateSystemPage();
    HWND MakeCombo(HWND parent, int id, const Twips& place, const std::array<lang::Str, 2>& items);
    // The controls of the pages' panels, those on the page shown at start (later false) or the
    // others (later true).
    bool Later(PanelId panel) const;
    void CreateLabels(bool later);
    void CreateListPages(bool later);
    void CreateCheckColumns(bool later);

    form::MainForm& form_;
    sysaccess::System& sys_;
    form::Context ctx_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    bool running_ = false;
    form::Page startPage_ = form::Page::System; // on screen when the window was made
    bool laterCreated_ = false;                 // CreateLaterControls has run
    bool com_ = false;     // COM is initialised: the folder browser is a shell object, made on first use
    bool syncing_ = false; // copying the model into a control: its notifications are echoes

    win32::Font font_;
    win32::Font captionFont_;
    win32::Brush optBrush_;
    win32::Bitmap banner_;
    std::array<std::unique_ptr<panelwin::PanelWindow>, kPanelCount> panels_;
    std::array<HWND, form::kButtonCount> buttons_{};
    HWND preview_ = nullptr, undo_ = nullptr; // beside the ten
    ModalHook modalHook_;
    OptionTooltips tooltips_;
    app::Tips tips_;
    app::TipsReader tipsReader_;
    std::array<HWND, form::kChkCount> chk_{};
    std::array<HWND, form::kOptCount> opt_{};
    HWND combo2_ = nullptr, combo3_ = nullptr, txtPath_ = nullptr;
    HWND lstHide_ = nullptr, lstNot_ = nullptr, lstService_ = nullptr, lstStartup_ = nullptr;
    HWND lblInfo_ = nullptr, lblWait_ = nullptr, lblCaption_ = nullptr, shape2_ = nullptr;
};

// Resource ids of sysvela.rc.
inline constexpr int kIconId = 1;
inline constexpr int kBannerId = 101;
// The banner's subtitle in English, laid over the banner's own at this place for the English window.
inline constexpr int kBannerEnglishId = 102;
inline constexpr int kBannerSubtitleLeft = 76;
inline constexpr int kBannerSubtitleTop = 48;

} // namespace appwin
