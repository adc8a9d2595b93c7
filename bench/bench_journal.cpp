// The journal of one pass of each page with every option ticked, on the seeded simulated machine:
// the time to plan the pass, read what it will change and write the journal, and the journal's
// size (counter "bytes", UTF-16 with its copies). Each iteration starts from a fresh copy of the
// machine; the copy is not timed.
#include <benchmark/benchmark.h>

#include "optimize/pass.h"
#include "startup/startup.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"
#include "undo/journal.h"

namespace {

void Journal(benchmark::State& state, form::Page page) {
    const sim::Machine seeded = sim::Machine::Seeded();
    form::MainForm form;
    for (int i = 0; i < form::kChkCount; ++i)
        form.SetChk(i, form::kTicked);
    for (int i = 0; i < form::kDriveCount; ++i)
        form.SetHide(i, true), form.SetNot(i, true);
    for (int i = 0; i < form::kServiceCount; ++i)
        form.SetService(i, true);
    form.SetCombo2(0);
    form.SetCombo3(0);
    form.SetTxtPath(R"(D:\下载)");
    form.UserName = "Administrator";
    form.ShowPage(page);
    if (page == form::Page::Startup) {
        sim::Machine m = seeded;
        startup::FillStartupList(form, m);
        for (std::size_t i = 0; i < form.lstStartup().items.size(); ++i)
            form.SetStartupTick(static_cast<int>(i), true);
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        sim::Machine machine = seeded;
        state.ResumeTiming();
        std::string path;
        if (!undo::JournalPass(form, machine, optimize::cmdOptimize, "bench", lang::Language::English, &path))
            state.SkipWithError("no journal");
        state.PauseTiming();
        bytes = 0;
        const std::string folder = undo::UndoFolder(machine);
        for (const std::string& name : machine.ListFolder(folder))
            bytes += machine.ReadFile(folder + "\\" + name).value_or("").size();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK_CAPTURE(Journal, system, form::Page::System);
BENCHMARK_CAPTURE(Journal, security, form::Page::Security);
BENCHMARK_CAPTURE(Journal, services, form::Page::Service);
BENCHMARK_CAPTURE(Journal, slimming, form::Page::Wight);
BENCHMARK_CAPTURE(Journal, startup, form::Page::Startup);

} // namespace

BENCHMARK_MAIN();
