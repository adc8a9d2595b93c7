// Growth with the size of the machine: the startup list with n Run values and n/5 Startup files,
// a startup pass removing half of them, and setup.dat with a download folder of n bytes. Each
// benchmark reports its fitted complexity; all should be linear (or n log n at most).
#include <benchmark/benchmark.h>

#include "form/form.h"
#include "settings/settings.h"
#include "startup/startup.h"
#include "support/fake_host.h"
#include "sysaccess/faulty.h"
#include "sysaccess/sim/machine.h"

namespace {

constexpr const char* kUserRun = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kMachineRun = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kUserStartup = R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\启动)";
constexpr const char* kAllStartup = R"(C:\Documents and Settings\All Users\「开始」菜单\程序\启动)";

sim::Machine Crowded(int values) {
    sim::Machine m;
    for (int i = 0; i < values; ++i) {
        m.SetString(i % 2 ? kMachineRun : kUserRun, "程序 " + std::to_string(i), "p.exe");
    }
    for (int i = 0; i < values / 5; ++i) {
        m.AddFile(std::string(i % 2 ? kAllStartup : kUserStartup) + "\\快捷方式 " + std::to_string(i) + ".lnk");
    }
    return m;
}

form::MainForm FormFor() {
    form::MainForm form;
    form.UserName = "Administrator";
    return form;
}

void BM_FillStartupList(benchmark::State& state) {
    sim::Machine machine = Crowded(static_cast<int>(state.range(0)));
    form::MainForm form = FormFor();
    for (auto _ : state) {
        startup::FillStartupList(form, machine);
        benchmark::DoNotOptimize(form.lstStartup().items.data());
    }
    state.counters["items"] = static_cast<double>(form.lstStartup().items.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FillStartupList)->RangeMultiplier(2)->Range(1250, 10000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_StartupPassRemovingHalf(benchmark::State& state) {
    const sim::Machine crowded = Crowded(static_cast<int>(state.range(0)));
    testing_support::FakeHost host;
    for (auto _ : state) {
        state.PauseTiming();
        sim::Machine machine = crowded;
        form::MainForm form = FormFor();
        startup::FillStartupList(form, machine);
        for (std::size_t i = 0; i < form.lstStartup().items.size(); i += 2)
            form.SetStartupTick(static_cast<int>(i), true);
        state.ResumeTiming();
        startup::RunStartupSection(form, machine, host);
        benchmark::DoNotOptimize(form.lstStartup().items.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StartupPassRemovingHalf)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The same pass with the "reg delete" commands answered at once, without reaching the simulated
// registry (whose value lookup is linear in the key's size): the program's own share of the work.
void BM_StartupPassProgramShare(benchmark::State& state) {
    const sim::Machine crowded = Crowded(static_cast<int>(state.range(0)));
    testing_support::FakeHost host;
    for (auto _ : state) {
        state.PauseTiming();
        sim::Machine machine = crowded;
        sysaccess::FaultySystem answered(machine);
        answered.FailKind(sysaccess::EffectKind::Wait);
        form::MainForm form = FormFor();
        startup::FillStartupList(form, machine);
        for (std::size_t i = 0; i < form.lstStartup().items.size(); i += 2)
            form.SetStartupTick(static_cast<int>(i), true);
        state.ResumeTiming();
        startup::RunStartupSection(form, answered, host);
        benchmark::DoNotOptimize(form.lstStartup().items.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StartupPassProgramShare)
    ->RangeMultiplier(2)
    ->Range(1250, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_SetupDatWithLongDownloadFolder(benchmark::State& state) {
    sim::Machine machine;
    machine.AddFolder(machine.ProgramFolder());
    form::MainForm form = FormFor();
    form.SetCombo2(0);
    form.SetCombo3(0);
    std::string path = R"(D:\)";
    while (path.size() < static_cast<std::size_t>(state.range(0)))
        path += "下载\\files ";
    form.SetTxtPath(path);
    for (auto _ : state) {
        if (!settings::SaveSettings(form, machine)) state.SkipWithError("save failed");
        form::MainForm back;
        if (settings::LoadSettings(back, machine).outcome != settings::LoadReport::Outcome::Complete) {
            state.SkipWithError("load stopped");
        }
        if (back.txtPath() != path) state.SkipWithError("folder changed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SetupDatWithLongDownloadFolder)
    ->RangeMultiplier(2)
    ->Range(128 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace

BENCHMARK_MAIN();
