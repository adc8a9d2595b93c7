// Every pass under the rules of the table below: each effect failing in turn, every effect of a
// kind, everything, missing tools, locked files. For each scenario a run without faults counts the
// effects and what the pass reports as failed; each run with faults starts from a fresh copy of
// the machine in tests/hardening/machine/. After every run: the pass reports the effect that
// failed and no other new failure, it ended idle, the journal takes the machine back, the
// safe-boot configuration survives whole (in Minimal/Network or in their backups), nothing was
// deleted that the fault-free run did not delete nor anything outside what a pass may delete,
// and setup.dat is intact.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
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
#include "sysaccess/recording.h"
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
    std::vector<sysaccess::Effect> reported = {}; // every effect with the outcome the pass was told
    bool journalRefused = false;                  // the journal could not be written, so the pass did not run
    bool logNotWritten = false;                   // the user was told that the log could not be written
};

// The effects of the pass itself (not its journal's or its log's) that it was told had failed, as
// "word text" lines; and their number, which the closing text must show.
std::vector<std::string> FailedLines(const PassRun& run) {
    std::vector<std::string> lines;
    for (const sysaccess::Effect& e : run.reported)
        if (e.outcome == sysaccess::Outcome::Failed && e.text.find("\\undo\\") == std::string::npos)
            lines.push_back(sysaccess::EffectWords(e));
    return lines;
}
// The k-th effect (from 0) with these words; nothing when there are fewer.
const sysaccess::Effect* Nth(const std::vector<sysaccess::Effect>& effects, const std::string& words,
                             std::ptrdiff_t k) {
    for (const sysaccess::Effect& e : effects)
        if (sysaccess::EffectWords(e) == words && k-- == 0) return &e;
    return nullptr;
}

std::set<std::string> Failed(const PassRun& run) {
    const std::vector<std::string> lines = FailedLines(run);
    return {lines.begin(), lines.end()};
}

// What went from `before` through the file primitives, which a rule or an attribute should have
// kept. (The protected-file cache is emptied by sfc itself.)
std::string KeptFilesGone(const sim::Machine& before, const sim::Machine& after) {
    std::string gone;
    for (const std::string& path : hardening::Deleted(before, after))
        if (!hardening::LowerAscii(path).starts_with(R"(c:\windows\system32\dllcache\)")) gone += path + " went; ";
    return gone;
}

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
    sysaccess::RecordingSystem told(faulty, sysaccess::RecordMode::Apply);
    form::Context ctx{run.form, told, host};
    if (s.automatic) {
        host.answers.push_back(form::MsgAnswer::Ok);
        app::cmdAuto(ctx);
    } else {
        app::cmdOptimize(ctx);
    }
    run.effects = faulty.Effects();
    run.reported = told.Effects();
    // The messages' words before what they name.
    const auto lead = [&](lang::Str id) {
        const std::string text = run.form.Text(id);
        return text.substr(0, text.find("{1}"));
    };
    for (const auto& m : host.messages) {
        run.journalRefused |= m.text.starts_with(lead(lang::Str::JournalFailed));
        run.logNotWritten |= m.text.find(lead(lang::Str::LogNotWritten)) != std::string::npos;
    }
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
    if (!journals.empty() && !undo::Undo(undone, journals.back().name, {}, nullptr)) problems += "undo refused; ";
    if (testing_support::StateOf(undone) != testing_support::StateOf(before)) problems += "undo left a difference; ";
    problems += hardening::IdleProblem(run.form, FailedLines(run).size()) + hardening::SafeBootLoss(start, run.machine);
    for (const std::string& gone : hardening::Deleted(start, run.machine)) {
        if (!hardening::MayBeDeleted(gone))
            problems += "deleted " + gone + "; ";
        else if (!deletedWithoutFaults.contains(gone))
            problems += "deleted only under faults: " + gone + "; ";
    }
    if (after.ReadFile(hardening::kSetupDat) != hardening::kOldSetup) problems += "setup.dat changed; ";
    return problems;
}

// One row of the table: how the machine fails, and which effect of the fault-free run that makes
// fail (none when the rule is not about a single effect).
struct Rule {
    std::string label;
    std::function<void(FaultySystem&)> apply;
    std::optional<std::size_t> effect = std::nullopt;
    bool keepsFiles = false; // every file and folder the pass deletes is locked or kept
};

// The rules for a scenario whose fault-free run had these effects and deleted these paths.
std::vector<Rule> Rules(const std::vector<sysaccess::SeenEffect>& effects, const std::set<std::string>& deleted) {
    std::vector<Rule> rules;
    for (std::size_t i = 0; i < effects.size(); ++i) {
        const std::string label = "effect " + std::to_string(i) + " (" + sysaccess::EffectWord(effects[i].kind) + " " +
                                  effects[i].detail + ")";
        rules.push_back({label, [i](FaultySystem& f) { f.FailEffect(i); }, i});
        if (effects[i].kind == EffectKind::Start || effects[i].kind == EffectKind::Wait) {
            rules.push_back({label + " not started",
                             [i](FaultySystem& f) {
                                 f.FailEffect(i);
                                 f.SetCommandFailure(sysaccess::CommandFailure::NotStarted);
                             },
                             i});
        }
    }
    for (std::size_t k = 0; k < sysaccess::kEffectKindCount; ++k) {
        const auto kind = static_cast<EffectKind>(k);
        rules.push_back(
            {std::string("every ") + sysaccess::EffectWord(kind), [kind](FaultySystem& f) { f.FailKind(kind); }});
    }
    rules.push_back({"everything", [](FaultySystem& f) { f.FailEverything(); }});
    rules.push_back({"everything, reads answering", [](FaultySystem& f) { f.FailEverything(false); }});
    rules.push_back({"everything, tools missing", [](FaultySystem& f) {
                         f.FailEverything();
                         f.SetCommandFailure(sysaccess::CommandFailure::NotStarted);
                     }});
    for (const char* tool : {"regedit", "reg", "sc", "sfc", "chkntfs"})
        rules.push_back({std::string("no ") + tool, [tool](FaultySystem& f) { f.MissingTool(tool); }});
    rules.push_back({"all deleted files locked and folders kept",
                     [deleted](FaultySystem& f) {
                         for (const std::string& path : deleted) {
                             f.LockFile(path);
                             f.KeepFolder(path);
                         }
                     },
                     std::nullopt, true});
    rules.push_back({"the script locked", [](FaultySystem& f) { f.LockFile(sysaccess::kScriptPath); }});
    return rules;
}

class FaultMatrix : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        start_ = StartMachine(GetParam());
        clean_ = RunScenario(GetParam(), start_, [](FaultySystem&) {});
        deleted_ = hardening::Deleted(start_, clean_.machine);
    }

    sim::Machine start_;
    PassRun clean_;
    std::set<std::string> deleted_;
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

TEST_P(FaultMatrix, EveryRuleOfTheTable) {
    const std::set<std::string> failedAnyway = Failed(clean_);
    std::vector<std::string> failures;
    const std::vector<Rule> rules = Rules(clean_.effects, deleted_);
    for (const Rule& rule : rules) {
        const PassRun run = RunScenario(GetParam(), start_, rule.apply);
        std::string problems = Problems(start_, run, deleted_);
        // The pass is told of the effect that failed, and of nothing else that did not fail anyway:
        // a failure inside a registry write as the write's, any other as itself; a reg command
        // that had nothing to act on exits 1 anyway, and is skipped.
        if (rule.effect && !run.journalRefused) {
            const sysaccess::SeenEffect& hit = clean_.effects[*rule.effect];
            const std::set<std::string> told = Failed(run);
            std::set<std::string> news;
            for (const std::string& line : told)
                if (!failedAnyway.contains(line)) news.insert(line);
            const bool inWrite = hit.kind == EffectKind::Write || hit.detail.find("tempreg") != std::string::npos;
            const std::string own = std::string(sysaccess::EffectWord(hit.kind)) + " " + hit.detail;
            const bool exitsOne = rule.label.find("not started") == std::string::npos;
            if (hit.detail.ends_with(".log")) { // the log, written after the pass
                if (!run.logNotWritten) problems += "the log's failure not told; ";
            } else if (inWrite) {
                if (news.size() != 1 || !news.begin()->starts_with("write ")) problems += "the write not reported; ";
            } else {
                // The same line may run more than once: its occurrence in the run tells which.
                const auto same = [&](const sysaccess::SeenEffect& e) {
                    return e.kind == hit.kind && e.detail == hit.detail;
                };
                const auto k = std::count_if(clean_.effects.begin(), clean_.effects.begin() + *rule.effect, same);
                const sysaccess::Effect* before = Nth(clean_.reported, own, k);
                const sysaccess::Effect* now = Nth(run.reported, own, k);
                const bool skip = exitsOne && before && before->outcome == sysaccess::Outcome::Skipped;
                if (!now || now->outcome != (skip ? sysaccess::Outcome::Skipped : sysaccess::Outcome::Failed))
                    problems += skip ? "nothing to act on, not skipped; " : "not reported; ";
                news.erase(own);
                for (const std::string& n : news)
                    problems += "also reported: " + n + "; ";
            }
        }
        if (rule.keepsFiles) problems += KeptFilesGone(start_, run.machine);
        if (!problems.empty()) failures.push_back(rule.label + ": " + problems);
    }
    std::printf("[ fault rules ] %s: %zu effects, %zu runs\n", GetParam().name, clean_.effects.size(), rules.size());
    std::ostringstream first;
    for (std::size_t i = 0; i < failures.size() && i < 10; ++i)
        first << failures[i] << "\n";
    EXPECT_TRUE(failures.empty()) << failures.size() << " failing runs, the first:\n" << first.str();
}

// Through the machine's own read-only attribute: nothing read-only goes.
TEST_P(FaultMatrix, ReadOnlyFilesStay) {
    sim::Machine readOnly = start_;
    for (const std::string& path : deleted_)
        readOnly.SetAttributes(path, sim::kReadOnly);
    const PassRun guarded = RunScenario(GetParam(), readOnly, [](FaultySystem&) {});
    EXPECT_EQ(hardening::IdleProblem(guarded.form, FailedLines(guarded).size()), "");
    EXPECT_EQ(KeptFilesGone(readOnly, guarded.machine), "");
}

// The pages with their options ticked (the cleared slimming and startup pages do nothing but
// journal), the cleared system page and the security page moving the safe-boot backups back.
const Scenario kScenarios[] = {
    {"SystemTicked", form::Page::System, form::kTicked, false, false},
    {"SystemCleared", form::Page::System, form::kCleared, false, false},
    {"SecurityTicked", form::Page::Security, form::kTicked, false, false},
    {"SecurityClearedFromBackups", form::Page::Security, form::kCleared, true, false},
    {"ServiceTicked", form::Page::Service, form::kTicked, false, false},
    {"WightTicked", form::Page::Wight, form::kTicked, false, false},
    {"StartupTicked", form::Page::Startup, form::kTicked, false, false},
    {"StartupCleared", form::Page::Startup, form::kCleared, false, false},
    {"Automatic", form::Page::System, form::kCleared, false, true},
};

INSTANTIATE_TEST_SUITE_P(Passes, FaultMatrix, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

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

// The one rule of the wrapper the matrix cannot show, since it locks every file a pass deletes: a
// locked file fails its wildcard deletion, and the other matches still go.
TEST(FaultySystem, ALockedFileStaysWhileTheOtherWildcardMatchesGo) {
    sim::Machine m;
    for (const char* file : {"C:\\d\\a.tmp", "C:\\d\\b.tmp", "C:\\d\\c.txt"})
        m.AddFile(file);
    FaultySystem f(m);
    f.LockFile("C:\\D\\B.TMP");
    EXPECT_FALSE(f.DeleteFiles("c:\\d\\*.tmp").ok);
    EXPECT_EQ(m.ListFolder("C:\\d"), (std::vector<std::string>{"b.tmp", "c.txt"}));
}

} // namespace
