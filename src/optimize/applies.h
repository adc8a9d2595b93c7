// Whether an option or a service has any effect on this machine: its release is one its facts
// name, and, where its facts name probes, at least one of them holds here. What does not apply
// is skipped by the pass, said in a line of its own, disabled in the window and "n/a" in status.
#pragma once

#include <string>

#include "form/form.h"
#include "sysaccess/system.h"

namespace optimize {

struct Verdict {
    bool applies = true;
    std::string why; // when it does not: "not on Windows 10 (build 19045)"
};

// A version that cannot be read skips nothing a probe does not rule out.
Verdict JudgeOption(int chk, sysaccess::System& sys);
Verdict JudgeService(int index, sysaccess::System& sys);

// Every option's and service's verdict into the form.
void JudgeAll(form::MainForm& form, sysaccess::System& sys);

} // namespace optimize
