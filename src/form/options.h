// The main form's fixed content: one row per check box, one row per service.
//
// A check box's number is its identity: its index in the form, its place in setup.dat and the key
// of its caption in the string table (lang/strings.h). The catalogue rows, the window's layout and
// the presets all read the rows below; adding a check box is a constant and a row here, its caption
// and its row in the catalogue.
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
    Page page;
    int column; // on its page, from the left (the security page: the IE group's two, display,
                // Start menu, the other settings' two)
    int row;    // in its column, from the top
    unsigned flags;
};

inline constexpr Option kOptions[] = {
    {kHideGeneralTab, Page::Security, 0, 0, 0},
    {kHideSecurityTab, Page::Security, 0, 1, 0},
    {kHidePrivacyTab, Page::Security, 0, 2, 0},
    {kHideContentTab, Page::Security, 0, 3, 0},
    {kHideConnectionsTab, Page::Security, 0, 4, 0},
    {kHideProgramsTab, Page::Security, 0, 5, 0},
    {kHideAdvancedTab, Page::Security, 0, 6, 0},
    {kNoIeFileOpen, Page::Security, 1, 0, 0},
    {kNoIeSaveAs, Page::Security, 1, 1, 0},
    {kNoIeFavorites, Page::Security, 1, 2, 0},
    {kNoIeOptions, Page::Security, 1, 3, 0},
    {kNoIeContextMenu, Page::Security, 1, 4, 0},
    {kNoDownload, Page::Security, 1, 5, 0},
    {kNoIeFileNew, Page::Security, 1, 6, 0},
    {kHideThemePage, Page::Security, 2, 0, 0},
    {kHideDesktopPage, Page::Security, 2, 1, 0},
    {kHideScreenSaverPage, Page::Security, 2, 2, 0},
    {kNoWallpaperChange, Page::Security, 2, 3, kRecommended},
    {kNoScreenSaver, Page::Security, 2, 4, 0},
    {kNoRunItem, Page::Security, 3, 0, 0},
    {kNoFindItem, Page::Security, 3, 1, kRecommended},
    {kNoSettingsItem, Page::Security, 3, 2, kRecommended},
    {kNoDocumentsItem, Page::Security, 3, 3, kRecommended},
    {kNoHelpItem, Page::Security, 3, 4, kRecommended},
    {kNoControlPanelAccess, Page::Security, 4, 0, kRecommended},
    {kNoTaskManager, Page::Security, 4, 1, 0},
    {kNoDesktopContextMenu, Page::Security, 4, 2, 0},
    {kNoAddRemovePrograms, Page::Security, 4, 3, 0},
    {kNoControlPanel, Page::Security, 4, 4, 0},
    {kNoPasswordChange, Page::Security, 4, 5, kRecommended},
    {kNoMyComputer, Page::Security, 4, 6, 0},
    {kNoFileMenu, Page::Security, 4, 7, 0},
    {kNoCatalogUpdateItems, Page::Security, 4, 8, kRecommended},
    {kNoStartMenuContextMenu, Page::Security, 5, 0, 0},
    {kNoTaskbarSettings, Page::Security, 5, 1, 0},
    {kNoDrivesFromIe, Page::Security, 5, 2, kRecommended},
    {kNoNetworkPlaces, Page::Security, 5, 3, kRecommended},
    {kNoRecycleBin, Page::Security, 5, 4, 0},
    {kNoManageItem, Page::Security, 5, 5, 0},
    {kNoSafeMode, Page::Security, 5, 6, 0},
    {kNoFolderOptions, Page::Security, 5, 7, kRecommended},
    {kPurgeSystemCache, Page::Wight, 0, 0, kRecommended},
    {kDeleteDriverCab, Page::Wight, 0, 1, 0},
    {kShortKillTimeout, Page::System, 0, 1, kRecommended},
    {kAutoEndTasks, Page::System, 0, 2, kRecommended},
    {kDeleteUpdateFiles, Page::Wight, 0, 2, 0},
    {kDeleteHelpFiles, Page::Wight, 0, 3, 0},
    {kContigFileAlloc, Page::System, 1, 0, kRecommended},
    {kNoAutoDebug, Page::System, 2, 0, kRecommended},
    {kUnloadDlls, Page::System, 0, 3, kRecommended},
    {kNoRecycleOnDelete, Page::System, 2, 1, 0},
    {kNoTaskbarGrouping, Page::System, 1, 1, kRecommended},
    {kDeleteForeignImes, Page::Wight, 0, 4, 0},
    {kShowInactiveIcons, Page::System, 1, 2, kRecommended},
    {kRebootOnCrash, Page::System, 2, 2, 0},
    {kLargeSystemCache, Page::System, 0, 4, 0},
    {kCpuPriority, Page::System, 0, 0, 0},
    {kNoRemoteAssistance, Page::System, 1, 3, kRecommended},
    {kNoErrorReporting, Page::System, 1, 4, kRecommended},
    {kNoCleanupWizard, Page::System, 1, 5, kRecommended},
    {kNoAutoUpdateService, Page::System, 1, 6, kRecommended},
    {kClassicStartMenu, Page::System, 1, 7, kRecommended},
    {kNoAccessibilityKeys, Page::System, 1, 8, kRecommended},
    {kNoFirewall, Page::System, 1, 9, kRecommended},
    {kClassicLogon, Page::System, 1, 10, kRecommended},
    {kNoWindowsUpdate, Page::System, 2, 3, kRecommended},
    {kNoErrorDebugInfo, Page::System, 2, 4, kRecommended},
    {kNoSystemRestore, Page::System, 2, 5, kRecommended},
    {kNoMediaPlayerUpdate, Page::System, 2, 6, kRecommended},
    {kNoStatusMessages, Page::System, 0, 5, kRecommended},
    {kClearPageFile, Page::System, 0, 6, 0},
    {kFastShutdown, Page::System, 0, 7, kRecommended},
    {kNoPagingExecutive, Page::System, 0, 8, 0},
    {kFastMenus, Page::System, 0, 9, kRecommended},
    {kShortDiskCheck, Page::System, 0, 10, kRecommended},
    {kL2Cache, Page::System, 2, 8, kKeptByReset},
    {kTidyStartMenu, Page::System, 2, 7, kRecommended | kKeptByReset},
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
static_assert(lang::kOptionCaptionCount == kChkCount, "lang::OptionCaption: one caption for every check box");

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
