#include "lang/strings.h"

#include <cstddef>
#include <iterator>

namespace lang {

namespace {

struct Row {
    Str id;
    const char* zh;
    const char* en;
};

constexpr Row kRows[] = {
    {Str::SystemHeader, "  Sysvela(系统优化页)", "  Sysvela (System page)"},
    {Str::SecurityHeader, "  Sysvela(系统安全页)", "  Sysvela (Security page)"},
    {Str::ServiceHeader, "  Sysvela(服务优化页)", "  Sysvela (Services page)"},
    {Str::WightHeader, "  Sysvela(系统减肥页)", "  Sysvela (Disk Cleanup page)"},
    {Str::StartupHeader, "  Sysvela(启动优化页)", "  Sysvela (Startup page)"},
    {Str::SystemCaption, "[系统优化]", "System"},
    {Str::SecurityCaption, "[安全优化]", "Security"},
    {Str::ServiceCaption, "[服务优化]", "Services"},
    {Str::WightCaption, "[系统减肥]", "Cleanup"},
    {Str::StartupCaption, "[启动优化]", "Startup"},

    {Str::AutoButton, "自动优化", "Auto Optimize"},
    {Str::SystemButton, "系统优化", "System"},
    {Str::SecurityButton, "系统安全", "Security"},
    {Str::StartupButton, "启动优化", "Startup"},
    {Str::WightButton, "系统减肥", "Disk Cleanup"},
    {Str::ServiceButton, "服务优化", "Services"},
    {Str::SuggestButton, "推荐(&S)", "&Recommend"},
    {Str::RedoButton, "重置(&C)", "Re&set"},
    {Str::OptimizeButton, "优化(&O)", "&Optimize"},
    {Str::ExitButton, "退出(&E)", "E&xit"},
    {Str::BrowseButton, "...", "..."},

    {Str::PrefetchLabel, "系统预读设置", "Prefetch"},
    {Str::IeLabel, "IE设置", "Internet Explorer"},
    {Str::DownloadFolderLabel, "下载文件默认路径：", "Default download folder:"},
    {Str::HideDrivesLabel, "隐藏驱动器：", "Hide drives:"},
    {Str::NoDrivesLabel, "禁止访问驱动器：", "Block drives:"},
    {Str::DisplayLabel, "显示属性设置", "Display Properties"},
    {Str::StartMenuLabel, "开始菜单设置", "Start Menu"},
    {Str::OtherLabel, "其他设置", "Other settings"},
    {Str::ServicesLabel, "优化后以下被选中的服务将自动停止并设置为\"禁止\"状态",
     "After optimizing, the services selected below are stopped and set to \"Disabled\""},
    {Str::StartupLabel, "请选择开机不需要自动启动的", "Select what need not start with Windows"},

    {Str::Cache64K, "64K", "64K"},
    {Str::Cache128K, "128K", "128K"},
    {Str::Cache256K, "256K", "256K"},
    {Str::Cache512K, "512K", "512K"},
    {Str::Cache1MB, "1MB或以上", "1MB or more"},
    {Str::PrefetchPrograms, "预读应用程序", "Programs"},
    {Str::PrefetchBoot, "启动预读", "Boot"},
    {Str::SchedulePrograms, "应用程序", "Apps"},
    {Str::ScheduleServices, "后台服务", "Services"},

    {Str::Busy, "正在优化...", "Optimizing..."},
    {Str::Done, "优化完成!请重新启动计算机", "Done. Restart the computer."},

    {Str::ConfirmTitle, "确认", "Confirm"},
    {Str::ErrorTitle, "错误", "Error"},
    {Str::LogOffQuestion, "您所有的操作必须要在注销以后生效，是否现在注销?",
     "Your changes take effect after you log off. Log off now?"},
    {Str::AutoQuestion, "系统将按推荐优化的配置进行自动优化，确定吗？",
     "The recommended settings of the System, Security, Startup and Services pages will be applied. Continue?"},
    {Str::JournalFailed, "无法写入撤销记录，本次未做任何更改：\n{1}",
     "The undo journal cannot be written, so nothing was changed:\n{1}"},
    {Str::SettingsNotSaved, "选项设置未能保存，下次启动时不会恢复：\n{1}",
     "The options could not be saved and will not be restored at the next start:\n{1}"},
    {Str::BrowseTitle, "请选择源文件夹路径：", "Select a folder:"},
    {Str::Fatal, "Sysvela 无法继续运行：{1}", "Sysvela cannot continue: {1}"},
    {Str::EndedUnexpectedly, "程序意外终止。", "The program ended unexpectedly."},
    {Str::UnknownError, "未知错误。", "Unknown error."},
    {Str::NoMainWindow, "无法创建主窗口。", "The main window cannot be created."},
    {Str::InfoTitle, "提示", "Information"},
    {Str::OtherSessionUser,
     "Sysvela 正以“{1}”的身份运行，而登录本会话的是“{2}”。只对当前用户生效的选项将修改“{1}”的设置，而不是“{2}”的。",
     "Sysvela is running as {1}, while {2} is logged on in this session. The options for the current user will "
     "change the settings of {1}, not those of {2}."},

    {Str::PassFailed, "优化结束，{1} 项未成功", "Done. {1} failed."},
    {Str::PassFailedList, "优化结束，{1} 项未成功：", "Done. {1} failed:"},
    {Str::EffectFailed, "{1}：{2}", "{1}: {2}"},
    {Str::MoreLines, "……另有 {1} 项", "...and {1} more"},
    {Str::ResultTitle, "优化结果", "Optimization Results"},
    {Str::LogNotWritten, "日志未能写入：{1}", "The log could not be written: {1}"},
    {Str::LogAndJournalIn, "本次的日志和撤销记录保存在 undo 文件夹中：",
     "The log and the undo journal of this pass are in the undo folder:"},

    {Str::PreviewButton, "预览(&P)", "&Preview"},
    {Str::UndoButton, "撤销(&U)", "&Undo"},

    {Str::PreviewTitle, "预览：按下“优化”将对本机做的更改", "Preview: what Optimize will change on this computer"},
    {Str::PreviewHead, "将更改 {1} 项；另有 {2} 项已是目标状态，{3} 项的结果无法预知。",
     "{1} will change; {2} are already set; the result of {3} cannot be known in advance."},
    {Str::MarkChanges, "[将更改]", "[change]"},
    {Str::MarkAtTarget, "[无需改]", "[already set]"},
    {Str::MarkUnknown, "[无法预知]", "[unknown]"},

    {Str::StateOn, "已生效", "Applied"},
    {Str::StateOff, "未生效", "Not applied"},
    {Str::StateMixed, "部分生效", "Partly applied"},
    {Str::StateUnknown, "无法读取", "Cannot be read"},
    {Str::TipState, "当前状态：", "Current state: "},
    {Str::TipTicked, "勾选时：", "When checked:"},
    {Str::TipCleared, "不勾选时：", "When cleared:"},
    {Str::TipNothing, "不做任何更改", "No change"},
    {Str::TipStartsFrom, "启动位置：", "Starts from: "},
    {Str::TipNowhere, "已不在任何启动位置中", "No longer starts from anywhere"},

    {Str::HistoryTitle, "优化记录与撤销", "Optimization History and Undo"},
    {Str::HistoryAction, "撤销所选(&U)", "&Undo Selected"},
    {Str::HistoryUndoOf, "撤销 {1}", "Undo of {1}"},
    {Str::HistoryChanges, "{1} 项更改", "{1} changes"},
    {Str::HistoryUndone, "已撤销", "undone"},
    {Str::HistoryPartly, "部分无法撤销", "partly cannot be undone"},
    {Str::HistoryNoJournals, "还没有撤销记录", "No undo journals yet"},
    {Str::HistoryJournalsIn, "撤销记录保存在：", "Undo journals are kept in: "},
    {Str::HistoryPutsBack, "撤销将按下面的注册表内容恢复，记录文件：{1}",
     "Undo puts back the registry below, from the journal {1}"},
    {Str::HistoryFilesBack, "放回的文件：", "Files put back:"},
    {Str::HistoryFilesRemoved, "再次删除的文件：", "Files removed again:"},
    {Str::HistoryNotUndoable, "无法撤销的部分：", "What cannot be undone:"},
    {Str::HistoryForeign,
     "这份记录写于计算机 {1}（用户 {2}），而这里是计算机 {3}（用户 "
     "{4}）。\n撤销它会把记录里的设置写到这里。仍要撤销吗？",
     "This journal was written on computer {1} (user {2}); this is computer {3} (user {4}).\nUndoing it writes "
     "the journal's settings here. Undo it anyway?"},
    {Str::HistoryNoUser, "未注明", "not recorded"},
    {Str::UndoRefused, "未撤销，本机未做任何更改：\n{1}", "Nothing was undone and nothing was changed:\n{1}"},
    {Str::UndoResultTitle, "撤销结果", "Undo Results"},
    {Str::UndoDone, "撤销完成。", "Undo is complete."},
    {Str::UndoPartly, "撤销未全部完成：{1}", "Undo did not complete: {1}"},
    {Str::UndoNotPutBack, "未能恢复：", "Not put back:"},
    {Str::UndoWarnings, "注意：", "Note:"},
    {Str::UndoSkipped, "跳过：", "Skipped:"},
    {Str::UndoOwnJournal, "本次撤销也写了撤销记录：{1}", "This undo wrote its own journal: {1}"},
    {Str::StateNotApplicable, "不适用（{1}）", "Does not apply ({1})"},
    {Str::TipRisk, "风险：", "Risk: "},
    {Str::TipRiskReason, "，", ", "},
    {Str::UndoNothingChanged, "{1}；未做任何更改", "{1}; nothing was changed"},
    {Str::JournalTooLarge, "{1} 大于 {2}，超过程序所写的任何撤销记录或副本，未读取",
     "{1} is larger than {2}, more than any journal or copy the program writes, and was not read"},
    {Str::JournalUnreadable, "无法读取 {1}", "{1} cannot be read"},
    {Str::JournalNotUtf16, "{1} 不是撤销记录：不是程序所写的 UTF-16 LE 文本",
     "{1} is not a journal: not UTF-16 LE as the program writes it"},
    {Str::JournalNotMarked, "{1} 不是撤销记录：开头没有 \"; Sysvela undo journal\"",
     "{1} is not a journal: its head does not say \"; Sysvela undo journal\""},
    {Str::JournalCutShort, "{1} 不完整：最后一行不是 \"; end\"", "{1} is cut short: its last line is not \"; end\""},
    {Str::JournalBadLine, "{1}：第 {2} 行无法解析：{3}", "{1}: line {2} does not parse: {3}"},
    {Str::JournalAtLine, "{1}：第 {2} 行：{3}", "{1}: line {2}: {3}"},
    {Str::JournalSays, "{1}：{2}", "{1}: {2}"},
    {Str::JournalHashDiffers, "{1}：SHA-256 与写入时记录的不同",
     "{1}: its SHA-256 is not the one recorded when it was written"},
    {Str::JournalOtherComputer, "{1} 写于计算机 {2}，不是本机（--force 可在本机撤销）",
     "{1} was written on {2}, not on this computer (--force undoes it here)"},
    {Str::JournalOtherUser, "{1} 读取的是用户 {2} 的注册表，不是运行本次撤销的 {3} 的（--force-user 可为 {3} 撤销）",
     "{1} read the registry of the user {2}, not that of {3}, who runs this undo (--force-user undoes it for {3})"},
    {Str::JournalNoUser, "（未注明）", "(not named)"},
    {Str::NeverWrites, "程序从不写入或删除 {1}", "the program never writes or deletes {1}"},
    {Str::NeverCreates, "程序从不创建 {1}", "the program never creates {1}"},
    {Str::NeverDeletes, "程序从不删除 {1}", "the program never deletes {1}"},
    {Str::WouldTakeOthers, "删除 {1} 会一并删除 {2}，而它既不是程序也不是本撤销记录放在那里的",
     "deleting {1} would take {2}, which neither the program nor this journal put there"},
    {Str::CopyNotKept, "{2} 的副本 {1} 不是程序保存的副本", "the copy {1} of {2} is not one the program keeps"},
    {Str::CopyNoHash, "撤销记录中没有其副本 {1} 的 SHA-256", "the journal holds no SHA-256 of its copy {1}"},
    {Str::CopyMissing, "缺少其副本 {1}", "its copy {1} is missing"},
    {Str::CopyChanged, "其副本 {1} 已被改动：SHA-256 与撤销记录中的不同",
     "its copy {1} has changed: its SHA-256 is not the one the journal recorded"},
    {Str::NotRemovedFile, "{1} 不是程序会删除的文件", "{1} is not a file the program removes"},
    {Str::ScriptNotCreated, "无法创建 {1}：{2}", "cannot create {1}: {2}"},
    {Str::OwnJournalFailed, "无法写入本次撤销自己的撤销记录：{1}", "the undo's own journal cannot be written: {1}"},
    {Str::NotAllPutBack, "{1} 项未恢复", "{1} not put back"},
    {Str::UncarriableValue, "值 \"{1}\"（在 {2} 中）含有换行符或 NUL，注册表脚本无法容纳",
     "the value \"{1}\" (in {2}) holds a line break or a NUL, which a registry script cannot hold"},
    {Str::UncarriableKey, "键 \"{1}\"（在 {2} 中）含有换行符或 NUL，注册表脚本无法容纳",
     "the key \"{1}\" (in {2}) holds a line break or a NUL, which a registry script cannot hold"},
    {Str::FileTooLargeToKeep, "{1} 大于 {2}，超过撤销所能恢复的大小",
     "{1} is larger than {2}, more than an undo takes back"},
    {Str::JournalWouldNotImport, "撤销记录的第 {1} 行无法导入：{2}", "line {1} of the journal would not import: {2}"},
    {Str::FolderNotCreated, "无法创建 {1}：{2}", "cannot create {1}: {2}"},
    {Str::TooManyJournals, "一秒内的撤销记录太多", "too many journals in one second"},
    {Str::LogNotCreated, "无法创建日志 {1}：{2}", "cannot create the log {1}: {2}"},
    {Str::JournalTooLargeToWrite, "撤销记录将大于 {1}，超过撤销所能读取的大小",
     "the journal would be larger than {1}, more than an undo reads"},
    {Str::HashNotRecorded, "无法记录撤销记录的 SHA-256：{1}", "cannot record the journal's hash: {1}"},
};

constexpr bool RowsInIdOrder() {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i || kRows[i].zh == nullptr || kRows[i].en == nullptr ||
            kRows[i].en[0] == '\0')
            return false;
    }
    return static_cast<std::size_t>(Str::HashNotRecorded) + 1 == std::size(kRows);
}
static_assert(RowsInIdOrder(), "kRows: row i is Str i, with both languages; one row for every Str");

struct Pair {
    const char* zh;
    const char* en;
};

const char* In(const Pair& p, Language language) {
    return language == Language::English ? p.en : p.zh;
}

// The check boxes' captions, by number (form/options.h).
constexpr Pair kOptionCaptions[] = {
    {"隐藏“常规”页", "Hide General tab"},        // 0 kHideGeneralTab
    {"隐藏“安全”页", "Hide Security tab"},       // 1 kHideSecurityTab
    {"隐藏“隐私”页", "Hide Privacy tab"},        // 2 kHidePrivacyTab
    {"隐藏“内容”页", "Hide Content tab"},        // 3 kHideContentTab
    {"隐藏“连接”页", "Hide Connections"},        // 4 kHideConnectionsTab
    {"隐藏“程序”页", "Hide Programs tab"},       // 5 kHideProgramsTab
    {"隐藏“高级”页", "Hide Advanced tab"},       // 6 kHideAdvancedTab
    {"禁用“打开”菜单", "No File > Open"},        // 7 kNoIeFileOpen
    {"禁用“另存为”菜单", "No File > Save As"},   // 8 kNoIeSaveAs
    {"禁用“收藏夹”菜单", "No Favorites menu"},   // 9 kNoIeFavorites
    {"禁用INTERNET选项", "No Internet Options"}, // 10 kNoIeOptions
    {"禁用IE右键菜单", "No IE shortcut menu"},   // 11 kNoIeContextMenu
    {"禁止下载", "No downloads"},                // 12 kNoDownload
    {"禁用“新建”菜单", "No File > New"},         // 13 kNoIeFileNew
    {"隐藏主题项", "Hide Themes tab"},           // 14 kHideThemePage
    {"隐藏桌面项", "Hide Desktop tab"},          // 15 kHideDesktopPage
    {"隐藏屏保项", "Hide Screensaver"},          // 16 kHideScreenSaverPage
    {"禁止更改壁纸", "Lock wallpaper"},          // 17 kNoWallpaperChange
    {"禁用屏保", "No screen saver"},             // 18 kNoScreenSaver
    {"删除“运行”项", "Remove Run"},              // 19 kNoRunItem
    {"删除“查找”项", "Remove Search"},           // 20 kNoFindItem
    {"删除“设置”项", "Remove Settings"},         // 21 kNoSettingsItem
    {"删除“文档”项", "Hide Documents"},          // 22 kNoDocumentsItem
    {"删除“帮助”项", "Remove Help"},             // 23 kNoHelpItem
    {"禁用访问控制面板", "No Control Panel"},    // 24 kNoControlPanelAccess
    {"禁止任务管理器", "No Task Manager"},       // 25 kNoTaskManager
    {"取消右键菜单", "No right-click"},          // 26 kNoDesktopContextMenu
    {"禁止添加删除程序", "No Add/Remove"},       // 27 kNoAddRemovePrograms
    {"禁止显示控制面板", "Hide Control Panel"},  // 28 kNoControlPanel
    {"禁止改变密码", "Lock password"},           // 29 kNoPasswordChange
    {"删除我的电脑", "No My Computer"},          // 30 kNoMyComputer
    {"删除文件菜单", "Remove File menu"},        // 31 kNoFileMenu
    {"删除开始菜单Windows Catalog.Update等项",
     "Remove Windows Catalog and Update from Start"},                                     // 32 kNoCatalogUpdateItems
    {"删除开始菜单右键菜单", "No Start menu shortcut menu"},                              // 33 kNoStartMenuContextMenu
    {"禁止修改任务栏和开始菜单设置", "Lock taskbar and Start menu"},                      // 34 kNoTaskbarSettings
    {"禁止从IE里访问盘符", "No drive access from IE"},                                    // 35 kNoDrivesFromIe
    {"删除网上邻居", "Remove My Network Places"},                                         // 36 kNoNetworkPlaces
    {"删除回收站", "Remove Recycle Bin"},                                                 // 37 kNoRecycleBin
    {"隐藏管理项目", "Hide Manage"},                                                      // 38 kNoManageItem
    {"禁止进入安全模式", "No Safe Mode"},                                                 // 39 kNoSafeMode
    {"删除文件夹选项菜单", "Remove Folder Options"},                                      // 40 kNoFolderOptions
    {"删除系统备份[200MB-300MB]", "Delete system file backups [200MB-300MB]"},            // 41 kPurgeSystemCache
    {"删除驱动备份[80MB]", "Delete driver backups [80MB]"},                               // 42 kDeleteDriverCab
    {"缩短关闭错误程序时等待时间", "Close hung programs sooner"},                         // 43 kShortKillTimeout
    {"系统自动关闭停止响应的程序", "End programs that stop responding"},                  // 44 kAutoEndTasks
    {"删除安装升级文件[200MB]", "Delete update setup files [200MB]"},                     // 45 kDeleteUpdateFiles
    {"删除帮助文件[40MB]", "Delete Help files [40MB]"},                                   // 46 kDeleteHelpFiles
    {"优化毗邻文件", "Allocate files contiguously"},                                      // 47 kContigFileAlloc
    {"关闭调试程序自动调试功能", "Turn off automatic debugging"},                         // 48 kNoAutoDebug
    {"自动清理内存中未使用的动态连接库", "Unload unused DLLs from memory"},               // 49 kUnloadDlls
    {"删除文件时不移入回收站，而是彻底删除", "Delete files at once, not to Recycle Bin"}, // 50 kNoRecycleOnDelete
    {"禁用分组相似任务栏", "Do not group taskbar buttons"},                               // 51 kNoTaskbarGrouping
    {"删除不用的输入法[日文，韩文，繁体中文84MB]",
     "Delete unused input methods [Japanese, Korean, Traditional Chinese 84MB]"},     // 52 kDeleteForeignImes
    {"禁止隐藏不活动图标", "Do not hide inactive icons"},                             // 53 kShowInactiveIcons
    {"当WINDOWS出现致命错误时重启", "Restart on system failure"},                     // 54 kRebootOnCrash
    {"启用大系统缓存(512M以上内存推荐)", "Large system cache (512MB+ RAM)"},          // 55 kLargeSystemCache
    {"设置较多的时间来运行", "Best performance of"},                                  // 56 kCpuPriority
    {"禁止发送远程协助邀请", "No Remote Assistance"},                                 // 57 kNoRemoteAssistance
    {"禁止系统错误报告", "Turn off error reporting"},                                 // 58 kNoErrorReporting
    {"禁用桌面清理向导", "No Desktop Cleanup Wizard"},                                // 59 kNoCleanupWizard
    {"禁用自动更新功能", "Turn off Automatic Updates"},                               // 60 kNoAutoUpdateService
    {"使用经典开始菜单", "Classic Start menu"},                                       // 61 kClassicStartMenu
    {"禁用辅助功能快捷键", "No accessibility shortcuts"},                             // 62 kNoAccessibilityKeys
    {"关闭windows防火墙", "Turn off Windows Firewall"},                               // 63 kNoFirewall
    {"总是用经典登录", "Always use classic logon"},                                   // 64 kClassicLogon
    {"禁止系统自动更新", "No Windows Update access"},                                 // 65 kNoWindowsUpdate
    {"关闭系统错误和调试信息", "Turn off error and debug messages"},                  // 66 kNoErrorDebugInfo
    {"关闭系统还原", "Turn off System Restore"},                                      // 67 kNoSystemRestore
    {"禁用Windows Media Player自动更新", "No Windows Media Player updates"},          // 68 kNoMediaPlayerUpdate
    {"删除启动／关机／登录／注销状态消息", "Hide startup/logon status messages"},     // 69 kNoStatusMessages
    {"关机时自动清理页面文件", "Clear paging file at shutdown"},                      // 70 kClearPageFile
    {"加快WINDOWS关机速度", "Shut down Windows faster"},                              // 71 kFastShutdown
    {"禁用虚拟内存(1G以上推荐)", "Keep system code in RAM (1GB+)"},                   // 72 kNoPagingExecutive
    {"加快菜单显示速度", "Show menus faster"},                                        // 73 kFastMenus
    {"减少开机磁盘扫描等待时间", "Shorten the disk check countdown"},                 // 74 kShortDiskCheck
    {"优化二级缓存(选择二级缓存实际值)", "Set L2 cache size (choose the real size)"}, // 75 kL2Cache
    {"整理开始菜单", "Tidy the Start menu"},                                          // 76 kTidyStartMenu
};
static_assert(std::size(kOptionCaptions) == kOptionCaptionCount);

constexpr Pair kServiceItems[] = {
    {"Alerter    通知所选用户和计算机有关系统管理级警报",
     "Alerter    Notifies selected users and computers of administrative alerts."},
    {"Automatic Updates    允许下载并安装 Windows 更新",
     "Automatic Updates    Enables the download and installation of Windows updates."},
    {"Clipbook    启用\"剪贴簿查看器\"储存信息并与远程计算机共享",
     "ClipBook    Enables ClipBook Viewer to store information and share it with remote computers."},
    {"Error Reporting Service    服务和应用程序在非标准环境下运行时允许错误报告",
     "Error Reporting Service    Allows error reporting for services and applications running in non-standard "
     "environments."},
    {"Fast user Ssictching Compatibility   为在多用户下需要协助的应用程序提供管理",
     "Fast User Switching Compatibility    Provides management for applications that require assistance in a multiple "
     "user environment."},
    {"Help and Suport    启用在此计算机上运行帮助和支持中心",
     "Help and Support    Enables Help and Support Center to run on this computer."},
    {"IPSEC Services    管理 IP 安全策略以及启动 ISAKMP/Oakley (IKE) 和 IP 安全驱动程序",
     "IPSEC Services    Manages IP security policy and starts the ISAKMP/Oakley (IKE) and the IP security driver."},
    {"Messerger   传输客户端和服务器之间的 NET SEND 和 Alerter 服务消息",
     "Messenger    Transmits net send and Alerter service messages between clients and servers."},
    {"Print Spooler    将文件加载到内存中以便迟后打印", "Print Spooler    Loads files to memory for later printing."},
    {"Remote Registry    使远程用户能修改此计算机上的注册表设置",
     "Remote Registry    Enables remote users to modify registry settings on this computer."},
    {"Security Center    监视系统安全设置和配置",
     "Security Center    Monitors system security settings and configurations."},
    {"Server    支持此计算机通过网络的文件、打印、和命名管道共享。如果服务停止，这些功能将不可用。 ",
     "Server    Supports file, print, and named-pipe sharing over the network for this computer. If this service is "
     "stopped, these functions will be unavailable."},
    {"Shell Hardware Detection    为自动播放硬件事件提供通知",
     "Shell Hardware Detection    Provides notifications for AutoPlay hardware events."},
    {"SSDP Discovery Service    启动您家庭网络上的 UPnP 设备的发现",
     "SSDP Discovery Service    Enables discovery of UPnP devices on your home network."},
    {"Task Scheduler    使用户能在此计算机上配置和制定自动任务的日程",
     "Task Scheduler    Enables a user to configure and schedule automated tasks on this computer."},
    {"WebClient    使基于Windows的程序能创建、访问和修改基于 Internet 的文件。如果此服务被终止，将会失去这些功能。",
     "WebClient    Enables Windows-based programs to create, access, and modify Internet-based files."},
    {"Windows Firewall/Internet Connection Sharing(ICS)    "
     "为家庭和小型办公网络提供网络地址转换、寻址、名称解析和/或入侵保护服务",
     "Windows Firewall/Internet Connection Sharing (ICS)    Provides network address translation, addressing, name "
     "resolution and/or intrusion prevention services for a home or small office network."},
    {"Windows Time    "
     "维护在网络上的所有客户端和服务器的时间和日期同步。如果此服务被停止，时间和日期的同步将不可用。如果此服务被禁用，"
     "任何明确依赖它的服务都将不能启动",
     "Windows Time    Maintains date and time synchronization on all clients and servers in the network."},
    {"Wireless Zero Configuration    为您的 802.11 适配器提供自动配置",
     "Wireless Zero Configuration    Provides automatic configuration for the 802.11 adapters."},
};
static_assert(std::size(kServiceItems) == kServiceItemCount);

} // namespace

const char* Text(Str id, Language language) {
    const Row& row = kRows[static_cast<std::size_t>(id)];
    return language == Language::English ? row.en : row.zh;
}

std::string Format(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 2 < text.size() && text[i] == '{' && text[i + 2] == '}' ? text[i + 1] - '1' : 9;
        if (n < args.size()) {
            out += args.begin()[n];
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

const char* OptionCaption(int chk, Language language) {
    return In(kOptionCaptions[static_cast<std::size_t>(chk)], language);
}

const char* ServiceItem(int service, Language language) {
    return In(kServiceItems[static_cast<std::size_t>(service)], language);
}

} // namespace lang
