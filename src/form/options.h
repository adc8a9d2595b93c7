// The main form's fixed content: one row per check box, one row per service.
//
// A check box's number is its identity: its index in the form and its place in setup.dat. The
// catalogue rows, the window's layout and the presets all read the rows below; adding a check box
// is a constant and a row here and its row in the catalogue.
#pragma once

#include <cstddef>
#include <iterator>
#include <vector>

#include "form/pages.h"
#include "lang/strings.h"

namespace form {

// The check boxes by number, named for what they do.
enum Chk : int {
    kHideGeneralTab,         // 0
    kHideSecurityTab,        // 1
    kHidePrivacyTab,         // 2
    kHideContentTab,         // 3
    kHideConnectionsTab,     // 4
    kHideProgramsTab,        // 5
    kHideAdvancedTab,        // 6
    kNoIeFileOpen,           // 7
    kNoIeSaveAs,             // 8
    kNoIeFavorites,          // 9
    kNoIeOptions,            // 10
    kNoIeContextMenu,        // 11
    kNoDownload,             // 12
    kNoIeFileNew,            // 13
    kHideThemePage,          // 14
    kHideDesktopPage,        // 15
    kHideScreenSaverPage,    // 16
    kNoWallpaperChange,      // 17
    kNoScreenSaver,          // 18
    kNoRunItem,              // 19
    kNoFindItem,             // 20
    kNoSettingsItem,         // 21
    kNoDocumentsItem,        // 22
    kNoHelpItem,             // 23
    kNoControlPanelAccess,   // 24
    kNoTaskManager,          // 25
    kNoDesktopContextMenu,   // 26
    kNoAddRemovePrograms,    // 27
    kNoControlPanel,         // 28
    kNoPasswordChange,       // 29
    kNoMyComputer,           // 30
    kNoFileMenu,             // 31
    kNoCatalogUpdateItems,   // 32
    kNoStartMenuContextMenu, // 33
    kNoTaskbarSettings,      // 34
    kNoDrivesFromIe,         // 35
    kNoNetworkPlaces,        // 36
    kNoRecycleBin,           // 37
    kNoManageItem,           // 38
    kNoSafeMode,             // 39
    kNoFolderOptions,        // 40
    kPurgeSystemCache,       // 41
    kDeleteDriverCab,        // 42
    kShortKillTimeout,       // 43
    kAutoEndTasks,           // 44
    kDeleteUpdateFiles,      // 45
    kDeleteHelpFiles,        // 46
    kContigFileAlloc,        // 47
    kNoAutoDebug,            // 48
    kUnloadDlls,             // 49
    kNoRecycleOnDelete,      // 50
    kNoTaskbarGrouping,      // 51
    kDeleteForeignImes,      // 52
    kShowInactiveIcons,      // 53
    kRebootOnCrash,          // 54
    kLargeSystemCache,       // 55
    kCpuPriority,            // 56
    kNoRemoteAssistance,     // 57
    kNoErrorReporting,       // 58
    kNoCleanupWizard,        // 59
    kNoAutoUpdateService,    // 60
    kClassicStartMenu,       // 61
    kNoAccessibilityKeys,    // 62
    kNoFirewall,             // 63
    kClassicLogon,           // 64
    kNoWindowsUpdate,        // 65
    kNoErrorDebugInfo,       // 66
    kNoSystemRestore,        // 67
    kNoMediaPlayerUpdate,    // 68
    kNoStatusMessages,       // 69
    kClearPageFile,          // 70
    kFastShutdown,           // 71
    kNoPagingExecutive,      // 72
    kFastMenus,              // 73
    kShortDiskCheck,         // 74
    kL2Cache,                // 75
    kTidyStartMenu,          // 76
};

// Option flags.
inline constexpr unsigned kRecommended = 1; // ticked by the page's recommendation
inline constexpr unsigned kKeptByReset = 2; // left alone by reset

struct Option {
    Chk chk;
    const char* caption; // the text beside the box
    Page page;
    int column; // on its page, from the left (the security page: the IE group's two, display,
                // Start menu, the other settings' two)
    int row;    // in its column, from the top
    unsigned flags;
};

inline constexpr Option kOptions[] = {
    {kHideGeneralTab, "隐藏“常规”页", Page::Security, 0, 0, 0},
    {kHideSecurityTab, "隐藏“安全”页", Page::Security, 0, 1, 0},
    {kHidePrivacyTab, "隐藏“隐私”页", Page::Security, 0, 2, 0},
    {kHideContentTab, "隐藏“内容”页", Page::Security, 0, 3, 0},
    {kHideConnectionsTab, "隐藏“连接”页", Page::Security, 0, 4, 0},
    {kHideProgramsTab, "隐藏“程序”页", Page::Security, 0, 5, 0},
    {kHideAdvancedTab, "隐藏“高级”页", Page::Security, 0, 6, 0},
    {kNoIeFileOpen, "禁用“打开”菜单", Page::Security, 1, 0, 0},
    {kNoIeSaveAs, "禁用“另存为”菜单", Page::Security, 1, 1, 0},
    {kNoIeFavorites, "禁用“收藏夹”菜单", Page::Security, 1, 2, 0},
    {kNoIeOptions, "禁用INTERNET选项", Page::Security, 1, 3, 0},
    {kNoIeContextMenu, "禁用IE右键菜单", Page::Security, 1, 4, 0},
    {kNoDownload, "禁止下载", Page::Security, 1, 5, 0},
    {kNoIeFileNew, "禁用“新建”菜单", Page::Security, 1, 6, 0},
    {kHideThemePage, "隐藏主题项", Page::Security, 2, 0, 0},
    {kHideDesktopPage, "隐藏桌面项", Page::Security, 2, 1, 0},
    {kHideScreenSaverPage, "隐藏屏保项", Page::Security, 2, 2, 0},
    {kNoWallpaperChange, "禁止更改壁纸", Page::Security, 2, 3, kRecommended},
    {kNoScreenSaver, "禁用屏保", Page::Security, 2, 4, 0},
    {kNoRunItem, "删除“运行”项", Page::Security, 3, 0, 0},
    {kNoFindItem, "删除“查找”项", Page::Security, 3, 1, kRecommended},
    {kNoSettingsItem, "删除“设置”项", Page::Security, 3, 2, kRecommended},
    {kNoDocumentsItem, "删除“文档”项", Page::Security, 3, 3, kRecommended},
    {kNoHelpItem, "删除“帮助”项", Page::Security, 3, 4, kRecommended},
    {kNoControlPanelAccess, "禁用访问控制面板", Page::Security, 4, 0, kRecommended},
    {kNoTaskManager, "禁止任务管理器", Page::Security, 4, 1, 0},
    {kNoDesktopContextMenu, "取消右键菜单", Page::Security, 4, 2, 0},
    {kNoAddRemovePrograms, "禁止添加删除程序", Page::Security, 4, 3, 0},
    {kNoControlPanel, "禁止显示控制面板", Page::Security, 4, 4, 0},
    {kNoPasswordChange, "禁止改变密码", Page::Security, 4, 5, kRecommended},
    {kNoMyComputer, "删除我的电脑", Page::Security, 4, 6, 0},
    {kNoFileMenu, "删除文件菜单", Page::Security, 4, 7, 0},
    {kNoCatalogUpdateItems, "删除开始菜单Windows Catalog.Update等项", Page::Security, 4, 8, kRecommended},
    {kNoStartMenuContextMenu, "删除开始菜单右键菜单", Page::Security, 5, 0, 0},
    {kNoTaskbarSettings, "禁止修改任务栏和开始菜单设置", Page::Security, 5, 1, 0},
    {kNoDrivesFromIe, "禁止从IE里访问盘符", Page::Security, 5, 2, kRecommended},
    {kNoNetworkPlaces, "删除网上邻居", Page::Security, 5, 3, kRecommended},
    {kNoRecycleBin, "删除回收站", Page::Security, 5, 4, 0},
    {kNoManageItem, "隐藏管理项目", Page::Security, 5, 5, 0},
    {kNoSafeMode, "禁止进入安全模式", Page::Security, 5, 6, 0},
    {kNoFolderOptions, "删除文件夹选项菜单", Page::Security, 5, 7, kRecommended},
    {kPurgeSystemCache, "删除系统备份[200MB-300MB]", Page::Wight, 0, 0, kRecommended},
    {kDeleteDriverCab, "删除驱动备份[80MB]", Page::Wight, 0, 1, 0},
    {kShortKillTimeout, "缩短关闭错误程序时等待时间", Page::System, 0, 1, kRecommended},
    {kAutoEndTasks, "系统自动关闭停止响应的程序", Page::System, 0, 2, kRecommended},
    {kDeleteUpdateFiles, "删除安装升级文件[200MB]", Page::Wight, 0, 2, 0},
    {kDeleteHelpFiles, "删除帮助文件[40MB]", Page::Wight, 0, 3, 0},
    {kContigFileAlloc, "优化毗邻文件", Page::System, 1, 0, kRecommended},
    {kNoAutoDebug, "关闭调试程序自动调试功能", Page::System, 2, 0, kRecommended},
    {kUnloadDlls, "自动清理内存中未使用的动态连接库", Page::System, 0, 3, kRecommended},
    {kNoRecycleOnDelete, "删除文件时不移入回收站，而是彻底删除", Page::System, 2, 1, 0},
    {kNoTaskbarGrouping, "禁用分组相似任务栏", Page::System, 1, 1, kRecommended},
    {kDeleteForeignImes, "删除不用的输入法[日文，韩文，繁体中文84MB]", Page::Wight, 0, 4, 0},
    {kShowInactiveIcons, "禁止隐藏不活动图标", Page::System, 1, 2, kRecommended},
    {kRebootOnCrash, "当WINDOWS出现致命错误时重启", Page::System, 2, 2, 0},
    {kLargeSystemCache, "启用大系统缓存(512M以上内存推荐)", Page::System, 0, 4, 0},
    {kCpuPriority, "设置较多的时间来运行", Page::System, 0, 0, 0},
    {kNoRemoteAssistance, "禁止发送远程协助邀请", Page::System, 1, 3, kRecommended},
    {kNoErrorReporting, "禁止系统错误报告", Page::System, 1, 4, kRecommended},
    {kNoCleanupWizard, "禁用桌面清理向导", Page::System, 1, 5, kRecommended},
    {kNoAutoUpdateService, "禁用自动更新功能", Page::System, 1, 6, kRecommended},
    {kClassicStartMenu, "使用经典开始菜单", Page::System, 1, 7, kRecommended},
    {kNoAccessibilityKeys, "禁用辅助功能快捷键", Page::System, 1, 8, kRecommended},
    {kNoFirewall, "关闭windows防火墙", Page::System, 1, 9, kRecommended},
    {kClassicLogon, "总是用经典登录", Page::System, 1, 10, kRecommended},
    {kNoWindowsUpdate, "禁止系统自动更新", Page::System, 2, 3, kRecommended},
    {kNoErrorDebugInfo, "关闭系统错误和调试信息", Page::System, 2, 4, kRecommended},
    {kNoSystemRestore, "关闭系统还原", Page::System, 2, 5, kRecommended},
    {kNoMediaPlayerUpdate, "禁用Windows Media Player自动更新", Page::System, 2, 6, kRecommended},
    {kNoStatusMessages, "删除启动／关机／登录／注销状态消息", Page::System, 0, 5, kRecommended},
    {kClearPageFile, "关机时自动清理页面文件", Page::System, 0, 6, 0},
    {kFastShutdown, "加快WINDOWS关机速度", Page::System, 0, 7, kRecommended},
    {kNoPagingExecutive, "禁用虚拟内存(1G以上推荐)", Page::System, 0, 8, 0},
    {kFastMenus, "加快菜单显示速度", Page::System, 0, 9, kRecommended},
    {kShortDiskCheck, "减少开机磁盘扫描等待时间", Page::System, 0, 10, kRecommended},
    {kL2Cache, "优化二级缓存(选择二级缓存实际值)", Page::System, 2, 8, kKeptByReset},
    {kTidyStartMenu, "整理开始菜单", Page::System, 2, 7, kRecommended | kKeptByReset},
};

inline constexpr int kChkCount = static_cast<int>(std::size(kOptions));

// The rows stand in number order: row i is chk(i).
constexpr bool RowsInNumberOrder() {
    for (int i = 0; i < kChkCount; ++i) {
        if (kOptions[i].chk != i) return false;
    }
    return true;
}
static_assert(RowsInNumberOrder(), "kOptions: row i must be chk(i)");

// The check boxes of one column, top to bottom.
std::vector<Chk> ColumnOptions(Page page, int column);

// A service of lstService, by the name sc knows it by; the item the list shows is the string
// table's (lang/strings.h).
struct Service {
    const char* name;
};

inline constexpr Service kServices[] = {
    {"Alerter"},   {"wuauserv"},     {"ClipSrv"},          {"ERSvc"},   {"FastUserSwitchingCompatibility"},
    {"Helpsvc"},   {"PolicyAgent"},  {"Messenger"},        {"Spooler"}, {"RemoteRegistry"},
    {"wscsvc"},    {"lanmanserver"}, {"ShellHWDetection"}, {"SSDPSRV"}, {"Schedule"},
    {"WebClient"}, {"SharedAccess"}, {"W32Time"},          {"WZCSVC"},
};

inline constexpr int kServiceCount = static_cast<int>(std::size(kServices));
static_assert(lang::kServiceItemCount == kServiceCount, "lang::ServiceItem: one item for every service");

} // namespace form
