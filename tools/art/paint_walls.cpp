#include "paint_walls.h"

#include "glyphs.h"
#include "paint_tiles.h"

namespace corvale::art {

Ramp wallRamp(int color) { return rampOf(scale(ballBase(color), 86)); }

void paintBlock(const View& v, const Ramp& ramp, int bevel) {
    const int n = v.width;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            int top = y, left = x, bottom = n - 1 - y, right = n - 1 - x;
            Rgb c = ramp.base;
            // Which bevel face the pixel is on; corners split on the diagonal.
            if (bottom < bevel && bottom <= left && bottom < right)
                c = bottom == 0 ? ramp.outline : ramp.shadow;
            else if (right < bevel && right <= top)
                c = right == 0 ? ramp.outline : mix(ramp.shadow, ramp.outline, 60);
            else if (top < bevel)
                c = top == 0 ? ramp.highlight : ramp.light;
            else if (left < bevel)
                c = left == 0 ? ramp.highlight : mix(ramp.light, ramp.base, 80);
            else if (noise(x, y, 3) % 19 == 0)
                c = mix(ramp.base, ramp.shadow, 90);
            else if (noise(x, y, 5) % 23 == 0)
                c = mix(ramp.base, ramp.light, 110);
            v.set(x, y, c);
        }
    }
}

void paintSolidWall(const View& v, int color) {
    const Ramp ramp = wallRamp(color);
    paintBlock(v, ramp, 3);
    // A faint inner panel line gives large wall areas some structure.
    for (int i = 7; i <= 24; ++i) {
        v.set(i, 6, mix(ramp.base, ramp.shadow, 80));
        v.set(6, i, mix(ramp.base, ramp.shadow, 80));
        v.set(i, 25, mix(ramp.base, ramp.light, 80));
        v.set(25, i, mix(ramp.base, ramp.light, 80));
    }
    // A coloured wall recolours the balls that strike it: its glyph says to what.
    paintGlyph(v, color, 7, 12, 12);
}

namespace {

struct Point {
    int x, y;
};

// A crack: a dark line cut into the face, lit along its lower edge.
void drawCrack(const View& v, const Ramp& ramp, std::initializer_list<Point> points) {
    const Point* prev = nullptr;
    for (const Point& p : points) {
        if (prev) drawLine(v, prev->x + 1, prev->y + 1, p.x + 1, p.y + 1, ramp.light);
        prev = &p;
    }
    prev = nullptr;
    for (const Point& p : points) {
        if (prev) drawLine(v, prev->x, prev->y, p.x, p.y, ramp.outline);
        prev = &p;
    }
}

}  // namespace

void paintBreakableWall(const View& v, int color) {
    Ramp ramp = wallRamp(color);
    Ramp face = ramp;
    face.base = mix(ramp.base, ramp.shadow, 70);  // a weaker, duller stone than the solid wall
    paintBlock(v, face, 3);
    drawCrack(v, ramp, {{15, 14}, {12, 10}, {10, 6}, {6, 3}});
    drawCrack(v, ramp, {{15, 14}, {20, 12}, {23, 8}, {28, 6}});
    drawCrack(v, ramp, {{15, 14}, {13, 19}, {9, 22}, {5, 27}});
    drawCrack(v, ramp, {{15, 14}, {19, 19}, {21, 24}, {26, 28}});
    drawCrack(v, ramp, {{12, 10}, {6, 11}});
    drawCrack(v, ramp, {{19, 19}, {25, 18}});
    drawCrack(v, ramp, {{13, 19}, {14, 26}});
    // Over the cracks' hub: the colour of ball that breaks it.
    paintGlyph(v, color, 7, 12, 12);
}

namespace {

bool inCircle2(int dx2, int dy2, int r2) { return dx2 * dx2 + dy2 * dy2 <= r2 * r2; }

// The stopwatch: a round dial with a crown and two hands. Returns the
// colour at (x, y), or false where the mark leaves the face showing.
bool stopwatchPixel(int x, int y, Rgb& c) {
    const Rgb dial{236, 232, 218}, ring{40, 40, 48}, hand{30, 30, 36}, accent{214, 56, 40};
    int dx = 2 * x - 31, dy = 2 * y - 35;  // doubled offsets from the dial centre (15.5, 17.5)
    if ((x == 15 || x == 16) && (y >= 5 && y <= 7)) { c = ring; return true; }
    if (x >= 14 && x <= 17 && y == 5) { c = ring; return true; }
    if (!inCircle2(dx, dy, 21)) return false;
    if (!inCircle2(dx, dy, 17)) { c = ring; return true; }
    c = dial;
    if (dx + dy < -14 && inCircle2(dx, dy, 17) && !inCircle2(dx, dy, 13)) c = white;
    // Hands: one straight up, one to about two o'clock.
    if ((x == 15 || x == 16) && y >= 11 && y <= 17) c = hand;
    if ((x == 17 && y == 16) || (x == 18 && y == 15) || (x == 19 && y == 14) || (x == 20 && y == 14)) c = accent;
    if ((x == 15 || x == 16) && (y == 17 || y == 18)) c = hand;
    // Tick marks at the quarters.
    if ((x == 15 || x == 16) && y == 24) c = ring;
    if ((x == 8 || x == 23) && (y == 17 || y == 18)) c = ring;
    return true;
}

// The keyhole: a round head over a tapering slot, in the key colour, centred
// on column 15 so the key colour's glyph fits the head exactly.
bool keyholeInside(int x, int y) {
    int dx = 2 * x - 30, dy = 2 * y - 25;  // doubled offsets from the head centre (15.5, 13)
    if (inCircle2(dx, dy, 13)) return true;
    if (y >= 18 && y <= 27) {
        int half = 1 + (y - 18) / 4;  // the slot widens downwards, never as wide as the head
        return x >= 15 - half && x <= 15 + half;
    }
    return false;
}

bool keyholePixel(int x, int y, int keyColor, Rgb& c) {
    switch (glyphPart(keyColor, 5, x - 13, y - 11)) {
        case GlyphPart::Fill: c = glyphFill(); return true;
        case GlyphPart::Outline: c = glyphOutline(keyColor); return true;
        case GlyphPart::None: break;
    }
    const Ramp key = rampOf(ballBase(keyColor));
    if (keyholeInside(x, y)) {
        bool upper = !keyholeInside(x, y - 1) || !keyholeInside(x - 1, y);
        bool lower = !keyholeInside(x, y + 1) || !keyholeInside(x + 1, y);
        c = upper ? key.light : lower ? key.shadow : key.base;
        return true;
    }
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i)
            if (keyholeInside(x + i, y + j)) {
                c = Rgb{16, 14, 20};
                return true;
            }
    return false;
}

}  // namespace

void paintRaisedWall(const View& v, int keyColor, int frame) {
    // Frame 0 lies flush with the floor: a seam and a faded mark show where it
    // will rise. Each later frame is one pixel taller, its face closer to the
    // full steel colour, its mark clearer.
    const Ramp steel = keyColor == 0 ? rampOf({112, 124, 152}) : rampOf({118, 106, 96});
    if (frame == 0) {
        paintFloor(v);
        for (int i = 2; i <= 29; ++i) {
            v.set(i, 2, floorGrout);
            v.set(2, i, floorGrout);
            v.set(i, 29, floorLight);
            v.set(29, i, floorLight);
        }
    } else {
        Ramp r = steel;
        r.base = mix(floorBase, steel.base, 96 + 40 * frame);
        r.light = mix(floorLight, steel.light, 96 + 40 * frame);
        paintBlock(v, r, frame);
    }
    // The stopwatch fades in as the wall rises. A keyhole keeps its key colour
    // and glyph at full strength in every frame: an open keyhole wall is
    // where the player most needs to know which colour will shut it.
    const int markStrength = keyColor != 0 || frame == 4 ? 256 : frame == 0 ? 90 : 120 + 34 * frame;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            Rgb c;
            bool mark = keyColor == 0 ? stopwatchPixel(x, y, c) : keyholePixel(x, y, keyColor, c);
            if (mark) v.set(x, y, mix(v.get(x, y), c, markStrength));
        }
    }
}

}  // namespace corvale::art
