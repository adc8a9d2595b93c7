// The Optimize pass: turns the page on screen into changes to the system, with the ten main
// buttons disabled, Shape2 showing progress and lblWait the state of the pass.
#pragma once

#include <array>

#include "form/context.h"

namespace optimize {

// The order in which the pass disables the ten buttons, and the order in which it enables them.
inline constexpr std::array<form::Button, form::kButtonCount> kDisableOrder = {
    form::Button::Redo,   form::Button::Suggest,  form::Button::Optimize, form::Button::Exit,    form::Button::Auto,
    form::Button::System, form::Button::Security, form::Button::Startup,  form::Button::Service, form::Button::Wight,
};
inline constexpr std::array<form::Button, form::kButtonCount> kEnableOrder = {
    form::Button::Auto, form::Button::System,  form::Button::Security, form::Button::Startup, form::Button::Service,
    form::Button::Redo, form::Button::Suggest, form::Button::Optimize, form::Button::Exit,    form::Button::Wight,
};

namespace checks {
// Every button once: an order that left one out would still fill its array, with Button::Redo.
constexpr bool EveryButtonOnce(const std::array<form::Button, form::kButtonCount>& order) {
    for (int b = 0; b < form::kButtonCount; ++b) {
        int seen = 0;
        for (form::Button o : order)
            seen += static_cast<int>(o) == b ? 1 : 0;
        if (seen != 1) return false;
    }
    return true;
}
} // namespace checks
static_assert(checks::EveryButtonOnce(kDisableOrder) && checks::EveryButtonOnce(kEnableOrder),
              "kDisableOrder and kEnableOrder: every main button once");

void DisableButtons(form::MainForm& form);
void EnableButtons(form::MainForm& form);

// One pass over the visible page, ended once every command it started has ended. Its closing
// text is the done text, or says how many effects failed when ctx.record counts any. With
// enableButtonsAtEnd false the buttons stay disabled when it ends, for a caller that runs several
// passes in a row and enables them itself.
void RunPass(form::Context& ctx, bool enableButtonsAtEnd);

// The click of cmdOptimize: one pass, buttons enabled at its end.
void cmdOptimize(form::Context& ctx);

} // namespace optimize
