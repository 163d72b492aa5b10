// The shape that goes with each ball colour wherever that colour means
// something (balls, hole rims, walls, gates, filters, keyholes), so a player
// who cannot tell the colours apart can still match a ball to its hole:
// red a triangle, blue a square, green a plus, gold a diamond; gray, the
// wildcard, has none.
#pragma once

#include "raster.h"

namespace corvale::art {

// Two sizes: 7 (7 x 7, for balls, hole rims, walls, gates and filters) and
// 5 (5 x 5, for queue balls and keyholes).
enum class GlyphPart { None, Outline, Fill };

// What pixel (dx, dy) of a glyph of `size` shows, (0, 0) being the glyph's
// top-left fill cell; the outline is the one-pixel ring around the fill.
GlyphPart glyphPart(int color, int size, int dx, int dy);

// Paints the glyph of `color` with its top-left fill cell at (x, y): a light
// fill in a dark outline, which reads on every colour of the palette.
void paintGlyph(const View& v, int color, int size, int x, int y, int brightness = 100);

// The glyph's colours, shared by painters that place glyphs pixel by pixel.
Rgb glyphFill(int brightness = 100);
Rgb glyphOutline(int color, int brightness = 100);

}  // namespace corvale::art
