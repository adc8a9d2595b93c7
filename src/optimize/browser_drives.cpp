// The first half of the security page: the browser's Internet Options tabs and commands, the
// download folder, and the drive masks. Every box is applied both ways on every pass.
#include <cstdint>
#include <string>

#include "optimize/catalogue.h"
#include "optimize/keys.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

// The download folder, written only when txtPath holds text (blanks count as text); an empty box
// leaves the browser's setting alone.
void DownloadFolder(const form::MainForm& form, sysaccess::System& sys) {
    if (!form.txtPath().empty()) Write(sys, kInternetExplorer, kString, "downloadDirectory", form.txtPath().c_str());
}

void WriteDriveMask(const form::CheckList& list, const char* name, sysaccess::System& sys) {
    Write(sys, kMachineExplorerPoliciesUpper, kDword, name, DriveMaskText(list).c_str());
}

void HiddenDrives(const form::MainForm& form, sysaccess::System& sys) {
    WriteDriveMask(form.lstHide(), "NoDrives", sys);
}

void ForbiddenDrives(const form::MainForm& form, sysaccess::System& sys) {
    WriteDriveMask(form.lstNot(), "NoViewOnDrive", sys);
}

// Four tab options spell their value name with a capital when ticked and a small letter when not.
constexpr Step kSteps[] = {
    // option, key, name ticked, data ticked, name not ticked, data not ticked
    RegNames(kHideGeneralTab, kIeControlPanelPolicies, "GeneralTab", "00000001", "GeneralTab", "00000000"),
    Progress(500),
    RegNames(kHideSecurityTab, kIeControlPanelPolicies, "SecurityTab", "00000001", "securityTab", "00000000"),
    RegNames(kHidePrivacyTab, kIeControlPanelPolicies, "PrivacyTab", "00000001", "privacyTab", "00000000"),
    RegNames(kHideContentTab, kIeControlPanelPolicies, "ContentTab", "00000001", "ContentTab", "00000000"),
    RegNames(kHideConnectionsTab, kIeControlPanelPolicies, "ConnectionsTab", "00000001", "connectionsTab", "00000000"),
    RegNames(kHideProgramsTab, kIeControlPanelPolicies, "ProgramsTab", "00000001", "programsTab", "00000000"),
    RegNames(kHideAdvancedTab, kIeControlPanelPolicies, "AdvancedTab", "00000001", "AdvancedTab", "00000000"),
    RegNames(kNoIeFileOpen, kIeRestrictions, "NoFileOpen", "00000001", "NoFileOpen", "00000000"),
    RegNames(kNoIeSaveAs, kIeRestrictions, "NoBrowserSaveAs", "00000001", "NoBrowserSaveAs", "00000000"),
    Progress(3500),
    RegNames(kNoIeFavorites, kIeRestrictions, "NoFavorites", "00000001", "NoFavorites", "00000000"),
    RegNames(kNoIeOptions, kIeRestrictions, "NoBrowserOptions", "00000001", "NoBrowserOptions", "00000000"),
    RegNames(kNoIeContextMenu, kIeRestrictions, "NoBrowserContextMenu", "00000001", "NoBrowserContextMenu", "00000000"),
    RegNames(kNoDownload, kInternetZone3, "1803", "00000003", "1803", "00000000"),
    RegNames(kNoIeFileNew, kIeRestrictions, "NoFileNew", "00000001", "NoFileNew", "00000000"),
    Special(DownloadFolder),
    Progress(6800),
    Special(HiddenDrives),
    Special(ForbiddenDrives),
};

} // namespace

std::string DriveMaskText(const form::CheckList& list) {
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < list.ticked.size() && i < form::kDriveCount; ++i) {
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

void RunBrowserDrivesSection(form::MainForm& form, sysaccess::System& sys) {
    ApplyAll(kSteps, form, sys);
}

} // namespace optimize
