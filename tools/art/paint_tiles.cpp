#include "paint_tiles.h"

#include <cmath>

#include "glyphs.h"
#include "palette.h"

namespace corvale::art {

Rgb floorPixel(int x, int y) {
    // Each cell is a stone slab: a lit top and left edge, a grout line at the
    // bottom and right that separates it from the next slab.
    if (x == 31 || y == 31) return floorGrout;
    if (y == 0 || x == 0) return floorLight;
    if (x == 30 || y == 30) return mix(floorBase, floorDark, 150);
    std::uint32_t n = noise(x, y, 7) % 29;
    if (n == 0) return floorDark;
    if (n == 1) return mix(floorBase, floorLight, 170);
    if (n < 4) return mix(floorBase, floorDark, 60);
    return floorBase;
}

void paintFloor(const View& v) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) v.set(x, y, floorPixel(x, y));
}

void paintLauncher(const View& v) {
    // A steel plate with a round port from which the balls roll out.
    const Ramp steel = rampOf({116, 124, 140});
    const Ramp port = rampOf({226, 196, 96});
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            Rgb c = steel.base;
            if (x == 31 || y == 31) c = steel.outline;
            else if (x == 0 || y == 0) c = steel.highlight;
            else if (x == 30 || y == 30) c = steel.shadow;
            else if (x == 1 || y == 1) c = steel.light;
            int dx = 2 * x - 31, dy = 2 * y - 31;  // doubled offsets from the centre
            int d2 = dx * dx + dy * dy;
            if (d2 <= 22 * 22) {
                // Outer ring, lit from the upper left.
                bool lit = dx + dy < 0;
                c = lit ? port.light : port.shadow;
                if (d2 > 20 * 20) c = port.outline;
                else if (d2 <= 16 * 16) {
                    // The port itself: dark, its upper rim in shadow.
                    c = dx + dy < -8 ? Rgb{14, 14, 20} : Rgb{34, 36, 46};
                    if (d2 <= 6 * 6) c = Rgb{60, 64, 80};
                    if (d2 <= 6 * 6 && dx + dy < 0) c = Rgb{92, 98, 118};
                } else if (d2 <= 18 * 18)
                    c = port.base;
            } else if ((x == 4 || x == 27) && (y == 4 || y == 27))
                c = steel.outline;  // bolts
            else if ((x == 3 || x == 26) && (y == 3 || y == 26))
                c = steel.highlight;
            v.set(x, y, c);
        }
    }
}

namespace {

// The rim carries the colour's glyph four times, on the diagonals, so every
// quarter sprite holds one whole glyph and a hole reads the same from any
// side a ball comes from. The glyphs lean a little into the pit so that
// their outlines stay off the floor around the hole.
bool rimGlyphPixel(int x, int y, int color, Rgb& c) {
    for (int top : {11, 46})
        for (int left : {11, 46}) switch (glyphPart(color, 7, x - left, y - top)) {
                case GlyphPart::Fill: c = glyphFill(); return true;
                case GlyphPart::Outline: c = glyphOutline(color); return true;
                case GlyphPart::None: break;
            }
    return false;
}

}  // namespace

Rgb holePixel(int x, int y, int color) {
    if (Rgb glyph; rimGlyphPixel(x, y, color, glyph)) return glyph;
    const Ramp rim = rampOf(ballBase(color));
    double dx = x + 0.5 - 32.0, dy = y + 0.5 - 32.0;
    double d = std::sqrt(dx * dx + dy * dy);
    if (d > 29.5) {
        Rgb c = floorPixel(x % 32, y % 32);
        // The rim's shadow on the floor, towards the lower right.
        if (d <= 31.0 && dx + dy > 4.0) c = mix(c, floorGrout, 150);
        return c;
    }
    if (d > 28.5) return rim.outline;
    if (d > 23.5) {
        // The rim as a rounded ring: its normal turns from inwards to outwards.
        double t = (d - 26.0) / 2.5;
        double nz = std::sqrt(t * t < 1.0 ? 1.0 - t * t : 0.0);
        double nx = t * dx / d, ny = t * dy / d;
        double diffuse = (-0.48 * nx - 0.62 * ny + 0.62 * nz) / 0.9206;
        if (diffuse > 0.86) return rim.highlight;
        if (diffuse > 0.62) return rim.light;
        if (diffuse > 0.30) return rim.base;
        return rim.shadow;
    }
    if (d > 22.5) return mix(rim.outline, black, 128);
    // The pit: the rim shades its upper left; light falls on the far wall.
    double lit = (dx + dy) / (22.5 * 1.4142);
    int glow = static_cast<int>(lit * 28.0);
    if (glow < 0) glow = 0;
    Rgb deep{10, 9, 14};
    Rgb wall = mix(mix(deep, rim.shadow, 70), rim.base, 24);
    Rgb c = mix(deep, wall, glow * 256 / 34);
    if (d < 14.0) c = mix(c, deep, 128);
    return c;
}

void paintHoleQuarter(const View& v, int color, int quarter) {
    int ox = 32 * (quarter % 2), oy = 32 * (quarter / 2);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) v.set(x, y, holePixel(ox + x, oy + y, color));
}

}  // namespace corvale::art
