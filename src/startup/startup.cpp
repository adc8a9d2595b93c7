#include "startup/startup.h"

namespace startup {

void FillStartupList(app::MainForm& form, sysaccess::System& sys) {
    (void)sys;
    form.ClearStartup();
}

void RunStartupSection(app::MainForm& form, sysaccess::System& sys, app::Host& host) {
    (void)host;
    FillStartupList(form, sys);
}

void RemoveStartupItem(const app::MainForm& form, sysaccess::System& sys, const std::string& name) {
    (void)form;
    (void)sys;
    (void)name;
}

} // namespace startup
