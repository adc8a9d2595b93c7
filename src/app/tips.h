// The tips the window shows on each option: its state on this machine now, as status reads it, and
// what a tick and a clear do, in plan's words; on a startup entry, where it starts from.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/form.h"
#include "sysaccess/system.h"
#include "undo/status.h"

namespace app {

struct Tips {
    std::array<std::string, form::kChkCount> chk; // empty where its page has not been read
    std::array<std::string, form::kServiceCount> services;
};

// Reads the states of the options of the four pages with options from the machine now and writes
// their tips. What each option does is worked out on the first read only; later reads only read.
class TipsReader {
public:
    void Read(sysaccess::System& sys, lang::Language language, Tips& tips);

private:
    struct Page {
        form::Page page;
        undo::PageReader reader;
        std::vector<std::string> effects; // each option's tip after its state line
    };
    std::vector<Page> pages_;
    lang::Language language_ = lang::Language::Chinese; // of the effects' words
};

// The tip of the startup entry name: each Run value and Startup file it starts from.
std::string StartupTip(const form::MainForm& form, sysaccess::System& sys, const std::string& name);

} // namespace app
