#include "presets/presets.h"

#include <array>

#include "app/shell.h"
#include "optimize/pass.h"

namespace presets {

namespace {

// The security page's recommendation: the Start menu items first, then the rest, in this order.
constexpr std::array<int, 11> kSecurityTicks = {20, 21, 22, 23, 17, 24, 29, 32, 35, 36, 40};

// The system page's recommendation, in the order it is applied.
constexpr std::array<int, 24> kSystemTicks = {43, 44, 47, 48, 49, 71, 73, 74, 57, 58, 65, 66,
                                              67, 59, 60, 51, 53, 61, 62, 63, 64, 68, 69, 76};

constexpr int kSlimmingTick = 41;

// Reset clears chk(0) to chk(74); chk(75) and chk(76) are left as they are.
constexpr int kLastResetChk = 74;

constexpr const char* kDownloadFolder = "C:\\Downloads";

// One stage of automatic optimisation: a page button's click.
using PageClick = void (*)(app::Context&);
constexpr std::array<PageClick, 4> kAutoStages = {app::cmdSystem, app::cmdSecurity, app::cmdStartup, app::cmdService};

// Holds input off while the automatic sequence runs, and gives it back (buttons enabled in the
// pass's order) however the sequence ends.
class InputHold {
public:
    explicit InputHold(app::MainForm& form) : form_(form) {
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
    app::MainForm& form_;
};

} // namespace

void cmdSuggest(app::Context& ctx) {
    app::MainForm& form = ctx.form;
    if (form.Visible(app::Page::Security)) {
        form.SetTxtPath(kDownloadFolder);
        for (int i : kSecurityTicks)
            form.SetChk(i, app::kTicked);
    } else if (form.Visible(app::Page::System)) {
        form.SetCombo3(0);
        for (int i : kSystemTicks)
            form.SetChk(i, app::kTicked);
        form.SetCombo2(0);
    } else if (form.Visible(app::Page::Wight)) {
        form.SetChk(kSlimmingTick, app::kTicked);
    } else if (form.Visible(app::Page::Service)) {
        for (int i = 0; i < app::kServiceCount; ++i)
            form.SetService(i, true);
    }
}

void cmdRedo(app::Context& ctx) {
    app::MainForm& form = ctx.form;
    for (int i = 0; i <= kLastResetChk; ++i)
        form.SetChk(i, app::kCleared);
    form.SetCombo2(0);
    form.SetCombo3(0);
    for (int i = 0; i < app::kDriveCount; ++i) {
        form.SetNot(i, false);
        form.SetHide(i, false);
    }
    for (int i = 0; i < app::kServiceCount; ++i)
        form.SetService(i, false);
    const int startupCount = static_cast<int>(form.lstStartup().items.size());
    for (int i = 0; i < startupCount; ++i)
        form.SetStartupTick(i, false);
}

void cmdAuto(app::Context& ctx) {
    const app::MsgAnswer answer = ctx.host.MessageBox("系统将按推荐优化的配置进行自动优化，确定吗？", "确认",
                                                      app::MsgButtons::OkCancel, app::MsgIcon::None);
    if (answer != app::MsgAnswer::Ok) return;

    // The pending events let in between the stages must not start a second pass or sequence.
    InputHold hold(ctx.form);
    for (std::size_t stage = 0; stage < kAutoStages.size(); ++stage) {
        kAutoStages[stage](ctx);
        ctx.host.DoEvents(); // draws the page switch
        cmdSuggest(ctx);
        optimize::RunPass(ctx, false);
        if (stage + 1 < kAutoStages.size()) ctx.host.DoEvents();
    }
}

} // namespace presets
