// Opaque sprites copied row by row from a 32-bit copy of the atlas straight
// into a 32-bit surface. Under Wine every BitBlt costs several microseconds
// of clipping and format dispatch whatever its size, and the first frame of
// each board draws up to 289 cells plus some 40 header pieces: as plain row
// copies the same pixels cost a fraction of that.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ink_raster.h"
#include "sprites.h"

namespace corvale {

// The atlas's pixels as 32-bit top-down rows of atlasWidth, converted by GDI
// exactly as a BitBlt into a 32-bit surface converts them. `atlas` must not
// be selected into a context. Empty when GDI cannot convert it.
std::vector<std::uint32_t> opaqueAtlasCopy(HDC dc, HBITMAP atlas);

// Copies sprite `index` of `art` (from opaqueAtlasCopy) to (x, y) of
// `target`, cut to the target's clip: the pixels BitBlt with SRCCOPY gives.
// Indices without artwork copy nothing.
void copySpritePixels(const std::uint32_t* art, int index, const PixelTarget& target, int x, int y);

// Blends sprite `index` of the pre-multiplied ball artwork `art` (atlasWidth
// pixels a row) at its own size to (x, y) of `target`, cut to the clip. Ball
// artwork is opaque or clear pixel by pixel, and then this is exactly what
// AlphaBlend gives, for a fraction of its cost under Wine (the smoke test
// draws a thousand preplaced balls). Returns false, drawing nothing, when a
// pixel is neither opaque nor zero: such art is left to AlphaBlend.
bool blendSpritePixels(const std::uint32_t* art, int index, const PixelTarget& target, int x, int y);

}  // namespace corvale
