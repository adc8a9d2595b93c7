#include "version/version.h"

// Made at build time; only this file and the resource scripts include it, so a new commit
// rebuilds little.
#include "sysvela_version.h"

namespace version {

const char* Text() {
    return SYSVELA_VERSION_TEXT;
}

} // namespace version
