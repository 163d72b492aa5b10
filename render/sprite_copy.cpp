#include "sprite_copy.h"

#include <algorithm>
#include <cstring>

#include "game.h"
#include "surfaces.h"

namespace corvale {
namespace {

// Copies `n` pixels with copies of constant size only, which the compiler
// inlines: under Wine a call into the C runtime costs more than a row of a
// digit or a header piece. The last block overlaps the one before it
// rather than copying a remainder pixel by pixel.
void copyRow(std::uint32_t* to, const std::uint32_t* from, std::size_t n) {
    if (n == cellSize) {
        std::memcpy(to, from, sizeof(std::uint32_t) * cellSize);
    } else if (n >= 8) {
        for (std::size_t i = 0; i + 8 <= n; i += 8) std::memcpy(to + i, from + i, 32);
        std::memcpy(to + n - 8, from + n - 8, 32);
    } else if (n >= 4) {
        std::memcpy(to, from, 16);
        std::memcpy(to + n - 4, from + n - 4, 16);
    } else {
        if (n > 0) to[0] = from[0];
        if (n > 1) to[1] = from[1];
        if (n > 2) to[2] = from[2];
    }
}

}  // namespace

std::vector<std::uint32_t> opaqueAtlasCopy(HDC dc, HBITMAP atlas) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(atlasWidth) * atlasHeight);
    BITMAPINFO info = topDownInfo(atlasWidth, atlasHeight);
    if (GetDIBits(dc, atlas, 0, atlasHeight, pixels.data(), &info, DIB_RGB_COLORS) != atlasHeight) pixels.clear();
    return pixels;
}

void copySpritePixels(const std::uint32_t* art, int index, const PixelTarget& target, int x, int y) {
    if (index < 0 || index >= spriteCount) return;
    const SpriteRect& r = spriteTable[static_cast<std::size_t>(index)];
    if (r.width() <= 0 || r.height() <= 0) return;
    const int left = std::max<int>(x, target.clip.left);
    const int top = std::max<int>(y, target.clip.top);
    const int right = std::min<int>(x + r.width(), target.clip.right);
    const int bottom = std::min<int>(y + r.height(), target.clip.bottom);
    if (left >= right || top >= bottom) return;
    const auto width = static_cast<std::size_t>(right - left);
    const std::uint32_t* from = art + (r.top + top - y) * atlasWidth + r.left + (left - x);
    for (int row = top; row < bottom; ++row, from += atlasWidth)
        copyRow(target.pixels + row * target.stride + left, from, width);
}

bool blendSpritePixels(const std::uint32_t* art, int index, const PixelTarget& target, int x, int y) {
    if (index < 0 || index >= spriteCount) return true;
    const SpriteRect& r = spriteTable[static_cast<std::size_t>(index)];
    if (r.width() <= 0 || r.height() <= 0) return true;
    const std::uint32_t* sprite = art + r.top * atlasWidth + r.left;
    for (int row = 0; row < r.height(); ++row) {
        for (int col = 0; col < r.width(); ++col) {
            const std::uint32_t p = sprite[row * atlasWidth + col];
            if (p != 0 && p >> 24 != 0xFFu) return false;
        }
    }
    const int left = std::max<int>(x, target.clip.left);
    const int top = std::max<int>(y, target.clip.top);
    const int right = std::min<int>(x + r.width(), target.clip.right);
    const int bottom = std::min<int>(y + r.height(), target.clip.bottom);
    for (int row = top; row < bottom; ++row) {
        const std::uint32_t* from = sprite + (row - y) * atlasWidth + (left - x);
        std::uint32_t* to = target.pixels + row * target.stride + left;
        for (int i = 0; i < right - left; ++i) {
            if (from[i] != 0) to[i] = from[i];
        }
    }
    return true;
}

}  // namespace corvale
