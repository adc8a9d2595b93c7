// What every click operation works on: the form, the machine, and the window toolkit.
#pragma once

#include "app/form.h"
#include "app/host.h"
#include "sysaccess/system.h"

namespace app {

struct Context {
    MainForm& form;
    sysaccess::System& sys;
    Host& host;
};

} // namespace app
