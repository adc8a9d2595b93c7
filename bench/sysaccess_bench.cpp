// What a registry write costs on the simulated machine: the script built, encoded, written,
// parsed by the simulated editor and removed, as in every pass of the program.
#include <benchmark/benchmark.h>

#include "sysaccess/sim/machine.h"

namespace {

void BM_WriteRegValueDword(benchmark::State& state) {
    sim::Machine m = sim::Machine::Seeded();
    for (auto _ : state) {
        const auto r =
            m.WriteRegValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore",
                            sysaccess::RegType::Dword, "DisableSR", "00000001");
        benchmark::DoNotOptimize(r.ok);
        m.ClearCommands();
    }
}
BENCHMARK(BM_WriteRegValueDword);

void BM_WriteRegValueChineseString(benchmark::State& state) {
    sim::Machine m = sim::Machine::Seeded();
    for (auto _ : state) {
        const auto r = m.WriteRegValue("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main",
                                       sysaccess::RegType::String, "Window Title", "微软 Internet Explorer");
        benchmark::DoNotOptimize(r.ok);
        m.ClearCommands();
    }
}
BENCHMARK(BM_WriteRegValueChineseString);

// The service page's unit of work, for comparison with a registry write.
void BM_ScConfig(benchmark::State& state) {
    sim::Machine m = sim::Machine::Seeded();
    for (auto _ : state) {
        const auto r = m.Run("sc \\\\. config Alerter start= disabled", sysaccess::RunMode::Wait);
        benchmark::DoNotOptimize(r.exitCode);
        m.ClearCommands();
    }
}
BENCHMARK(BM_ScConfig);

// Every test that starts from the seed pays for one copy of it.
void BM_CopySeededMachine(benchmark::State& state) {
    for (auto _ : state) {
        sim::Machine m = sim::Machine::Seeded();
        benchmark::DoNotOptimize(&m);
    }
}
BENCHMARK(BM_CopySeededMachine);

void BM_ExportAndImportSeedRegistry(benchmark::State& state) {
    const std::string text = sim::Machine::Seeded().ExportRegistry();
    for (auto _ : state) {
        sim::Machine m;
        benchmark::DoNotOptimize(m.ImportScript(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ExportAndImportSeedRegistry);

} // namespace
