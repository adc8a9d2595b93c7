#include "optimize/pass.h"

#include <gtest/gtest.h>

#include "app/shell.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"

namespace {

using form::Button;
using form::Page;

// The pass's orders of disabling and enabling the ten buttons, written out.
const std::vector<Button> kDisabled = {Button::Redo,    Button::Suggest, Button::Optimize, Button::Exit,
                                       Button::Auto,    Button::System,  Button::Security, Button::Startup,
                                       Button::Service, Button::Wight};
const std::vector<Button> kEnabled = {Button::Auto, Button::System,  Button::Security, Button::Startup, Button::Service,
                                      Button::Redo, Button::Suggest, Button::Optimize, Button::Exit,    Button::Wight};

// What a view sees of a pass: "-3" button 3 disabled, "+3" enabled, Shape2 shown or hidden, lblWait.
std::vector<std::string> Expected(bool enableAtEnd) {
    std::vector<std::string> e;
    for (Button b : kDisabled)
        e.push_back("-" + std::to_string(static_cast<int>(b)));
    e.insert(e.end(), {"shown", "正在优化..."});
    for (Button b : kEnabled) {
        if (enableAtEnd) e.push_back("+" + std::to_string(static_cast<int>(b)));
    }
    e.insert(e.end(), {"hidden", "优化完成!请重新启动计算机"});
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

} // namespace
