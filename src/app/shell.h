// The application shell: start-up, the window's load, page switching, the exit with the offer
// to log off, the folder browser and the service descriptions.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "form/context.h"
#include "sysaccess/recording.h"

namespace app {

// Start-up: the window's load, then (once the view has shown the window) the saved states.
// The push buttons are our own, so there is no button control to register or load first.
void Main(form::Context& ctx, const std::function<void()>& showWindow = {});

// The window's load: both combos on item 0 and the user's log-in name. Colours and geometry
// are the view's.
void LoadWindow(form::Context& ctx);

// The page buttons: one page visible, header and lblCaption to match.
void cmdSystem(form::Context& ctx);
void cmdSecurity(form::Context& ctx);
void cmdService(form::Context& ctx);
void cmdStartup(form::Context& ctx); // also lists the startup entries afresh
void cmdWight(form::Context& ctx);

// A page button's click by its page: that page visible, the header and lblCaption its own; the
// startup page lists the startup entries afresh.
void ShowPage(form::Context& ctx, form::Page page);

// The Optimize button: the journal of the pass and its log first, then the pass, then the log of
// every effect with its outcome. When the journal or the log cannot be written a message box says
// so and nothing changes; when an effect failed, a message box lists what failed.
void cmdOptimize(form::Context& ctx);

// What a message box says after a pass with these effects, whose journal and log are in folder:
// every failed effect (the first twenty) with its reason, and where the log is. Empty when nothing
// failed and the log was written.
std::string ResultReport(const std::vector<sysaccess::Effect>& effects, const std::string& folder,
                         const sysaccess::Result& logged, lang::Language language);

// How many lines a message box lists before MoreLines counts the rest.
inline constexpr std::size_t kListedFailures = 20;
// The line in place of the left lines left out.
std::string MoreLines(std::size_t left, lang::Language language);

// Automatic optimisation, switching pages as the page buttons do, after one journal for its four
// stages.
void cmdAuto(form::Context& ctx);

// Saves the states, then offers to log off: OK logs off, anything else ends the program.
void cmdExit(form::Context& ctx);

// Fills txtPath from the folder browser; a cancelled browser empties it.
void cmdBrowse(form::Context& ctx);

// Shows the whole text of the clicked service in lblInfo.
void lstServiceClick(form::Context& ctx, int index);

} // namespace app
