// Tiles that steer by direction or colour: one-way gates, colour filter bars
// and ramps. Direction 0 up, 1 down, 2 left, 3 right.
#pragma once

#include "raster.h"

namespace corvale::art {

void paintOneWayWall(const View& v, int color, int direction);
// orientation 0: a horizontal bar, 1: a vertical bar.
void paintFilter(const View& v, int color, int orientation);
void paintRamp(const View& v, int direction);

}  // namespace corvale::art
