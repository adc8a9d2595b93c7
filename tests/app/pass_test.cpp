#include "optimize/pass.h"

#include <gtest/gtest.h>

#include "app/shell.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"

namespace {

using form::Button;
using form::Page;

// What a view sees of a pass: "-3" button 3 disabled, "+3" enabled, Shape2 shown or hidden, lblWait.
std::vector<std::string> Expected(bool enableAtEnd) {
    std::vector<std::string> e;
    for (Button b : optimize::kDisableOrder)
        e.push_back("-" + std::to_string(static_cast<int>(b)));
    e.insert(e.end(), {"shown", optimize::kBusyText});
    for (Button b : optimize::kEnableOrder) {
        if (enableAtEnd) e.push_back("+" + std::to_string(static_cast<int>(b)));
    }
    e.insert(e.end(), {"hidden", optimize::kDoneText});
    return e;
}

struct Pass : ::testing::Test {
    form::MainForm form;
    sim::Machine sys = sim::Machine::Seeded();
    testing_support::FakeHost host;
    form::Context ctx{form, sys, host};
    std::vector<std::string> events;

    void SetUp() override {
        form.SetObserver([this](const form::Change& c) {
            if (c.field == form::Field::ButtonEnabled) {
                events.push_back((form.Enabled(Button(c.index)) ? "+" : "-") + std::to_string(c.index));
            } else if (c.field == form::Field::LblWait) {
                events.push_back(form.lblWait());
            } else if (c.field == form::Field::Shape2 && form.Shape2Visible() != shown) {
                shown = form.Shape2Visible(); // a section moving Shape2 adds nothing here
                events.push_back(shown ? "shown" : "hidden");
            }
        });
    }
    bool shown = false;
};

TEST_F(Pass, ButtonOrdersAndFinalStateOnEveryPage) {
    for (auto click : {app::cmdStartup, app::cmdService, app::cmdWight, app::cmdSystem, app::cmdSecurity}) {
        click(ctx);
        events.clear();
        optimize::cmdOptimize(ctx);
        EXPECT_EQ(events, Expected(true));
        EXPECT_EQ(form.Shape2Width(), form.Visible(Page::Startup) ? 15 : form::kFullProgress);
    }
    EXPECT_FALSE(sys.PathExists(sys.ProgramFolder() + "\\setup.dat")); // a pass saves nothing
    events.clear();
    optimize::RunPass(ctx, false);
    EXPECT_EQ(events, Expected(false));
}

TEST_F(Pass, GreyIsAppliedAsCleared) {
    const sim::Machine seeded = sys;
    for (auto click : {app::cmdSystem, app::cmdSecurity, app::cmdWight}) {
        click(ctx);
        sim::Machine after[2];
        for (int grey = 0; grey < 2; ++grey) {
            sys = seeded;
            // Only the page's own boxes: the system page reads some security boxes by exact value.
            for (int i = 0; i < form::kChkCount; ++i) {
                const bool wight = i == 41 || i == 42 || i == 45 || i == 46 || i == 52;
                const bool own = click == app::cmdSecurity ? i <= 40
                                 : click == app::cmdWight  ? wight
                                                           : i > 40 && !wight;
                if (own) form.SetChk(i, grey ? form::kGrey : form::kCleared);
            }
            optimize::cmdOptimize(ctx);
            after[grey] = sys;
        }
        EXPECT_EQ(after[0].ExportRegistry(), after[1].ExportRegistry());
        EXPECT_EQ(after[0].AllPaths(), after[1].AllPaths());
        for (std::size_t i = 0; i < std::max(after[0].Commands().size(), after[1].Commands().size()); ++i) {
            ASSERT_EQ(after[0].Commands().at(i).commandLine, after[1].Commands().at(i).commandLine);
        }
    }
}

} // namespace
