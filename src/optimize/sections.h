// One section of the Optimize pass per page: each reads the page's controls in a fixed order and
// turns them into registry writes, command lines and file removals, moving Shape2 at its
// checkpoints. The pass (pass.h) runs the section of the page on screen.
#pragma once

#include "form/form.h"
#include "sysaccess/system.h"

namespace optimize {

void RunServiceSection(form::MainForm& form, sysaccess::System& sys); // service_page.cpp
void RunWightSection(form::MainForm& form, sysaccess::System& sys);   // wight_page.cpp
void RunSystemSection(form::MainForm& form, sysaccess::System& sys);  // system_page.cpp
// The security page: browser settings and drive restrictions, then display, Start menu and
// system restrictions.
void RunBrowserDrivesSection(form::MainForm& form, sysaccess::System& sys);    // browser_drives.cpp
void RunDisplayStartMenuSection(form::MainForm& form, sysaccess::System& sys); // display_startmenu.cpp
inline void RunSecuritySection(form::MainForm& form, sysaccess::System& sys) {
    RunBrowserDrivesSection(form, sys);
    RunDisplayStartMenuSection(form, sys);
}

// The section of the options page on screen, if one is; the startup page's section
// (startup/startup.h) takes the host as well.
inline void RunOptionsSection(form::MainForm& form, sysaccess::System& sys) {
    switch (form.VisiblePage()) {
    case form::Page::System:
        RunSystemSection(form, sys);
        break;
    case form::Page::Security:
        RunSecuritySection(form, sys);
        break;
    case form::Page::Service:
        RunServiceSection(form, sys);
        break;
    case form::Page::Wight:
        RunWightSection(form, sys);
        break;
    case form::Page::Startup:
        break;
    }
}

} // namespace optimize
