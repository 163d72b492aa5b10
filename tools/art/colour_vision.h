// How colours look to players with a colour-vision deficiency, and how far
// apart two colours look: what the palette is checked against and what the
// simulated pictures in docs/images are made with. Not used to paint.
#pragma once

#include "raster.h"

namespace corvale::art {

// Linear-light RGB, each channel 0..1.
struct LinearRgb {
    double r = 0, g = 0, b = 0;
};

struct Lab {
    double l = 0, a = 0, b = 0;
};

// Normal vision, the three full dichromacies, and luminance only.
enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia, Grayscale };
inline constexpr Vision allVisions[] = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia, Vision::Tritanopia,
                                        Vision::Grayscale};
const char* visionName(Vision v);

LinearRgb toLinear(Rgb c);
Rgb toSrgb(LinearRgb c);

// Machado, Oliveira and Fernandes (2009) at severity 1.0, applied in linear
// light and clipped to the display's gamut; Grayscale keeps the Rec. 709
// luminance.
LinearRgb simulate(LinearRgb c, Vision v);
Rgb simulate(Rgb c, Vision v);

// CIELAB under D65.
Lab toLab(LinearRgb c);

// The CIEDE2000 colour difference (Sharma, Wu and Dalal's formulation).
double deltaE2000(const Lab& x, const Lab& y);

}  // namespace corvale::art
