// What the machine holds now, option by option: for each check box of a page, whether the machine
// holds what a tick writes with any of the list items and cache sizes a tick may go with (on), what
// a clear writes or no trace of the tick (off), some of each (mixed), nothing readable because the
// option only runs commands (unknown), or whether the option has no effect on this Windows at all
// (n/a). It only reads.
#pragma once

#include <string>
#include <vector>

#include "form/options.h"
#include "sysaccess/system.h"

namespace undo {

enum class OptionState { On, Off, Mixed, Unknown, NotApplicable };
const char* StateWord(OptionState s); // "on", "off", "mixed", "unknown", "n/a"

struct OptionStatus {
    int chk = -1;     // the check box; -1 for a service of the service page
    int service = -1; // the service, on the service page
    OptionState state = OptionState::Unknown;
    std::string why; // NotApplicable: why the option has no effect here
};

// The options of page in the option table's order (the service page: its services, on meaning
// disabled). The startup page has no options.
std::vector<OptionStatus> PageStatus(sysaccess::System& sys, form::Page page);

} // namespace undo
