// Walls: bevelled solid blocks, cracked breakable ones, and the timed and
// keyhole walls that rise from the floor in five frames.
#pragma once

#include "palette.h"
#include "raster.h"

namespace corvale::art {

// The colour of a wall of ball colour c: the ball's own colour, a little
// deeper, so a ball still stands out against a wall of its colour.
Ramp wallRamp(int color);

// A block with a bevel of the given width (0 paints only the face).
void paintBlock(const View& v, const Ramp& ramp, int bevel);

void paintSolidWall(const View& v, int color);
void paintBreakableWall(const View& v, int color);
// keyColor 0: a timed wall with a stopwatch; 1..4: a keyhole wall.
void paintRaisedWall(const View& v, int keyColor, int frame);

}  // namespace corvale::art
