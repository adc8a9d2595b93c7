// The registry-script importer of the simulated machine on arbitrary text: never crashes, and the
// registry it builds exports as a script that imports cleanly into the same registry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sysaccess/sim/machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::Machine machine;
    if (machine.ImportScript(text) < 0) std::abort();
    const std::string exported = machine.ExportRegistry();

    sim::Machine again;
    if (again.ImportScript(exported) != 0) std::abort();
    if (again.ExportRegistry() != exported) std::abort();
    return 0;
}
