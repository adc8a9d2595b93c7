#include "sysaccess/winver.h"

#include <array>
#include <charconv>
#include <vector>

namespace sysaccess {

namespace {

struct ReleaseRow {
    Release release;
    const char* word;
    const char* name;
};

constexpr std::array<ReleaseRow, kReleaseCount> kReleases = {{
    {Release::Xp, "xp", "Windows XP"},
    {Release::Server2003, "2003", "Windows XP x64 / Server 2003"},
    {Release::Vista, "vista", "Windows Vista"},
    {Release::Win7, "7", "Windows 7"},
    {Release::Win8, "8", "Windows 8"},
    {Release::Win81, "8.1", "Windows 8.1"},
    {Release::Win10, "10", "Windows 10"},
    {Release::Win11, "11", "Windows 11"},
}};

constexpr unsigned kFirstWin11Build = 22000;

bool NewerThanKnown(const WindowsVersion& v) {
    return v.major > 10 || (v.major == 10 && v.minor > 0);
}

std::optional<unsigned> Number(std::string_view s) {
    unsigned n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
    return n;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        const std::size_t end = line.find_first_of(" \t", i);
        words.push_back(line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
        i = end == std::string_view::npos ? line.size() : end;
    }
    return words;
}

} // namespace

std::optional<Release> ReleaseOf(const WindowsVersion& v) {
    if (!v.known) return std::nullopt;
    if (NewerThanKnown(v)) return Release::Win11;
    if (v.major == 10) return v.build >= kFirstWin11Build ? Release::Win11 : Release::Win10;
    if (v.major == 6) {
        switch (v.minor) {
        case 0:
            return Release::Vista;
        case 1:
            return Release::Win7;
        case 2:
            return Release::Win8;
        default:
            return Release::Win81; // 6.4 was a preview of 10 that never shipped under that number
        }
    }
    if (v.major == 5 && v.minor == 1) return Release::Xp;
    if (v.major == 5 && v.minor >= 2) return Release::Server2003;
    if (v.major > 6) return Release::Win81; // 7 to 9 were never released
    return std::nullopt;                    // older than XP
}

const char* ReleaseName(Release r) {
    return kReleases[static_cast<std::size_t>(r)].name;
}

const char* ReleaseWord(Release r) {
    return kReleases[static_cast<std::size_t>(r)].word;
}

std::optional<Release> ReleaseFromWord(std::string_view word) {
    for (const ReleaseRow& row : kReleases) {
        if (word == row.word) return row.release;
    }
    return std::nullopt;
}

std::string VersionText(const WindowsVersion& v) {
    const auto release = ReleaseOf(v);
    if (!v.known) return "an unknown version of Windows";
    const std::string build = "build " + std::to_string(v.build);
    if (!release) {
        return "Windows " + std::to_string(v.major) + "." + std::to_string(v.minor) + " (" + build +
               ", older than Windows XP)";
    }
    if (NewerThanKnown(v)) {
        return "Windows " + std::to_string(v.major) + "." + std::to_string(v.minor) + " (" + build +
               ", counted as Windows 11)";
    }
    std::string name = ReleaseName(*release);
    if (*release == Release::Server2003) name = v.server ? "Windows Server 2003" : "Windows XP x64";
    return name + " (" + build + ")";
}

std::optional<WindowsVersion> ParseVersionLine(std::string_view line) {
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) return std::nullopt;
    WindowsVersion v;
    v.known = true;
    const std::string_view number = words[0];
    const std::size_t dot1 = number.find('.');
    const std::size_t dot2 = dot1 == std::string_view::npos ? dot1 : number.find('.', dot1 + 1);
    if (dot2 == std::string_view::npos) return std::nullopt;
    const auto major = Number(number.substr(0, dot1));
    const auto minor = Number(number.substr(dot1 + 1, dot2 - dot1 - 1));
    const auto build = Number(number.substr(dot2 + 1));
    if (!major || !minor || !build) return std::nullopt;
    v.major = *major;
    v.minor = *minor;
    v.build = *build;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view w = words[i];
        if (w == "server") {
            v.server = true;
        } else if (w == "x64") {
            v.x64 = true;
        } else if (w.size() > 2 && (w[0] == 'S' || w[0] == 's') && (w[1] == 'P' || w[1] == 'p')) {
            const auto sp = Number(w.substr(2));
            if (!sp) return std::nullopt;
            v.servicePack = *sp;
        } else {
            return std::nullopt;
        }
    }
    return v;
}

std::string FormatVersionLine(const WindowsVersion& v) {
    std::string line = std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.build);
    if (v.servicePack) line += " SP" + std::to_string(v.servicePack);
    if (v.server) line += " server";
    if (v.x64) line += " x64";
    return line;
}

} // namespace sysaccess
