#include "app/shell.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/fake_system.h"
#include "support/form_state.h"

namespace {

using app::MsgAnswer;
using app::Page;

struct Shell : ::testing::Test {
    app::MainForm form;
    testing_support::FakeSystem sys;
    testing_support::FakeHost host;
    app::Context ctx{form, sys, host};
};

struct PageRow {
    void (*click)(app::Context&);
    Page page;
    const char* header;
    const char* caption;
};

TEST_F(Shell, PageButtonsShowTheirPageAndTitlesAndTouchNoOption) {
    const PageRow rows[] = {
        {app::cmdSecurity, Page::Security, "  Sysvela(系统安全页)", "[安全优化]"},
        {app::cmdService, Page::Service, "  Sysvela(服务优化页)", "[服务优化]"},
        {app::cmdStartup, Page::Startup, "  Sysvela(启动优化页)", "[启动优化]"},
        {app::cmdWight, Page::Wight, "  Sysvela(系统减肥页)", "[系统减肥]"},
        {app::cmdSystem, Page::System, "  Sysvela(系统优化页)", "[系统优化]"},
    };
    form.SetChk(3, 2);
    form.SetService(1, true);
    form.SetTxtPath("C:\\x");
    for (const PageRow& row : rows) {
        for (int twice = 0; twice < 2; ++twice) {
            row.click(ctx);
            EXPECT_EQ(form.VisiblePage(), row.page);
            EXPECT_EQ(form.Header(), row.header);
            EXPECT_EQ(form.lblCaption(), row.caption);
        }
    }
    form.ShowPage(Page::System);
    app::MainForm fresh;
    fresh.SetChk(3, 2);
    fresh.SetService(1, true);
    fresh.SetTxtPath("C:\\x");
    EXPECT_EQ(testing_support::StateOf(form), testing_support::StateOf(fresh));
}

TEST_F(Shell, StartupButtonListsAfreshLosingTicks) {
    form.AddStartup("stale");
    form.SetStartupTick(0, true);
    app::cmdStartup(ctx);
    for (bool t : form.lstStartup().ticked)
        EXPECT_FALSE(t);
    for (const auto& item : form.lstStartup().items)
        EXPECT_NE(item, "stale");
}

TEST_F(Shell, MainLoadsTheWindowShowsItThenRestoresTheStates) {
    sys.AddFile("C:\\Program Files\\Sysvela\\setup.dat", "\"" + std::string(77, '0') + "\"\r\n\"2\"\r\n\"1\"\r\n");
    sys.userName = "张三";
    bool shownAfterLoad = false;
    app::Main(ctx, [&] { shownAfterLoad = form.Combo2() == 0 && form.Combo3() == 0 && form.Opt(0); });
    EXPECT_TRUE(shownAfterLoad);
    EXPECT_TRUE(form.Opt(2));
    EXPECT_EQ(form.Combo2(), 1);
    EXPECT_EQ(form.Combo3(), 0); // the file ended there; the load's item 0 stays
    EXPECT_EQ(form.UserName, "张三");
    EXPECT_TRUE(form.Visible(Page::System));
}

TEST_F(Shell, UserNameTooLongForTheBufferStaysEmpty) {
    sys.userName = std::string(254, 'a');
    app::LoadWindow(ctx);
    EXPECT_EQ(form.UserName.size(), 254u);
    sys.userName = std::string(255, 'a');
    app::LoadWindow(ctx);
    EXPECT_EQ(form.UserName, "");
}

TEST_F(Shell, ExitSavesBeforeAskingWhateverTheAnswer) {
    for (const MsgAnswer answer : {MsgAnswer::Ok, MsgAnswer::Cancel}) {
        sys.files.clear();
        host.answers = {answer};
        form.SetChk(67, 1);
        app::cmdExit(ctx);
        const auto saved = sys.ReadFile("C:\\Program Files\\Sysvela\\setup.dat");
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->at(68), '1'); // the quote, then chk(0) .. chk(67)
        ASSERT_FALSE(host.messages.empty());
        const auto& m = host.messages.back();
        EXPECT_EQ(m.text, "您所有的操作必须要在注销以后生效，是否现在注销?");
        EXPECT_EQ(m.title, "确认");
        EXPECT_EQ(m.buttons, app::MsgButtons::OkCancel);
        EXPECT_EQ(m.icon, app::MsgIcon::Exclamation);
    }
    EXPECT_EQ(host.logOffs, 1);
    EXPECT_EQ(host.closes, 1);
    sys.failReplace = true; // a read-only folder still lets the user leave
    app::cmdExit(ctx);
    EXPECT_EQ(host.closes, 2);
}

TEST_F(Shell, BrowseFillsOrEmptiesTheDownloadFolder) {
    host.folders = {std::string("D:\\下载\0junk", 14), std::nullopt};
    app::cmdBrowse(ctx);
    EXPECT_EQ(form.txtPath(), "D:\\下载");
    app::cmdBrowse(ctx);
    EXPECT_EQ(form.txtPath(), "");
    EXPECT_EQ(host.browseTitles, std::vector<std::string>(2, "请选择源文件夹路径："));
}

TEST_F(Shell, ServiceClickShowsTheWholeItem) {
    const std::string atStart = form.lblInfo();
    app::lstServiceClick(ctx, 18);
    EXPECT_EQ(form.lblInfo(), app::MainForm::ServiceItems()[18]);
    app::lstServiceClick(ctx, 0);
    EXPECT_EQ(form.lblInfo(), atStart);
    app::lstServiceClick(ctx, 19);
    app::lstServiceClick(ctx, -1);
    EXPECT_EQ(form.lblInfo(), atStart);
}

} // namespace
