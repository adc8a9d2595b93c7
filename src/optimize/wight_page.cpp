#include "optimize/sections.h"

namespace optimize {

void RunWightSection(app::MainForm& form, sysaccess::System& sys) {
    (void)sys;
    form.SetProgress(app::kFullProgress);
}

} // namespace optimize
