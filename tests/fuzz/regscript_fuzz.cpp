// The registry-script importer of the simulated machine on arbitrary text: never crashes, and the
// registry it builds exports as a script that imports cleanly into the same registry. The same
// text, as a journal of the undo folder whose hash is recorded as the program records it, goes
// through every check of undo: a refused journal changes nothing, and listing the folder and
// choosing the last journal never fail.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sysaccess/sim/machine.h"
#include "sysaccess/text.h"
#include "undo/journal.h"
#include "undo/restore.h"
#include "undo/sha256.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::Machine machine;
    if (machine.ImportScript(text) < 0) std::abort();
    const std::string exported = machine.ExportRegistry();

    sim::Machine again;
    if (again.ImportScript(exported) != 0) std::abort();
    if (again.ExportRegistry() != exported) std::abort();

    static const sim::Machine seeded = sim::Machine::Seeded();
    sim::Machine m = seeded;
    const std::string journal = "fuzz.reg";
    const std::string bytes = "\xFF\xFE" + sysaccess::Utf8ToUtf16Le(text);
    m.AddFile(undo::UndoFolder(m) + "\\" + journal, bytes);
    m.SetString(undo::kHashesKey, journal, undo::Sha256Hex(bytes));
    const std::string registry = m.ExportRegistry();
    const auto paths = m.AllPaths();
    undo::UndoReport report;
    if (!undo::Undo(m, journal, {}, &report) && report.journal.empty()) {
        if (m.ExportRegistry() != registry || m.AllPaths() != paths) std::abort();
    }
    (void)undo::LastPassJournal(undo::ListJournals(m));
    return 0;
}
