// Every page's pass, effect by effect with the bar's checkpoints between them, on the seeded XP
// machine, for setups in which each box holds a different value from its neighbours: nothing
// ticked, everything ticked, odd boxes ticked, even boxes ticked, everything grey (applied as
// cleared: each grey golden equals the clear one, but for the security boxes the system page reads
// by their exact value); and on the seeded 7, 10 and 11 machines with everything ticked, where
// what does not apply is skipped and the folders are those Windows keeps. A row that reads the
// wrong box, writes the wrong data, runs out of order or where it does not apply changes a golden
// file. To renew them after a deliberate change: SYSVELA_UPDATE_GOLDEN=1, then read the
// difference before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "optimize/applies.h"
#include "optimize/pass.h"
#include "startup/startup.h"
#include "support/fake_host.h"
#include "trace.h"

namespace {

namespace fs = std::filesystem;

enum class Ticks { Clear, All, Odd, Even, Grey };
const char* const kSetupNames[] = {"clear", "all", "odd", "even", "grey"};

// Boxes, list items, combos, the option buttons and the folder box, each by the setup's rule.
void Apply(Ticks setup, form::MainForm& form) {
    const auto on = [setup](int i) {
        return setup == Ticks::All || (setup == Ticks::Odd && i % 2 == 1) || (setup == Ticks::Even && i % 2 == 0);
    };
    for (int i = 0; i < form::kChkCount; ++i)
        form.SetChk(i, setup == Ticks::Grey ? form::kGrey : on(i) ? form::kTicked : form::kCleared);
    for (int i = 0; i < form::kDriveCount; ++i) {
        form.SetHide(i, on(i));
        form.SetNot(i, on(i + 1));
    }
    for (int i = 0; i < form::kServiceCount; ++i)
        form.SetService(i, on(i));
    for (int i = 0; i < static_cast<int>(form.lstStartup().ticked.size()); ++i)
        form.SetStartupTick(i, on(i));
    if (setup == Ticks::Clear || setup == Ticks::Grey) return;
    form.SetCombo2(setup == Ticks::Odd ? 1 : 0);
    form.SetCombo3(setup == Ticks::Even ? 1 : 0);
    form.SelectOpt(setup == Ticks::All ? 4 : setup == Ticks::Odd ? 1 : 2);
    form.SetTxtPath(setup == Ticks::Odd ? R"(D:\下载 50%)" : R"(C:\Downloads)");
}

// One pass on a fresh seeded machine, as the CLI's plan prints it, with "bar N" where Shape2 moved.
struct Planner {
    explicit Planner(sim::Machine::Seed seed = sim::Machine::Seed::XpSp3) : machine(sim::Machine::Seeded(seed)) {}
    catalogue_test::Machine machine;
    sysaccess::RecordingSystem sys{machine, sysaccess::RecordMode::Apply};
    form::MainForm form;
    testing_support::FakeHost host;
    std::vector<std::pair<std::size_t, std::string>> notes; // effect count when a bar moved or a box was skipped

    std::string Plan(form::Page page, Ticks setup) {
        form.UserName = "Administrator";
        int width = 0;
        form.SetObserver([&](const form::Change& c) {
            if (c.field != form::Field::Shape2 || width == form.Shape2Width()) return;
            width = form.Shape2Width();
            notes.emplace_back(sys.Effects().size(), "bar " + std::to_string(width));
        });
        sys.SetSkipCallback([this](const std::string& s) { notes.emplace_back(sys.Effects().size(), "skipped " + s); });
        if (page == form::Page::Startup) startup::FillStartupList(form, sys);
        optimize::JudgeAll(form, sys);
        Apply(setup, form);
        form.ShowPage(page);
        form::Context ctx{form, sys, host};
        optimize::RunPass(ctx, true); // the section of the page on screen, as 优化(O) runs it
        std::string out;
        std::size_t next = 0;
        const std::vector<sysaccess::Effect>& effects = sys.Effects();
        for (std::size_t i = 0; i <= effects.size(); ++i) {
            for (; next < notes.size() && notes[next].first == i; ++next)
                out += notes[next].second + "\n";
            if (i < effects.size())
                out += std::string(sysaccess::EffectWord(effects[i].kind)) + " " + effects[i].text + "\n";
        }
        return out;
    }
};

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PlanGolden, EveryPageForEverySetup) {
    const std::pair<form::Page, const char*> pages[] = {
        {form::Page::System, "system"},  {form::Page::Security, "security"}, {form::Page::Service, "services"},
        {form::Page::Wight, "slimming"}, {form::Page::Startup, "startup"},
    };
    const bool update = std::getenv("SYSVELA_UPDATE_GOLDEN") != nullptr;
    const fs::path dir = fs::path(std::getenv("SYSVELA_SOURCE_DIR")) / "tests/optimize/golden";
    const auto check = [&](const std::string& plan, const fs::path& golden) {
        if (update) std::ofstream(golden, std::ios::binary) << plan;
        EXPECT_EQ(plan, ReadAll(golden)) << golden;
    };
    using Seed = sim::Machine::Seed;
    const std::pair<Seed, const char*> seeds[] = {
        {Seed::Win7Sp1, "win7-sp1"}, {Seed::Win10_22H2, "win10-22h2"}, {Seed::Win11_24H2, "win11-24h2"}};
    for (const auto& [page, name] : pages) {
        for (int s = 0; s < 5; ++s) {
            const std::string plan = Planner().Plan(page, static_cast<Ticks>(s));
            check(plan, dir / (std::string(name) + "-" + kSetupNames[s] + ".plan"));
        }
        for (const auto& [seed, version] : seeds)
            check(Planner(seed).Plan(page, Ticks::All), dir / version / (std::string(name) + "-all.plan"));
    }
}

} // namespace
