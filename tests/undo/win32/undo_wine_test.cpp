// Under Wine: a pass of the system page and one of the security page on the real registry, then
// their journals imported by Wine's own "regedit /s", newest first, leave every key the passes
// touched exactly as Wine's "reg export" wrote it before them.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/shell.h"
#include "optimize/pass.h"
#include "support/fake_host.h"
#include "sysaccess/win32/system.h"
#include "undo/journal.h"
#include "undo/restore.h"

namespace {

// The key as Wine's own "reg export" writes it, or "absent".
std::string Export(sysaccess::System& sys, const std::string& key) {
    const std::string file = sys.ProgramFolder() + "\\undo-test-export.txt";
    if (!sys.Run("reg export \"" + key + "\" \"" + file + "\" /y", sysaccess::RunMode::Wait).ok()) return "absent";
    return sys.ReadFile(file).value_or("unreadable");
}

TEST(UndoUnderWine, RegeditImportOfTheJournalsRestoresWhatThePassesChanged) {
    win32::System sys;
    form::MainForm form;
    testing_support::FakeHost host;
    form::Context ctx{form, sys, host};
    app::LoadWindow(ctx);
    for (int i = 0; i < form::kChkCount; ++i)
        form.SetChk(i, form::kTicked);
    form.SetTxtPath("C:\\下载");
    form.SetHide(2, true);

    // Every key the two passes touch, exported whole by Wine's reg before and after.
    const auto snapshot = [&] {
        std::map<std::string, std::string> state;
        for (form::Page page : {form::Page::System, form::Page::Security}) {
            form.ShowPage(page);
            const undo::Targets t = undo::PlanTargets(form, sys, optimize::cmdOptimize);
            for (const auto& [key, name] : t.values)
                state.emplace(key, "");
            for (const std::string& key : t.trees)
                state.emplace(key, "");
        }
        for (auto& [key, text] : state)
            text = Export(sys, key);
        return state;
    };
    const auto before = snapshot();
    const std::size_t journalsBefore = undo::ListJournals(sys).size();
    app::cmdSystem(ctx);
    app::cmdOptimize(ctx);
    app::cmdSecurity(ctx);
    app::cmdOptimize(ctx);
    // Wine has no chkntfs and cannot set a start type; nothing else may fail.
    for (const auto& m : host.messages) {
        std::istringstream lines(m.text);
        std::string line;
        std::getline(lines, line); // how many
        while (std::getline(lines, line) && !line.empty())
            EXPECT_TRUE(line.starts_with("start sc ") || line.starts_with("start chkntfs ")) << m.text;
    }
    const auto applied = snapshot();
    EXPECT_NE(applied, before);

    const auto journals = undo::ListJournals(sys);
    ASSERT_EQ(journals.size(), journalsBefore + 2);
    for (std::size_t i = journals.size(); i-- > journalsBefore;) {
        const std::string path = undo::UndoFolder(sys) + "\\" + journals[i].name;
        ASSERT_TRUE(sys.Run("regedit /s \"" + path + "\"", sysaccess::RunMode::Wait).ok()) << path;
    }
    const auto restored = snapshot();
    for (const auto& [what, value] : before) {
        const auto it = restored.find(what);
        EXPECT_EQ(it == restored.end() ? "missing" : it->second, value) << what;
    }
}

} // namespace
