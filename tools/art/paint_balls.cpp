#include "paint_balls.h"

#include <cmath>

#include "glyphs.h"
#include "palette.h"

namespace corvale::art {

bool insideBall(int x, int y, int size) {
    // Doubled coordinates keep the test exact: (2x + 1 - size) is twice the
    // pixel centre's offset from the ball centre.
    int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
    return dx * dx + dy * dy <= size * size;
}

void paintBall(const View& v, int color, int brightness, Rgb background) {
    const int size = v.width;
    const double radius = size / 2.0;
    // A ball sinking into a hole is the same ball in the hole's shade.
    Ramp ramp = rampOf(ballBase(color));
    for (Rgb* c : {&ramp.outline, &ramp.shadow, &ramp.base, &ramp.light, &ramp.highlight}) *c = scale(*c, brightness);

    // Light from the upper left, in front of the board.
    const double lx = -0.48, ly = -0.62, lz = 0.62;
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    // Half vector between the light and the viewer, for the glint.
    const double hx = lx / ln, hy = ly / ln, hz = lz / ln + 1.0;
    const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!insideBall(x, y, size)) {
                v.set(x, y, background);
                continue;
            }
            double nx = (x + 0.5 - radius) / radius, ny = (y + 0.5 - radius) / radius;
            double r2 = nx * nx + ny * ny;
            double nz = std::sqrt(r2 < 1.0 ? 1.0 - r2 : 0.0);
            double diffuse = (nx * lx + ny * ly + nz * lz) / ln;
            double glint = (nx * hx + ny * hy + nz * hz) / hn;
            double g2 = glint * glint, g4 = g2 * g2, g8 = g4 * g4, g16 = g8 * g8;
            double specular = g16 * g16;

            // The outermost ring of pixels is the outline.
            bool edge = !insideBall(x - 1, y, size) || !insideBall(x + 1, y, size) || !insideBall(x, y - 1, size) ||
                        !insideBall(x, y + 1, size);
            Rgb c;
            if (edge)
                c = diffuse > 0.55 ? ramp.shadow : ramp.outline;
            else if (specular > 0.62)
                c = ramp.highlight;
            else if (diffuse > 0.80)
                c = ramp.light;
            else if (diffuse > 0.38)
                c = ramp.base;
            else if (diffuse > -0.05)
                c = ramp.shadow;
            else
                c = mix(ramp.shadow, ramp.outline, 110);
            // Bounce light from the floor brightens the lower right rim a little.
            if (!edge && nx + ny > 1.05 && r2 > 0.55) c = mix(c, ramp.base, 90);
            v.set(x, y, c);
        }
    }
    // The glyph sits half a pixel above and left of centre (the sprites are
    // even, the glyphs odd), towards the light; the board ball takes the
    // larger one.
    const int glyph = size >= 24 ? 7 : 5;
    const int at = (size - glyph) / 2;
    paintGlyph(v, color, glyph, at, at, brightness);
}

}  // namespace corvale::art
