#include "app/shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "app/history.h"
#include "app/preview.h"
#include "app/tips.h"
#include "form/facts.h"
#include "support/fake_host.h"
#include "support/form_state.h"
#include "sysaccess/sim/machine.h"
#include "undo/journal.h"

namespace {

using form::Page;
using namespace std::string_literals;
constexpr lang::Language kZh = lang::Language::Chinese;

struct Shell : ::testing::Test {
    form::MainForm form;
    sim::Machine sys;
    testing_support::FakeHost host;
    form::Context ctx{form, sys, host};
    void SetUp() override { sys.AddFolder(sys.ProgramFolder()); }
};

// A seeded XP, its window loaded as at start.
struct Seeded : ::testing::Test {
    sim::Machine m = sim::Machine::Seeded();
    form::MainForm form;
    testing_support::FakeHost host;
    form::Context ctx{form, m, host};
    void SetUp() override { app::LoadWindow(ctx); }
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

// The journal, or the log created before it, cannot be written: nothing changes and the user is told.
TEST_F(Shell, APassWhoseJournalOrLogCannotBeWrittenChangesNothingAndSaysSo) {
    const auto now = std::exchange(undo::Now, [] { return std::string("2024-01-02 03:04:05"); });
    for (const char* blocker : {"\\undo", "\\undo\\20240102-030405-01.log\\x"}) {
        SCOPED_TRACE(blocker);
        sim::Machine fresh;
        fresh.AddFile(fresh.ProgramFolder() + blocker, "a file where a folder or the log goes");
        form::Context c{form, fresh, host};
        form.SetChk(form::kNoSystemRestore, form::kTicked);
        const std::string registry = fresh.ExportRegistry();
        host.messages.clear();
        app::cmdOptimize(c);
        EXPECT_EQ(fresh.ExportRegistry(), registry);
        EXPECT_TRUE(fresh.Commands().empty());
        EXPECT_EQ(form.lblWait(), "");
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].text.starts_with("无法写入撤销记录，本次未做任何更改：")) << host.messages[0].text;
        host.answers = {form::MsgAnswer::Ok};
        app::cmdAuto(c);
        EXPECT_EQ(fresh.ExportRegistry(), registry);
        EXPECT_EQ(host.messages.size(), 3u); // the question, then the same refusal
    }
    undo::Now = now;
}

// Services that are not installed: every sc step fails (exit 1060). The closing text counts them,
// a message box names each, and the log beside the journal holds every effect and the totals.
TEST_F(Shell, APassSaysWhatFailedAndLogsEveryEffect) {
    const auto now = std::exchange(undo::Now, [] { return std::string("2024-01-02 03:04:05"); });
    app::cmdService(ctx);
    for (int i = 0; i < 3; ++i)
        form.SetService(i, true);
    app::cmdOptimize(ctx);
    undo::Now = now;
    EXPECT_EQ(form.lblWait(), "优化结束，19 项未成功");
    ASSERT_EQ(host.messages.size(), 1u);
    const testing_support::ShownMessage& m = host.messages[0];
    EXPECT_EQ(m.title, "优化结果");
    EXPECT_TRUE(m.buttons == form::MsgButtons::Ok && m.icon == form::MsgIcon::Exclamation);
    EXPECT_TRUE(
        m.text.starts_with("优化结束，19 项未成功：\nstart sc \\\\. config Alerter start= disabled：exit code 1060\n"))
        << m.text;
    EXPECT_TRUE(m.text.ends_with("\n\n本次的日志和撤销记录保存在 undo 文件夹中：\nC:\\Program Files\\Sysvela\\undo"));

    const auto log = sys.ReadFile(sys.ProgramFolder() + "\\undo\\20240102-030405-01.log");
    ASSERT_TRUE(log);
    EXPECT_TRUE(
        log->starts_with("\xEF\xBB\xBFstart sc \\\\. config Alerter start= disabled\tfailed: exit code 1060\r\n"));
    EXPECT_TRUE(log->ends_with("start sc \\\\. config WZCSVC start= demand\tfailed: exit code 1060\r\n"
                               "total: 19 effects, 0 ok, 19 failed, 0 skipped\r\n"))
        << *log;
    EXPECT_TRUE(sys.ReadFile(sys.ProgramFolder() + "\\undo\\20240102-030405-01.reg"));
}

// The preview judges each effect against the machine as it is and changes nothing: right after a
// pass nothing would change; one value changed on the machine makes exactly its line change; a
// command nothing reads back, and sc for a service that is not installed, cannot be known.
TEST_F(Seeded, PreviewShowsWhatAPressWouldChange) {
    const auto marked = [&](undo::Foresight f) {
        std::vector<std::string> lines;
        for (const app::ForeseenEffect& e : app::Foresee(form, m))
            if (e.foresight == f) lines.push_back(sysaccess::EffectWords(e.effect));
        return lines;
    };
    form.SetChk(form::kNoSystemRestore, form::kTicked);
    const std::string disableSR =
        R"(write HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore|DisableSR|dword|00000001)";
    EXPECT_NE(marked(undo::Foresight::Changes), std::vector<std::string>{});
    const std::string registry = m.ExportRegistry();
    const auto formBefore = testing_support::StateOf(form);
    app::cmdPreview(ctx);
    EXPECT_EQ(m.ExportRegistry(), registry);
    EXPECT_EQ(testing_support::StateOf(form), formBefore);
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_EQ(host.texts[0].first, "预览：按下“优化”将对本机做的更改");
    EXPECT_NE(host.texts[0].second.find("\r\n[将更改]  " + disableSR + "\r\n"), std::string::npos);

    app::cmdOptimize(ctx);
    EXPECT_EQ(marked(undo::Foresight::Changes), std::vector<std::string>{});
    EXPECT_EQ(marked(undo::Foresight::Unknown), std::vector<std::string>{});
    ASSERT_TRUE(m.WriteRegValue(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore)",
                                sysaccess::RegType::Dword, "DisableSR", "00000007"));
    EXPECT_EQ(marked(undo::Foresight::Changes), std::vector<std::string>{disableSR});
    app::cmdPreview(ctx);
    EXPECT_TRUE(host.texts[1].second.starts_with("将更改 1 项；另有 ")) << host.texts[1].second;

    app::cmdWight(ctx);
    form.SetChk(form::kPurgeSystemCache, form::kTicked);
    EXPECT_EQ(marked(undo::Foresight::Unknown), std::vector<std::string>{"start sfc /purgecache"});
    app::cmdService(ctx);
    (void)m.Run(R"(reg delete HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Alerter /f)",
                sysaccess::RunMode::Wait);
    EXPECT_EQ(marked(undo::Foresight::Unknown),
              std::vector<std::string>{R"(start sc \\. config Alerter start= demand)"});
}

// Each option's tip: its state as status reads it, then what a tick and a clear do in plan's words;
// a startup entry's: where it starts from.
TEST(Tips, StateThenEffectsAndWhereAnEntryStarts) {
    sim::Machine m = sim::Machine::Seeded();
    app::Tips tips;
    app::TipsReader reader;
    reader.Read(m, lang::Language::Chinese, tips);
    const std::string key = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore)";
    const std::string effects = "\r\n勾选时：\r\nwrite " + key + "|DisableSR|dword|00000001\r\n不勾选时：\r\nwrite " +
                                key + "|DisableSR|dword|00000000";
    // After the state, what the option does and what it risks, from its row of facts.
    const form::Fact& restore = form::OptionFact(form::kNoSystemRestore);
    const std::string about = "\r\n" + restore.explanation + "\r\n风险：高，" + restore.riskReason;
    EXPECT_EQ(tips.chk[form::kNoSystemRestore], "当前状态：未生效" + about + effects);
    ASSERT_TRUE(m.WriteRegValue(key, sysaccess::RegType::Dword, "DisableSR", "00000001"));
    reader.Read(m, lang::Language::Chinese, tips);
    EXPECT_EQ(tips.chk[form::kNoSystemRestore], "当前状态：已生效" + about + effects);
    EXPECT_TRUE(tips.chk[form::kShortDiskCheck].ends_with("\r\n不勾选时：不做任何更改"))
        << tips.chk[form::kShortDiskCheck];
    EXPECT_EQ(tips.services[0],
              "当前状态：未生效\r\n" + form::ServiceFact(0).explanation +
                  "\r\n风险：低\r\n勾选时：\r\nstart sc \\\\. config Alerter start= disabled\r\n不勾选时：\r\n"
                  "start sc \\\\. config Alerter start= demand");

    form::MainForm form;
    form.UserName = "Administrator";
    EXPECT_EQ(app::StartupTip(form, m, "腾讯QQ.lnk"),
              "启动位置：C:\\Documents and Settings\\Administrator\\「开始」菜单\\程序\\启动\r\n"
              "C:\\Documents and Settings\\Administrator\\「开始」菜单\\程序\\启动\\腾讯QQ.lnk");
    EXPECT_TRUE(app::StartupTip(form, m, "Contoso Update Agent")
                    .starts_with("启动位置：HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\r\n"));
    EXPECT_EQ(app::StartupTip(form, m, "nothing of that name"), "已不在任何启动位置中");
}

// The message box after a pass: the first twenty failures, the rest counted; ok and skipped
// effects unnamed; a log that could not be written is said; nothing when all is well.
TEST(ResultReport, ListsTwentyFailuresThenCountsTheRest) {
    using sysaccess::Effect;
    using sysaccess::EffectKind;
    using sysaccess::Outcome;
    std::vector<Effect> effects = {{EffectKind::Wait, "reg delete X /f", Outcome::Skipped, "nothing to remove", false},
                                   {EffectKind::Write, "K|n|dword|1", Outcome::Ok, "", false}};
    EXPECT_EQ(app::ResultReport(effects, "U", sysaccess::Result::Ok(), kZh), "");
    EXPECT_EQ(app::ResultReport(effects, "U", sysaccess::Result::Fail("disk full"), kZh),
              "日志未能写入：disk full\n\n本次的日志和撤销记录保存在 undo 文件夹中：\nU");
    for (int i = 0; i < 23; ++i)
        effects.push_back({EffectKind::Delete, "C:\\f" + std::to_string(i), Outcome::Failed, "locked", false});
    const std::string text = app::ResultReport(effects, "U", sysaccess::Result::Ok(), kZh);
    EXPECT_TRUE(text.starts_with("优化结束，23 项未成功：\ndelete C:\\f0：locked\n")) << text;
    EXPECT_NE(text.find("delete C:\\f19：locked\n……另有 3 项\n\n本次的日志"), std::string::npos) << text;
    EXPECT_EQ(text.find("f20"), std::string::npos);
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

// The history lists every journal newest first and undoes the chosen one as undo does: what it put
// back, a row that says it is undone, the undo's own journal on top. A journal of another computer
// is undone only once the user accepts a warning naming both; a file that is no journal is a row
// that says so and cannot be acted on.
TEST_F(Seeded, HistoryListsTheJournalsAndUndoesTheChosenOne) {
    const std::string key = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\SystemRestore)";
    const auto disableSR = [&] {
        const auto v = m.ReadRegValue(key, "DisableSR");
        return v ? static_cast<long long>(v->dword) : -1LL;
    };
    const auto before = disableSR();
    app::cmdHistory(ctx);
    ASSERT_EQ(host.lists.size(), 1u);
    ASSERT_EQ(host.lists[0].size(), 1u);
    EXPECT_EQ(host.lists[0][0].line, "还没有撤销记录");
    EXPECT_FALSE(host.lists[0][0].actionable);

    form.SetChk(form::kNoSystemRestore, form::kTicked);
    app::cmdOptimize(ctx);
    ASSERT_NE(disableSR(), before);
    m.AddFile(m.ProgramFolder() + "\\undo\\zz-not-a-journal.reg", "junk");
    host.choices = {1, 0}; // the file that is no journal, then the pass
    app::cmdHistory(ctx);
    ASSERT_EQ(host.lists.size(), 4u);
    const std::vector<form::ListRow>& first = host.lists[1];
    ASSERT_EQ(first.size(), 2u);
    EXPECT_NE(first[0].line.find("  [系统优化]  "), std::string::npos) << first[0].line;
    EXPECT_NE(first[0].line.find(" 项更改"), std::string::npos) << first[0].line;
    EXPECT_NE(first[0].details.find("\"DisableSR\"="), std::string::npos) << first[0].details;
    EXPECT_TRUE(first[1].line.starts_with("zz-not-a-journal.reg")) << first[1].line;
    EXPECT_TRUE(first[1].line.ends_with("无法读取"));
    EXPECT_FALSE(first[1].actionable);
    EXPECT_EQ(host.lists[2].size(), 2u); // acting on it did nothing
    EXPECT_EQ(disableSR(), before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].text.starts_with("撤销完成。")) << host.messages[0].text;
    const std::vector<form::ListRow>& after = host.lists[3];
    ASSERT_EQ(after.size(), 3u);
    EXPECT_NE(after[0].line.find("撤销 "), std::string::npos) << after[0].line;
    EXPECT_TRUE(after[1].line.ends_with("已撤销")) << after[1].line;

    // The undo's own journal, from another computer: refused on Cancel, undone on OK.
    m.SetComputerName("ELSEWHERE");
    host.messages.clear();
    host.answers = {form::MsgAnswer::Cancel, form::MsgAnswer::Ok};
    host.choices = {0, 0};
    app::cmdHistory(ctx);
    ASSERT_GE(host.messages.size(), 3u);
    EXPECT_NE(host.messages[0].text.find("SYSVELA-SIM"), std::string::npos) << host.messages[0].text;
    EXPECT_NE(host.messages[0].text.find("ELSEWHERE"), std::string::npos) << host.messages[0].text;
    EXPECT_EQ(host.messages[1].text, host.messages[0].text);
    EXPECT_TRUE(host.messages[2].text.starts_with("撤销完成。")) << host.messages[2].text;
    EXPECT_NE(disableSR(), before);
}
