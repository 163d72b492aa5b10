// Small pieces shared by the Renderer's source files.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace corvale {

// Index into Renderer::displacedBitmaps of each memory context.
enum DisplacedSlot : std::size_t { atlasSlot, ballArtSlot, imageSlot, backgroundSlot, presentSlot };

// The header of a 32-bit, uncompressed, top-down DIB of width x height.
BITMAPINFO topDownInfo(int width, int height);

// A 32-bit top-down DIB section of width x height; `bits` receives its pixels
// (blue, green, red, alpha). Null on failure.
HBITMAP createTopDownBitmap(HDC dc, int width, int height, std::uint32_t** bits);

// Turns 32-bit atlas pixels into pre-multiplied ball artwork in place: pure
// magenta becomes 0 (transparent), every other colour opaque.
void keyOutMagenta(std::uint32_t* pixels, std::size_t count);

}  // namespace corvale
