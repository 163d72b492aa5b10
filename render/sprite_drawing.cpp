// The one primitive every picture is made of: a sprite, copied or blended;
// and the renderer's own opaque copies, as pixels where it can.
#include "renderer.h"

namespace corvale {

void Renderer::drawSprite(HDC target, int index, int x, int y, bool blend, int width, int height) const {
    if (index < 0 || index >= spriteCount) return;
    const SpriteRect& r = spriteTable[static_cast<std::size_t>(index)];
    if (r.width() <= 0 || r.height() <= 0) return;
    if (width == 0) width = r.width();
    if (height == 0) height = r.height();

    if (blend) {
        const BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target, x, y, width, height, ballArtDc.get(), r.left, r.top, r.width(), r.height(), perPixel);
    } else if (width == r.width() && height == r.height()) {
        BitBlt(target, x, y, width, height, atlasDc.get(), r.left, r.top, SRCCOPY);
    } else {
        // Whole pixels dropped or repeated, never averaged: pixel art stays sharp.
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, x, y, width, height, atlasDc.get(), r.left, r.top, r.width(), r.height(), SRCCOPY);
    }
}

void Renderer::copySprite(HDC dc, const PixelTarget& target, int index, int x, int y) const {
    if (opaqueArt.empty() || gdiSprites)
        drawSprite(dc, index, x, y, false);
    else
        copySpritePixels(opaqueArt.data(), index, target, x, y);
}

}  // namespace corvale
