// The CLI's lines of the string table (strings.h); the window's program links none of them.
#include "lang/strings.h"

#include <cstddef>
#include <iterator>

namespace lang {

namespace {

constexpr const char* kHelpZh = R"(sysvela-cli：不打开窗口，预览、执行和导出 Sysvela 的一页设置。

用法：
  sysvela-cli [--machine DIR] [--settings FILE] [--user NAME] [--recommend] [--remove NAME]... COMMAND PAGE
  sysvela-cli [--machine DIR] [--settings FILE] [--user NAME] [--recommend] [--remove NAME]... plan PAGE --changes
  sysvela-cli [--machine DIR] [--user NAME] startup-list
  sysvela-cli [--machine DIR] reg-write KEY NAME TYPE DATA
  sysvela-cli [--machine DIR] run-cmd "COMMAND"
  sysvela-cli [--machine DIR] [--user NAME] undo --list | --last | JOURNAL [--force] [--force-user]
  sysvela-cli [--machine DIR] status [PAGE] [--json]
  sysvela-cli [--machine DIR] list [PAGE] [--json]
  每条命令都可加 --lang zh|en：提示和说明使用的语言。

COMMAND
  plan      列出“优化”按钮将做的事，但不执行
  apply     执行，并在每项生效时列出
  export    写出一个 Windows 批处理文件，在运行它的计算机上做同样的事
PAGE
  {1}
  auto 即自动优化：系统、安全、启动和服务四页，每页先选中推荐项。

选项
  --machine DIR    作用于保存在 DIR 中的模拟计算机（DIR 不存在或为空时新建一台）。
                   默认：Linux 上为 ./sysvela-machine，Windows 上为本机系统。
  --settings FILE  从 FILE 而不是程序旁的 setup.dat 读取选项状态。没有 setup.dat 时
                   使用窗口的初始状态。该文件从不写入。
  --user NAME      当前用户“启动”文件夹所用的登录名（默认：当前登录名）。写入哪个用户的
                   注册表不变。apply --user NAME 的撤销记录用 undo --user NAME 撤销。
  --recommend      先选中该页的推荐项（auto 总是如此）；在当前 Windows 上不起作用的选项不选中。
  --all            像在 Windows XP 上一样执行每个选项和服务，包括在当前 Windows 上不起作用
                   （否则会跳过）的；导出的批处理这时不检查运行它的 Windows 版本。
  --remove NAME    选中文字恰为 NAME 的每个启动项（仅用于 startup 页；可多次给出）。
  --codepage N     导出的批处理文件的代码页（默认 936）。
  --lang zh|en     提示和说明的语言（默认：Windows 上为用户界面语言，Linux 上按
                   LC_ALL、LC_MESSAGES 或 LANG）。机器读取的输出与语言无关。
  --help           显示本说明。
  --version        显示程序的版本。

plan 和 apply 的输出（标准输出，UTF-8，每项一行，按顺序）
  page NAME                    每页各项之前
  write KEY|NAME|TYPE|DATA     一个注册表值；TYPE 为 string、dword 或 hex
  start COMMAND                启动后不等待的命令行
  wait COMMAND                 运行至结束的命令行
  delete PATH                  删除文件（路径或通配模式，原样给出）
  rmdir PATH                   删除文件夹
  plan 按计算机当前状态回答每次查询，并把每项都算作成功，因此可能把一次删除列出两次，
  而 apply 第二次时会发现文件已不存在。
  skipped WHAT: WHY            在当前 Windows 上不起作用、因此不执行的选项或服务，例如：
                               skipped 停用 Alerter: not on Windows 10 (build 19045)。
  apply 中失败的一项以制表符和“failed: REASON”结尾；执行完后，每个启动后失败的命令
  另列一行“failed: COMMAND: REASON”。对不存在的值或项的“reg delete”以制表符和
  “nothing to remove”结尾，对不存在的项的“reg copy”以“nothing to copy”结尾；两者都不
  算失败。apply 还把每项及其结果（ok、failed: REASON、skipped: REASON）和最后的合计写入
  撤销记录（见下）旁的日志：文件名为撤销记录的名称加 .log，UTF-8。
  plan --changes 只列出会更改计算机当前状态的项，以及结果无法预先知道的项（以制表符和
  “unknown”结尾）：没有任何东西可以读回其效果的命令，或针对未安装服务的 sc 步骤。注册表值、
  服务的启动类型（sc）、删除或复制的注册表项（reg）和启动时的磁盘检查（chkntfs）都从计算机
  读取；已是目标状态的项不列出。

export 的输出（标准输出）：批处理文件，CR LF 换行，使用所选代码页。注册表值写成“reg add”，
命令行原样保留，每个文件操作都先做与程序相同的检查，Windows 文件夹、“开始”菜单和“启动”
文件夹是运行该批处理的计算机和用户的，安全模式的注册表项只在复制成功后才删除。只在某些
Windows 版本上起作用的选项，只在批处理（按“ver”显示的版本）发现是这些版本之一时执行，
否则显示“skipped WHAT”。

撤销：apply（以及窗口的“优化”和“自动优化”）先在 setup.dat 旁的“undo”文件夹写一份撤销
记录：一个注册表脚本（UTF-16，与 regedit 所写相同），可恢复本次更改的每个值、项和服务启动
类型，并附上被删除文件的副本。
  undo --list      列出撤销记录，从旧到新：名称、制表符、页面、制表符、时间、制表符、计算机
  undo --last      撤销最近一次尚未撤销的优化（自动优化：四页一起）；撤销本身的记录和其他
                   .reg 文件略过
  undo JOURNAL     撤销该记录（undo 文件夹中的名称或完整路径）
  --force          撤销在另一台计算机上写的记录
  --force-user     为当前用户撤销另一个用户注册表（HKEY_CURRENT_USER）的记录
撤销本身也先写一份记录，写明它撤销的是哪一份，因此撤销也可以再撤销。无法解析、含有程序从不
写入或删除的值、会删除含有程序和记录都没有放入的内容的注册表项、比任何记录都大，或者其
SHA-256 或其副本的 SHA-256 与写入时记录的（在 HKEY_LOCAL_MACHINE\SOFTWARE\Sysvela\Undo
下，以及在记录中）不符的记录会被整个拒绝，不做任何更改。优化后已被删除的服务会被略过并说明，
其余照常恢复。服务启动类型也通过服务管理器设置。导入后逐一读回每个值和项：“failed: WHAT”
行列出未能恢复的内容，退出码为 1。在资源管理器中双击撤销记录也能恢复注册表；复制的文件只能
用 undo 恢复。

status 显示计算机当前的状态，每个选项一行：on（有勾选时写入的内容）、off（有不勾选时写入的
内容，或没有勾选的痕迹）、mixed（两者都有）、unknown（该选项只运行命令）或 n/a（在当前
Windows 上不起作用；选项文字后跟一个制表符和原因），一个制表符，然后是选项的文字；最后一行
为汇总。PAGE 为 system、security、services（on：服务已禁用）或
slimming；不给 PAGE 则四页全部列出。--json 则改为输出
{"pages":[{"page":P,"options":[{"chk":N,"caption":C,"state":S},...],"on":N,"off":N,"mixed":N,
"unknown":N,"n/a":N},...]}。状态词和汇总行与语言无关，选项文字随语言。status 不做任何更改。

list 列出程序对 PAGE（不给 PAGE 则所有页）的每个选项和服务所知的情况：编号或服务名、页面、
选项文字、在当前 Windows 上是否起作用（“applies”或“n/a: WHY”）、风险（低、中或高，附原因）
和它做什么，以制表符分隔，每项一行。--json 则输出 {"option":N,...} 和 {"service":NAME,...}
对象的数组，键为 "caption"、"page"、"applies"、"why"、"risk"、"riskReason"、"explanation"、
"sources"（说明其适用版本的网页：[{"url","quote"}]）、"probes"（程序改为在计算机上检查的内容）
和 "unverified"（true：没有资料说明适用版本，因此在所有版本上都执行）。

startup-list 按窗口的列法列出启动项，每行一项。
reg-write（TYPE 为 string、dword 或 hex）和 run-cmd 是诊断用的：写一个注册表值，或运行一个命令行
至结束。

退出码：0 完成；1 某项失败（apply），或无法读写计算机或文件；2 用法错误。
)";

constexpr const char* kHelpEn = R"(sysvela-cli: preview, apply and export a page of Sysvela without the window.

Usage:
  sysvela-cli [--machine DIR] [--settings FILE] [--user NAME] [--recommend] [--remove NAME]... COMMAND PAGE
  sysvela-cli [--machine DIR] [--settings FILE] [--user NAME] [--recommend] [--remove NAME]... plan PAGE --changes
  sysvela-cli [--machine DIR] [--user NAME] startup-list
  sysvela-cli [--machine DIR] reg-write KEY NAME TYPE DATA
  sysvela-cli [--machine DIR] run-cmd "COMMAND"
  sysvela-cli [--machine DIR] [--user NAME] undo --list | --last | JOURNAL [--force] [--force-user]
  sysvela-cli [--machine DIR] status [PAGE] [--json]
  sysvela-cli [--machine DIR] list [PAGE] [--json]
  Every command takes --lang zh|en: the language of its messages and of this text.

COMMAND
  plan      list what the Optimize button would do, without doing it
  apply     do it, listing each effect as it happens
  export    write a Windows batch file that does the same on the machine where it runs
PAGE
  {1}
  auto is the automatic optimisation: system, security, startup and services, each with its
  recommended selection.

Options
  --machine DIR    act on the simulated machine kept in DIR (a new one is seeded when DIR is
                   missing or empty). Default: ./sysvela-machine on Linux, the real system on
                   Windows.
  --settings FILE  read the option states from FILE instead of setup.dat beside the program.
                   Without setup.dat the window's design states are used. The file is never
                   written.
  --user NAME      the log-in name used for the current user's Startup folder (default: the
                   log-in name). Whose registry is written does not change. A journal of
                   apply --user NAME is undone with undo --user NAME.
  --recommend      tick the page's recommended selection first (auto always does); an option
                   that does not apply on this Windows is not ticked.
  --all            run every option and service as on Windows XP, including those that have no
                   effect on this Windows (which are otherwise skipped); an exported batch then
                   does not test the version of Windows it runs on.
  --remove NAME    tick every startup entry whose text is exactly NAME (startup page only; may
                   be given more than once).
  --codepage N     code page of the exported batch file (default 936).
  --lang zh|en     the language of messages and of this text (default: the user's UI language on
                   Windows; LC_ALL, LC_MESSAGES or LANG on Linux). What machines read is the same
                   in every language.
  --help           show this text.
  --version        show the program's version.

Output of plan and apply (stdout, UTF-8, one line per effect, in order)
  page NAME                    before the effects of each page
  write KEY|NAME|TYPE|DATA     a registry value; TYPE is string, dword or hex
  start COMMAND                a command line started without waiting
  wait COMMAND                 a command line run to completion
  delete PATH                  a file deletion (the path or pattern as passed)
  rmdir PATH                   a folder removal
  A plan answers every query from the machine as it is and counts every effect as succeeded,
  so it may list a deletion twice where apply would find the file gone the second time.
  skipped WHAT: WHY            an option or service that has no effect on this Windows, which
                               the pass leaves alone, such as: skipped 停用 Alerter: not on
                               Windows 10 (build 19045).
  In apply, an effect that failed ends with a tab and "failed: REASON"; after the pass each
  started command that failed is listed as "failed: COMMAND: REASON". A "reg delete" of a value
  or key that was not there ends with a tab and "nothing to remove", a "reg copy" of a key that
  was not there with "nothing to copy"; neither is a failure. apply also writes every effect
  with its outcome (ok, failed: REASON, skipped: REASON) and then the totals to a log beside its
  journal (below): the journal's name with .log, UTF-8.
  plan --changes lists only the effects that would change the machine as it is now, and those
  whose result cannot be known beforehand, which end with a tab and "unknown": a command whose
  effect nothing reads back, or an sc step for a service that is not installed. A registry
  value, a service's start type (sc), a key removed or copied (reg) and the boot-time disk check
  (chkntfs) are read from the machine; what already holds its target is left out.

Output of export (stdout): the batch file, CR LF, in the code page chosen. Registry values
become "reg add", command lines stand as they are, each file operation is made behind the same
test the program makes, the Windows folder, the Start menu and the Startup folders are those of
the machine and user that run the batch, and a safe-boot key is deleted only after its copy
succeeded. An option that has an effect on some versions of Windows only runs where the batch
finds one of them (by the version "ver" prints), and says "skipped WHAT" elsewhere.

Undo: apply (and the window's Optimize and automatic optimisation) first writes a journal to the
folder "undo" beside setup.dat: a registry script (UTF-16, as regedit writes it) that puts back
every value, key and service start type the pass changes, with copies of the files it removes.
  undo --list      the journals, oldest first: NAME, tab, PAGE, tab, TIME, tab, COMPUTER
  undo --last      undo the latest pass not undone yet (automatic optimisation: its four pages
                   together); undo journals and other .reg files are passed over
  undo JOURNAL     undo that journal (a name in the undo folder or a full path)
  --force          undo a journal written on another computer
  --force-user     undo a journal of another user's registry (HKEY_CURRENT_USER) for this user
An undo writes a journal of its own first, naming the journal it undoes, so it can be undone in
turn. A journal that does not parse, names a value the program never writes or deletes, would
delete a key holding what neither the program nor the journal put there, is larger than any
journal, or whose SHA-256 or whose copies' SHA-256 is not the one recorded when it was written
(under HKEY_LOCAL_MACHINE\SOFTWARE\Sysvela\Undo, and in the journal) is refused whole and
nothing changes. A service removed since the pass is skipped and said; the rest is restored.
Service start types are also set through the service manager. Every value and key is read back
after the import: "failed: WHAT" lines name what was not put back, and the exit status is 1.
Double-clicking a journal in Explorer restores the registry too; the copied files come back only
through undo.

status shows what the machine holds now, one line per option: on (what a tick writes), off
(what a clear writes, or no trace of the tick), mixed (some of each), unknown (the option only
runs commands) or n/a (it has no effect on this Windows; a tab and the reason follow the
caption), a tab, and the option's caption; then a summary line. PAGE is system, security,
services (on: the service is disabled) or slimming; without PAGE, all four. --json prints
{"pages":[{"page":P,"options":[{"chk":N,"caption":C,"state":S},...],"on":N,"off":N,"mixed":N,
"unknown":N,"n/a":N},...]} instead. The state words and the summary line are the same in every
language; the captions follow it. status changes nothing.

list shows what the program knows of each option and service of PAGE (all pages without it):
its number or service name, page, caption, whether it applies on this Windows ("applies" or
"n/a: WHY"), its risk (低, 中 or 高, with the reason) and what it does, tab-separated, one line
each. --json prints an array of {"option":N,...} and {"service":NAME,...} objects with "caption",
"page", "applies", "why", "risk", "riskReason", "explanation", "sources" ([{"url","quote"}] of
the pages that say where it applies), "probes" (what the program checks on the machine instead)
and "unverified" (true: nothing says where it applies, and it runs everywhere).

startup-list prints the startup entries as the window lists them, one per line.
reg-write (TYPE string, dword or hex) and run-cmd are diagnostics for one registry write or one
command line run to completion.

Exit status: 0 done; 1 an effect failed (apply), or the machine or a file could not be read or
written; 2 a usage error.
)";

struct Row {
    CliStr id;
    const char* zh;
    const char* en;
};

constexpr Row kRows[] = {
    {CliStr::Help, kHelpZh, kHelpEn},
    {CliStr::Usage, "sysvela-cli: {1}\nsysvela-cli: 参见 sysvela-cli --help\n",
     "sysvela-cli: {1}\nsysvela-cli: see sysvela-cli --help\n"},
    {CliStr::BadArguments, "参数有误", "bad arguments"},
    {CliStr::UnknownPage, "未知的页面“{1}”（{2}）", "unknown page '{1}' ({2})"},
    {CliStr::UnknownLanguage, "未知的语言“{1}”（zh 或 en）", "unknown language '{1}' (zh or en)"},
    {CliStr::ListComma, "、", ", "},
    {CliStr::ListOr, " 或 ", " or "},
    {CliStr::OnlyWithPass, "{1} 只能与 plan、apply 和 export 一起使用", "{1} works only with plan, apply and export"},
    {CliStr::UserOnly, "--user 只能与 plan、apply、export、startup-list 和 undo 一起使用",
     "--user works only with plan, apply, export, startup-list and undo"},
    {CliStr::RemoveOnly, "--remove 只能用于 startup 页", "--remove works only with the startup page"},
    {CliStr::CodePageOnly, "--codepage 只能与 export 一起使用", "--codepage works only with export"},
    {CliStr::UndoTakesOne, "undo 需要 --list、--last 或一份撤销记录，三者之一",
     "undo takes one of --list, --last or a journal"},
    {CliStr::UnknownType, "未知的值类型“{1}”（string、dword 或 hex）",
     "unknown value type '{1}' (string, dword or hex)"},
    {CliStr::CannotCreateMachine, "sysvela-cli: 无法在 {1} 新建模拟计算机：{2}\n",
     "sysvela-cli: cannot create the simulated machine in {1}: {2}\n"},
    {CliStr::Seeded, "sysvela-cli: 已在 {1} 新建一台模拟计算机\n",
     "sysvela-cli: seeded a new simulated machine in {1}\n"},
    {CliStr::CannotReadMachine, "sysvela-cli: 无法读取 {1} 中的模拟计算机：{2}\n",
     "sysvela-cli: cannot read the simulated machine in {1}: {2}\n"},
    {CliStr::CannotSaveMachine, "sysvela-cli: 无法保存 {1} 中的模拟计算机：{2}\n",
     "sysvela-cli: cannot save the simulated machine in {1}: {2}\n"},
    {CliStr::NoSystem, "sysvela-cli: 无法访问本机系统\n", "sysvela-cli: the system cannot be reached\n"},
    {CliStr::CannotReadSettings, "sysvela-cli: 无法读取选项文件 {1}\n",
     "sysvela-cli: cannot read the settings file {1}\n"},
    {CliStr::NoSettings, "sysvela-cli: 没有 {1}；使用窗口的初始状态\n",
     "sysvela-cli: no {1}; using the window's design states\n"},
    {CliStr::SettingsStopped, "sysvela-cli: {1}：读取在第 {2} 行停止：{3}；使用此前读到的状态\n",
     "sysvela-cli: {1}: the load stopped at line {2}: {3}; the states read before it are used\n"},
    {CliStr::NoStartupEntry, "sysvela-cli: 没有名为“{1}”的启动项\n", "sysvela-cli: no startup entry is named '{1}'\n"},
    {CliStr::NoCodePage, "sysvela-cli: 代码页 {1} 不可用；参见 --help\n",
     "sysvela-cli: code page {1} is not available; see --help\n"},
    {CliStr::JournalFailed, "sysvela-cli: 无法写入撤销记录，本次未做任何更改：{1}\n",
     "sysvela-cli: the undo journal cannot be written, so nothing was changed: {1}\n"},
    {CliStr::Journal, "sysvela-cli: 撤销记录 {1}\n", "sysvela-cli: journal {1}\n"},
    {CliStr::Log, "sysvela-cli: 日志 {1}\n", "sysvela-cli: log {1}\n"},
    {CliStr::LogFailed, "sysvela-cli: 日志未能写入：{1}\n", "sysvela-cli: the log cannot be written: {1}\n"},
    {CliStr::CodePageCannotHold, "sysvela-cli: 批处理中有代码页 {1} 无法表示的文字\n",
     "sysvela-cli: the batch holds text that code page {1} cannot hold\n"},
    {CliStr::PassedOver, "sysvela-cli: {1} 中略过：{2}\n", "sysvela-cli: passed over in {1}: {2}\n"},
    {CliStr::NoJournalToUndo, "sysvela-cli: {1} 中没有尚未撤销的优化记录\n",
     "sysvela-cli: there is no journal of a pass not yet undone in {1}\n"},
    {CliStr::UndoFailed, "sysvela-cli: 撤销 {1}：{2}\n", "sysvela-cli: undo {1}: {2}\n"},
    {CliStr::Stopped, "sysvela-cli: 已停止：{1}\n", "sysvela-cli: stopped: {1}\n"},
    {CliStr::OutOfMemory, "内存不足", "out of memory"},
    {CliStr::UnknownError, "未知错误", "an unknown error"},
    {CliStr::OtherSessionUser,
     "sysvela-cli: 正以“{1}”的身份运行，而登录本会话的是“{2}”：只对当前用户生效的选项将修改“{1}”的设置，"
     "而不是“{2}”的\n",
     "sysvela-cli: running as {1} while {2} is logged on in this session: the current user's options change "
     "{1}'s settings, not {2}'s\n"},
    {CliStr::VersionUnknown, "sysvela-cli: 无法读取 Windows 的版本：只跳过程序在本机上查明不存在的内容\n",
     "sysvela-cli: the version of Windows cannot be read: only what the program finds missing on this machine is "
     "skipped\n"},
};

constexpr bool RowsInIdOrder() {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i || kRows[i].zh == nullptr || kRows[i].en == nullptr ||
            kRows[i].en[0] == '\0')
            return false;
    }
    return static_cast<std::size_t>(CliStr::VersionUnknown) + 1 == std::size(kRows);
}
static_assert(RowsInIdOrder(), "kRows: row i is CliStr i, with both languages; one row for every CliStr");

} // namespace

const char* Text(CliStr id, Language language) {
    const Row& row = kRows[static_cast<std::size_t>(id)];
    return language == Language::English ? row.en : row.zh;
}

} // namespace lang
