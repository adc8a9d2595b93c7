// The Optimize pass: turns the page on screen into changes to the system, with the ten main
// buttons disabled, Shape2 showing progress and lblWait the state of the pass.
#pragma once

#include <array>

#include "app/context.h"

namespace optimize {

// The order in which the pass disables the ten buttons, and the order in which it enables them.
inline constexpr std::array<app::Button, app::kButtonCount> kDisableOrder = {
    app::Button::Redo,   app::Button::Suggest,  app::Button::Optimize, app::Button::Exit,    app::Button::Auto,
    app::Button::System, app::Button::Security, app::Button::Startup,  app::Button::Service, app::Button::Wight,
};
inline constexpr std::array<app::Button, app::kButtonCount> kEnableOrder = {
    app::Button::Auto, app::Button::System,  app::Button::Security, app::Button::Startup, app::Button::Service,
    app::Button::Redo, app::Button::Suggest, app::Button::Optimize, app::Button::Exit,    app::Button::Wight,
};

inline constexpr const char* kBusyText = "正在优化...";
inline constexpr const char* kDoneText = "优化完成!请重新启动计算机";

void DisableButtons(app::MainForm& form);
void EnableButtons(app::MainForm& form);

// One pass over the visible page. With enableButtonsAtEnd false the buttons stay disabled when
// it ends, for a caller that runs several passes in a row and enables them itself.
void RunPass(app::Context& ctx, bool enableButtonsAtEnd);

// The click of cmdOptimize: one pass, buttons enabled at its end.
void cmdOptimize(app::Context& ctx);

} // namespace optimize
