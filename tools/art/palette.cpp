#include "palette.h"

namespace corvale::art {

Rgb ballBase(int color) {
    switch (color) {
        case 1: return {202, 52, 9};     // orange-red, CIELAB lightness 46
        case 2: return {0, 37, 218};     // blue, 30
        case 3: return {22, 171, 122};   // teal green, 62
        case 4: return {255, 227, 61};   // gold, 90
        default: return {178, 185, 199};  // cool gray, 75
    }
}

Ramp rampOf(Rgb base) {
    // Shadows lean towards violet and lights towards warm white, which keeps
    // the shading from looking muddy.
    const Rgb violet{40, 24, 72};
    const Rgb warmWhite{255, 250, 232};
    return {mix(scale(base, 34), violet, 70), mix(scale(base, 66), violet, 40), base, mix(base, warmWhite, 100),
            mix(base, warmWhite, 210)};
}

Rgb headerRow(int row) {
    const Rgb slate{70, 78, 96};
    if (row <= 0) return {30, 34, 44};
    if (row == 1) return {128, 138, 158};
    if (row == 2) return {100, 110, 130};
    if (row >= 41) return {22, 24, 32};
    if (row == 40) return {44, 48, 60};
    // A gentle top-to-bottom darkening across the strip.
    return mix(slate, scale(slate, 80), (row - 3) * 256 / 37);
}

}  // namespace corvale::art
