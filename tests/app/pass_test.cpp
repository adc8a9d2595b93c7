#include "optimize/pass.h"

#include <gtest/gtest.h>

#include "app/shell.h"
#include "support/fake_host.h"
#include "support/fake_system.h"

namespace {

using app::Button;
using app::Field;

struct Pass : ::testing::Test {
    app::MainForm form;
    testing_support::FakeSystem sys;
    testing_support::FakeHost host;
    app::Context ctx{form, sys, host};
    std::vector<std::string> events; // what the view would see, in order

    void SetUp() override {
        form.SetObserver([this](const app::Change& c) {
            if (c.field == Field::ButtonEnabled) {
                events.push_back((form.Enabled(static_cast<Button>(c.index)) ? "+" : "-") + std::to_string(c.index));
            } else if (c.field == Field::LblWait) {
                events.push_back(form.lblWait());
            } else if (c.field == Field::Shape2) {
                events.push_back(form.Shape2Visible() ? "shape shown" : "shape hidden");
            }
        });
    }
};

std::vector<std::string> Expected(bool enableAtEnd) {
    std::vector<std::string> e;
    for (Button b : optimize::kDisableOrder)
        e.push_back("-" + std::to_string(static_cast<int>(b)));
    e.insert(e.end(), {"shape shown", "正在优化..."});
    if (enableAtEnd) {
        for (Button b : optimize::kEnableOrder)
            e.push_back("+" + std::to_string(static_cast<int>(b)));
    }
    e.insert(e.end(), {"shape hidden", "优化完成!请重新启动计算机"});
    return e;
}

TEST_F(Pass, ButtonOrderAndFinalStateOnEveryPage) {
    for (auto click : {app::cmdStartup, app::cmdService, app::cmdWight, app::cmdSystem, app::cmdSecurity}) {
        click(ctx);
        events.clear();
        optimize::cmdOptimize(ctx);
        std::vector<std::string> changes;
        for (const auto& e : events) {
            if (e != "shape shown" || changes.empty() || changes.back() != "shape shown") changes.push_back(e);
        }
        // Sections move Shape2 while it is shown; only the visibility changes matter here.
        std::erase_if(changes, [](const std::string& e) { return e == "shape shown"; });
        auto expected = Expected(true);
        std::erase(expected, std::string("shape shown"));
        EXPECT_EQ(changes, expected);
        for (int b = 0; b < app::kButtonCount; ++b)
            EXPECT_TRUE(form.Enabled(static_cast<Button>(b)));
        EXPECT_FALSE(form.Shape2Visible());
    }
    EXPECT_TRUE(sys.files.empty()); // a pass saves nothing
}

TEST_F(Pass, KeptDisabledForASequenceOfPasses) {
    form.ShowPage(app::Page::Startup); // the startup section leaves Shape2's width alone
    optimize::RunPass(ctx, false);
    EXPECT_EQ(events, Expected(false));
    EXPECT_FALSE(form.Enabled(Button::Exit));
    EXPECT_EQ(form.Shape2Width(), 15);
}

// Each page's own boxes; the system page reads some security boxes by their exact value.
bool OnPage(app::Page page, int i) {
    const bool wight = i == 41 || i == 42 || i == 45 || i == 46 || i == 52;
    if (page == app::Page::Security) return i <= 40;
    if (page == app::Page::Wight) return wight;
    return i > 40 && !wight;
}

TEST_F(Pass, GreyIsAppliedAsCleared) {
    for (auto click : {app::cmdSystem, app::cmdSecurity, app::cmdWight}) {
        click(ctx);
        std::vector<std::string> effects[2];
        for (int grey = 0; grey < 2; ++grey) {
            for (int i = 0; i < app::kChkCount; ++i) {
                if (OnPage(form.VisiblePage(), i)) form.SetChk(i, grey ? app::kGrey : app::kCleared);
            }
            sys.regWrites.clear();
            sys.commands.clear();
            optimize::cmdOptimize(ctx);
            effects[grey] = sys.regWrites;
            effects[grey].insert(effects[grey].end(), sys.commands.begin(), sys.commands.end());
        }
        EXPECT_EQ(effects[0], effects[1]);
        EXPECT_FALSE(effects[0].empty() && form.Visible(app::Page::System));
    }
}

} // namespace
