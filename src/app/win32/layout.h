// The window's layout as data: every control's parent, place in twips and caption.
//
// Places are relative to the parent panel, in twips (1440 to the inch, 15 to the pixel at 96 dpi).
// The view turns them into pixels for the screen's dpi.
#pragma once

#include <array>

#include "form/form.h"
#include "form/texts.h"

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

// The page panel of each page.
constexpr PanelId PagePanel(form::Page page) {
    switch (page) {
    case form::Page::System:
        return PanelId::System;
    case form::Page::Security:
        return PanelId::Security;
    case form::Page::Service:
        return PanelId::Service;
    case form::Page::Wight:
        return PanelId::Wight;
    case form::Page::Startup:
        return PanelId::Startup;
    }
    return PanelId::System;
}
inline constexpr std::array<form::Page, 5> kPages{form::Page::System, form::Page::Security, form::Page::Service,
                                                  form::Page::Wight, form::Page::Startup};

// The push buttons of XPCMain, by the form's Button. The captions mark their access keys.
struct ButtonSpec {
    form::Button button;
    Twips place;
    const char* caption;
};

inline constexpr std::array<ButtonSpec, form::kButtonCount> kButtons{{
    {form::Button::Auto, {180, 450, 1335, 615}, "自动优化"},
    {form::Button::System, {4080, 450, 1335, 615}, "系统优化"},
    {form::Button::Security, {5400, 450, 1335, 615}, "系统安全"},
    {form::Button::Startup, {6720, 450, 1335, 615}, "启动优化"},
    {form::Button::Wight, {8040, 450, 1335, 615}, "系统减肥"},
    {form::Button::Service, {9360, 450, 1335, 615}, "服务优化"},
    {form::Button::Suggest, {180, 6570, 1215, 375}, "推荐(&S)"},
    {form::Button::Redo, {1530, 6570, 1215, 375}, "重置(&C)"},
    {form::Button::Optimize, {2850, 6570, 1215, 375}, "优化(&O)"},
    {form::Button::Exit, {9450, 6570, 1215, 375}, "退出(&E)"},
}};

// The two buttons beside the ten, where XPCMain is empty: 预览 after 优化(O), before lblWait; 撤销
// before 退出(E), after the longest text lblWait shows. They are not among the ten the pass
// disables and enables; the view disables them while any operation runs.
struct ExtraButtonSpec {
    Twips place;
    const char* caption;
};
inline constexpr ExtraButtonSpec kPreviewButton{{4155, 6570, 1125, 375}, form::text::kPreviewCaption};
inline constexpr ExtraButtonSpec kUndoButton{{8235, 6570, 1125, 375}, form::text::kUndoCaption};

inline constexpr Twips kBrowsePlace{3480, 2670, 555, 255}; // on Container1
inline constexpr const char* kBrowseCaption = "...";

// A column of check boxes, as the option table places them: each box 195 x 210 with its caption
// beside it, boxes 270 apart from `top` down.
inline constexpr int kBoxWidth = 195;
inline constexpr int kBoxHeight = 210;
inline constexpr int kRowStep = 270;

struct CheckColumn {
    form::Page page;
    int column; // the option table's column on that page
    PanelId panel;
    int left;
    int top;
};

// The system page's three columns end where the next begins, so that every caption there reads
// whole in 9-point type; kCpuPriority heads the first column beside Combo3, kL2Cache ends the third
// above the cache-size buttons it goes with. The slimming page's five boxes stand in one column.
inline constexpr std::array<CheckColumn, 10> kCheckColumns{{
    {form::Page::System, 0, PanelId::System, 150, 1575},
    {form::Page::System, 1, PanelId::System, 3780, 1575},
    {form::Page::System, 2, PanelId::System, 6840, 1575},
    {form::Page::Security, 0, PanelId::Container1, 240, 450},
    {form::Page::Security, 1, PanelId::Container1, 2190, 450},
    {form::Page::Security, 2, PanelId::Container6, 660, 450},
    {form::Page::Security, 3, PanelId::Container2, 540, 450},
    {form::Page::Security, 4, PanelId::Container7, 300, 450},
    {form::Page::Security, 5, PanelId::Container7, 2250, 450},
    {form::Page::Wight, 0, PanelId::Wight, 900, 720},
}};
// The slimming page's rows stand further apart than the tightly packed pages.
inline constexpr int kWightRowStep = 480;

// Fixed labels: group titles and the lines over the lists.
struct LabelSpec {
    PanelId panel;
    int left;
    int top;
    const char* text;
};

inline constexpr std::array<LabelSpec, 10> kLabels{{
    {PanelId::Container4, 390, 210, "系统预读设置"},
    {PanelId::Container1, 1650, 120, "IE设置"},
    {PanelId::Container1, 180, 2400, "下载文件默认路径："},
    {PanelId::Container1, 180, 3060, "隐藏驱动器："},
    {PanelId::Container1, 2340, 3060, "禁止访问驱动器："},
    {PanelId::Container6, 660, 120, "显示属性设置"},
    {PanelId::Container2, 660, 120, "开始菜单设置"},
    {PanelId::Container7, 2280, 120, "其他设置"},
    {PanelId::Service, 300, 270, "优化后以下被选中的服务将自动停止并设置为\"禁止\"状态"},
    {PanelId::Startup, 330, 420, "请选择开机不需要自动启动的"},
}};

// The cache-size buttons on Container5, two rows: 64K 128K 256K over 512K 1MB或以上.
inline constexpr std::array<const char*, form::kOptCount> kOptCaptions{"64K", "128K", "256K", "512K", "1MB或以上"};
inline constexpr std::array<Twips, form::kOptCount> kOptPlaces{{
    {120, 45, 975, 240},
    {1110, 45, 975, 240},
    {2100, 45, 1050, 240},
    {120, 330, 975, 240},
    {1110, 330, 1500, 240},
}};

inline constexpr Twips kCombo2Place{390, 480, 2025, 300}; // on Container4
inline constexpr std::array<const char*, 2> kCombo2Items{"预读应用程序", "启动预读"};
inline constexpr Twips kCombo3Place{2490, 1530, 1155, 300}; // on System
inline constexpr std::array<const char*, form::kCombo3Count> kCombo3Items{"应用程序", "后台服务"};

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
