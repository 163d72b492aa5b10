// The colours every painter shares, so a ball, the hole it belongs in and the
// wall that recolours it all read as the same colour.
#pragma once

#include "raster.h"

namespace corvale::art {

// Gray, red, blue, green, gold. Chosen so that every pair stays apart for
// players with any of the three dichromacies and in grayscale: brightness
// climbs blue, red, green, gray, gold, red leans to orange and green to teal
// so the two differ in lightness and in blue-yellow balance, not only in the
// red-green balance a deuteranope or protanope lacks. tests/art checks the
// painted atlas against simulations of those views; the glyphs carry the
// colour for whoever still cannot tell two of them apart.
Rgb ballBase(int color);

// Brightness in percent of a ball rolling over a hole's pull: a little
// darker, as if in the hole's shade, but the same hue.
inline constexpr int nearHoleBrightness = 86;

// A five-step ramp of one colour: outline, shadow, base, light, highlight.
struct Ramp {
    Rgb outline, shadow, base, light, highlight;
};
Ramp rampOf(Rgb base);

// The board floor and the slate of the header strip.
inline constexpr Rgb floorBase{178, 170, 156};
inline constexpr Rgb floorLight{196, 189, 176};
inline constexpr Rgb floorDark{146, 138, 126};
inline constexpr Rgb floorGrout{124, 116, 106};

inline constexpr Rgb panelLight{222, 214, 194};  // the block panel and the small digits' ground
inline constexpr Rgb inkDark{44, 38, 34};        // the small digits

// Header slate by row 0..41 of the strip; the boxes' corners copy it.
Rgb headerRow(int row);

}  // namespace corvale::art
