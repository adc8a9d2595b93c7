#include "app/shell.h"

#include <cstddef>

#include "optimize/applies.h"
#include "optimize/pass.h"
#include "presets/presets.h"
#include "settings/settings.h"
#include "startup/startup.h"
#include "sysaccess/recording.h"
#include "undo/journal.h"

namespace app {

using form::Context;
using form::MsgAnswer;
using form::MsgButtons;
using form::MsgIcon;
using form::Page;

namespace {

// GetUserNameA's buffer holds 255 characters with the NUL: a longer name cannot be read.
constexpr std::size_t kUserNameBuffer = 255;

// Characters of a name as the ANSI call counts them: bytes in the code page.
std::size_t AnsiLength(sysaccess::System& sys, const std::string& utf8) {
    if (auto ansi = sys.ToAnsi(utf8)) return ansi->size();
    return utf8.size();
}

} // namespace

void Main(Context& ctx, const std::function<void()>& showWindow) {
    LoadWindow(ctx);
    optimize::JudgeAll(ctx.form, ctx.sys); // before the window shows its boxes
    if (showWindow) showWindow();
    (void)settings::LoadSettings(ctx.form, ctx.sys); // a damaged file simply stops the load
    // Run as another account than the session's, the current user's options would change that
    // account's settings: said before the first pass can run.
    if (const auto session = sysaccess::OtherSessionUser(ctx.sys)) {
        const lang::Language language = ctx.form.Language();
        (void)ctx.host.MsgBox(lang::Format(lang::Str::OtherSessionUser, language, {ctx.sys.UserName(), *session}),
                              lang::Text(lang::Str::InfoTitle, language), MsgButtons::Ok, MsgIcon::Information);
    }
}

void LoadWindow(Context& ctx) {
    ctx.form.SetCombo2(0);
    ctx.form.SetCombo3(0);
    std::string name = ctx.sys.UserName();
    if (AnsiLength(ctx.sys, name) >= kUserNameBuffer) name.clear();
    ctx.form.UserName = std::move(name);
}

void cmdSystem(Context& ctx) {
    ShowPage(ctx, Page::System);
}
void cmdSecurity(Context& ctx) {
    ShowPage(ctx, Page::Security);
}
void cmdService(Context& ctx) {
    ShowPage(ctx, Page::Service);
}
void cmdWight(Context& ctx) {
    ShowPage(ctx, Page::Wight);
}
void cmdStartup(Context& ctx) {
    ShowPage(ctx, Page::Startup);
}

void ShowPage(Context& ctx, Page page) {
    ctx.form.ShowPage(page);
    ctx.form.SetHeader(ctx.form.Text(form::Record(page).header));
    ctx.form.SetLblCaption(ctx.form.Text(form::Record(page).caption));
    if (page == Page::Startup) startup::FillStartupList(ctx.form, ctx.sys);
}

namespace {

// The journal of what pass is about to change and its empty log, then the pass with every effect
// recorded, then the log; a message box and no change when the journal or the log cannot be
// written, and one that names what failed when anything did.
void Journaled(form::Context& ctx, const std::string& what, const undo::Pass& pass) {
    std::string journal, log;
    if (const sysaccess::Result written =
            undo::JournalPass(ctx.form, ctx.sys, pass, what, ctx.form.Language(), &journal, &log);
        !written) {
        (void)ctx.host.MsgBox(lang::Format(lang::Str::JournalFailed, ctx.form.Language(), {written.error}),
                              ctx.form.Text(lang::Str::ErrorTitle), MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    sysaccess::RecordingSystem record(ctx.sys, sysaccess::RecordMode::Apply);
    form::Context recorded{ctx.form, record, ctx.host, &record};
    pass(recorded);
    // What the pass changed may change what applies (a file it removed is not there to remove).
    optimize::JudgeAll(ctx.form, ctx.sys);
    const sysaccess::Result logged = ctx.sys.ReplaceFileAtomically(log, sysaccess::LogText(record.Effects()));
    const lang::Language language = ctx.form.Language();
    const std::string report = ResultReport(record.Effects(), undo::UndoFolder(ctx.sys), logged, language);
    if (!report.empty())
        (void)ctx.host.MsgBox(report, lang::Text(lang::Str::ResultTitle, language), MsgButtons::Ok,
                              MsgIcon::Exclamation);
}

} // namespace

std::string ResultReport(const std::vector<sysaccess::Effect>& effects, const std::string& folder,
                         const sysaccess::Result& logged, lang::Language language) {
    std::string lines;
    std::size_t failed = 0;
    for (const sysaccess::Effect& e : effects) {
        if (e.outcome != sysaccess::Outcome::Failed) continue;
        if (++failed <= kListedFailures)
            lines += lang::Format(lang::Str::EffectFailed, language,
                                  {sysaccess::OneLine(sysaccess::EffectWords(e)), sysaccess::OneLine(e.reason)}) +
                     "\n";
    }
    if (failed == 0 && logged) return {};
    std::string text;
    if (failed > 0) text = lang::Format(lang::Str::PassFailedList, language, {std::to_string(failed)}) + "\n" + lines;
    if (failed > kListedFailures) text += MoreLines(failed - kListedFailures, language) + "\n";
    if (!logged) text += lang::Format(lang::Str::LogNotWritten, language, {logged.error}) + "\n";
    return text + "\n" + lang::Text(lang::Str::LogAndJournalIn, language) + "\n" + folder;
}

std::string MoreLines(std::size_t left, lang::Language language) {
    return lang::Format(lang::Str::MoreLines, language, {std::to_string(left)});
}

void cmdOptimize(form::Context& ctx) {
    Journaled(ctx, form::PageWord(ctx.form.VisiblePage()), optimize::cmdOptimize);
}

void cmdAuto(form::Context& ctx) {
    if (!presets::ConfirmAuto(ctx)) return;
    Journaled(ctx, form::kAutoWord, [](form::Context& c) { presets::RunAuto(c, ShowPage); });
}

void cmdExit(Context& ctx) {
    // Saved before the question, so the states survive whatever the answer. A folder without
    // write access keeps the previous file, and the user learns it before leaving.
    if (const sysaccess::Result saved = settings::SaveSettings(ctx.form, ctx.sys); !saved) {
        (void)ctx.host.MsgBox(lang::Format(lang::Str::SettingsNotSaved, ctx.form.Language(), {saved.error}),
                              ctx.form.Text(lang::Str::ErrorTitle), MsgButtons::Ok, MsgIcon::Error);
    }
    const MsgAnswer answer =
        ctx.host.MsgBox(ctx.form.Text(lang::Str::LogOffQuestion), ctx.form.Text(lang::Str::ConfirmTitle),
                        MsgButtons::OkCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Ok) {
        ctx.host.LogOff(); // the log-off closes the window
    } else {
        ctx.host.CloseWindow();
    }
}

void cmdBrowse(Context& ctx) {
    const auto folder = ctx.host.BrowseForFolder(ctx.form.Text(lang::Str::BrowseTitle));
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
