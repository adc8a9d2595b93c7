// The slimming page: each ticked option runs one command or removes fixed files or folders on
// drive C:. Nothing here is ever restored, and a folder is removed only when it is empty.
#include "optimize/catalogue.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

constexpr Step kSteps[] = {
    Cmd(41, "sfc /purgecache", kNothing),
    DeleteFileIfTicked(42, R"(C:\windows\driver cache\i386\Driver.cab)"),
    Progress(5000),
    RemoveFolderIfTicked(45, R"(C:\Windows\temp)"),
    RemoveFolderIfTicked(46, R"(C:\Windows\help)"),
    Progress(9000),
    RemoveFolderIfTicked(52, R"(C:\Windows\Ime\chtime)"),
    RemoveFolderIfTicked(52, R"(C:\Windows\Ime\imjp8_1)"),
    RemoveFolderIfTicked(52, R"(C:\Windows\Ime\imkr6_1)"),
    Progress(app::kFullProgress),
};

} // namespace

void RunWightSection(app::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
