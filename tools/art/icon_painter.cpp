#include "icon_painter.h"

#include <cmath>

#include "palette.h"

namespace corvale::art {

namespace {

struct Vec {
    double x, y;
};

double segmentDistance(Vec p, Vec a, Vec b) {
    double vx = b.x - a.x, vy = b.y - a.y;
    double t = ((p.x - a.x) * vx + (p.y - a.y) * vy) / (vx * vx + vy * vy);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    double dx = p.x - (a.x + t * vx), dy = p.y - (a.y + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

// The stroke: a quadratic curve sweeping under the ball, as a player would
// draw it to catch the ball, cut into short segments.
constexpr int strokeSegments = 24;
Vec strokePoint(int i) {
    double t = static_cast<double>(i) / strokeSegments;
    const Vec p0{0.10, 0.58}, p1{0.30, 1.00}, p2{0.88, 0.79};
    double a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, c = t * t;
    return {a * p0.x + b * p1.x + c * p2.x, a * p0.y + b * p1.y + c * p2.y};
}

double strokeDistance(Vec p) {
    double best = 1e9;
    for (int i = 0; i < strokeSegments; ++i) {
        double d = segmentDistance(p, strokePoint(i), strokePoint(i + 1));
        if (d < best) best = d;
    }
    return best;
}

struct Sample {
    bool covered = false;
    double r = 0, g = 0, b = 0;
};

Sample sampleAt(Vec p, double pixel) {
    const Vec centre{0.58, 0.43};
    const double radius = 0.35;
    // Small icons get relatively thicker lines so they survive at 16 px.
    const double outline = pixel > 1.0 / 32 ? pixel : pixel * 2.2;
    const double strokeHalf = std::fmax(0.075, pixel * 1.25);
    const double halo = std::fmax(pixel * 0.9, 0.018);

    double dx = (p.x - centre.x) / radius, dy = (p.y - centre.y) / radius;
    double r2 = dx * dx + dy * dy;
    if (r2 <= 1.0) {
        const Rgb base = ballBase(1);
        double nz = std::sqrt(1.0 - r2);
        const double lx = -0.48, ly = -0.62, lz = 0.62, ln = 0.9206;
        double diffuse = (dx * lx + dy * ly + nz * lz) / ln;
        double hx = lx / ln, hy = ly / ln, hz = lz / ln + 1.0;
        double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
        double g = (dx * hx + dy * hy + nz * hz) / hn;
        double g2 = g * g, g4 = g2 * g2, g8 = g4 * g4, g16 = g8 * g8, spec = g16 * g16 * g8;
        double light = 0.30 + 0.85 * (diffuse > 0 ? diffuse : 0);
        Sample s{true, base.r * light, base.g * light, base.b * light};
        s.r += (255 - s.r) * spec;
        s.g += (250 - s.g) * spec;
        s.b += (232 - s.b) * spec;
        double edge = (1.0 - std::sqrt(r2)) * radius;
        if (edge < outline) s = {true, 70, 18, 20};
        s.r = s.r > 255 ? 255 : s.r;
        s.g = s.g > 255 ? 255 : s.g;
        s.b = s.b > 255 ? 255 : s.b;
        return s;
    }
    double d = strokeDistance(p);
    if (d <= strokeHalf) return {true, 16, 16, 22};
    // A pale rim keeps the ink visible on a dark taskbar.
    if (d <= strokeHalf + halo) return {true, 226, 228, 236};
    return {};
}

}  // namespace

RgbaImage paintIcon(int size) {
    RgbaImage image(size, size);
    const int samples = size >= 128 ? 4 : 8;
    const double pixel = 1.0 / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int j = 0; j < samples; ++j) {
                for (int i = 0; i < samples; ++i) {
                    Vec p{(x + (i + 0.5) / samples) * pixel, (y + (j + 0.5) / samples) * pixel};
                    Sample s = sampleAt(p, pixel);
                    if (!s.covered) continue;
                    ++covered;
                    r += s.r;
                    g += s.g;
                    b += s.b;
                }
            }
            if (covered == 0) continue;
            auto channel = [&](double sum) { return static_cast<std::uint8_t>(sum / covered + 0.5); };
            image.at(x, y) = {channel(r), channel(g), channel(b),
                              static_cast<std::uint8_t>((covered * 255 + samples * samples / 2) / (samples * samples))};
        }
    }
    return image;
}

}  // namespace corvale::art
