#include "optimize/applies.h"

#include "form/facts.h"
#include "sysaccess/folders.h"
#include "sysaccess/toolcmd.h"

namespace optimize {

namespace {

// The marks a probe's path begins with, and the folders they stand for.
struct Mark {
    const char* text;
    sysaccess::KnownFolder folder;
};
constexpr Mark kMarks[] = {{"%windir%", sysaccess::KnownFolder::Windows},
                           {"<allusers-startmenu>", sysaccess::KnownFolder::CommonStartMenu}};

// "Windows 10 (build 19045)", or what stands for a version that cannot be read.
std::string Where(const sysaccess::WindowsVersion& v) {
    return v.known ? sysaccess::VersionText(v) : "this Windows, whose version cannot be read";
}

// The probe's path on this machine; nothing when the system cannot say where its folder is.
std::optional<std::string> ProbePath(const std::string& what, sysaccess::System& sys) {
    for (const Mark& m : kMarks) {
        if (!what.starts_with(m.text)) continue;
        const auto folder = sys.KnownFolderPath(m.folder);
        if (!folder || folder->empty()) return std::nullopt;
        return *folder + what.substr(std::string(m.text).size());
    }
    return what;
}

Verdict Judge(const form::Fact& fact, sysaccess::System& sys) {
    const sysaccess::WindowsVersion v = sys.Version();
    const auto release = sysaccess::ReleaseOf(v);
    if (release && !(fact.releases & sysaccess::Bit(*release))) return {false, "not on " + Where(v)};
    if (fact.probes.empty()) return {};
    std::string missing;    // the paths that are not there, "A or B"
    bool noService = false; // a service that is not installed
    bool noFolder = false;  // a folder the system cannot name
    for (const form::Probe& p : fact.probes) {
        if (p.kind == form::Probe::Kind::Service) {
            if (sys.ListRegKey(sysaccess::kServicesKey + p.what)) return {};
            noService = true;
            continue;
        }
        const auto path = ProbePath(p.what, sys);
        if (!path) {
            noFolder = true;
            continue;
        }
        if (p.kind == form::Probe::Kind::File ? sys.FileExists(*path) : sys.FolderExists(*path)) return {};
        missing += (missing.empty() ? "" : " or ") + *path;
    }
    if (noService) return {false, "not on " + Where(v)};
    if (noFolder && missing.empty()) return {false, "the system cannot say where its folder is on " + Where(v)};
    return {false, "no " + missing + " on " + Where(v)};
}

} // namespace

Verdict JudgeOption(int chk, sysaccess::System& sys) {
    return Judge(form::OptionFact(chk), sys);
}

Verdict JudgeService(int index, sysaccess::System& sys) {
    return Judge(form::ServiceFact(index), sys);
}

void JudgeAll(form::MainForm& form, sysaccess::System& sys) {
    for (int i = 0; i < form::kChkCount; ++i) {
        Verdict v = JudgeOption(i, sys);
        form.SetApplies(i, v.applies, std::move(v.why));
    }
    for (int i = 0; i < form::kServiceCount; ++i) {
        Verdict v = JudgeService(i, sys);
        form.SetServiceApplies(i, v.applies, std::move(v.why));
    }
}

} // namespace optimize
