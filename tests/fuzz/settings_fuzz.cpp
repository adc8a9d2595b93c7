// setup.dat reader on arbitrary bytes: never crashes, and whatever it loads is saved as a text
// that loads back to the same controls.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/form.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    app::MainForm form;
    (void)settings::LoadSettingsFromBytes(form, bytes);

    // A folder name holding a double quote cannot be read back whole: the format has no escape.
    if (form.txtPath().find('"') != std::string::npos) return 0;
    const std::string saved = settings::SettingsText(form);
    app::MainForm again;
    const settings::LoadReport report = settings::LoadSettingsFromBytes(again, saved);
    if (report.outcome != settings::LoadReport::Outcome::Complete) std::abort();
    if (settings::SettingsText(again) != saved) std::abort();
    return 0;
}
