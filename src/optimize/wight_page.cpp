// The slimming page: each ticked option runs one command or removes fixed files or folders on
// drive C:. Nothing here is ever restored, and a folder is removed only when it is empty.
#include "optimize/catalogue.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

constexpr Step kSteps[] = {
    Cmd(kPurgeSystemCache, "sfc /purgecache", kNothing),
    DeleteFileIfTicked(kDeleteDriverCab, R"(C:\windows\driver cache\i386\Driver.cab)"),
    Progress(5000),
    RemoveFolderIfTicked(kDeleteUpdateFiles, R"(C:\Windows\temp)"),
    RemoveFolderIfTicked(kDeleteHelpFiles, R"(C:\Windows\help)"),
    Progress(9000),
    RemoveFolderIfTicked(kDeleteForeignImes, R"(C:\Windows\Ime\chtime)"),
    RemoveFolderIfTicked(kDeleteForeignImes, R"(C:\Windows\Ime\imjp8_1)"),
    RemoveFolderIfTicked(kDeleteForeignImes, R"(C:\Windows\Ime\imkr6_1)"),
    Progress(form::kFullProgress),
};

} // namespace

void RunWightSection(form::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
