// Opaque sprites are copied as pixels, balls blended as pixels and the board
// restored cell by cell; all must give exactly the pixels the plain GDI path
// gives, alpha byte included, on the real artwork.
#include <cstring>

#include "render_fixture.h"
#include "sprite_copy.h"
#include "sprites.h"
#include "surfaces.h"

namespace corvale {
namespace {

constexpr int surfaceWidth = 100;
constexpr int surfaceHeight = 60;

struct Surface {
    Surface() : dc(CreateCompatibleDC(nullptr)) {
        bitmap.reset(createTopDownBitmap(dc.get(), surfaceWidth, surfaceHeight, &bits));
        selected = SelectedObject(dc.get(), bitmap.get());
    }
    void fill() {
        GdiFlush();
        for (int i = 0; i < surfaceWidth * surfaceHeight; ++i) bits[i] = 0x7F123456u + static_cast<std::uint32_t>(i);
    }
    MemoryDc dc;
    GdiBitmap bitmap;
    std::uint32_t* bits = nullptr;
    SelectedObject selected;
};

::testing::AssertionResult samePixels(const std::uint32_t* got, const std::uint32_t* want, int count) {
    for (int i = 0; i < count; ++i)
        if (got[i] != want[i])
            return ::testing::AssertionFailure()
                   << "pixel " << i << " is " << std::hex << got[i] << ", GDI gives " << want[i];
    return ::testing::AssertionSuccess();
}

TEST(OpaqueCopy, EverySpriteCopiesWhatBitBltCopiesAlsoWhenCutByTheClip) {
    GdiBitmap atlas(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(atlasResourceId),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ASSERT_TRUE(atlas);
    MemoryDc atlasDc(CreateCompatibleDC(nullptr));
    const std::vector<std::uint32_t> art = opaqueAtlasCopy(atlasDc.get(), atlas.get());
    ASSERT_EQ(art.size(), static_cast<std::size_t>(atlasWidth) * atlasHeight);
    SelectedObject selected(atlasDc.get(), atlas.get());

    Surface gdi;
    Surface copied;
    const RECT clip{2, 3, 90, 55};
    IntersectClipRect(gdi.dc.get(), clip.left, clip.top, clip.right, clip.bottom);
    const PixelTarget target{copied.bits, surfaceWidth, clip};
    const POINT places[] = {{10, 8}, {-7, -4}, {80, 50}, {-40, 20}, {95, 58}};
    for (int index = -1; index <= spriteCount; ++index) {
        for (const POINT p : places) {
            gdi.fill();
            copied.fill();
            const SpriteRect r =
                index >= 0 && index < spriteCount ? spriteTable[static_cast<std::size_t>(index)] : SpriteRect{};
            if (r.width() > 0)
                BitBlt(gdi.dc.get(), p.x, p.y, r.width(), r.height(), atlasDc.get(), r.left, r.top, SRCCOPY);
            GdiFlush();
            copySpritePixels(art.data(), index, target, p.x, p.y);
            ASSERT_TRUE(samePixels(copied.bits, gdi.bits, surfaceWidth * surfaceHeight))
                << "sprite " << index << " at (" << p.x << ", " << p.y << ")";
        }
    }
}

// Two renderers on the real atlas, one drawing every opaque sprite and the
// whole board layer through BitBlt as before, one copying pixels and only
// the cells that need it.
class OpaqueFrames : public ::testing::Test {
   protected:
    void SetUp() override { gdi->drawSpritesWithGdi(true); }

    ::testing::AssertionResult renderBoth() {
        gdi->render(game);
        copied->render(game);
        GdiFlush();
        return samePixels(copied->gameImagePixels(), gdi->gameImagePixels(), gameImageWidth * gameImageHeight);
    }
    void varyTiles(int shift) {
        // Every kind of tile, every colour and frame, two without artwork.
        static const std::uint16_t codes[] = {0x0000, 0x1000, 0x2000, 0x2011, 0x2022, 0x2043, 0x3000, 0x3003, 0x4001,
                                              0x4004, 0x5000, 0x5012, 0x5024, 0x5031, 0x6000, 0x7002, 0x7004, 0x8000,
                                              0x8010, 0x8020, 0x8030, 0x9001, 0xA000, 0xA001, 0xA014, 0xA012, 0xB000};
        for (std::size_t i = 0; i < game.cells.size(); ++i) {
            const std::size_t k = (i * 7 + static_cast<std::size_t>(shift)) % std::size(codes);
            game.cells[i].code = codes[k];
            game.cells[i].wallFrame = static_cast<int>((i + static_cast<std::size_t>(shift)) % 5);
        }
    }
    void addBall(int color, double x, double y, double radius, bool nearHole) {
        Ball b;
        b.color = color;
        b.x = x;
        b.y = y;
        b.radius = radius;
        b.nearHole = nearHole;
        game.balls.push_back(b);
    }
    void addStroke(std::vector<BoardPoint> points) {
        InkStroke s;
        s.points = std::move(points);
        game.strokes.push_back(std::move(s));
    }

    std::unique_ptr<Renderer> gdi = test::makeRenderer();
    std::unique_ptr<Renderer> copied = test::makeRenderer();
    Game game = test::floorGame();
};

TEST_F(OpaqueFrames, BoardHeaderInkAndBallsMatchTheGdiPathFrameAfterFrame) {
    varyTiles(0);
    game.queue = {0, 1, 2, 3, 4, 1, 2, 3, 9};
    game.score = 123456;
    game.highScore = 9876543;
    game.blockTokens = 7;
    game.timeRemaining = 57.3;
    addBall(1, 100, 100, 12, false);
    addBall(3, -5, 300, 12, true);     // past the left edge
    addBall(2, 250, 3, 12, false);     // over the header line
    addBall(4, 400, 540, 7.3, false);  // scaled, past the bottom
    addStroke({{60.4, 80.6}});
    addStroke({{0, 0}, {0, 543}, {300, 543}, {310, 20}});
    ASSERT_TRUE(renderBoth()) << "first frame";

    // The balls and ink move on, the queue slides, some walls change.
    game.boardAge = 0.5;
    game.balls[0].x = 140;
    game.balls[2].y = 200;
    game.balls[3].active = false;
    game.strokes.erase(game.strokes.begin() + 1);
    addStroke({{200, 200}, {260, 260}});
    game.queue.erase(game.queue.begin());
    game.cells[20].code = 0x0000;
    game.cells[140].wallFrame = 4;
    // Two cells the first ball covered change: one to floor, one to a
    // filter without artwork, whose cell must still lose the ball's trace.
    game.cells[36].code = 0x0000;
    game.cells[54].code = 0xA000;
    game.nextBallBlink = true;
    game.clockVisible = false;
    ASSERT_TRUE(renderBoth()) << "second frame";

    game.balls.clear();
    game.strokes.clear();
    ASSERT_TRUE(renderBoth()) << "balls and ink gone";
}

TEST_F(OpaqueFrames, TheGoldSweepAndANewBoardMatchTheGdiPath) {
    varyTiles(3);
    game.phase = GamePhase::BoardComplete;
    game.timeRemaining = 40.0;
    for (const double t : {0.0, 0.05, 0.31, 0.4, 0.67, 0.9}) {
        game.completeTime = t;
        ASSERT_TRUE(renderBoth()) << "sweep at " << t << " s";
    }
    ++game.boardsStarted;
    game.phase = GamePhase::Playing;
    varyTiles(11);
    game.unlimitedTime = true;
    ASSERT_TRUE(renderBoth()) << "next board";
}

TEST_F(OpaqueFrames, DrawingIntoTheGameImageIsPaintedOverByTheNextFrame) {
    varyTiles(5);
    ASSERT_TRUE(renderBoth());
    const RECT board{0, headerHeight, gameImageWidth, gameImageHeight};
    FillRect(gdi->gameImageDc(), &board, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(copied->gameImageDc(), &board, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(renderBoth());
}

TEST_F(OpaqueFrames, PaintingTheAtlasAfterAFrameShowsInTheNextOne) {
    ASSERT_TRUE(renderBoth());
    game.cells[1].code = 0x1000;  // drawn with the old art, in the tile layer too
    ASSERT_TRUE(renderBoth());
    test::paintDistinctSprites(*gdi);
    test::paintDistinctSprites(*copied);
    game.cells[0].code = 0x3002;
    game.score = 5;
    addBall(1, 48, 16, 12, false);  // over cell 1, which the next frame copies back from the layer
    EXPECT_TRUE(renderBoth());
    EXPECT_TRUE(test::spriteAt(*copied, 39, 0, headerHeight));
    game.balls.clear();
    EXPECT_TRUE(renderBoth());
}

TEST_F(OpaqueFrames, BallArtThatIsNotOpaqueOrClearIsLeftToAlphaBlend) {
    varyTiles(2);
    for (int color = 0; color < 5; ++color) addBall(color, 40.0 + 60 * color, 100, 12, color % 2 == 1);
    ASSERT_TRUE(renderBoth()) << "the real artwork";
    // Half-covered and clear-but-coloured pixels in two ball sprites: the
    // hand-written blend would get both wrong.
    for (Renderer* r : {gdi.get(), copied.get()}) {
        const SpriteRect& half = spriteTable[static_cast<std::size_t>(ballSprite(1, true))];
        r->ballArtPixels()[(half.top + 12) * atlasWidth + half.left + 12] = 0x80402010u;
        const SpriteRect& tinted = spriteTable[static_cast<std::size_t>(ballSprite(2, false))];
        r->ballArtPixels()[(tinted.top + 3) * atlasWidth + tinted.left + 12] = 0x00102030u;
    }
    game.balls[0].x = 60;
    ASSERT_TRUE(renderBoth()) << "art with partial alpha";
}

}  // namespace
}  // namespace corvale
