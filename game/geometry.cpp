#include "geometry.h"

#include <numbers>

namespace corvale {
namespace {

struct UnitCircle {
    std::array<double, outlinePoints> cosines{};
    std::array<double, outlinePoints> sines{};
    UnitCircle() {
        constexpr double pi = std::numbers::pi;
        for (int a = 0; a < outlinePoints; ++a) {
            const double angle = a * pi * 0.0625 + pi;
            cosines[a] = std::cos(angle);
            sines[a] = std::sin(angle);
        }
    }
};

const UnitCircle& unitCircle() {
    static const UnitCircle circle;
    return circle;
}

}  // namespace

Outline ballOutline(double radius) {
    const UnitCircle& unit = unitCircle();
    Outline outline;
    for (int a = 0; a < outlinePoints; ++a)
        outline[a] = {truncate(radius * unit.cosines[a]), truncate(radius * unit.sines[a])};
    // cos and sin are not exact at the axes; the axis points must be.
    outline[0] = {-radius, 0.0};
    outline[8] = {0.0, -radius};
    outline[16] = {radius, 0.0};
    outline[24] = {0.0, radius};
    return outline;
}

namespace {

constexpr int tabledRadii = 12;

struct OutlineTable {
    std::array<Outline, tabledRadii + 1> byRadius{};
    OutlineTable() {
        for (int r = 1; r <= tabledRadii; ++r) byRadius[static_cast<std::size_t>(r)] = ballOutline(r);
    }
};

}  // namespace

const Outline& outlineOf(double radius, Outline& scratch) {
    static const OutlineTable table;
    const int whole = static_cast<int>(radius);
    if (whole >= 1 && whole <= tabledRadii && whole == radius) return table.byRadius[static_cast<std::size_t>(whole)];
    scratch = ballOutline(radius);
    return scratch;
}

std::array<BoardPoint, 4> boundingCorners(const Ball& ball) {
    const double r = ball.radius;
    const double cx = truncate(ball.x - r);
    const double cy = truncate(ball.y - r);
    return {{{cx, cy}, {cx + 2 * r, cy}, {cx, cy + 2 * r}, {cx + 2 * r, cy + 2 * r}}};
}

int leadingOutlineIndex(const Outline& outline, double vx, double vy) {
    int best = 0;
    double bestDot = outline[0].x * vx + outline[0].y * vy;
    for (int a = 1; a < outlinePoints; ++a) {
        const double dot = outline[a].x * vx + outline[a].y * vy;
        if (dot > bestDot) {
            bestDot = dot;
            best = a;
        }
    }
    return best;
}

bool reflectVelocity(Ball& ball, BoardPoint n) {
    const double nn = n.x * n.x + n.y * n.y;
    if (nn <= 1e-12) return false;
    const double factor = 2.0 * (ball.vx * n.x + ball.vy * n.y) / nn;
    ball.vx = ball.vx - n.x * factor;
    ball.vy = ball.vy - n.y * factor;
    return true;
}

}  // namespace corvale
