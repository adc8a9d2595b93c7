#include "presets/presets.h"

#include <gtest/gtest.h>

#include <set>

#include "app/shell.h"
#include "optimize/pass.h"
#include "support/fake_host.h"
#include "support/fake_system.h"
#include "support/form_state.h"

namespace {

using app::Page;
using testing_support::StateOf;

struct Presets : ::testing::Test {
    app::MainForm form;
    testing_support::FakeSystem sys;
    testing_support::FakeHost host;
    app::Context ctx{form, sys, host};

    void SetUp() override { app::LoadWindow(ctx); }

    // The check boxes that recommend on `page` ticks, starting from a form with Combo2 and
    // Combo3 on item 1 and chk(0) ticked.
    std::set<int> SuggestOn(Page page) {
        form.ShowPage(page);
        form.SetCombo2(1);
        form.SetCombo3(1);
        form.SetChk(0, 1);
        presets::cmdSuggest(ctx);
        const auto once = StateOf(form);
        presets::cmdSuggest(ctx);
        EXPECT_EQ(StateOf(form), once); // recommending twice is recommending once
        std::set<int> ticked;
        for (int i = 1; i < app::kChkCount; ++i) {
            if (form.chk(i) == 1) ticked.insert(i);
        }
        EXPECT_EQ(form.chk(0), 1); // never cleared
        return ticked;
    }
};

TEST_F(Presets, SuggestOnSecurityPage) {
    form.SetTxtPath("D:\\old");
    EXPECT_EQ(SuggestOn(Page::Security), (std::set<int>{17, 20, 21, 22, 23, 24, 29, 32, 35, 36, 40}));
    EXPECT_EQ(form.txtPath(), "C:\\Downloads");
    EXPECT_EQ(form.Combo2(), 1);
}

TEST_F(Presets, SuggestOnSystemPage) {
    EXPECT_EQ(SuggestOn(Page::System), (std::set<int>{43, 44, 47, 48, 49, 51, 53, 57, 58, 59, 60, 61,
                                                      62, 63, 64, 65, 66, 67, 68, 69, 71, 73, 74, 76}));
    EXPECT_EQ(form.Combo2(), 0);
    EXPECT_EQ(form.Combo3(), 0);
}

TEST_F(Presets, SuggestOnOtherPages) {
    EXPECT_EQ(SuggestOn(Page::Wight), std::set<int>{41});
    EXPECT_EQ(SuggestOn(Page::Service), std::set<int>{41});
    for (bool t : form.lstService().ticked)
        EXPECT_TRUE(t);
    form.ShowPage(Page::Startup);
    form.AddStartup("x");
    const auto before = StateOf(form);
    presets::cmdSuggest(ctx);
    EXPECT_EQ(StateOf(form), before);
}

TEST_F(Presets, ResetClearsAllButTheFourItLeaves) {
    presets::cmdRedo(ctx); // an empty startup list is fine
    for (int i = 0; i < app::kChkCount; ++i)
        form.SetChk(i, 1 + i % 2);
    form.SelectOpt(3);
    form.SetCombo2(1);
    form.SetTxtPath("D:\\x");
    form.AddStartup("a");
    form.AddStartup("b");
    for (int i = 0; i < 2; ++i)
        form.SetStartupTick(i, true);
    for (int i = 0; i < app::kDriveCount; ++i)
        form.SetHide(i, true), form.SetNot(i, true);
    for (int i = 0; i < app::kServiceCount; ++i)
        form.SetService(i, true);
    presets::cmdRedo(ctx);
    for (int i = 0; i <= 74; ++i)
        EXPECT_EQ(form.chk(i), 0);
    EXPECT_EQ(form.chk(75), 2);
    EXPECT_EQ(form.chk(76), 1);
    EXPECT_TRUE(form.Opt(3));
    EXPECT_EQ(form.txtPath(), "D:\\x");
    EXPECT_EQ(form.Combo2(), 0);
    for (const auto* l : {&form.lstHide(), &form.lstNot(), &form.lstService(), &form.lstStartup()}) {
        for (bool t : l->ticked)
            EXPECT_FALSE(t);
    }
}

TEST_F(Presets, AutoCancelledChangesNothing) {
    const auto before = StateOf(form);
    presets::cmdAuto(ctx);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "系统将按推荐优化的配置进行自动优化，确定吗？");
    EXPECT_EQ(host.messages[0].title, "确认");
    EXPECT_EQ(host.messages[0].buttons, app::MsgButtons::OkCancel);
    EXPECT_EQ(host.messages[0].icon, app::MsgIcon::None);
    EXPECT_EQ(StateOf(form), before);
    EXPECT_TRUE(sys.regWrites.empty() && sys.commands.empty() && sys.files.empty());
}

TEST_F(Presets, AutoRunsFourPassesWithInputHeldOff) {
    std::vector<Page> passPages;
    std::vector<int> enabledAt; // button indexes as they were enabled
    form.SetObserver([&](const app::Change& c) {
        if (c.field == app::Field::LblWait && form.lblWait() == optimize::kBusyText) {
            passPages.push_back(form.VisiblePage());
        }
        if (c.field == app::Field::ButtonEnabled && form.Enabled(static_cast<app::Button>(c.index))) {
            enabledAt.push_back(c.index);
        }
    });
    host.onDoEvents = [&] {
        EXPECT_TRUE(form.Busy());
        for (int b = 0; b < app::kButtonCount; ++b)
            EXPECT_FALSE(form.Enabled(static_cast<app::Button>(b)));
    };
    host.answers = {app::MsgAnswer::Ok};
    presets::cmdAuto(ctx);

    EXPECT_EQ(passPages, (std::vector<Page>{Page::System, Page::Security, Page::Startup, Page::Service}));
    EXPECT_GE(host.doEvents, 7); // two per stage but the last, and the startup section's own
    std::vector<int> stepNine;
    for (app::Button b : optimize::kEnableOrder)
        stepNine.push_back(static_cast<int>(b));
    EXPECT_EQ(enabledAt, stepNine); // once, at the very end
    EXPECT_FALSE(form.Busy());
    EXPECT_TRUE(form.Visible(Page::Service));
    for (bool t : form.lstService().ticked)
        EXPECT_TRUE(t);
    EXPECT_EQ(form.chk(41), 0); // the slimming page is never visited
    EXPECT_EQ(form.lblWait(), optimize::kDoneText);
}

} // namespace
