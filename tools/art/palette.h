// The colours every painter shares, so a ball, the hole it belongs in and the
// wall that recolours it all read as the same colour.
#pragma once

#include "raster.h"

namespace corvale::art {

// Gray, orange-red, blue, green, gold. Their brightness climbs in a different
// order than their hue (blue, red, green, gray, gold), so the colours stay
// apart for players who cannot tell red from green.
Rgb ballBase(int color);

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
