// What every click operation works on: the form, the machine, and the window toolkit.
#pragma once

#include "form/form.h"
#include "form/host.h"
#include "sysaccess/system.h"

namespace sysaccess {
class RecordingSystem;
}

namespace form {

struct Context {
    MainForm& form;
    sysaccess::System& sys;
    Host& host;
    // Where a pass's effects are recorded with their outcomes, when they are: sys itself then.
    // The pass's closing text counts the failures there.
    const sysaccess::RecordingSystem* record = nullptr;
};

} // namespace form
