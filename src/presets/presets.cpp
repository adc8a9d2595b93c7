#include "presets/presets.h"

#include <array>

#include "optimize/pass.h"

namespace presets {

namespace {

constexpr const char* kDownloadFolder = "C:\\Downloads";

// Ticks the recommended boxes of one page.
void TickRecommended(form::MainForm& form, form::Page page) {
    for (const form::Option& o : form::kOptions) {
        if (o.page == page && (o.flags & form::kRecommended)) form.SetChk(o.chk, form::kTicked);
    }
}

// Holds input off while the automatic sequence runs, and gives it back (buttons enabled in the
// pass's order) however the sequence ends.
class InputHold {
public:
    explicit InputHold(form::MainForm& form) : form_(form) {
        form_.SetBusy(true);
        optimize::DisableButtons(form_);
    }
    ~InputHold() {
        optimize::EnableButtons(form_);
        form_.SetBusy(false);
    }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

private:
    form::MainForm& form_;
};

} // namespace

void cmdSuggest(form::Context& ctx) {
    form::MainForm& form = ctx.form;
    // Besides the page's recommended boxes: the download folder, both drop-down lists on item 0,
    // every service.
    if (form.Visible(form::Page::Security)) form.SetTxtPath(kDownloadFolder);
    if (form.Visible(form::Page::System)) form.SetCombo3(0);
    TickRecommended(form, form.VisiblePage());
    if (form.Visible(form::Page::System)) form.SetCombo2(0);
    if (form.Visible(form::Page::Service)) {
        for (int i = 0; i < form::kServiceCount; ++i)
            form.SetService(i, true);
    }
}

void cmdRedo(form::Context& ctx) {
    form::MainForm& form = ctx.form;
    for (const form::Option& o : form::kOptions) {
        if (!(o.flags & form::kKeptByReset)) form.SetChk(o.chk, form::kCleared);
    }
    form.SetCombo2(0);
    form.SetCombo3(0);
    for (int i = 0; i < form::kDriveCount; ++i) {
        form.SetNot(i, false);
        form.SetHide(i, false);
    }
    for (int i = 0; i < form::kServiceCount; ++i)
        form.SetService(i, false);
    const int startupCount = static_cast<int>(form.lstStartup().items.size());
    for (int i = 0; i < startupCount; ++i)
        form.SetStartupTick(i, false);
}

bool ConfirmAuto(form::Context& ctx) {
    return ctx.host.MsgBox(ctx.form.Text(lang::Str::AutoQuestion), ctx.form.Text(lang::Str::ConfirmTitle),
                           form::MsgButtons::OkCancel, form::MsgIcon::None) == form::MsgAnswer::Ok;
}

void RunAuto(form::Context& ctx, ShowPage showPage) {
    // The pending events let in between the stages must not start a second pass or sequence.
    InputHold hold(ctx.form);
    constexpr auto kAutoPages = form::AutoPages();
    for (std::size_t stage = 0; stage < kAutoPages.size(); ++stage) {
        showPage(ctx, kAutoPages[stage]);
        ctx.host.DoEvents(); // draws the page switch
        cmdSuggest(ctx);
        optimize::RunPass(ctx, false);
        if (stage + 1 < kAutoPages.size()) ctx.host.DoEvents();
    }
}

} // namespace presets
