#include "ink_raster.h"

#include <algorithm>

namespace corvale {
namespace {

constexpr std::uint32_t black = 0;

void fillCapsule(const PixelTarget& target, POINT a, POINT b, int radius) {
    const int left = std::max<int>(std::min(a.x, b.x) - radius, target.clip.left);
    const int right = std::min<int>(std::max(a.x, b.x) + radius + 1, target.clip.right);
    const int top = std::max<int>(std::min(a.y, b.y) - radius, target.clip.top);
    const int bottom = std::min<int>(std::max(a.y, b.y) + radius + 1, target.clip.bottom);
    const long long dx = b.x - a.x;
    const long long dy = b.y - a.y;
    const long long length2 = dx * dx + dy * dy;
    const double reach2 = static_cast<double>(radius) * radius;
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride;
        const long long ry = y - a.y;
        for (int x = left; x < right; ++x) {
            const long long rx = x - a.x;
            // Distance to the nearest point of the segment, squared.
            double t = length2 == 0 ? 0.0 : static_cast<double>(rx * dx + ry * dy) / static_cast<double>(length2);
            t = std::clamp(t, 0.0, 1.0);
            const double ex = static_cast<double>(rx) - t * static_cast<double>(dx);
            const double ey = static_cast<double>(ry) - t * static_cast<double>(dy);
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
