#include "app/shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/fake_host.h"
#include "support/form_state.h"
#include "sysaccess/sim/machine.h"

namespace {

using form::Page;
using namespace std::string_literals;

struct Shell : ::testing::Test {
    form::MainForm form;
    sim::Machine sys;
    testing_support::FakeHost host;
    form::Context ctx{form, sys, host};
    void SetUp() override { sys.AddFolder(sys.ProgramFolder()); }
};

// The model answers a stray index quietly: nothing changes, nothing is announced, nothing throws.
TEST_F(Shell, FormIgnoresIndexesBesideItsControls) {
    int notices = 0;
    form.SetObserver([&notices](const form::Change&) { ++notices; });
    const auto before = testing_support::StateOf(form);
    for (int i : {-1, 77, 1000}) {
        form.SetChk(i, 1);
        form.SelectOpt(i);
        form.SetService(i, true);
        form.SetHide(i, true);
        EXPECT_EQ(form.chk(i), 0);
        EXPECT_FALSE(form.Opt(i));
    }
    EXPECT_EQ(testing_support::StateOf(form), before);
    EXPECT_EQ(notices, 0);
}

// The lines of a written-out table in tests/app/, without its comments.
std::vector<std::string> Table(const char* name) {
    std::ifstream in(std::string(std::getenv("SYSVELA_SOURCE_DIR")) + "/tests/app/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.starts_with("#")) lines.push_back(line);
    return lines;
}

// Every box in its column and place as columns.txt writes them out; no column beyond.
TEST(OptionTable, ColumnsTopToBottom) {
    std::vector<std::string> columns;
    for (const Page page : {Page::System, Page::Security, Page::Service, Page::Wight, Page::Startup}) {
        for (int column = 0; column < 8; ++column) {
            std::ostringstream row;
            for (const int chk : form::ColumnOptions(page, column))
                row << " " << chk;
            if (!row.str().empty())
                columns.push_back(form::PageWord(page) + (" " + std::to_string(column)) + row.str());
        }
    }
    EXPECT_EQ(columns, Table("columns.txt"));
}

TEST(OptionTable, ServiceItemsAsTheListShowsThem) {
    std::vector<std::string> items;
    for (int i = 0; i < form::kServiceCount; ++i)
        items.push_back(lang::ServiceItem(i, lang::Language::Chinese));
    EXPECT_EQ(items, Table("services.txt"));
}

TEST_F(Shell, PageButtonsShowTheirPageAndTitlesAndTouchNoOption) {
    const struct {
        void (*click)(form::Context&);
        Page page;
        const char *header, *caption;
    } rows[] = {
        {app::cmdSecurity, Page::Security, "  Sysvela(系统安全页)", "[安全优化]"},
        {app::cmdService, Page::Service, "  Sysvela(服务优化页)", "[服务优化]"},
        {app::cmdStartup, Page::Startup, "  Sysvela(启动优化页)", "[启动优化]"},
        {app::cmdWight, Page::Wight, "  Sysvela(系统减肥页)", "[系统减肥]"},
        {app::cmdSystem, Page::System, "  Sysvela(系统优化页)", "[系统优化]"},
    };
    form.SetChk(3, 2);
    form.SetTxtPath("C:\\x");
    const auto before = testing_support::StateOf(form);
    for (const auto& row : rows) {
        for (int twice = 0; twice < 2; ++twice) {
            row.click(ctx);
            EXPECT_EQ(form.VisiblePage(), row.page);
            EXPECT_EQ(form.Header(), row.header);
            EXPECT_EQ(form.lblCaption(), row.caption);
        }
    }
    EXPECT_EQ(testing_support::StateOf(form), before);
    form.AddStartup("stale");
    app::cmdStartup(ctx);
    EXPECT_TRUE(form.lstStartup().items.empty()); // listed afresh from an empty machine
}

TEST_F(Shell, MainLoadsTheWindowThenTheSavedStates) {
    sys.AddFile(sys.ProgramFolder() + "\\setup.dat", "\"" + std::string(77, '0') + "\"\r\n\"2\"\r\n\"1\"\r\n");
    sys.SetUserName("张三");
    bool shownAfterLoad = false;
    app::Main(ctx, [&] { shownAfterLoad = form.Combo2() == 0 && form.Combo3() == 0 && form.Opt(0); });
    EXPECT_TRUE(shownAfterLoad);
    EXPECT_TRUE(form.Opt(2) && form.Combo2() == 1 && form.Combo3() == 0); // the file ended after line 3
    EXPECT_EQ(form.UserName, "张三");
    sys.SetUserName(std::string(254, 'a'));
    app::LoadWindow(ctx);
    EXPECT_EQ(form.UserName.size(), 254u);
    sys.SetUserName(std::string(255, 'a')); // does not fit GetUserNameA's buffer
    app::LoadWindow(ctx);
    EXPECT_EQ(form.UserName, "");

    // Run as another account than the session's, the program says so, naming both.
    sys.SetUserName("Zhang");
    for (const char* session : {static_cast<const char*>("ZHANG"), static_cast<const char*>(nullptr)}) {
        // the same account, and a session that cannot say
        sys.SetSessionUserName(session ? std::optional<std::string>(session) : std::nullopt);
        app::Main(ctx);
    }
    EXPECT_TRUE(host.messages.empty());
    sys.SetSessionUserName("李四");
    app::Main(ctx);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("正以“Zhang”的身份运行，而登录本会话的是“李四”"), std::string::npos);
}

TEST_F(Shell, ExitSavesBeforeAskingWhateverTheAnswer) {
    const std::string file = sys.ProgramFolder() + "\\setup.dat";
    form.SetChk(67, 1);
    for (const form::MsgAnswer answer : {form::MsgAnswer::Ok, form::MsgAnswer::Cancel}) {
        (void)sys.DeleteFiles(file);
        host.answers = {answer};
        app::cmdExit(ctx);
        EXPECT_EQ(sys.ReadFile(file).value_or("").substr(68, 1), "1"); // the quote, then chk(0) to chk(67)
        const auto& m = host.messages.back();
        EXPECT_EQ(m.text, "您所有的操作必须要在注销以后生效，是否现在注销?");
        EXPECT_EQ(m.title, "确认");
        EXPECT_TRUE(m.buttons == form::MsgButtons::OkCancel && m.icon == form::MsgIcon::Exclamation);
    }
    EXPECT_TRUE(host.logOffs == 1 && host.closes == 1);
    sys.SetAttributes(file, sim::kReadOnly); // an unwritable file is told, then the user may leave
    host.messages.clear();
    app::cmdExit(ctx);
    EXPECT_EQ(host.closes, 2);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text.substr(0, 57), "选项设置未能保存，下次启动时不会恢复：");
    EXPECT_TRUE(host.messages[0].buttons == form::MsgButtons::Ok && host.messages[0].icon == form::MsgIcon::Error);
    EXPECT_EQ(host.messages[1].title, "确认");
}

TEST_F(Shell, APassWhoseJournalCannotBeWrittenChangesNothingAndSaysSo) {
    sys.AddFile(sys.ProgramFolder() + "\\undo", "a file where the folder goes");
    form.SetChk(form::kNoSystemRestore, form::kTicked);
    const std::string registry = sys.ExportRegistry();
    app::cmdOptimize(ctx);
    EXPECT_EQ(sys.ExportRegistry(), registry);
    EXPECT_TRUE(sys.Commands().empty());
    EXPECT_EQ(form.lblWait(), "");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.starts_with("无法写入撤销记录，本次未做任何更改："));
    host.answers = {form::MsgAnswer::Ok};
    app::cmdAuto(ctx);
    EXPECT_EQ(sys.ExportRegistry(), registry);
    EXPECT_EQ(host.messages.size(), 3u); // the question, then the same refusal
}

TEST_F(Shell, BrowseAndServiceClick) {
    host.folders = {"D:\\下载\0junk"s, std::nullopt};
    app::cmdBrowse(ctx);
    EXPECT_EQ(form.txtPath(), "D:\\下载");
    app::cmdBrowse(ctx);
    EXPECT_EQ(form.txtPath(), "");
    EXPECT_EQ(host.browseTitles, std::vector<std::string>(2, "请选择源文件夹路径："));

    const std::string atStart = form.lblInfo();
    app::lstServiceClick(ctx, 18);
    EXPECT_EQ(form.lblInfo(), std::string(lang::ServiceItem(18, lang::Language::Chinese)));
    app::lstServiceClick(ctx, 0);
    app::lstServiceClick(ctx, 19);
    app::lstServiceClick(ctx, -1);
    EXPECT_EQ(form.lblInfo(), atStart);
}

} // namespace
