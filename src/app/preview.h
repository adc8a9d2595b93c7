// The preview: what a press of Optimize would do on the page on screen, with the ticks as they
// stand, each effect judged against the machine as it is now.
#pragma once

#include <string>
#include <vector>

#include "form/context.h"
#include "sysaccess/recording.h"
#include "undo/status.h"

namespace app {

struct ForeseenEffect {
    sysaccess::Effect effect; // as plan lists it
    undo::Foresight foresight;
};

// The plan of the page on screen, effect by effect with its judgement. Changes nothing, on the
// machine or in the form.
std::vector<ForeseenEffect> Foresee(const form::MainForm& form, sysaccess::System& sys);

// The preview's text: a first line with how many effects will change the machine (and how many
// are already at their target or cannot be known), then every effect, marked.
std::string PreviewText(const std::vector<ForeseenEffect>& effects, lang::Language language);

// The preview button: the text in a window of its own.
void cmdPreview(form::Context& ctx);

} // namespace app
