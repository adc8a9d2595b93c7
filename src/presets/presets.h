// The presets: the recommended selection of the page on screen, automatic optimisation of four
// pages in a row, and the reset of every page's options.
#pragma once

#include "form/context.h"

namespace presets {

// Ticks (never clears) the recommended options of the visible page; nothing on the startup page.
void cmdSuggest(form::Context& ctx);

// Clears the options of every page except those the option table keeps, txtPath and the Opt buttons.
void cmdRedo(form::Context& ctx);

// A page button's click: the page shown, with whatever showing it involves.
using ShowPage = void (*)(form::Context&, form::Page);

// Automatic optimisation (the click of cmdAuto, app/shell.h) in two halves: the question (true for
// OK), and the stages: the pages of automatic optimisation in turn, each shown with showPage,
// recommended and optimised, with input held off for the whole sequence.
bool ConfirmAuto(form::Context& ctx);
void RunAuto(form::Context& ctx, ShowPage showPage);

} // namespace presets
