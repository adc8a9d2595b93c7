// The twelve colour themes of the panel. Theme 0 is also the set of defaults.
#pragma once

#include <array>
#include <cstdint>

#include "ui/panel/canvas.h"

namespace panel {

struct ThemeColors {
    OleColor headerLight;
    OleColor headerDark;
    OleColor backLight;
    OleColor backDark;
    OleColor border;
    OleColor text;
};

inline constexpr int kThemeCount = 12;

// Colour values are 0x00BBGGRR; the comment on each row gives them as #RRGGBB in the same order.
inline constexpr std::array<ThemeColors, kThemeCount> kThemes{{
    {0xF7E0D3, 0xEDC5A7, 0xFCF4EF, 0xFAE8DC, 0xDCC1AD, 0x7B2D02}, // 0  D3E0F7 A7C5ED EFF4FC DCE8FA ADC1DC 022D7B
    {0xECDCD3, 0xDABAA8, 0xF8F2EF, 0xF1E5DD, 0xD6B4A0, 0x4B2A17}, // 1  D3DCEC A8BADA EFF2F8 DDE5F1 A0B4D6 172A4B
    {0xD8E5C8, 0xB1CB92, 0xF1F5EB, 0xE1EBD5, 0xAAC688, 0x213B00}, // 2  C8E5D8 92CBB1 EBF5F1 D5EBE1 88C6AA 003B21
    {0xE0EAE8, 0xC2D6D1, 0xF4F8F7, 0xE7EFED, 0xBCD3CD, 0x324741}, // 3  E8EAE0 D1D6C2 F7F8F4 EDEFE7 CDD3BC 414732
    {0xF1E3C8, 0xE4C992, 0xFAF5EB, 0xF5EAD5, 0xE2C488, 0x553900}, // 4  C8E3F1 92C9E4 EBF5FA D5EAF5 88C4E2 003955
    {0xDAF2E3, 0xB5E5C8, 0xF1FAF5, 0xE3F5EA, 0xAEE3C3, 0x245738}, // 5  E3F2DA C8E5B5 F5FAF1 EAF5E3 C3E3AE 385724
    {0xD2E2FD, 0xA7C6FA, 0xEFF5FE, 0xDDE9FD, 0x9FC0FA, 0x16366D}, // 6  FDE2D2 FAC6A7 FEF5EF FDE9DD FAC09F 6D3616
    {0xE3E3D6, 0xC9C9AE, 0xF5F5F0, 0xEAEAE0, 0xC4C4A6, 0x39391D}, // 7  D6E3E3 AEC9C9 F0F5F5 E0EAEA A6C4C4 1D3939
    {0xEAD7DF, 0xD5B0BF, 0xF7F1F3, 0xEFE1E6, 0xD1A9B9, 0x46202F}, // 8  DFD7EA BFB0D5 F3F1F7 E6E1EF B9A9D1 2F2046
    {0xD6D2FB, 0xAEA6F8, 0xF0EFFE, 0xE0DDFC, 0xA79EF7, 0x1D156A}, // 9  FBD2D6 F8A6AE FEEFF0 FCDDE0 F79EA7 6A151D
    {0xECEAE9, 0xD9D6D3, 0xF8F7F7, 0xF1EFEE, 0xD6D2CF, 0x4A4744}, // 10 E9EAEC D3D6D9 F7F7F8 EEEFF1 CFD2D6 44474A
    {0xE4FAFC, 0xB9EEF4, 0xEEFCFD, 0xDCF7FA, 0x95E1EA, 0x66D5E1}, // 11 FCFAE4 F4EEB9 FDFCEE FAF7DC EAE195 E1D566
}};

// The row of a theme number, or nullptr for a number outside 0 to 11.
constexpr const ThemeColors* FindTheme(std::int32_t theme) {
    return theme >= 0 && theme < kThemeCount ? &kThemes[static_cast<std::size_t>(theme)] : nullptr;
}

} // namespace panel
