// The program icon: an orange-red ball resting on a black ink stroke, drawn
// with smooth edges at any size.
#pragma once

#include <vector>

#include "raster.h"

namespace corvale::art {

inline constexpr int iconSizes[] = {16, 24, 32, 48, 256};

// Straight (not pre-multiplied) alpha.
RgbaImage paintIcon(int size);

}  // namespace corvale::art
