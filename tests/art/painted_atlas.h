// The atlas as the painter makes it, painted once per test program, and its
// pixels addressed by sprite.
#pragma once

#include "atlas_painter.h"
#include "sprite_table.h"

namespace corvale::art::test {

inline const Image& atlas() {
    static const Image painted = paintAtlas();
    return painted;
}

// Pixel (x, y) of sprite `sprite`, in sprite coordinates.
inline Rgb px(int sprite, int x, int y) {
    const SpriteRect& r = spriteTable[sprite];
    return atlas().at(r.left + x, r.top + y);
}

}  // namespace corvale::art::test
