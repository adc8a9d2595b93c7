// The panel's painting routines. Each stops quietly at its first failure, leaving what it drew,
// and says whether it ran to its end; the caller goes on with the next routine either way.
//
// This file's .cpp is compiled so that every float operation rounds to 32 bits, on every build:
// the gradient's running values are single precision by design, and x87 excess precision moves
// some rows one step (a row exactly between two values rounds the other way).
#pragma once

#include <cstdint>
#include <optional>

#include "ui/panel/canvas.h"

namespace panel {

// One gradient fill: rows firstRow to lastRow, each a line from (left, y) over `length` pixels,
// from colour `first` on firstRow to `last` on the row span - 1 below it, one equal step per row.
struct GradientRun {
    OleColor first = 0;
    OleColor last = 0;
    int span = 0;
    int firstRow = 0;
    int lastRow = -1;
    int left = 0;
    int length = 0;
};

// False when it stopped: a span of 1 (the step divides by zero) or a colour without an RGB value.
[[nodiscard]] bool FillGradient(Canvas& canvas, const GradientRun& run);

// The one-pixel frame on the four outer edges of a width x height panel. False when the colour
// has no RGB value (nothing is drawn then).
[[nodiscard]] bool DrawBorder(Canvas& canvas, int width, int height, OleColor border);

// Components of a translated colour the way the gradient takes them apart: red keeps the sign of
// a failed translation (-1), green and blue must fit in 16 bits. Nothing when they do not.
struct Components {
    int red = 0;
    int green = 0;
    int blue = 0;
};
[[nodiscard]] std::optional<Components> ComponentsOf(std::int32_t translated);

// Nearest whole number, ties to even, of a single-precision value.
[[nodiscard]] float RoundHalfEven(float value);

} // namespace panel
