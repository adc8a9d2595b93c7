// Every page's pass, effect by effect with the bar's checkpoints between them, on the seeded
// machine, for setups in which each box holds a different value from its neighbours: nothing
// ticked, everything ticked, odd boxes ticked, even boxes ticked, everything grey (applied as
// cleared: each grey golden equals the clear one, but for the security boxes the system page reads
// by their exact value). A row that reads the wrong box, writes the wrong data or runs out of
// order changes a golden file. To renew them after a deliberate change: SYSVELA_UPDATE_GOLDEN=1,
// then read the difference before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    catalogue_test::Machine machine;
    sysaccess::RecordingSystem sys{machine, sysaccess::RecordMode::Apply};
    form::MainForm form;
    testing_support::FakeHost host;
    std::vector<std::pair<std::size_t, int>> bar; // effect count when Shape2 moved, its width

    std::string Plan(form::Page page, Ticks setup) {
        form.UserName = "Administrator";
        form.SetObserver([this](const form::Change& c) {
            if (c.field == form::Field::Shape2 && (bar.empty() ? 0 : bar.back().second) != form.Shape2Width())
                bar.emplace_back(sys.Effects().size(), form.Shape2Width());
        });
        if (page == form::Page::Startup) startup::FillStartupList(form, sys);
        Apply(setup, form);
        form.ShowPage(page);
        form::Context ctx{form, sys, host};
        optimize::RunPass(ctx, true); // the section of the page on screen, as 优化(O) runs it
        std::string out;
        std::size_t next = 0;
        const std::vector<sysaccess::Effect>& effects = sys.Effects();
        for (std::size_t i = 0; i <= effects.size(); ++i) {
            for (; next < bar.size() && bar[next].first == i; ++next)
                out += "bar " + std::to_string(bar[next].second) + "\n";
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
    for (const auto& [page, name] : pages) {
        for (int s = 0; s < 5; ++s) {
            const std::string plan = Planner().Plan(page, static_cast<Ticks>(s));
            const fs::path golden = dir / (std::string(name) + "-" + kSetupNames[s] + ".plan");
            if (update) std::ofstream(golden, std::ios::binary) << plan;
            EXPECT_EQ(plan, ReadAll(golden)) << golden;
        }
    }
}

} // namespace
