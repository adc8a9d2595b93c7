// One section of the Optimize pass per page: each reads the page's controls in a fixed order and
// turns them into registry writes, command lines and file removals, moving Shape2 at its
// checkpoints. The pass (pass.h) runs the section of the page on screen.
#pragma once

#include <iterator>

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

// The section of each page with options, by page: the startup page's section (startup/startup.h)
// takes the host as well.
struct Section {
    form::Page page;
    void (*run)(form::MainForm& form, sysaccess::System& sys);
};
inline constexpr Section kSections[] = {
    {form::Page::System, RunSystemSection},
    {form::Page::Security, RunSecuritySection},
    {form::Page::Service, RunServiceSection},
    {form::Page::Wight, RunWightSection},
};

namespace checks {
constexpr bool OneSectionPerPageWithOptions() {
    int listed = 0;
    for (const form::PageRecord& r : form::kPages) {
        int found = 0;
        for (const Section& s : kSections)
            found += s.page == r.page ? 1 : 0;
        if (found != (r.options ? 1 : 0)) return false;
        listed += found;
    }
    return listed == static_cast<int>(std::size(kSections));
}
} // namespace checks
static_assert(checks::OneSectionPerPageWithOptions(), "kSections: one section for each page whose record has options");

// The section of the options page on screen, if one is.
inline void RunOptionsSection(form::MainForm& form, sysaccess::System& sys) {
    for (const Section& s : kSections) {
        if (form.Visible(s.page)) s.run(form, sys);
    }
}

} // namespace optimize
