// The command-line interpreter of the simulated machine: arbitrary command lines, one a line, run
// against a small machine. Never crashes, reports a result for every started command, and leaves a
// registry that still exports and imports cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sysaccess/sim/machine.h"

namespace {

sim::Machine SmallMachine() {
    sim::Machine m;
    const std::string safeBoot = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot";
    m.SetString(safeBoot + "\\Minimal\\AppMgmt", "", "Service");
    m.SetString(safeBoot + "\\Minimal\\{36FC9E60-C465-11CF-8056-444553540000}", "", "Universal Serial Bus");
    m.SetString(safeBoot + "\\Network\\AppMgmt", "", "Service");
    m.SetString("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "two words", "x.exe");
    m.SetDword("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Alerter", "Start", 3);
    m.AddFile("c:\\tempreg.reg", "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\A]\r\n\"b\"=dword:1\r\n");
    m.AddFile("C:\\WINDOWS\\system32\\dllcache\\a.dll", "x");
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::Machine machine = SmallMachine();
    std::size_t starts = 0;
    std::size_t pos = 0;
    for (int n = 0; n < 16 && pos <= text.size(); ++n) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        // The first byte picks the mode, so that both are explored.
        const bool start = !line.empty() && (static_cast<unsigned char>(line[0]) & 1);
        if (!line.empty()) line.erase(0, 1);
        const sysaccess::RunResult r = machine.Run(line, start ? sysaccess::RunMode::Start : sysaccess::RunMode::Wait);
        if (!r.started && r.startError == 0) std::abort();
        if (start && r.started) ++starts;
    }
    if (machine.CollectStarted().size() > starts) std::abort();

    const std::string exported = machine.ExportRegistry();
    sim::Machine again;
    if (again.ImportScript(exported) != 0) std::abort();
    if (again.ExportRegistry() != exported) std::abort();
    return 0;
}
