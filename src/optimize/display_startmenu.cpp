#include "optimize/sections.h"

namespace optimize {

void RunDisplayStartMenuSection(app::MainForm& form, sysaccess::System& sys) {
    (void)sys;
    form.SetProgress(app::kFullProgress);
}

} // namespace optimize
