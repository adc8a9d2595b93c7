#include "optimize/pass.h"

#include "optimize/sections.h"
#include "startup/startup.h"

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
    form.SetLblWait(kBusyText);

    // Each panel is tested when its turn comes; no section switches pages, so one section runs.
    if (form.Visible(form::Page::Startup)) startup::RunStartupSection(form, ctx.sys, ctx.host);
    if (form.Visible(form::Page::Service)) RunServiceSection(form, ctx.sys);
    if (form.Visible(form::Page::Wight)) RunWightSection(form, ctx.sys);
    if (form.Visible(form::Page::System)) RunSystemSection(form, ctx.sys);
    if (form.Visible(form::Page::Security)) RunSecuritySection(form, ctx.sys);

    if (enableButtonsAtEnd) EnableButtons(form);
    form.SetShape2Visible(false);
    form.SetLblWait(kDoneText);
}

void cmdOptimize(form::Context& ctx) {
    RunPass(ctx, true);
}

} // namespace optimize
