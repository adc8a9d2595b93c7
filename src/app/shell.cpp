#include "app/shell.h"

#include <array>
#include <cstddef>

#include "form/texts.h"
#include "optimize/pass.h"
#include "presets/presets.h"
#include "settings/settings.h"
#include "startup/startup.h"
#include "sysaccess/recording.h"
#include "undo/journal.h"

namespace app {

using form::Context;
using form::MainForm;
using form::MsgAnswer;
using form::MsgButtons;
using form::MsgIcon;
using form::Page;

namespace {

// GetUserNameA's buffer holds 255 characters with the NUL: a longer name cannot be read.
constexpr std::size_t kUserNameBuffer = 255;

struct PageTitles {
    Page page;
    const char* header;  // XPCMain's header; starts with two spaces
    const char* caption; // lblCaption
};

constexpr std::array<PageTitles, 5> kPageTitles = {{
    {Page::System, "  Sysvela(系统优化页)", "[系统优化]"},
    {Page::Security, "  Sysvela(系统安全页)", "[安全优化]"},
    {Page::Service, "  Sysvela(服务优化页)", "[服务优化]"},
    {Page::Startup, "  Sysvela(启动优化页)", "[启动优化]"},
    {Page::Wight, "  Sysvela(系统减肥页)", "[系统减肥]"},
}};

void SwitchTo(MainForm& form, Page page) {
    for (const PageTitles& t : kPageTitles) {
        if (t.page != page) continue;
        form.ShowPage(page);
        form.SetHeader(t.header);
        form.SetLblCaption(t.caption);
    }
}

// Characters of a name as the ANSI call counts them: bytes in the code page.
std::size_t AnsiLength(sysaccess::System& sys, const std::string& utf8) {
    if (auto ansi = sys.ToAnsi(utf8)) return ansi->size();
    return utf8.size();
}

} // namespace

void Main(Context& ctx, const std::function<void()>& showWindow) {
    LoadWindow(ctx);
    if (showWindow) showWindow();
    (void)settings::LoadSettings(ctx.form, ctx.sys); // a damaged file simply stops the load
}

void LoadWindow(Context& ctx) {
    ctx.form.SetCombo2(0);
    ctx.form.SetCombo3(0);
    std::string name = ctx.sys.UserName();
    if (AnsiLength(ctx.sys, name) >= kUserNameBuffer) name.clear();
    ctx.form.UserName = std::move(name);
}

void cmdSystem(Context& ctx) {
    SwitchTo(ctx.form, Page::System);
}
void cmdSecurity(Context& ctx) {
    SwitchTo(ctx.form, Page::Security);
}
void cmdService(Context& ctx) {
    SwitchTo(ctx.form, Page::Service);
}
void cmdWight(Context& ctx) {
    SwitchTo(ctx.form, Page::Wight);
}

void cmdStartup(Context& ctx) {
    SwitchTo(ctx.form, Page::Startup);
    startup::FillStartupList(ctx.form, ctx.sys);
}

void ShowPage(form::Context& ctx, form::Page page) {
    switch (page) {
    case form::Page::System:
        cmdSystem(ctx);
        break;
    case form::Page::Security:
        cmdSecurity(ctx);
        break;
    case form::Page::Service:
        cmdService(ctx);
        break;
    case form::Page::Wight:
        cmdWight(ctx);
        break;
    case form::Page::Startup:
        cmdStartup(ctx);
        break;
    }
}

namespace {

// The journal of what pass is about to change and its empty log, then the pass with every effect
// recorded, then the log; a message box and no change when the journal or the log cannot be
// written, and one that names what failed when anything did.
void Journaled(form::Context& ctx, const std::string& what, const undo::Pass& pass) {
    std::string journal, log;
    if (const sysaccess::Result written = undo::JournalPass(ctx.form, ctx.sys, pass, what, &journal, &log); !written) {
        (void)ctx.host.MsgBox(form::text::kJournalRefused + written.error, form::text::kErrorTitle, MsgButtons::Ok,
                              MsgIcon::Error);
        return;
    }
    sysaccess::RecordingSystem record(ctx.sys, sysaccess::RecordMode::Apply);
    form::Context recorded{ctx.form, record, ctx.host, &record};
    pass(recorded);
    const sysaccess::Result logged = ctx.sys.ReplaceFileAtomically(log, sysaccess::LogText(record.Effects()));
    const std::string report = ResultReport(record.Effects(), undo::UndoFolder(ctx.sys), logged);
    if (!report.empty()) (void)ctx.host.MsgBox(report, form::text::kResultTitle, MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace

std::string ResultReport(const std::vector<sysaccess::Effect>& effects, const std::string& folder,
                         const sysaccess::Result& logged) {
    std::string lines;
    std::size_t failed = 0;
    for (const sysaccess::Effect& e : effects) {
        if (e.outcome != sysaccess::Outcome::Failed) continue;
        if (++failed <= form::text::kListedFailures)
            lines += sysaccess::OneLine(sysaccess::EffectWords(e)) + "：" + sysaccess::OneLine(e.reason) + "\n";
    }
    if (failed == 0 && logged) return {};
    std::string text;
    if (failed > 0) text = form::text::PassFailed(failed) + "：\n" + lines;
    if (failed > form::text::kListedFailures)
        text += form::text::MoreLines(failed - form::text::kListedFailures) + "\n";
    if (!logged) text += form::text::kLogNotWritten + logged.error + "\n";
    return text + "\n" + form::text::kLogAndJournalIn + "\n" + folder;
}

void cmdOptimize(form::Context& ctx) {
    Journaled(ctx, form::PageWord(ctx.form.VisiblePage()), optimize::cmdOptimize);
}

void cmdAuto(form::Context& ctx) {
    if (!presets::ConfirmAuto(ctx)) return;
    Journaled(ctx, "auto", [](form::Context& c) { presets::RunAuto(c, ShowPage); });
}

void cmdExit(Context& ctx) {
    // Saved before the question, so the states survive whatever the answer. A folder without
    // write access keeps the previous file, and the user learns it before leaving.
    if (const sysaccess::Result saved = settings::SaveSettings(ctx.form, ctx.sys); !saved) {
        (void)ctx.host.MsgBox("选项设置未能保存，下次启动时不会恢复：\n" + saved.error, form::text::kErrorTitle,
                              MsgButtons::Ok, MsgIcon::Error);
    }
    const MsgAnswer answer = ctx.host.MsgBox("您所有的操作必须要在注销以后生效，是否现在注销?", "确认",
                                             MsgButtons::OkCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Ok) {
        ctx.host.LogOff(); // the log-off closes the window
    } else {
        ctx.host.CloseWindow();
    }
}

void cmdBrowse(Context& ctx) {
    const auto folder = ctx.host.BrowseForFolder("请选择源文件夹路径：");
    if (!folder) {
        ctx.form.SetTxtPath({});
        return;
    }
    ctx.form.SetTxtPath(folder->substr(0, folder->find('\0')));
}

void lstServiceClick(Context& ctx, int index) {
    const auto& items = ctx.form.lstService().items;
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return; // a click beside the items
    ctx.form.SetLblInfo(items[index]);
}

} // namespace app
