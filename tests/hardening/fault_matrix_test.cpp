// Every pass under every single failure, and under everything failing at once.
//
// For each page (options all ticked, and all cleared) and for the automatic optimisation, a run
// without faults counts the effects; then each effect in turn is made to fail, in a fresh copy of
// the machine. After every run: the pass ended idle, the safe-boot configuration survives whole
// (in Minimal/Network or in their backups), nothing was deleted that the fault-free run did not
// delete nor anything outside the files and folders a pass may delete, and setup.dat is intact.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>

#include "app/shell.h"
#include "machine_fixture.h"
#include "optimize/pass.h"
#include "presets/presets.h"
#include "settings/settings.h"
#include "startup/startup.h"
#include "support/fake_host.h"
#include "support/machine_state.h"
#include "sysaccess/faulty.h"
#include "undo/restore.h"

namespace {

using hardening::FixtureMachine;
using sysaccess::EffectKind;
using sysaccess::FaultySystem;

struct Scenario {
    const char* name;
    form::Page page;
    int tick;         // every option of every page: form::kTicked or form::kCleared
    bool fromBackups; // the safe-boot keys already moved to Minimal1/Network1
    bool automatic;   // cmdAuto instead of cmdOptimize
};

std::ostream& operator<<(std::ostream& os, const Scenario& s) {
    return os << s.name;
}

struct PassRun {
    sim::Machine machine;
    form::MainForm form;
    std::vector<sysaccess::SeenEffect> effects;
    bool journalRefused = false; // the journal could not be written, so the pass did not run
};

sim::Machine StartMachine(const Scenario& s) {
    sim::Machine m = FixtureMachine();
    if (s.fromBackups) {
        for (const char* name : {"Minimal", "Network"}) {
            const std::string key = hardening::kSafeBoot + name;
            const auto rc = m.Run("reg copy " + key + "\\ " + key + "1\\ /s /f", sysaccess::RunMode::Wait);
            EXPECT_TRUE(rc.ok()) << rc.Describe();
            EXPECT_TRUE(m.DeleteKey(key));
        }
        m.ClearCommands();
    }
    return m;
}

// One pass of the scenario on a copy of `start`, with the rules the caller sets on the wrapper.
PassRun RunScenario(const Scenario& s, const sim::Machine& start, const std::function<void(FaultySystem&)>& rules) {
    PassRun run{start, form::MainForm(), {}};
    testing_support::FakeHost host;
    {
        form::Context plain{run.form, run.machine, host};
        app::LoadWindow(plain);
        for (int i = 0; i < form::kChkCount; ++i)
            run.form.SetChk(i, s.tick);
        for (int i = 0; i < form::kServiceCount; ++i)
            run.form.SetService(i, s.tick == form::kTicked);
        for (int i = 2; i < 5; ++i) {
            run.form.SetHide(i, s.tick == form::kTicked);
            run.form.SetNot(i, s.tick == form::kTicked);
        }
        run.form.SetTxtPath(R"(D:\下载)");
        if (s.page == form::Page::Startup) {
            app::cmdStartup(plain);
            for (std::size_t i = 0; i < run.form.lstStartup().items.size(); ++i) {
                const std::string& item = run.form.lstStartup().items[i];
                if (item == "QQ" || item == "two words" || item == "shared" || item == "b.lnk" || item == "a.lnk") {
                    run.form.SetStartupTick(static_cast<int>(i), s.tick == form::kTicked);
                }
            }
        }
        run.form.ShowPage(s.page);
    }
    FaultySystem faulty(run.machine);
    rules(faulty);
    form::Context ctx{run.form, faulty, host};
    if (s.automatic) {
        host.answers.push_back(form::MsgAnswer::Ok);
        app::cmdAuto(ctx);
    } else {
        app::cmdOptimize(ctx);
    }
    run.effects = faulty.Effects();
    for (const auto& m : host.messages)
        run.journalRefused |= m.text.starts_with("无法写入撤销记录");
    return run;
}

// What is wrong after a run; empty when all is well.
std::string Problems(const sim::Machine& start, const PassRun& run, const std::set<std::string>& deletedWithoutFaults) {
    sim::Machine before = start, after = run.machine;
    if (run.journalRefused) {
        return testing_support::StateOf(after) == testing_support::StateOf(before) ? "" : "changed without a journal; ";
    }
    // Whatever failed, the journal takes the machine back to where it was.
    sim::Machine undone = run.machine;
    const auto journals = undo::ListJournals(undone);
    std::string problems = journals.empty() ? "no journal; " : "";
    if (!journals.empty() && !undo::Undo(undone, journals.back().name, false, nullptr)) problems += "undo refused; ";
    if (testing_support::StateOf(undone) != testing_support::StateOf(before)) problems += "undo left a difference; ";
    problems += hardening::IdleProblem(run.form) + hardening::SafeBootLoss(start, run.machine);
    for (const std::string& gone : hardening::Deleted(start, run.machine)) {
        if (!hardening::MayBeDeleted(gone))
            problems += "deleted " + gone + "; ";
        else if (!deletedWithoutFaults.contains(gone))
            problems += "deleted only under faults: " + gone + "; ";
    }
    if (after.ReadFile(hardening::kSetupDat) != hardening::kOldSetup) problems += "setup.dat changed; ";
    return problems;
}

class FaultMatrix : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        start_ = StartMachine(GetParam());
        clean_ = RunScenario(GetParam(), start_, [](FaultySystem&) {});
        deleted_ = hardening::Deleted(start_, clean_.machine);
    }

    // Runs with the rules and reports any problem under the label.
    void Check(const std::string& label, const std::function<void(FaultySystem&)>& rules) {
        const PassRun run = RunScenario(GetParam(), start_, rules);
        ++runs_;
        const std::string problems = Problems(start_, run, deleted_);
        if (!problems.empty()) failures_.push_back(label + ": " + problems);
    }

    void ExpectNoFailures() {
        std::ostringstream os;
        for (std::size_t i = 0; i < failures_.size() && i < 10; ++i)
            os << failures_[i] << "\n";
        EXPECT_TRUE(failures_.empty()) << failures_.size() << " failing runs, the first:\n" << os.str();
    }

    sim::Machine start_;
    PassRun clean_;
    std::set<std::string> deleted_;
    std::vector<std::string> failures_;
    std::size_t runs_ = 0;
};

TEST_P(FaultMatrix, WithoutFaultsThePassIsSoundAndHasEffects) {
    EXPECT_EQ(Problems(start_, clean_, deleted_), "");
    // The slimming and startup pages do nothing for what is not ticked; every other page releases.
    const Scenario& s = GetParam();
    const bool idlePage =
        s.tick == form::kCleared && !s.automatic && (s.page == form::Page::Wight || s.page == form::Page::Startup);
    // The journal's own writes (its file, its hash through the registry script) are not the pass's.
    const bool onlyJournal = std::all_of(clean_.effects.begin(), clean_.effects.end(), [](const auto& e) {
        return e.detail.find("\\undo\\") != std::string::npos || e.detail.find("tempreg") != std::string::npos ||
               e.detail.find("Sysvela\\Undo") != std::string::npos;
    });
    EXPECT_EQ(onlyJournal, idlePage) << clean_.effects.size() << " effects";
}

TEST_P(FaultMatrix, EachSingleEffectFailing) {
    const std::vector<sysaccess::SeenEffect>& points = clean_.effects;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string label =
            "effect " + std::to_string(i) + " (" + sysaccess::EffectWord(points[i].kind) + " " + points[i].detail + ")";
        Check(label, [i](FaultySystem& f) { f.FailEffect(i); });
        if (points[i].kind == EffectKind::Start || points[i].kind == EffectKind::Wait) {
            Check(label + " not started", [i](FaultySystem& f) {
                f.FailEffect(i);
                f.SetCommandFailure(sysaccess::CommandFailure::NotStarted);
            });
        }
    }
    RecordProperty("fault_points", static_cast<int>(points.size()));
    std::printf("[ fault points ] %s: %zu effects, %zu failing runs checked\n", GetParam().name, points.size(), runs_);
    ExpectNoFailures();
}

TEST_P(FaultMatrix, EveryEffectOfAKindFailing) {
    for (std::size_t k = 0; k < sysaccess::kEffectKindCount; ++k) {
        const auto kind = static_cast<EffectKind>(k);
        Check(std::string("every ") + sysaccess::EffectWord(kind), [kind](FaultySystem& f) { f.FailKind(kind); });
    }
    ExpectNoFailures();
}

TEST_P(FaultMatrix, EverythingFailingChangesNothing) {
    Check("everything", [](FaultySystem& f) { f.FailEverything(); });
    Check("everything, reads answering", [](FaultySystem& f) { f.FailEverything(false); });
    Check("everything, tools missing", [](FaultySystem& f) {
        f.FailEverything();
        f.SetCommandFailure(sysaccess::CommandFailure::NotStarted);
    });
    ExpectNoFailures();

    const PassRun run = RunScenario(GetParam(), start_, [](FaultySystem& f) { f.FailEverything(); });
    EXPECT_TRUE(hardening::Deleted(start_, run.machine).empty());
    EXPECT_EQ(run.machine.ExportRegistry(), start_.ExportRegistry());
}

TEST_P(FaultMatrix, MissingToolsLockedFilesAndFoldersLeftFull) {
    for (const char* tool : {"regedit", "reg", "sc", "sfc", "chkntfs"}) {
        Check(std::string("no ") + tool, [tool](FaultySystem& f) { f.MissingTool(tool); });
    }
    // Everything the fault-free pass deleted, locked or kept full at once.
    Check("all deleted files locked and folders kept", [this](FaultySystem& f) {
        for (const std::string& path : deleted_) {
            f.LockFile(path);
            f.KeepFolder(path);
        }
    });
    Check("the script locked", [](FaultySystem& f) { f.LockFile(sysaccess::kScriptPath); });
    ExpectNoFailures();

    // The same through the machine's own read-only attribute: nothing read-only goes.
    sim::Machine readOnly = start_;
    for (const std::string& path : deleted_)
        readOnly.SetAttributes(path, sim::kReadOnly);
    const PassRun guarded = RunScenario(GetParam(), readOnly, [](FaultySystem&) {});
    EXPECT_EQ(hardening::IdleProblem(guarded.form), "");
    for (const std::string& gone : hardening::Deleted(readOnly, guarded.machine)) {
        if (hardening::LowerAscii(gone).starts_with(R"(c:\windows\system32\dllcache\)")) continue;
        ADD_FAILURE() << "read-only " << gone << " went";
    }

    const PassRun run = RunScenario(GetParam(), start_, [this](FaultySystem& f) {
        for (const std::string& path : deleted_) {
            f.LockFile(path);
            f.KeepFolder(path);
        }
    });
    for (const std::string& gone : hardening::Deleted(start_, run.machine)) {
        // The protected-file cache is emptied by sfc itself, not through the file primitives.
        if (hardening::LowerAscii(gone).starts_with(R"(c:\windows\system32\dllcache\)")) continue;
        EXPECT_EQ(gone, "c:\\tempreg.reg") << "a locked file or kept folder went";
    }
}

const Scenario kScenarios[] = {
    {"SystemTicked", form::Page::System, form::kTicked, false, false},
    {"SystemCleared", form::Page::System, form::kCleared, false, false},
    {"SecurityTicked", form::Page::Security, form::kTicked, false, false},
    {"SecurityCleared", form::Page::Security, form::kCleared, false, false},
    {"SecurityClearedFromBackups", form::Page::Security, form::kCleared, true, false},
    {"SecurityTickedAgain", form::Page::Security, form::kTicked, true, false},
    {"ServiceTicked", form::Page::Service, form::kTicked, false, false},
    {"ServiceCleared", form::Page::Service, form::kCleared, false, false},
    {"WightTicked", form::Page::Wight, form::kTicked, false, false},
    {"WightCleared", form::Page::Wight, form::kCleared, false, false},
    {"StartupTicked", form::Page::Startup, form::kTicked, false, false},
    {"StartupCleared", form::Page::Startup, form::kCleared, false, false},
    {"Automatic", form::Page::System, form::kCleared, false, true},
};

INSTANTIATE_TEST_SUITE_P(Passes, FaultMatrix, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

// The checks themselves notice a lost key, a lost subkey deep in a backup, and a stray deletion.
TEST(MatrixChecks, NoticeWhatTheyGuard) {
    const sim::Machine start = FixtureMachine();
    sim::Machine moved = start;
    for (const char* name : {"Minimal", "Network"}) {
        const std::string key = hardening::kSafeBoot + name;
        ASSERT_TRUE(moved.Run("reg copy " + key + " " + key + "1 /s /f", sysaccess::RunMode::Wait).ok());
        ASSERT_TRUE(moved.DeleteKey(key));
    }
    EXPECT_EQ(hardening::SafeBootLoss(start, moved), "");

    sim::Machine deep = moved;
    ASSERT_TRUE(deep.DeleteKey(hardening::kSafeBoot + R"(Network1\Base\Deeper\Deepest)"));
    EXPECT_EQ(hardening::SafeBootLoss(start, deep), "Network lost; ");

    sim::Machine gone = start;
    ASSERT_TRUE(gone.DeleteKey(hardening::kSafeBoot + "Minimal"));
    EXPECT_EQ(hardening::SafeBootLoss(start, gone), "Minimal lost; ");
    EXPECT_EQ(hardening::SafeBootLoss(moved, gone), "Minimal lost; "); // the backup is the reference then

    EXPECT_TRUE(hardening::MayBeDeleted(hardening::kUserStartup + R"(\QQ.lnk)"));
    EXPECT_FALSE(hardening::MayBeDeleted(hardening::kUserStartup + R"(\keep\inner.lnk)"));
    EXPECT_FALSE(hardening::MayBeDeleted(hardening::kAllStartMenu + R"(\程序\附件\记事本.lnk)"));
    EXPECT_FALSE(hardening::MayBeDeleted(R"(C:\WINDOWS\Help\notepad.chm)"));
    EXPECT_FALSE(hardening::MayBeDeleted(R"(C:\Documents and Settings\Administrator\My Documents\报告.doc)"));
}

// setup.dat at the exit, under each failure of the save: the old file or the new one, never a
// part of either, and never gone.
TEST(SettingsUnderFaults, SetupDatIsOldOrNewNeverHalf) {
    const sim::Machine start = FixtureMachine();
    const auto exitWith = [&](const std::function<void(FaultySystem&)>& rules, std::size_t* effects) {
        sim::Machine m = start;
        form::MainForm form;
        testing_support::FakeHost host;
        for (int i = 0; i < form::kChkCount; i += 3)
            form.SetChk(i, form::kTicked);
        form.SetTxtPath(R"(D:\新的下载)");
        FaultySystem faulty(m);
        rules(faulty);
        form::Context ctx{form, faulty, host};
        app::cmdExit(ctx); // no answer queued: Cancel, the window closes
        if (effects) *effects = faulty.EffectCount();
        EXPECT_EQ(host.closes, 1);
        return std::make_pair(m.ReadFile(hardening::kSetupDat), settings::SettingsText(form));
    };
    std::size_t points = 0;
    const auto [clean, text] = exitWith([](FaultySystem&) {}, &points);
    ASSERT_TRUE(clean);
    ASSERT_NE(*clean, hardening::kOldSetup);
    EXPECT_GT(points, 0u);

    std::vector<std::function<void(FaultySystem&)>> rules;
    for (std::size_t i = 0; i < points; ++i)
        rules.push_back([i](FaultySystem& f) { f.FailEffect(i); });
    rules.push_back([](FaultySystem& f) { f.FailEverything(); });
    rules.push_back([](FaultySystem& f) { f.FailKind(EffectKind::Replace); });
    rules.push_back([](FaultySystem& f) { f.LockFile(hardening::kSetupDat); });
    for (std::size_t r = 0; r < rules.size(); ++r) {
        const auto bytes = exitWith(rules[r], nullptr).first;
        ASSERT_TRUE(bytes) << "rule " << r << ": setup.dat gone";
        EXPECT_TRUE(*bytes == hardening::kOldSetup || *bytes == *clean) << "rule " << r << ": " << *bytes;
    }
}

} // namespace
