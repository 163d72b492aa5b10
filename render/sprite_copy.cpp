#include "sprite_copy.h"

#include <algorithm>
#include <cstring>

#include "game.h"
#include "surfaces.h"

namespace corvale {
namespace {

constexpr std::size_t cellRowBytes = sizeof(std::uint32_t) * cellSize;

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
    const auto bytes = static_cast<std::size_t>(right - left) * sizeof(std::uint32_t);
    const std::uint32_t* from = art + (r.top + top - y) * atlasWidth + r.left + (left - x);
    for (int row = top; row < bottom; ++row, from += atlasWidth) {
        std::uint32_t* to = target.pixels + row * target.stride + left;
        // A whole cell row, the common case, is copied at a constant size,
        // which the compiler inlines; any other size is a call into the C
        // runtime, which under Wine costs more than the 128 bytes themselves.
        if (bytes == cellRowBytes)
            std::memcpy(to, from, cellRowBytes);
        else
            std::memcpy(to, from, bytes);
    }
}

}  // namespace corvale
