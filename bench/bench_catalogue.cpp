// One Optimize section per page on the seeded simulated machine, with every option of the page
// ticked. Each iteration starts from a fresh copy of the machine; the copy is not timed.
#include <benchmark/benchmark.h>

#include "optimize/sections.h"
#include "startup/startup.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"

namespace {

form::MainForm AllTicked() {
    form::MainForm form;
    for (int i = 0; i < form::kChkCount; ++i)
        form.SetChk(i, form::kTicked);
    for (int i = 0; i < form::kDriveCount; ++i) {
        form.SetHide(i, true);
        form.SetNot(i, true);
    }
    for (int i = 0; i < form::kServiceCount; ++i)
        form.SetService(i, true);
    form.SetCombo2(0);
    form.SetCombo3(0);
    form.SelectOpt(4);
    form.SetTxtPath(R"(D:\下载)");
    form.UserName = "Administrator";
    return form;
}

template <typename Section> void RunPage(benchmark::State& state, Section section) {
    const sim::Machine seeded = sim::Machine::Seeded();
    for (auto _ : state) {
        state.PauseTiming();
        sim::Machine machine = seeded;
        form::MainForm form = AllTicked();
        state.ResumeTiming();
        section(form, machine);
        benchmark::DoNotOptimize(machine.Commands().size());
    }
}

void BM_SystemPage(benchmark::State& s) {
    RunPage(s, optimize::RunSystemSection);
}
void BM_SecurityPage(benchmark::State& s) {
    RunPage(s, optimize::RunSecuritySection);
}
void BM_ServicePage(benchmark::State& s) {
    RunPage(s, optimize::RunServiceSection);
}
void BM_WightPage(benchmark::State& s) {
    RunPage(s, optimize::RunWightSection);
}
void BM_StartupPage(benchmark::State& s) {
    RunPage(s, [](form::MainForm& form, sim::Machine& machine) {
        testing_support::FakeHost host;
        startup::FillStartupList(form, machine);
        for (std::size_t i = 0; i < form.lstStartup().items.size(); ++i)
            form.SetStartupTick(static_cast<int>(i), true);
        startup::RunStartupSection(form, machine, host);
    });
}

BENCHMARK(BM_SystemPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SecurityPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServicePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WightPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartupPage)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
