// The window's layout as data: every control's parent, place in twips and caption.
//
// Places are relative to the parent panel, in twips (1440 to the inch, 15 to the pixel at 96 dpi).
// The view turns them into pixels for the screen's dpi.
#pragma once

#include <array>

#include "app/form.h"

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
constexpr PanelId PagePanel(app::Page page) {
    switch (page) {
    case app::Page::System:
        return PanelId::System;
    case app::Page::Security:
        return PanelId::Security;
    case app::Page::Service:
        return PanelId::Service;
    case app::Page::Wight:
        return PanelId::Wight;
    case app::Page::Startup:
        return PanelId::Startup;
    }
    return PanelId::System;
}
inline constexpr std::array<app::Page, 5> kPages{app::Page::System, app::Page::Security, app::Page::Service,
                                                 app::Page::Wight, app::Page::Startup};

// The push buttons of XPCMain, by the form's Button. The captions mark their access keys.
struct ButtonSpec {
    app::Button button;
    Twips place;
    const char* caption;
};

inline constexpr std::array<ButtonSpec, app::kButtonCount> kButtons{{
    {app::Button::Auto, {180, 450, 1335, 615}, "自动优化"},
    {app::Button::System, {4080, 450, 1335, 615}, "系统优化"},
    {app::Button::Security, {5400, 450, 1335, 615}, "系统安全"},
    {app::Button::Startup, {6720, 450, 1335, 615}, "启动优化"},
    {app::Button::Wight, {8040, 450, 1335, 615}, "系统减肥"},
    {app::Button::Service, {9360, 450, 1335, 615}, "服务优化"},
    {app::Button::Suggest, {180, 6570, 1215, 375}, "推荐(&S)"},
    {app::Button::Redo, {1530, 6570, 1215, 375}, "重置(&C)"},
    {app::Button::Optimize, {2850, 6570, 1215, 375}, "优化(&O)"},
    {app::Button::Exit, {9450, 6570, 1215, 375}, "退出(&E)"},
}};

inline constexpr Twips kBrowsePlace{3480, 2670, 555, 255}; // on Container1
inline constexpr const char* kBrowseCaption = "...";

// The captions beside the check boxes, by chk index.
inline constexpr std::array<const char*, app::kChkCount> kChkCaptions{{
    "隐藏“常规”页",                               // 0
    "隐藏“安全”页",                               // 1
    "隐藏“隐私”页",                               // 2
    "隐藏“内容”页",                               // 3
    "隐藏“连接”页",                               // 4
    "隐藏“程序”页",                               // 5
    "隐藏“高级”页",                               // 6
    "禁用“打开”菜单",                             // 7
    "禁用“另存为”菜单",                           // 8
    "禁用“收藏夹”菜单",                           // 9
    "禁用INTERNET选项",                           // 10
    "禁用IE右键菜单",                             // 11
    "禁止下载",                                   // 12
    "禁用“新建”菜单",                             // 13
    "隐藏主题项",                                 // 14
    "隐藏桌面项",                                 // 15
    "隐藏屏保项",                                 // 16
    "禁止更改壁纸",                               // 17
    "禁用屏保",                                   // 18
    "删除“运行”项",                               // 19
    "删除“查找”项",                               // 20
    "删除“设置”项",                               // 21
    "删除“文档”项",                               // 22
    "删除“帮助”项",                               // 23
    "禁用访问控制面板",                           // 24
    "禁止任务管理器",                             // 25
    "取消右键菜单",                               // 26
    "禁止添加删除程序",                           // 27
    "禁止显示控制面板",                           // 28
    "禁止改变密码",                               // 29
    "删除我的电脑",                               // 30
    "删除文件菜单",                               // 31
    "删除开始菜单Windows Catalog.Update等项",     // 32
    "删除开始菜单右键菜单",                       // 33
    "禁止修改任务栏和开始菜单设置",               // 34
    "禁止从IE里访问盘符",                         // 35
    "删除网上邻居",                               // 36
    "删除回收站",                                 // 37
    "隐藏管理项目",                               // 38
    "禁止进入安全模式",                           // 39
    "删除文件夹选项菜单",                         // 40
    "删除系统备份[200MB-300MB]",                  // 41
    "删除驱动备份[80MB]",                         // 42
    "缩短关闭错误程序时等待时间",                 // 43
    "系统自动关闭停止响应的程序",                 // 44
    "删除安装升级文件[200MB]",                    // 45
    "删除帮助文件[40MB]",                         // 46
    "优化毗邻文件",                               // 47
    "关闭调试程序自动调试功能",                   // 48
    "自动清理内存中未使用的动态连接库",           // 49
    "删除文件时不移入回收站，而是彻底删除",       // 50
    "禁用分组相似任务栏",                         // 51
    "删除不用的输入法[日文，韩文，繁体中文84MB]", // 52
    "禁止隐藏不活动图标",                         // 53
    "当WINDOWS出现致命错误时重启",                // 54
    "启用大系统缓存(512M以上内存推荐)",           // 55
    "设置较多的时间来运行",                       // 56
    "禁止发送远程协助邀请",                       // 57
    "禁止系统错误报告",                           // 58
    "禁用桌面清理向导",                           // 59
    "禁用自动更新功能",                           // 60
    "使用经典开始菜单",                           // 61
    "禁用辅助功能快捷键",                         // 62
    "关闭windows防火墙",                          // 63
    "总是用经典登录",                             // 64
    "禁止系统自动更新",                           // 65
    "关闭系统错误和调试信息",                     // 66
    "关闭系统还原",                               // 67
    "禁用Windows Media Player自动更新",           // 68
    "删除启动／关机／登录／注销状态消息",         // 69
    "关机时自动清理页面文件",                     // 70
    "加快WINDOWS关机速度",                        // 71
    "禁用虚拟内存(1G以上推荐)",                   // 72
    "加快菜单显示速度",                           // 73
    "减少开机磁盘扫描等待时间",                   // 74
    "优化二级缓存(选择二级缓存实际值)",           // 75
    "整理开始菜单",                               // 76
}};

// A column of check boxes: each a bare box 195 x 210 with its caption as a label 180 high,
// `labelOffset` to the right of the box, boxes 270 apart from `top` down.
inline constexpr int kBoxWidth = 195;
inline constexpr int kBoxHeight = 210;
inline constexpr int kLabelHeight = 180;
inline constexpr int kRowStep = 270;
inline constexpr int kMaxColumn = 11;

struct CheckColumn {
    PanelId panel;
    int left;
    int top;
    int labelOffset;
    int count;
    std::array<int, kMaxColumn> chk;
};

// The system page's three columns end where the next begins, so that every caption there reads
// whole in 9-point type; chk(56) heads the first column beside Combo3, chk(75) ends the third
// above the cache-size buttons it goes with. The slimming page's five boxes stand in one column.
inline constexpr std::array<CheckColumn, 10> kCheckColumns{{
    {PanelId::System, 150, 1575, 300, 11, {56, 43, 44, 49, 55, 69, 70, 71, 72, 73, 74}},
    {PanelId::System, 3780, 1575, 300, 11, {47, 51, 53, 57, 58, 59, 60, 61, 62, 63, 64}},
    {PanelId::System, 6840, 1575, 300, 9, {48, 50, 54, 65, 66, 67, 68, 76, 75}},
    {PanelId::Container1, 240, 450, 300, 7, {0, 1, 2, 3, 4, 5, 6}},
    {PanelId::Container1, 2190, 450, 300, 7, {7, 8, 9, 10, 11, 12, 13}},
    {PanelId::Container6, 660, 450, 300, 5, {14, 15, 16, 17, 18}},
    {PanelId::Container2, 540, 450, 270, 5, {19, 20, 21, 22, 23}},
    {PanelId::Container7, 300, 450, 270, 9, {24, 25, 26, 27, 28, 29, 30, 31, 32}},
    {PanelId::Container7, 2250, 450, 270, 8, {33, 34, 35, 36, 37, 38, 39, 40}},
    {PanelId::Wight, 900, 720, 300, 5, {41, 42, 45, 46, 52}},
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
inline constexpr std::array<const char*, app::kOptCount> kOptCaptions{"64K", "128K", "256K", "512K", "1MB或以上"};
inline constexpr std::array<Twips, app::kOptCount> kOptPlaces{{
    {120, 45, 975, 240},
    {1110, 45, 975, 240},
    {2100, 45, 1050, 240},
    {120, 330, 975, 240},
    {1110, 330, 1500, 240},
}};

inline constexpr Twips kCombo2Place{390, 480, 2025, 300}; // on Container4
inline constexpr std::array<const char*, 2> kCombo2Items{"预读应用程序", "启动预读"};
inline constexpr Twips kCombo3Place{2490, 1530, 1155, 300}; // on System
inline constexpr std::array<const char*, 2> kCombo3Items{"应用程序", "后台服务"};

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
