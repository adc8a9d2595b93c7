// Where each option applies: the facts compiled in, judged on the seeded machines against a
// written-out table; a version that cannot be read and a folder the system cannot name; and facts
// text that does not read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "form/facts.h"
#include "lang/strings.h"
#include "optimize/applies.h"
#include "sysaccess/sim/machine.h"

namespace {

using Seed = sim::Machine::Seed;

// The table written out in tests/optimize/applies_cases.txt.
TEST(Applies, TwentyOptionsOnEachSeededWindows) {
    std::ifstream in(std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/optimize/applies_cases.txt");
    const Seed seeds[] = {Seed::XpSp3, Seed::Win7Sp1, Seed::Win10_22H2, Seed::Win11_24H2};
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        int chk = -1;
        std::string columns[4], caption;
        if (line.starts_with("#") || !(fields >> chk >> columns[0] >> columns[1] >> columns[2] >> columns[3])) continue;
        std::getline(fields >> std::ws, caption);
        EXPECT_EQ(caption, lang::OptionCaption(chk, lang::Language::Chinese));
        for (const std::string& column : columns) {
            sim::Machine m = sim::Machine::Seeded(seeds[&column - columns]);
            const optimize::Verdict v = optimize::JudgeOption(chk, m);
            EXPECT_EQ(v.applies ? "yes" : "no", column) << line << " on " << sysaccess::VersionText(m.Version());
            EXPECT_EQ(v.why.empty(), v.applies) << v.why;
        }
        ++rows;
    }
    EXPECT_EQ(rows, 20);
}

// A machine whose system names no all-users Start menu.
class NoStartMenu : public sim::Machine {
public:
    NoStartMenu() : sim::Machine(sim::Machine::Seeded()) {}
    std::optional<std::string> KnownFolderPath(sysaccess::KnownFolder f) override {
        if (f == sysaccess::KnownFolder::CommonStartMenu) return std::nullopt;
        return sim::Machine::KnownFolderPath(f);
    }
};

TEST(Applies, WhatCannotBeReadSkipsOnlyWhatAProbeRulesOut) {
    // Without the version, a row limited to XP runs unless its probe says otherwise.
    sim::Machine xp = sim::Machine::Seeded();
    xp.SetVersion({});
    EXPECT_TRUE(optimize::JudgeOption(form::kNoAddRemovePrograms, xp).applies);
    EXPECT_TRUE(optimize::JudgeOption(form::kPurgeSystemCache, xp).applies);
    sim::Machine ten = sim::Machine::Seeded(Seed::Win10_22H2);
    ten.SetVersion({});
    EXPECT_TRUE(optimize::JudgeOption(form::kNoAddRemovePrograms, ten).applies);
    EXPECT_EQ(optimize::JudgeOption(form::kPurgeSystemCache, ten).why,
              R"(no C:\Windows\system32\dllcache on this Windows, whose version cannot be read)");
    EXPECT_EQ(optimize::JudgeService(0, ten).why, "not on this Windows, whose version cannot be read");

    // A folder the system cannot name: what acts in it is skipped, and says so.
    NoStartMenu m;
    EXPECT_EQ(optimize::JudgeOption(form::kTidyStartMenu, m).why,
              "the system cannot say where its folder is on Windows XP (build 2600)");
    EXPECT_FALSE(optimize::JudgeOption(form::kNoCatalogUpdateItems, m).applies);
    EXPECT_TRUE(optimize::JudgeOption(form::kDeleteDriverCab, m).applies);
}

TEST(Facts, EveryRowReadsAndARowThatIsNotWholeIsRefused) {
    const std::string whole = [] {
        std::ifstream in(std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/src/form/facts.txt");
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }();
    const form::FactsRead read = form::ParseFacts(whole);
    ASSERT_TRUE(read.facts) << read.error;
    EXPECT_EQ(form::OptionFact(form::kPurgeSystemCache).releases,
              sysaccess::Bit(sysaccess::Release::Xp) | sysaccess::Bit(sysaccess::Release::Server2003));
    EXPECT_EQ(form::ServiceLabel(0), "停用 Alerter");
    // Rows may come in any order: the first service's row moved to the end is still its own.
    const std::size_t first = whole.find("\nservice "), next = whole.find("\nservice ", first + 1);
    const form::FactsRead moved =
        form::ParseFacts(whole.substr(0, first) + whole.substr(next) + whole.substr(first, next - first) + "\n");
    ASSERT_TRUE(moved.facts) << moved.error;
    for (int i = 0; i < form::kServiceCount; ++i)
        EXPECT_EQ(moved.facts->services[i].explanation, read.facts->services[i].explanation) << i;

    // Each damage, put in place of option 41's block, and the problem named.
    const std::size_t from = whole.find("\noption 41\n") + 1, to = whole.find("\noption 42\n") + 1;
    const std::pair<const char*, const char*> bad[] = {
        {"option 41\nrisk 中 x\nunverified\n", "an explanation and a risk are needed"},
        {"option 41\nexplanation x\nrisk 中\nunverified\n", "cannot read \"risk 中\""},
        {"option 41\nexplanation x\nrisk 低\napplies xp\n", "a source, a probe or \"unverified\" is needed"},
        {"option 41\nexplanation x\nrisk 低\napplies xp\nunverified\n", "an unverified row names no source"},
        {"option 41\nexplanation x\nrisk 低\napplies xp me\nunverified\n", "cannot read \"applies xp me\""},
        {"option 41\nexplanation x\nrisk 低\nprobe file C:\\x\n", "cannot read \"probe file C:\\x\""},
        {"option 40\n", "no such option, or one named twice"},
        {"", "no row for option 41"},
    };
    for (const auto& [block, problem] : bad) {
        const std::string text = whole.substr(0, from) + block + "\n" + whole.substr(to);
        const form::FactsRead damaged = form::ParseFacts(text);
        EXPECT_FALSE(damaged.facts) << block;
        EXPECT_NE(damaged.error.find(problem), std::string::npos) << block << ": " << damaged.error;
    }
}

} // namespace
