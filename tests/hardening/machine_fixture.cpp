#include "machine_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "optimize/pass.h"
#include "support/machine_state.h"
#include "sysaccess/faulty.h"
#include "sysaccess/wildcard.h"

namespace hardening {

std::string LowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

sim::Machine FixtureMachine() {
    const std::string dir = std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/hardening/machine";
    sim::LoadedMachine m = sim::Machine::Load(dir);
    if (!m.machine) {
        ADD_FAILURE() << "the fixture machine in " << dir << ": " << m.error;
        return sim::Machine();
    }
    return *std::move(m.machine);
}

std::string SafeBootLoss(const sim::Machine& before, const sim::Machine& after) {
    std::string loss;
    for (const char* name : {"Minimal", "Network"}) {
        auto reference = testing_support::Subtree(before, kSafeBoot + name);
        if (reference.empty()) reference = testing_support::Subtree(before, kSafeBoot + name + "1");
        if (reference.empty()) continue;
        bool whole = false;
        for (const std::string& where : {kSafeBoot + name, kSafeBoot + name + "1"}) {
            const auto now = testing_support::Subtree(after, where);
            whole = whole || std::includes(now.begin(), now.end(), reference.begin(), reference.end());
        }
        if (!whole) loss += std::string(name) + " lost; ";
    }
    return loss;
}

std::set<std::string> Deleted(const sim::Machine& before, const sim::Machine& after) {
    std::set<std::string> now;
    for (const std::string& p : after.AllPaths())
        now.insert(LowerAscii(p));
    std::set<std::string> gone;
    for (const std::string& p : before.AllPaths()) {
        if (!now.contains(LowerAscii(p))) gone.insert(p);
    }
    return gone;
}

bool MayBeDeleted(const std::string& path) {
    const std::string p = LowerAscii(path);
    const std::size_t slash = p.find_last_of('\\');
    const std::string folder = p.substr(0, slash);
    const std::string name = p.substr(slash + 1);
    static const std::set<std::string> named = {
        R"(c:\windows\driver cache\i386\driver.cab)",
        R"(c:\windows\temp)",
        R"(c:\windows\help)",
        R"(c:\windows\ime\chtime)",
        R"(c:\windows\ime\imjp8_1)",
        R"(c:\windows\ime\imkr6_1)",
        R"(c:\tempreg.reg)",
    };
    if (named.contains(p)) return true;
    if (folder == R"(c:\windows\system32\dllcache)") return true; // emptied by "sfc /purgecache"
    if (folder == LowerAscii(kAllStartMenu)) return sysaccess::WildcardMatch("*.lnk", name);
    return folder == LowerAscii(kUserStartup) || folder == LowerAscii(kAllStartup);
}

std::string IdleProblem(const form::MainForm& form, std::size_t failed) {
    std::string problem;
    for (int b = 0; b < form::kButtonCount; ++b) {
        if (!form.Enabled(static_cast<form::Button>(b))) problem += "button " + std::to_string(b) + " disabled; ";
    }
    if (form.Shape2Visible()) problem += "Shape2 visible; ";
    const std::string done = failed ? lang::Format(lang::Str::PassFailed, form.Language(), {std::to_string(failed)})
                                    : std::string(form.Text(lang::Str::Done));
    if (form.lblWait() != done)
        problem += "lblWait \"" + form.lblWait() + "\" after " + std::to_string(failed) + " failures; ";
    if (form.Busy()) problem += "input held; ";
    return problem;
}

} // namespace hardening
