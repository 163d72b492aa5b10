#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "pen_cursor.h"

namespace corvale {
namespace {

// The pen in design units on a 32 x 32 grid, tip at the top-left.
struct DesignPoint {
    double x;
    double y;
};

struct InkLine {
    DesignPoint from;
    DesignPoint to;
};

// The outline's five edges and the cross line that marks off the pen's end.
constexpr InkLine inkLines[] = {
    {{1, 1}, {8, 4}},   {{8, 4}, {22, 18}}, {{22, 18}, {18, 22}},
    {{18, 22}, {4, 8}}, {{4, 8}, {1, 1}},   {{16, 20}, {20, 16}},
};

// Closer than this to an ink line, a point is painted black.
constexpr double inkHalfWidth = 0.65;

// The outline is convex; points on an edge count as inside.
bool insidePen(double x, double y) {
    return 7 * (y - 1) - 3 * (x - 1) >= 0 && (y - 4) - (x - 8) >= 0 && (x - 22) + (y - 18) <= 0 &&
           (x - 18) - (y - 22) >= 0 && 7 * (x - 4) - 3 * (y - 8) >= 0;
}

double distanceToSegment(double x, double y, const InkLine& line) {
    const double dx = line.to.x - line.from.x;
    const double dy = line.to.y - line.from.y;
    const double t = std::clamp(((x - line.from.x) * dx + (y - line.from.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - (line.from.x + t * dx), y - (line.from.y + t * dy));
}

double distanceToInk(double x, double y) {
    double nearest = distanceToSegment(x, y, inkLines[0]);
    for (const InkLine& line : inkLines) nearest = std::min(nearest, distanceToSegment(x, y, line));
    return nearest;
}

// Deletes a GDI bitmap when the build leaves its scope, whichever way.
class ScopedBitmap {
   public:
    explicit ScopedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~ScopedBitmap() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    ScopedBitmap(const ScopedBitmap&) = delete;
    ScopedBitmap& operator=(const ScopedBitmap&) = delete;
    HBITMAP get() const { return bitmap_; }

   private:
    HBITMAP bitmap_;
};

}  // namespace

std::uint32_t penCursorDpi(std::uint32_t dpi) {
    if (dpi == 0) dpi = 96;
    return std::clamp<std::uint32_t>(dpi, 96, 768);
}

int penCursorSize(std::uint32_t dpi) {
    return MulDiv(32, static_cast<int>(dpi), 96);
}

int penCursorHotSpot(int size) {
    return static_cast<int>(std::lround(size / 32.0));
}

std::vector<std::uint32_t> drawPenCursorPixels(int size) {
    const std::size_t n = static_cast<std::size_t>(std::max(size, 0));
    std::vector<std::uint32_t> pixels(n * n);
    const double scale = size / 32.0;
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            std::uint32_t coverage = 0;
            std::uint32_t fill = 0;
            for (int a = 0; a < 4; ++a) {
                for (int b = 0; b < 4; ++b) {
                    const double x = (c + (b + 0.5) * 0.25) / scale;
                    const double y = (r + (a + 0.5) * 0.25) / scale;
                    if (!insidePen(x, y)) continue;
                    ++coverage;
                    if (distanceToInk(x, y) > inkHalfWidth) ++fill;
                }
            }
            // fill never exceeds coverage, so the colour is already premultiplied.
            const std::uint32_t grey = (fill * 255) >> 4;
            const std::uint32_t alpha = (coverage * 255) >> 4;
            pixels[static_cast<std::size_t>(r) * n + static_cast<std::size_t>(c)] =
                (alpha << 24) | (grey << 16) | (grey << 8) | grey;
        }
    }
    return pixels;
}

PenCursor::~PenCursor() {
    if (cursor_) DestroyCursor(cursor_);
}

PenCursor::PenCursor(PenCursor&& other) noexcept
    : cursor_(std::exchange(other.cursor_, nullptr)), dpi_(std::exchange(other.dpi_, 0)) {}

PenCursor& PenCursor::operator=(PenCursor&& other) noexcept {
    if (this != &other) {
        if (cursor_) DestroyCursor(cursor_);
        cursor_ = std::exchange(other.cursor_, nullptr);
        dpi_ = std::exchange(other.dpi_, 0);
    }
    return *this;
}

namespace {

// Builds the cursor of n x n pixels; its bitmaps are gone when this returns,
// whether it succeeded or threw.
HCURSOR createPenCursor(int n, StartupFaults* faults) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = n;
    info.bmiHeader.biHeight = -n;  // top-down rows, like the pixel buffer
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap colour(refused(faults) ? nullptr
                                        : CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!colour.get() || !bits) throw std::runtime_error("Windows could not create the pen cursor.");
    const std::vector<std::uint32_t> pixels = drawPenCursorPixels(n);
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));

    // With a 32-bit colour bitmap the alpha channel decides; an all-zero AND
    // mask keeps Windows from punching holes of its own.
    const std::vector<BYTE> maskBits(static_cast<std::size_t>((n + 15) / 16) * 2 * static_cast<std::size_t>(n), 0);
    ScopedBitmap mask(refused(faults) ? nullptr : CreateBitmap(n, n, 1, 1, maskBits.data()));
    if (!mask.get()) throw std::runtime_error("Windows could not create the pen cursor mask.");

    const int hotSpot = penCursorHotSpot(n);
    ICONINFO iconInfo{};
    iconInfo.fIcon = FALSE;
    iconInfo.xHotspot = static_cast<DWORD>(hotSpot);
    iconInfo.yHotspot = static_cast<DWORD>(hotSpot);
    iconInfo.hbmMask = mask.get();
    iconInfo.hbmColor = colour.get();
    const HCURSOR created = refused(faults) ? nullptr : CreateIconIndirect(&iconInfo);  // keeps copies of the bitmaps
    if (!created) throw std::runtime_error("Windows could not create the pen pointer.");
    return created;
}

}  // namespace

void PenCursor::rebuild(std::uint32_t dpi, StartupFaults* faults) {
    const std::uint32_t d = penCursorDpi(dpi);
    if (cursor_ && dpi_ == d) return;
    // Nothing of the old cursor changes until the new one exists.
    const HCURSOR created = createPenCursor(penCursorSize(d), faults);
    if (cursor_) {
        // Switch the screen first, so it never shows a destroyed cursor.
        if (GetCursor() == cursor_) SetCursor(created);
        DestroyCursor(cursor_);
    }
    cursor_ = created;
    dpi_ = d;
}

}  // namespace corvale
