// The slimming page: each ticked option runs one command or removes files or folders of the
// Windows folder. Nothing here is ever restored, and a folder is removed only when it is empty.
#include "optimize/catalogue.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

constexpr sysaccess::KnownFolder kWindows = sysaccess::KnownFolder::Windows;

constexpr Step kSteps[] = {
    Cmd(kPurgeSystemCache, "sfc /purgecache", kNothing),
    DeleteFileIfTicked(kDeleteDriverCab, kWindows, R"(C:\windows\driver cache\i386\Driver.cab)"),
    Progress(5000),
    RemoveFolderIfTicked(kDeleteUpdateFiles, kWindows, R"(C:\Windows\temp)"),
    RemoveFolderIfTicked(kDeleteHelpFiles, kWindows, R"(C:\Windows\help)"),
    Progress(9000),
    RemoveFolderIfTicked(kDeleteForeignImes, kWindows, R"(C:\Windows\Ime\chtime)"),
    RemoveFolderIfTicked(kDeleteForeignImes, kWindows, R"(C:\Windows\Ime\imjp8_1)"),
    RemoveFolderIfTicked(kDeleteForeignImes, kWindows, R"(C:\Windows\Ime\imkr6_1)"),
    Progress(form::kFullProgress),
};

} // namespace

void RunWightSection(form::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
