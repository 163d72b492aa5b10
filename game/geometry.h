// Shared collision geometry of the simulation: the 32-point ball outline,
// the truncated centre, the bounding-box corners and cell rectangles.
// Internal to the game library.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "game.h"

namespace corvale {

inline constexpr int outlinePoints = 32;

// std::trunc, without the library call that baseline x86-64 code makes for
// it; the sign is kept so -0.0 stays -0.0.
inline double truncate(double x) {
    if (!(std::fabs(x) < 4503599627370496.0)) return x;  // already whole, or NaN
    return std::copysign(static_cast<double>(static_cast<std::int64_t>(x)), x);
}

// Offsets of the outline from the truncated centre; whole numbers.
using Outline = std::array<BoardPoint, outlinePoints>;

Outline ballOutline(double radius);

// The outline of a ball of this radius: from a table for the whole radii
// 1..12 that play produces, otherwise computed into scratch.
const Outline& outlineOf(double radius, Outline& scratch);

inline BoardPoint truncatedCentre(const Ball& ball) { return {truncate(ball.x), truncate(ball.y)}; }

inline BoardPoint outlinePoint(BoardPoint centre, const Outline& outline, int index) {
    return {centre.x + outline[index].x, centre.y + outline[index].y};
}

// Corners in the order upper left, upper right, lower left, lower right.
std::array<BoardPoint, 4> boundingCorners(const Ball& ball);

inline bool onBoard(BoardPoint p) { return p.x >= 0 && p.x < boardPixels && p.y >= 0 && p.y < boardPixels; }

// Cell index of a point already known to be on the board.
inline int cellIndexAt(BoardPoint p) {
    return (static_cast<int>(p.y) / cellSize) * boardColumns + static_cast<int>(p.x) / cellSize;
}

inline BoardRect cellRect(int index) {
    const double left = cellSize * (index % boardColumns);
    const double top = cellSize * (index / boardColumns);
    return {left, top, left + cellSize, top + cellSize};
}

inline bool rectContains(const BoardRect& r, BoardPoint p) {
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

inline double distanceSquared(BoardPoint a, BoardPoint b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// Index of the outline offset that leads the motion (largest dot product
// with the velocity; the lowest index on a tie).
int leadingOutlineIndex(const Outline& outline, double vx, double vy);

// Scans the 17 outline points around the leading one and returns the
// contact index between the first and last point that `touches` accepts,
// or -1 when none does.
template <typename Touches>
int contactIndex(const Outline& outline, BoardPoint centre, int leading, Touches touches) {
    int first = -1;
    int last = -1;
    for (int s = -8; s <= 8; ++s) {
        const int a = (leading + s + outlinePoints) % outlinePoints;
        if (!touches(outlinePoint(centre, outline, a), s + 8)) continue;
        if (first < 0) first = a;
        last = a;
    }
    if (first < 0) return -1;
    int m = (first + last) / 2;
    // The run wrapped past index 31: the midpoint lies on the other side.
    if (last < first) m = (m + 16) % outlinePoints;
    return m;
}

// Perfect reflection of the ball's velocity about the outline normal n;
// false (no change) for a degenerate normal.
bool reflectVelocity(Ball& ball, BoardPoint n);

}  // namespace corvale
