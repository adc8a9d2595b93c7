// setup.dat reader on arbitrary bytes: never crashes, and whatever it loads is saved as a text
// that loads back to the same controls. The bytes are read twice: as text already decoded, and
// as the file itself on a simulated machine, through its ANSI code page (GBK).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "form/form.h"
#include "settings/settings.h"
#include "sysaccess/sim/machine.h"

namespace {

// What the form holds is written and read back to the same text.
void RoundTrips(const form::MainForm& form) {
    // A folder name holding a double quote cannot be read back whole: the format has no escape.
    if (form.txtPath().find('"') != std::string::npos) return;
    const std::string saved = settings::SettingsText(form);
    form::MainForm again;
    const settings::LoadReport report = settings::LoadSettingsFromBytes(again, saved);
    if (report.outcome != settings::LoadReport::Outcome::Complete) std::abort();
    if (settings::SettingsText(again) != saved) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    form::MainForm form;
    (void)settings::LoadSettingsFromBytes(form, bytes);
    RoundTrips(form);

    sim::Machine machine;
    machine.AddFile(settings::SettingsPath(machine), bytes);
    form::MainForm loaded;
    (void)settings::LoadSettings(loaded, machine);
    RoundTrips(loaded);
    // Through the file: what the code page can hold comes back whole.
    if (loaded.txtPath().find('"') != std::string::npos) return 0;
    if (!machine.ToAnsi(settings::SettingsText(loaded))) return 0;
    if (!settings::SaveSettings(loaded, machine).ok) std::abort();
    form::MainForm back;
    if (settings::LoadSettings(back, machine).outcome != settings::LoadReport::Outcome::Complete) std::abort();
    if (settings::SettingsText(back) != settings::SettingsText(loaded)) std::abort();
    return 0;
}
