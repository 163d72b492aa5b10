// The pen-shaped cursor shown over the board. It is drawn at run time from a
// small vector description so that it stays sharp at every DPI, instead of
// being a resource that Windows would stretch.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "startup_faults.h"

namespace corvale {

// The DPI a cursor is built for: 0 (unknown) counts as 96, and the result is
// clamped to 96..768 so that the cursor is 32 to 256 pixels on a side.
std::uint32_t penCursorDpi(std::uint32_t dpi);

// Side length in pixels at an already clamped DPI: MulDiv(32, dpi, 96).
int penCursorSize(std::uint32_t dpi);

// The hot spot (the pen's tip) on both axes for a cursor of `size` pixels.
int penCursorHotSpot(int size);

// The cursor's colour pixels, size x size, top-down rows: alpha in the top
// byte, then red, green, blue, premultiplied (white inside, black ink lines,
// transparent outside), each pixel averaged over 4 x 4 samples.
std::vector<std::uint32_t> drawPenCursorPixels(int size);

// Owns one pen cursor handle; move-only so that a handle is destroyed once.
class PenCursor {
   public:
    PenCursor() = default;
    ~PenCursor();
    PenCursor(PenCursor&& other) noexcept;
    PenCursor& operator=(PenCursor&& other) noexcept;
    PenCursor(const PenCursor&) = delete;
    PenCursor& operator=(const PenCursor&) = delete;

    // Makes the cursor for `dpi` (see penCursorDpi); does nothing when the
    // cursor already has that DPI. Throws std::runtime_error on failure and
    // then keeps the cursor it had. `faults` is for tests only.
    void rebuild(std::uint32_t dpi, StartupFaults* faults = nullptr);

    HCURSOR cursor() const { return cursor_; }  // null until the first rebuild
    std::uint32_t dpi() const { return dpi_; }  // 0 until the first rebuild

   private:
    HCURSOR cursor_ = nullptr;
    std::uint32_t dpi_ = 0;
};

}  // namespace corvale
