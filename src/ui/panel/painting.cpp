#include "ui/panel/painting.h"

#include <algorithm>
#include <cmath>

namespace panel {
namespace {

// Every float result passes through memory: on x87 builds this drops the excess precision that
// would otherwise survive from one row to the next (the build adds -ffloat-store there too).
float Single(float value) {
    volatile float stored = value;
    return stored;
}

// A 16-bit integer conversion in the way the components are taken apart: nothing when the value
// does not fit.
std::optional<int> ToInt16(double value) {
    if (!(value >= -32768.5 && value < 32767.5)) return std::nullopt;
    return static_cast<int>(std::nearbyint(value)); // default rounding: nearest, ties to even
}

// The translated value, or -1 for a colour without an RGB value.
std::int32_t Translated(const Canvas& canvas, OleColor color) {
    const std::optional<Rgb> rgb = canvas.TranslateColor(color);
    return rgb ? static_cast<std::int32_t>(*rgb) : -1;
}

// A component of the row colour; the row one step beyond the last colour may leave 0 to 255.
int ComponentOfRow(float running) {
    const float rounded = RoundHalfEven(running);
    return static_cast<int>(std::clamp(rounded, 0.0f, 255.0f));
}

} // namespace

float RoundHalfEven(float value) {
    const float whole = Single(std::floor(value));
    const float fraction = Single(value - whole);
    if (fraction > 0.5f) return whole + 1.0f;
    if (fraction < 0.5f) return whole;
    return std::fmod(whole, 2.0f) == 0.0f ? whole : whole + 1.0f;
}

std::optional<Components> ComponentsOf(std::int32_t translated) {
    Components c;
    c.red = translated % 256; // the remainder keeps the sign: -1 stays -1
    const std::optional<int> green = ToInt16(
        static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(translated) & 0xFF00FF00u)) / 256.0);
    const std::optional<int> blue = ToInt16(static_cast<double>(translated & 0xFF0000) / 65536.0);
    if (!green || !blue) return std::nullopt;
    c.green = *green;
    c.blue = *blue;
    return c;
}

bool FillGradient(Canvas& canvas, const GradientRun& run) {
    const std::int32_t t1 = Translated(canvas, run.first);
    const std::int32_t t2 = Translated(canvas, run.last);
    const std::optional<Components> c1 = ComponentsOf(t1);
    if (!c1) return false;
    const std::optional<Components> c2 = ComponentsOf(t2);
    if (!c2) return false;
    if (run.span == 1) return false; // the step would divide by zero

    const float divisor = static_cast<float>(run.span - 1);
    const float stepRed = Single(static_cast<float>(c1->red - c2->red) / divisor);
    const float stepGreen = Single(static_cast<float>(c1->green - c2->green) / divisor);
    const float stepBlue = Single(static_cast<float>(c1->blue - c2->blue) / divisor);

    float red = static_cast<float>(c1->red);
    float green = static_cast<float>(c1->green);
    float blue = static_cast<float>(c1->blue);
    for (int y = run.firstRow; y <= run.lastRow; ++y) {
        const Rgb color = MakeRgb(ComponentOfRow(red), ComponentOfRow(green), ComponentOfRow(blue));
        canvas.Line(run.left, y, run.left + run.length, y, color);
        red = Single(red - stepRed);
        green = Single(green - stepGreen);
        blue = Single(blue - stepBlue);
    }
    return true;
}

bool DrawBorder(Canvas& canvas, int width, int height, OleColor border) {
    const std::optional<Rgb> color = canvas.TranslateColor(border);
    if (!color) return false;
    canvas.Rectangle(0, 0, width - 1, height - 1, *color);
    canvas.Line(0, height - 1, width, height - 1, *color);
    canvas.Line(width - 1, 0, width - 1, height - 1, *color);
    return true;
}

} // namespace panel
