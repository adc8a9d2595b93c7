// The version of this build: the project's version, and the commit between releases.
#pragma once

namespace version {

// "1.0.0" for a release, "1.0.0+git.0123456789" for a commit after it, "1.0.0+unknown" when the
// commit could not be learnt.
[[nodiscard]] const char* Text();

} // namespace version
