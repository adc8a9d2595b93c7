// The startup list: what starts at log-on from the two Run keys and the two Startup folders,
// and the removal of ticked entries.
#pragma once

#include <string>

#include "app/form.h"
#include "app/host.h"
#include "sysaccess/system.h"

namespace startup {

// Empties lstStartup and fills it: the current user's Run values, the machine's Run values, the
// current user's Startup folder files, the all users' Startup folder files.
void FillStartupList(app::MainForm& form, sysaccess::System& sys);

// The startup section of the Optimize pass: removes every ticked entry, waits until every
// removal has ended, lets pending events run, fills the list again.
void RunStartupSection(app::MainForm& form, sysaccess::System& sys, app::Host& host);

// Removes name from both Run keys and both Startup folders.
void RemoveStartupItem(const app::MainForm& form, sysaccess::System& sys, const std::string& name);

} // namespace startup
