#include "optimize/pass.h"

#include "optimize/sections.h"
#include "startup/startup.h"
#include "sysaccess/recording.h"

namespace optimize {

void DisableButtons(form::MainForm& form) {
    for (form::Button b : kDisableOrder)
        form.SetEnabled(b, false);
}

void EnableButtons(form::MainForm& form) {
    for (form::Button b : kEnableOrder)
        form.SetEnabled(b, true);
}

void RunPass(form::Context& ctx, bool enableButtonsAtEnd) {
    form::MainForm& form = ctx.form;
    DisableButtons(form);
    form.SetShape2Visible(true); // its width stays where the last pass left it until a section moves it
    form.SetLblWait(form.Text(lang::Str::Busy));

    // One page is on screen and no section switches pages, so one section runs.
    if (form.Visible(form::Page::Startup)) startup::RunStartupSection(form, ctx.sys, ctx.host);
    RunOptionsSection(form, ctx.sys);
    // The pass is over when the commands it started are: only then is its outcome known.
    (void)ctx.sys.CollectStarted();

    if (enableButtonsAtEnd) EnableButtons(form);
    form.SetShape2Visible(false);
    const std::size_t failed = ctx.record ? ctx.record->Count(sysaccess::Outcome::Failed) : 0;
    form.SetLblWait(failed == 0 ? std::string(form.Text(lang::Str::Done))
                                : lang::Format(lang::Str::PassFailed, form.Language(), {std::to_string(failed)}));
}

void cmdOptimize(form::Context& ctx) {
    RunPass(ctx, true);
}

} // namespace optimize
