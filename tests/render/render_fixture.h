// Helpers shared by the renderer tests: a Renderer on the real atlas, a
// one-level Game to draw, and pixel comparisons against atlas sprites.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "game.h"
#include "renderer.h"

namespace corvale::test {

// 0xRRGGBB of an atlas pixel, read through the renderer's atlas context.
inline std::uint32_t atlasRgb(const Renderer& renderer, int x, int y) {
    const COLORREF c = GetPixel(renderer.atlasContext(), x, y);
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

inline std::uint32_t imageRgb(const Renderer& renderer, int x, int y) {
    GdiFlush();
    return renderer.gameImagePixels()[y * gameImageWidth + x] & 0xFFFFFFu;
}

// A colour of its own for every sprite, so that a picture shows which sprite
// went where whatever the artwork looks like.
inline std::uint32_t spriteColour(int index) {
    return 0x102030u + static_cast<std::uint32_t>(index) * 0x010507u;
}

// Paints every sprite of the atlas and of the ball artwork in its own flat
// colour (opaque in both). Overlapping entries (the red number row) end up
// with the colour of the later index.
inline void paintDistinctSprites(Renderer& renderer) {
    for (int i = 0; i < spriteCount; ++i) {
        const SpriteRect& r = spriteTable[static_cast<std::size_t>(i)];
        if (r.width() <= 0) continue;
        const std::uint32_t rgb = spriteColour(i);
        HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
        const RECT rect{r.left, r.top, r.right, r.bottom};
        FillRect(renderer.atlasContext(), &rect, brush);
        DeleteObject(brush);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) renderer.ballArtPixels()[y * atlasWidth + x] = 0xFF000000u | rgb;
    }
    GdiFlush();
}

// Every pixel of sprite `index` at its own size at (x, y) of the game image
// equals the atlas.
inline ::testing::AssertionResult spriteAt(const Renderer& renderer, int index, int x, int y) {
    const SpriteRect& r = spriteTable[static_cast<std::size_t>(index)];
    for (int dy = 0; dy < r.height(); ++dy)
        for (int dx = 0; dx < r.width(); ++dx) {
            const std::uint32_t want = atlasRgb(renderer, r.left + dx, r.top + dy);
            const std::uint32_t got = imageRgb(renderer, x + dx, y + dy);
            if (want != got)
                return ::testing::AssertionFailure()
                       << "sprite " << index << " at (" << x << ", " << y << "): pixel (" << x + dx << ", " << y + dy
                       << ") is " << std::hex << got << ", atlas has " << want;
        }
    return ::testing::AssertionSuccess();
}

inline std::unique_ptr<Renderer> makeRenderer() {
    return std::make_unique<Renderer>(GetModuleHandleW(nullptr));
}

// A Game of one all-floor board with an empty queue; tests set the fields
// they draw.
inline Game floorGame() {
    Level level;
    level.timeLimit = 120;
    level.launchInterval = 4;
    level.minSpeed = 50;
    level.maxSpeed = 150;
    std::vector<Level> levels{level};
    Game game(std::move(levels));
    game.balls.clear();
    game.strokes.clear();
    game.queue.clear();
    return game;
}

}  // namespace corvale::test
