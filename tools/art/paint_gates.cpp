#include "paint_gates.h"

#include "glyphs.h"
#include "paint_tiles.h"
#include "palette.h"

namespace corvale::art {

namespace {

// Shapes are drawn pointing up, in (u, v) with v growing downwards, and turned
// to the wanted direction by exact quarter turns and mirrors.
void toUp(int x, int y, int direction, int& u, int& v) {
    switch (direction) {
        case 1: u = x; v = 31 - y; break;
        case 2: u = y; v = x; break;
        case 3: u = y; v = 31 - x; break;
        default: u = x; v = y; break;
    }
}

using UpShape = bool (*)(int u, int v);

bool shapeAt(UpShape shape, int direction, int x, int y) {
    if (x < 0 || y < 0 || x > 31 || y > 31) return false;
    int u, v;
    toUp(x, y, direction, u, v);
    return shape(u, v);
}

// Paints a shape in a colour ramp with a dark outline around it; the lit and
// shaded edges follow the board's light, whatever way the shape points.
void paintShape(const View& view, UpShape shape, int direction, const Ramp& ramp, Rgb outline) {
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (shapeAt(shape, direction, x, y)) {
                bool lit = !shapeAt(shape, direction, x, y - 1) || !shapeAt(shape, direction, x - 1, y);
                bool shaded = !shapeAt(shape, direction, x, y + 1) || !shapeAt(shape, direction, x + 1, y);
                view.set(x, y, lit ? ramp.light : shaded ? ramp.shadow : ramp.base);
            } else if (shapeAt(shape, direction, x + 1, y) || shapeAt(shape, direction, x - 1, y) ||
                       shapeAt(shape, direction, x, y + 1) || shapeAt(shape, direction, x, y - 1)) {
                view.set(x, y, outline);
            }
        }
    }
}

// The rail: the 12-pixel strip at the arrowhead edge that actually stops a
// ball (rows 0..11 pointing up); its outline takes the first and last row.
bool railUp(int u, int v) { return u >= 0 && u <= 31 && v >= 1 && v <= 10; }

// The arrow on the open floor below the rail, pointing at it.
bool arrowUp(int u, int v) {
    int du = 2 * u - 31;  // doubled offset from the centre column
    if (du < 0) du = -du;
    if (v >= 14 && v <= 21) return du <= 2 * (v - 14) + 1;
    if (v >= 22 && v <= 29) return du <= 5;
    return false;
}

// Two chevrons, each a band four rows thick bent into a V.
bool chevronsUp(int u, int v) {
    int du = 2 * u - 31;
    if (du < 0) du = -du;
    if (du > 23) return false;
    int k = 2 * v - du;  // constant along a chevron arm
    return (k >= 8 && k < 16) || (k >= 26 && k < 34);
}

}  // namespace

void paintOneWayWall(const View& v, int color, int direction) {
    // Balls roll over most of the cell: it is floor, with an arrow painted on
    // it and a rail across the edge the arrow points at, where a ball coming
    // the other way (or, on a coloured gate, a ball of another colour) stops.
    paintFloor(v);
    const Ramp ramp = color == 0 ? rampOf({120, 126, 142}) : rampOf(ballBase(color));
    const Rgb outline{18, 18, 24};
    paintShape(v, arrowUp, direction, ramp, outline);
    paintShape(v, railUp, direction, ramp, outline);
    // Slots across the rail read as a gate's bars.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int u, w;
            toUp(x, y, direction, u, w);
            if (w >= 3 && w <= 8 && u % 8 == 3) v.set(x, y, ramp.shadow);
        }
    // The glyph stays upright on the rail's middle, whichever way the gate points.
    const int glyphAt[4][2] = {{12, 2}, {12, 23}, {2, 12}, {23, 12}};
    paintGlyph(v, color, 7, glyphAt[direction][0], glyphAt[direction][1]);
}

void paintFilter(const View& v, int color, int orientation) {
    paintFloor(v);
    const Ramp bar = rampOf(ballBase(color));
    for (int a = 0; a < 32; ++a) {      // along the bar
        for (int b = 9; b <= 22; ++b) {  // across it
            int x = orientation == 0 ? a : b, y = orientation == 0 ? b : a;
            Rgb c;
            if (b == 9) c = bar.outline;
            else if (b == 22) c = mix(v.get(x, y), floorGrout, 200);  // its shadow on the floor
            else if (b == 21) c = bar.outline;
            else if (b == 10) c = bar.highlight;
            else if (b == 20) c = bar.shadow;
            else if ((a + b) % 6 < 2) c = bar.light;  // diagonal sheen: a bar of coloured glass
            else c = bar.base;
            v.set(x, y, c);
        }
    }
    paintGlyph(v, color, 7, 12, 12);
}

void paintRamp(const View& v, int direction) {
    // A slab tilted the way it pushes: lighter at the raised end it comes
    // from, with bright chevrons pointing downhill.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            int u, w;
            toUp(x, y, direction, u, w);
            Rgb c = mix(Rgb{166, 176, 184}, Rgb{120, 130, 142}, (31 - w) * 8);
            if (x == 31 || y == 31) c = floorGrout;
            else if (x == 0 || y == 0) c = Rgb{196, 204, 210};
            v.set(x, y, c);
        }
    }
    paintShape(v, chevronsUp, direction, rampOf({250, 244, 220}), Rgb{54, 60, 72});
}

}  // namespace corvale::art
