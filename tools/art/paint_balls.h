// Shaded round balls: the 24 px board balls (on magenta, which the renderer
// turns transparent) and the 18 px queue balls (on the black trough).
#pragma once

#include "raster.h"

namespace corvale::art {

// True when pixel (x, y) of a size x size ball sprite belongs to the ball:
// its centre lies within the ball's radius.
bool insideBall(int x, int y, int size);

// brightness in percent: 100 for a normal ball, less for one sinking into a
// hole. Coloured balls carry their colour's glyph.
void paintBall(const View& v, int color, int brightness, Rgb background);

}  // namespace corvale::art
