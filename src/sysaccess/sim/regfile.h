// The registry script format ("Windows Registry Editor Version 5.00"): imported as the registry
// editor imports it, and written as the registry editor exports a whole registry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sysaccess/regscript.h"
#include "sysaccess/sim/registry.h"

namespace sim {

using sysaccess::RejectedLine;

// Applies a registry script given as UTF-8 text (a UTF-8 byte order mark is skipped). A line the
// registry editor would reject is skipped and reported; the rest of the script is still applied.
// A text without the header line is rejected whole: every line of it is reported.
// abbreviatedRoots also takes "HKLM", "HKCU" ... in key lines, as people write them by hand.
std::vector<RejectedLine> ImportRegScript(Registry& registry, std::string_view text, bool abbreviatedRoots = false);

// Every key below the roots, parents first, keys and values in creation order, CR LF line ends.
std::string ExportRegScript(const Registry& registry);

} // namespace sim
