// The first half of the security page: the browser's Internet Options tabs and commands, the
// download folder, and the drive masks. Every box is applied both ways on every pass.
#include <cstdint>
#include <string>

#include "optimize/catalogue.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

constexpr const char* kK1 = R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Internet Explorer\Control Panel)";
constexpr const char* kK2 = R"(HKEY_CURRENT_USER\Software\Policies\Microsoft\Internet Explorer\Restrictions)";
constexpr const char* kK3 = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Zones\3)";
constexpr const char* kK4 = R"(HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer)";
constexpr const char* kK5 = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\policies\Explorer)";

// The download folder, written only when txtPath holds text (blanks count as text); an empty box
// leaves the browser's setting alone.
void DownloadFolder(const app::MainForm& form, sysaccess::System& sys) {
    if (!form.txtPath().empty()) Write(sys, kK4, kString, "downloadDirectory", form.txtPath().c_str());
}

void WriteDriveMask(const app::CheckList& list, const char* name, sysaccess::System& sys) {
    Write(sys, kK5, kDword, name, DriveMaskText(list).c_str());
}

void HiddenDrives(const app::MainForm& form, sysaccess::System& sys) {
    WriteDriveMask(form.lstHide(), "NoDrives", sys);
}

void ForbiddenDrives(const app::MainForm& form, sysaccess::System& sys) {
    WriteDriveMask(form.lstNot(), "NoViewOnDrive", sys);
}

// Four tab options spell their value name with a capital when ticked and a small letter when not.
constexpr Step kSteps[] = {
    // option, key, name ticked, data ticked, name not ticked, data not ticked
    RegNames(0, kK1, "GeneralTab", "00000001", "GeneralTab", "00000000"),
    Progress(500),
    RegNames(1, kK1, "SecurityTab", "00000001", "securityTab", "00000000"),
    RegNames(2, kK1, "PrivacyTab", "00000001", "privacyTab", "00000000"),
    RegNames(3, kK1, "ContentTab", "00000001", "ContentTab", "00000000"),
    RegNames(4, kK1, "ConnectionsTab", "00000001", "connectionsTab", "00000000"),
    RegNames(5, kK1, "ProgramsTab", "00000001", "programsTab", "00000000"),
    RegNames(6, kK1, "AdvancedTab", "00000001", "AdvancedTab", "00000000"),
    RegNames(7, kK2, "NoFileOpen", "00000001", "NoFileOpen", "00000000"),
    RegNames(8, kK2, "NoBrowserSaveAs", "00000001", "NoBrowserSaveAs", "00000000"),
    Progress(3500),
    RegNames(9, kK2, "NoFavorites", "00000001", "NoFavorites", "00000000"),
    RegNames(10, kK2, "NoBrowserOptions", "00000001", "NoBrowserOptions", "00000000"),
    RegNames(11, kK2, "NoBrowserContextMenu", "00000001", "NoBrowserContextMenu", "00000000"),
    RegNames(12, kK3, "1803", "00000003", "1803", "00000000"),
    RegNames(13, kK2, "NoFileNew", "00000001", "NoFileNew", "00000000"),
    Special(DownloadFolder),
    Progress(6800),
    Special(HiddenDrives),
    Special(ForbiddenDrives),
};

} // namespace

std::string DriveMaskText(const app::CheckList& list) {
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < list.ticked.size() && i < app::kDriveCount; ++i) {
        if (list.ticked[i]) mask |= std::uint32_t{1} << i;
    }
    // Upper-case hexadecimal without leading zeros or prefix: "0", "4", "3FFFFFF".
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kHex[mask & 0xF]);
        mask >>= 4;
    } while (mask != 0);
    return text;
}

void RunBrowserDrivesSection(app::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
