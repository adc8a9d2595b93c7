// What every click operation works on: the form, the machine, and the window toolkit.
#pragma once

#include "form/form.h"
#include "form/host.h"
#include "sysaccess/system.h"

namespace form {

struct Context {
    MainForm& form;
    sysaccess::System& sys;
    Host& host;
};

} // namespace form
