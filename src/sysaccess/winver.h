// Which Windows a machine runs: the version the system reports, and the release it maps to.
//
// Releases are told apart by major.minor (5.1 XP, 5.2 XP x64 / Server 2003, 6.0 Vista, 6.1 7,
// 6.2 8, 6.3 8.1, 10.0 10) and, within 10.0, by build: 11 from build 22000. A version newer than
// any of these counts as the newest release known, and its text says so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sysaccess {

enum class Release : std::uint8_t { Xp, Server2003, Vista, Win7, Win8, Win81, Win10, Win11 };
inline constexpr int kReleaseCount = 8;

// A set of releases, one bit each (bit n: Release n).
using ReleaseSet = std::uint16_t;
inline constexpr ReleaseSet kEveryRelease = (1u << kReleaseCount) - 1;
constexpr ReleaseSet Bit(Release r) {
    return static_cast<ReleaseSet>(1u << static_cast<unsigned>(r));
}

struct WindowsVersion {
    bool known = false; // false: the version could not be read
    unsigned major = 0, minor = 0, build = 0;
    unsigned servicePack = 0;
    bool server = false;
    bool x64 = false; // 64-bit Windows

    bool operator==(const WindowsVersion&) const = default;
};

// Windows XP SP3, 32-bit: the machine the program was first written for.
inline constexpr WindowsVersion kXpSp3{true, 5, 1, 2600, 3, false, false};

// The release a version maps to; nothing for an unknown version or one older than XP.
std::optional<Release> ReleaseOf(const WindowsVersion& v);

// "Windows 10 (build 19045)", "Windows XP (build 2600)"; for a version newer than any known,
// "Windows 12.0 (build 30000, counted as Windows 11)"; "an unknown version of Windows".
std::string VersionText(const WindowsVersion& v);

// The release's name: "Windows XP", "Windows Server 2003" ... "Windows 11".
const char* ReleaseName(Release r);

// The releases' short words as the facts name them: "xp", "2003", "vista", "7", "8", "8.1",
// "10", "11"; nothing for another word.
std::optional<Release> ReleaseFromWord(std::string_view word);
const char* ReleaseWord(Release r);

// One line "MAJOR.MINOR.BUILD" followed, each after a blank, by "SPn", "server" or "x64" in any
// order; nothing when the line is not of that form. ParseVersionLine(FormatVersionLine(v)) == v.
std::optional<WindowsVersion> ParseVersionLine(std::string_view line);
std::string FormatVersionLine(const WindowsVersion& v);

} // namespace sysaccess
