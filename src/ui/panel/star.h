// The header star: a 16 x 16 gold five-pointed star on a transparent background, as data, so that
// every canvas (GDI and the pixel buffer) draws exactly the same pixels.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ui/panel/canvas.h"

namespace panel {

inline constexpr int kStarSize = 16;

// '.' transparent, 'D' dark gold outline, 'G' gold, 'L' light gold (the lit upper-left half).
inline constexpr std::array<std::string_view, kStarSize> kStarRows{{
    "................",
    ".......DD.......",
    ".......DD.......",
    "......DLLD......",
    "......DLLD......",
    ".....DLLLGD.....",
    "DDDDDLLLLGGDDDDD",
    "DLLLLLLLGGGGGGGD",
    ".DLLLLLLGGGGGGD.",
    "..DDLLLGGGGGDD..",
    "...DLLGGGGGGD...",
    "...DLGGGGGGGD...",
    "..DLGGGDDGGGGD..",
    "..DGGDD..DDGGD..",
    ".DGDD......DDGD.",
    ".DD..........DD.",
}};

// The colour of one star pixel, or nothing where the star is transparent.
constexpr std::optional<Rgb> StarPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= kStarSize || y >= kStarSize) return std::nullopt;
    switch (kStarRows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
    case 'D':
        return MakeRgb(0xA0, 0x68, 0x00);
    case 'G':
        return MakeRgb(0xF0, 0xB0, 0x00);
    case 'L':
        return MakeRgb(0xFF, 0xD8, 0x4A);
    default:
        return std::nullopt;
    }
}

} // namespace panel
