// setup.dat on the simulated machine: one SaveSettings and one LoadSettings, the work of an exit
// and the next start.
#include <benchmark/benchmark.h>

#include "form/form.h"
#include "settings/settings.h"
#include "sysaccess/sim/machine.h"

namespace {

void BM_SettingsRoundTrip(benchmark::State& state) {
    sim::Machine machine;
    machine.AddFolder(machine.ProgramFolder());
    form::MainForm form;
    for (int i = 0; i < form::kChkCount; ++i)
        form.SetChk(i, i % 3);
    form.SelectOpt(2);
    form.SetCombo2(1);
    form.SetCombo3(0);
    form.SetTxtPath("D:\\下载\\软件,备份");
    for (int i = 0; i < form::kDriveCount; i += 3)
        form.SetHide(i, true);
    for (int i = 0; i < form::kServiceCount; i += 2)
        form.SetService(i, true);

    for (auto _ : state) {
        if (!settings::SaveSettings(form, machine)) state.SkipWithError("save failed");
        form::MainForm back;
        const settings::LoadReport report = settings::LoadSettings(back, machine);
        if (report.outcome != settings::LoadReport::Outcome::Complete) state.SkipWithError("load stopped");
        benchmark::DoNotOptimize(back.chk(76));
    }
}
BENCHMARK(BM_SettingsRoundTrip);

} // namespace

BENCHMARK_MAIN();
