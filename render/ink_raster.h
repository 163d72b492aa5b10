// Ink strokes painted straight into the game image's pixels. A 10-pixel pen
// with round caps and joins covers the pixels whose centres lie within 5
// pixels of the polyline, so each segment is filled as a capsule. This gives
// the same shape as a wide GDI pen at a fraction of the cost: Wine widens
// every segment of a geometric pen into a path, which made ten long strokes
// cost most of a frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace corvale {

// Pixels of a 32-bit top-down surface, and the rows and columns that may be
// painted (right and bottom exclusive).
struct PixelTarget {
    std::uint32_t* pixels = nullptr;
    int stride = 0;  // pixels per row
    RECT clip{};
};

// Paints black every pixel whose centre lies within `radius` of the polyline
// through `points`: 2 x radius pixels across, as a pen of that width.
void fillPolyline(const PixelTarget& target, std::span<const POINT> points, int radius);

}  // namespace corvale
