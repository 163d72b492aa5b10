#include "paint_gates.h"

#include "paint_tiles.h"
#include "paint_walls.h"
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

bool arrowUp(int u, int v) {
    int du = 2 * u - 31;  // doubled offset from the centre column
    if (du < 0) du = -du;
    if (v >= 4 && v <= 15) return du <= 2 * (v - 4) + 1;
    if (v >= 16 && v <= 27) return du <= 7;
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
    // A dark gate plate; the arrow in the colour that may pass shows the way.
    paintBlock(v, rampOf({64, 68, 82}), 2);
    const Ramp arrow = rampOf(ballBase(color));
    // Grooves across the plate, perpendicular to the arrow, read as a gate.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int u, w;
            toUp(x, y, direction, u, w);
            if (x >= 3 && y >= 3 && x <= 28 && y <= 28 && (w % 6 == 1)) v.set(x, y, Rgb{50, 54, 66});
        }
    paintShape(v, arrowUp, direction, arrow, Rgb{18, 18, 24});
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
