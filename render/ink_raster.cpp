#include "ink_raster.h"

#include <algorithm>

namespace corvale {
namespace {

constexpr std::uint32_t black = 0;

void fillCapsule(const PixelTarget& target, POINT a, POINT b, int radius) {
    // A pixel is painted when its centre lies within `radius` of the
    // segment. The segment runs through the pixel corners its integer points
    // name, as a wide GDI pen's does, so a line is 2 x radius pixels across
    // (from c - radius to c + radius - 1) like the dot drawn for a one-point
    // stroke, not one pixel wider.
    const int left = std::max<int>(std::min(a.x, b.x) - radius, target.clip.left);
    const int right = std::min<int>(std::max(a.x, b.x) + radius, target.clip.right);
    const int top = std::max<int>(std::min(a.y, b.y) - radius, target.clip.top);
    const int bottom = std::min<int>(std::max(a.y, b.y) + radius, target.clip.bottom);
    const double dx = static_cast<double>(b.x - a.x);
    const double dy = static_cast<double>(b.y - a.y);
    const double length2 = dx * dx + dy * dy;
    const double reach2 = static_cast<double>(radius) * radius;
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride;
        const double ry = static_cast<double>(y - a.y) + 0.5;
        for (int x = left; x < right; ++x) {
            const double rx = static_cast<double>(x - a.x) + 0.5;
            // Distance to the nearest point of the segment, squared.
            double t = length2 == 0.0 ? 0.0 : (rx * dx + ry * dy) / length2;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = rx - t * dx;
            const double ey = ry - t * dy;
            if (ex * ex + ey * ey <= reach2) row[x] = black;
        }
    }
}

}  // namespace

void fillPolyline(const PixelTarget& target, std::span<const POINT> points, int radius) {
    if (points.empty() || target.pixels == nullptr) return;
    if (points.size() == 1) fillCapsule(target, points[0], points[0], radius);
    for (std::size_t i = 1; i < points.size(); ++i) fillCapsule(target, points[i - 1], points[i], radius);
}

}  // namespace corvale
