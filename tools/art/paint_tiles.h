// The board's ground: floor, launcher and the round holes.
#pragma once

#include "raster.h"

namespace corvale::art {

// The floor's colour at pixel (x, y) of a cell; other ground-level tiles
// (holes, filters, lowered walls) show the same floor around their artwork.
Rgb floorPixel(int x, int y);

void paintFloor(const View& v);
void paintLauncher(const View& v);

// Pixel (x, y) of the 64 x 64 hole of one colour; each quarter sprite shows
// one 32 x 32 corner of it.
Rgb holePixel(int x, int y, int color);
void paintHoleQuarter(const View& v, int color, int quarter);

}  // namespace corvale::art
