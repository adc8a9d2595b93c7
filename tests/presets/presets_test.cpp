#include "presets/presets.h"

#include <gtest/gtest.h>

#include <set>

#include "app/shell.h"
#include "optimize/pass.h"
#include "support/fake_host.h"
#include "support/form_state.h"
#include "sysaccess/sim/machine.h"

namespace {

using form::Page;
using testing_support::StateOf;

struct Presets : ::testing::Test {
    form::MainForm form;
    sim::Machine sys = sim::Machine::Seeded();
    testing_support::FakeHost host;
    form::Context ctx{form, sys, host};
    void SetUp() override { app::LoadWindow(ctx); }
};

TEST_F(Presets, SuggestTicksThePageOnScreenOnlyAndTwiceIsOnce) {
    const struct {
        Page page;
        std::set<int> ticked;
    } rows[] = {
        {Page::Startup, {0}},
        {Page::Wight, {0, 41}},
        {Page::Security, {0, 17, 20, 21, 22, 23, 24, 29, 32, 35, 36, 40, 41}},
        {Page::System, {0,  17, 20, 21, 22, 23, 24, 29, 32, 35, 36, 40, 41, 43, 44, 47, 48, 49, 51,
                        53, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 71, 73, 74, 76}},
    };
    form.SetChk(0, 1);
    form.SetTxtPath("D:\\old");
    form.AddStartup("x");
    for (const auto& row : rows) {
        form.ShowPage(row.page);
        form.SetCombo2(1);
        form.SetCombo3(1);
        presets::cmdSuggest(ctx);
        const auto once = StateOf(form);
        presets::cmdSuggest(ctx);
        EXPECT_EQ(StateOf(form), once);
        std::set<int> ticked;
        for (int i = 0; i < form::kChkCount; ++i) {
            if (form.chk(i) == 1) ticked.insert(i);
        }
        EXPECT_EQ(ticked, row.ticked);
        EXPECT_EQ(form.Combo2(), row.page == Page::System ? 0 : 1);
        EXPECT_EQ(form.txtPath(), row.page == Page::Startup || row.page == Page::Wight ? "D:\\old" : "C:\\Downloads");
    }
    EXPECT_FALSE(form.lstStartup().ticked[0] || form.lstService().ticked[0]);
    form.ShowPage(Page::Service);
    presets::cmdSuggest(ctx);
    EXPECT_EQ(form.lstService().ticked, std::vector<bool>(form::kServiceCount, true));
}

TEST_F(Presets, ResetClearsAllButTheFourItLeaves) {
    presets::cmdRedo(ctx); // with an empty startup list
    for (int i = 0; i < form::kChkCount; ++i)
        form.SetChk(i, 1 + i % 2);
    form.SelectOpt(3);
    form.SetCombo2(1);
    form.SetTxtPath("D:\\x");
    form.AddStartup("a");
    form.SetStartupTick(0, true);
    for (int i = 0; i < form::kDriveCount; ++i)
        form.SetHide(i, true), form.SetNot(i, true);
    for (int i = 0; i < form::kServiceCount; ++i)
        form.SetService(i, true);
    presets::cmdRedo(ctx);
    for (int i = 0; i <= 74; ++i)
        EXPECT_EQ(form.chk(i), 0);
    EXPECT_TRUE(form.chk(75) == 2 && form.chk(76) == 1 && form.Opt(3) && form.txtPath() == "D:\\x");
    EXPECT_EQ(form.Combo2(), 0);
    for (const auto* l : {&form.lstHide(), &form.lstNot(), &form.lstService(), &form.lstStartup()}) {
        EXPECT_EQ(l->ticked, std::vector<bool>(l->ticked.size(), false));
    }
}

TEST_F(Presets, AutoAsksThenRunsFourPassesWithInputHeldOff) {
    const auto before = StateOf(form);
    const std::string registry = sys.ExportRegistry();
    app::cmdAuto(ctx); // answered with Cancel
    EXPECT_EQ(StateOf(form), before);
    EXPECT_TRUE(sys.Commands().empty() && sys.ExportRegistry() == registry);
    const auto& m = host.messages.at(0);
    EXPECT_EQ(m.text, "系统将按推荐优化的配置进行自动优化，确定吗？");
    EXPECT_TRUE(m.title == "确认" && m.buttons == form::MsgButtons::OkCancel && m.icon == form::MsgIcon::None);

    std::vector<Page> passPages;
    std::vector<form::Button> enabled; // every button enabled, in order
    form.SetObserver([&](const form::Change& c) {
        if (c.field == form::Field::LblWait && form.lblWait() == "正在优化...") passPages.push_back(form.VisiblePage());
        if (c.field == form::Field::ButtonEnabled && form.Enabled(form::Button(c.index)))
            enabled.push_back(form::Button(c.index));
    });
    host.onDoEvents = [&] {
        EXPECT_TRUE(form.Busy());
        for (int b = 0; b < form::kButtonCount; ++b)
            EXPECT_FALSE(form.Enabled(form::Button(b)));
    };
    host.answers = {form::MsgAnswer::Ok};
    app::cmdAuto(ctx);

    EXPECT_EQ(passPages, (std::vector<Page>{Page::System, Page::Security, Page::Startup, Page::Service}));
    EXPECT_GE(host.doEvents, 7); // two per stage but the last, and the startup section's own
    using B = form::Button;      // the pass's own order of enabling, written out
    EXPECT_EQ(enabled, (std::vector<B>{B::Auto, B::System, B::Security, B::Startup, B::Service, B::Redo, B::Suggest,
                                       B::Optimize, B::Exit, B::Wight}));
    EXPECT_FALSE(form.Busy());
    EXPECT_TRUE(form.Visible(Page::Service));
    EXPECT_EQ(form.lstService().ticked, std::vector<bool>(form::kServiceCount, true));
    EXPECT_EQ(form.chk(41), 0); // the slimming page is never visited
}

} // namespace
