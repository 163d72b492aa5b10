// Construction, the transparent ball artwork and the sprite primitive.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "render_fixture.h"
#include "surfaces.h"

namespace corvale {
namespace {

using test::atlasRgb;
using test::makeRenderer;

std::string constructionError(HINSTANCE module) {
    try {
        Renderer renderer(module);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

std::wstring besideTheTest(const wchar_t* name) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L"\\/") + 1) + name;
}

TEST(RendererConstruction, RefusesAModuleWithoutAnAtlas) {
    EXPECT_EQ(constructionError(GetModuleHandleW(L"kernel32.dll")),
              "The embedded original sprite atlas could not be loaded.");
}

TEST(RendererConstruction, RefusesAnAtlasOfAnotherSize) {
    HMODULE small = LoadLibraryW(besideTheTest(L"render_test_small_atlas.dll").c_str());
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(constructionError(small), "The embedded sprite atlas has unexpected dimensions.");
    FreeLibrary(small);
}

TEST(RendererConstruction, ReleaseGivesEverythingBackOnce) {
    auto renderer = makeRenderer();
    ASSERT_NE(renderer->gameImagePixels(), nullptr);
    renderer->release();
    EXPECT_EQ(renderer->gameImagePixels(), nullptr);
    EXPECT_EQ(renderer->gameImageDc(), nullptr);
    renderer->release();  // and the destructor runs it a third time
}

TEST(BallArt, MagentaBecomesTransparentZeroAndEveryOtherColourOpaque) {
    std::uint32_t pixels[] = {0x00FF00FF, 0x7FFF00FF, 0x00FF00FE, 0x00000000, 0x00FE00FF, 0x12345678};
    keyOutMagenta(pixels, std::size(pixels));
    EXPECT_EQ(pixels[0], 0u);
    EXPECT_EQ(pixels[1], 0u);  // the fourth byte of the source carries no meaning
    EXPECT_EQ(pixels[2], 0xFFFF00FEu);
    EXPECT_EQ(pixels[3], 0xFF000000u);
    EXPECT_EQ(pixels[4], 0xFFFE00FFu);
    EXPECT_EQ(pixels[5], 0xFF345678u);
}

TEST(BallArt, IsTheWholeAtlasKeyedTopRowFirst) {
    auto renderer = makeRenderer();
    const std::uint32_t* art = renderer->ballArtPixels();
    for (int y = 0; y < atlasHeight; ++y)
        for (int x = 0; x < atlasWidth; ++x) {
            const std::uint32_t rgb = atlasRgb(*renderer, x, y);
            const std::uint32_t expected = rgb == 0xFF00FF ? 0u : 0xFF000000u | rgb;
            ASSERT_EQ(art[y * atlasWidth + x], expected) << x << ", " << y;
        }
}

// A 64 x 64 32-bit target filled with one colour.
class Target {
   public:
    explicit Target(std::uint32_t fill) : dc(CreateCompatibleDC(nullptr)) {
        bitmap.reset(createTopDownBitmap(dc.get(), size, size, &bits));
        selection = SelectedObject(dc.get(), bitmap.get());
        std::fill(bits, bits + size * size, fill);
    }
    std::uint32_t rgb(int x, int y) const {
        GdiFlush();
        return bits[y * size + x] & 0xFFFFFF;
    }
    bool untouched(std::uint32_t fill) const {
        GdiFlush();
        return std::all_of(bits, bits + size * size, [&](std::uint32_t p) { return p == fill; });
    }
    static constexpr int size = 64;
    MemoryDc dc;
    GdiBitmap bitmap;
    SelectedObject selection;
    std::uint32_t* bits = nullptr;
};

TEST(DrawSprite, IndicesWithoutArtworkDrawNothing) {
    auto renderer = makeRenderer();
    Target target(0x00123456);
    for (int index : {159, 500, -1, 67, 72}) {
        renderer->drawSprite(target.dc.get(), index, 0, 0, false);
        renderer->drawSprite(target.dc.get(), index, 0, 0, true, 20, 20);
    }
    EXPECT_TRUE(target.untouched(0x00123456));
}

TEST(DrawSprite, OpaqueAtOwnSizeCopiesTheRectangleMagentaIncluded) {
    auto renderer = makeRenderer();
    Target target(0x00123456);
    // Sprite 2 is a ball: its corners are transparent magenta in the atlas.
    for (int index : {0, 2, 121}) {
        const SpriteRect& r = spriteTable[static_cast<std::size_t>(index)];
        renderer->drawSprite(target.dc.get(), index, 3, 5, false);
        for (int y = 0; y < Target::size; ++y)
            for (int x = 0; x < Target::size; ++x) {
                const bool inside = x >= 3 && x < 3 + r.width() && y >= 5 && y < 5 + r.height();
                const std::uint32_t want = inside ? atlasRgb(*renderer, r.left + x - 3, r.top + y - 5) : 0x123456u;
                ASSERT_EQ(target.rgb(x, y), want) << index << ": " << x << ", " << y;
            }
        std::fill(target.bits, target.bits + Target::size * Target::size, 0x00123456u);
    }
}

TEST(DrawSprite, OpaqueAtAnotherSizeDropsWholePixels) {
    auto renderer = makeRenderer();
    // Stripes one pixel wide: averaging would mix them, colour-on-colour keeps them pure.
    const SpriteRect& floor = spriteTable[0];
    for (int x = floor.left; x < floor.right; ++x)
        for (int y = floor.top; y < floor.bottom; ++y)
            SetPixel(renderer->atlasContext(), x, y, (x - floor.left) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    Target target(0);
    SetStretchBltMode(target.dc.get(), HALFTONE);
    renderer->drawSprite(target.dc.get(), 0, 0, 0, false, 16, 16);
    EXPECT_EQ(GetStretchBltMode(target.dc.get()), COLORONCOLOR);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t p = target.rgb(x, y);
            ASSERT_TRUE(p == 0xFF0000u || p == 0x0000FFu) << std::hex << p << " at " << std::dec << x << ", " << y;
        }
    EXPECT_EQ(target.rgb(16, 0), 0u);
    EXPECT_EQ(target.rgb(0, 16), 0u);
}

TEST(DrawSprite, BlendedBallsShowTheTargetThroughTransparentPixels) {
    auto renderer = makeRenderer();
    // Left half of ball sprite 3 opaque green, right half transparent.
    const SpriteRect& ball = spriteTable[3];
    for (int y = ball.top; y < ball.bottom; ++y)
        for (int x = ball.left; x < ball.right; ++x)
            renderer->ballArtPixels()[y * atlasWidth + x] = x - ball.left < 12 ? 0xFF00FF00u : 0u;

    Target own(0x00808080);
    renderer->drawSprite(own.dc.get(), 3, 10, 10, true, 24, 24);
    for (int y = 0; y < Target::size; ++y)
        for (int x = 0; x < Target::size; ++x) {
            const bool green = x >= 10 && x < 22 && y >= 10 && y < 34;
            ASSERT_EQ(own.rgb(x, y), green ? 0x00FF00u : 0x808080u) << x << ", " << y;
        }

    Target scaled(0x00808080);
    renderer->drawSprite(scaled.dc.get(), 3, 10, 10, true, 20, 20);
    EXPECT_EQ(scaled.rgb(10, 10), 0x00FF00u);
    EXPECT_EQ(scaled.rgb(10, 29), 0x00FF00u);
    EXPECT_EQ(scaled.rgb(10, 30), 0x808080u);  // 20 rows, not 24
    EXPECT_EQ(scaled.rgb(29, 20), 0x808080u);
    EXPECT_EQ(scaled.rgb(9, 20), 0x808080u);
}

}  // namespace
}  // namespace corvale
