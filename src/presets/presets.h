// The presets: the recommended selection of the page on screen, automatic optimisation of four
// pages in a row, and the reset of every page's options.
#pragma once

#include "app/context.h"

namespace presets {

// Ticks (never clears) the recommended options of the visible page; nothing on the startup page.
void cmdSuggest(app::Context& ctx);

// Clears the options of every page except chk(75), chk(76), txtPath and the Opt buttons.
void cmdRedo(app::Context& ctx);

// After confirmation: the system, security, startup and service pages in turn, each shown,
// recommended and optimised. Input is held off for the whole sequence.
void cmdAuto(app::Context& ctx);

} // namespace presets
