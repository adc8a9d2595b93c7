// The window's layout as data: every control's parent, place in twips and caption.
//
// Places are relative to the parent panel, in twips (1440 to the inch, 15 to the pixel at 96 dpi).
// The view turns them into pixels for the screen's dpi.
#pragma once

#include <array>
#include <string_view>

#include "form/form.h"

namespace appwin {

struct Twips {
    int left, top, width, height;
};

// The twelve panels of the window, in creation order (a parent before its children).
enum class PanelId {
    Main,
    System,
    Container4,
    Container5,
    Security,
    Container1,
    Container6,
    Container2,
    Container7,
    Service,
    Wight,
    Startup
};
inline constexpr int kPanelCount = 12;

struct PanelSpec {
    PanelId id;
    PanelId parent;   // Main's own parent is the window
    const char* name; // in the window's layout description, which holds its saved properties
    Twips place;
    int theme; // used when the description lacks the panel
    int style; // 0: header strip shown
};

inline constexpr std::array<PanelSpec, kPanelCount> kPanels{{
    {PanelId::Main, PanelId::Main, "XPCMain", {15, 15, 10905, 7155}, 4, 0},
    {PanelId::System, PanelId::Main, "XPCSystem", {180, 1170, 10515, 5265}, 10, 1},
    {PanelId::Container4, PanelId::System, "XPContainer4", {210, 180, 2745, 1215}, 10, 1},
    {PanelId::Container5, PanelId::System, "XPContainer5", {6840, 4170, 3225, 615}, 10, 1},
    {PanelId::Security, PanelId::Main, "XPCSecurity", {180, 1170, 10515, 5265}, 10, 1},
    {PanelId::Container1, PanelId::Security, "XPContainer1", {210, 150, 4335, 4935}, 10, 1},
    {PanelId::Container6, PanelId::Security, "XPContainer6", {4890, 150, 2505, 1875}, 10, 1},
    {PanelId::Container2, PanelId::Security, "XPContainer2", {7620, 150, 2595, 1875}, 10, 1},
    {PanelId::Container7, PanelId::Security, "XPContainer7", {4890, 2130, 5325, 2955}, 10, 1},
    {PanelId::Service, PanelId::Main, "XPCService", {180, 1170, 10515, 5265}, 10, 1},
    {PanelId::Wight, PanelId::Main, "XPCWight", {180, 1170, 10515, 5265}, 10, 1},
    {PanelId::Startup, PanelId::Main, "XPCStartup", {180, 1170, 10515, 5265}, 10, 1},
}};

// The window and its frame line.
inline constexpr int kWindowWidth = 10935;
inline constexpr int kWindowHeight = 7190;

// The panel of each page: the one its record names.
constexpr PanelId PagePanel(form::Page page) {
    for (const PanelSpec& p : kPanels) {
        if (std::string_view(p.name) == form::Record(page).panel) return p.id;
    }
    return PanelId::Main;
}

namespace checks {
constexpr bool PanelsInOrderAndEveryPageOnMain() {
    for (int i = 0; i < kPanelCount; ++i) {
        if (static_cast<int>(kPanels[static_cast<std::size_t>(i)].id) != i) return false;
    }
    for (const form::PageRecord& r : form::kPages) {
        const PanelId id = PagePanel(r.page);
        if (id == PanelId::Main || kPanels[static_cast<std::size_t>(id)].parent != PanelId::Main) return false;
    }
    return true;
}
} // namespace checks
static_assert(checks::PanelsInOrderAndEveryPageOnMain(), "kPanels: row i is PanelId i; every page's panel on XPCMain");

// The push buttons of XPCMain, by the form's Button. The captions mark their access keys.
struct ButtonSpec {
    form::Button button;
    Twips place;
    lang::Str caption;
};

inline constexpr std::array<ButtonSpec, form::kButtonCount> kButtons{{
    {form::Button::Auto, {180, 450, 1335, 615}, lang::Str::AutoButton},
    {form::Button::System, {4080, 450, 1335, 615}, lang::Str::SystemButton},
    {form::Button::Security, {5400, 450, 1335, 615}, lang::Str::SecurityButton},
    {form::Button::Startup, {6720, 450, 1335, 615}, lang::Str::StartupButton},
    {form::Button::Wight, {8040, 450, 1335, 615}, lang::Str::WightButton},
    {form::Button::Service, {9360, 450, 1335, 615}, lang::Str::ServiceButton},
    {form::Button::Suggest, {180, 6570, 1215, 375}, lang::Str::SuggestButton},
    {form::Button::Redo, {1530, 6570, 1215, 375}, lang::Str::RedoButton},
    {form::Button::Optimize, {2850, 6570, 1215, 375}, lang::Str::OptimizeButton},
    {form::Button::Exit, {9450, 6570, 1215, 375}, lang::Str::ExitButton},
}};

namespace checks {
constexpr bool EveryButtonPlacedOnce() {
    for (int b = 0; b < form::kButtonCount; ++b) {
        int seen = 0;
        for (const ButtonSpec& spec : kButtons)
            seen += static_cast<int>(spec.button) == b && spec.place.width > 0 ? 1 : 0;
        if (seen != 1) return false;
    }
    return true;
}
} // namespace checks
static_assert(checks::EveryButtonPlacedOnce(), "kButtons: every main button once, with its place");

// The two buttons beside the ten, where XPCMain is empty: 预览 after 优化(O), before lblWait; 撤销
// before 退出(E), after the longest text lblWait shows. They are not among the ten the pass
// disables and enables; the view disables them while any operation runs.
struct ExtraButtonSpec {
    Twips place;
    lang::Str caption;
};
inline constexpr ExtraButtonSpec kPreviewButton{{4155, 6570, 1125, 375}, lang::Str::PreviewButton};
inline constexpr ExtraButtonSpec kUndoButton{{8235, 6570, 1125, 375}, lang::Str::UndoButton};

inline constexpr Twips kBrowsePlace{3480, 2670, 555, 255}; // on Container1
inline constexpr lang::Str kBrowseCaption = lang::Str::BrowseButton;

// A column of check boxes, as the option table places them: each box 210 high with its caption
// beside it, boxes 270 apart from `top` down.
inline constexpr int kBoxHeight = 210;
inline constexpr int kRowStep = 270;

struct CheckColumn {
    form::Page page;
    int column; // the option table's column on that page
    PanelId panel;
    int left;
    int top;
    int step = kRowStep; // from one box to the next
};

// The system page's three columns end where the next begins, so that every caption there reads
// whole in 9-point type; kCpuPriority heads the first column beside Combo3, kL2Cache ends the third
// above the cache-size buttons it goes with. The slimming page's five boxes stand in one column,
// further apart than the tightly packed pages.
inline constexpr CheckColumn kCheckColumns[] = {
    {form::Page::System, 0, PanelId::System, 150, 1575},       {form::Page::System, 1, PanelId::System, 3780, 1575},
    {form::Page::System, 2, PanelId::System, 6840, 1575},      {form::Page::Security, 0, PanelId::Container1, 240, 450},
    {form::Page::Security, 1, PanelId::Container1, 2190, 450}, {form::Page::Security, 2, PanelId::Container6, 660, 450},
    {form::Page::Security, 3, PanelId::Container2, 540, 450},  {form::Page::Security, 4, PanelId::Container7, 300, 450},
    {form::Page::Security, 5, PanelId::Container7, 2250, 450}, {form::Page::Wight, 0, PanelId::Wight, 900, 720, 480},
};

// Fixed labels: group titles and the lines over the lists.
// The control a label names, which follows it in the tab order.
enum class Labelled { None, Combo2, TxtPath, LstHide, LstNot };

struct LabelSpec {
    PanelId panel;
    int left;
    int top;
    lang::Str text;
    Labelled names = Labelled::None;
};

inline constexpr LabelSpec kLabels[] = {
    {PanelId::Container4, 390, 210, lang::Str::PrefetchLabel, Labelled::Combo2},
    {PanelId::Container1, 1650, 120, lang::Str::IeLabel},
    {PanelId::Container1, 180, 2400, lang::Str::DownloadFolderLabel, Labelled::TxtPath},
    {PanelId::Container1, 180, 3060, lang::Str::HideDrivesLabel, Labelled::LstHide},
    {PanelId::Container1, 2340, 3060, lang::Str::NoDrivesLabel, Labelled::LstNot},
    {PanelId::Container6, 660, 120, lang::Str::DisplayLabel},
    {PanelId::Container2, 660, 120, lang::Str::StartMenuLabel},
    {PanelId::Container7, 2280, 120, lang::Str::OtherLabel},
    {PanelId::Service, 300, 270, lang::Str::ServicesLabel},
    {PanelId::Startup, 330, 420, lang::Str::StartupLabel},
};

// The cache-size buttons on Container5, two rows: 64K 128K 256K over 512K 1MB或以上.
inline constexpr std::array<lang::Str, form::kOptCount> kOptCaptions{
    lang::Str::Cache64K, lang::Str::Cache128K, lang::Str::Cache256K, lang::Str::Cache512K, lang::Str::Cache1MB};
inline constexpr std::array<Twips, form::kOptCount> kOptPlaces{{
    {120, 45, 975, 240},
    {1110, 45, 975, 240},
    {2100, 45, 1050, 240},
    {120, 330, 975, 240},
    {1110, 330, 1500, 240},
}};

inline constexpr Twips kCombo2Place{390, 480, 2025, 300}; // on Container4
inline constexpr std::array<lang::Str, 2> kCombo2Items{lang::Str::PrefetchPrograms, lang::Str::PrefetchBoot};
inline constexpr Twips kCombo3Place{2490, 1530, 1155, 300}; // on System
inline constexpr std::array<lang::Str, form::kCombo3Count> kCombo3Items{lang::Str::SchedulePrograms,
                                                                        lang::Str::ScheduleServices};

inline constexpr Twips kTxtPathPlace{180, 2670, 3255, 255}; // on Container1
inline constexpr Twips kLstHidePlace{180, 3300, 1755, 1500};
inline constexpr Twips kLstNotPlace{2340, 3300, 1695, 1500};
inline constexpr Twips kLstServicePlace{300, 540, 9885, 3810}; // on Service
inline constexpr Twips kLblInfoPlace{300, 4770, 9900, 360};
inline constexpr Twips kLstStartupPlace{330, 690, 9885, 4020}; // on Startup
inline constexpr Twips kPicture1Place{3510, 210, 6765, 1155};  // on System: the banner

// On XPCMain.
inline constexpr Twips kLblCaptionPlace{2205, 660, 1140, 210};
inline constexpr Twips kLblWaitPlace{5370, 6690, 90, 180};
inline constexpr int kShape2Left = 0;
inline constexpr int kShape2Top = 6960;
inline constexpr int kShape2Height = 195;

// Colours the window's load sets.
inline constexpr unsigned kOptBackColor = 0xF3F1F0;    // RGB(240, 241, 243)
inline constexpr unsigned kShape2FillColor = 0xF0CDA2; // RGB(162, 205, 240)
inline constexpr unsigned kFrameColor = 0x553900;      // the frame line: theme 4's text colour

} // namespace appwin
