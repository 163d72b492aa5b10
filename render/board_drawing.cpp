// A frame of the game image: header, then the board layers from bottom to
// top (tiles, gold sweep, ink, balls), clipped so they never touch the header.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ink_raster.h"
#include "renderer.h"
#include "sprite_copy.h"

namespace corvale {
namespace {

constexpr int inkRadius = 5;
constexpr int borderCells = 17;
constexpr int sweepRound = 34;  // steps for one lap of the two gold cells
constexpr double sweepStepSeconds = 0.02;

int roundToInt(double v) {
    return static_cast<int>(std::lround(v));
}

}  // namespace

void Renderer::render(const Game& game) {
    // Sprites are copied into the surfaces' pixels directly, so GDI drawing
    // still queued (last frame's balls, painting on the atlas) lands first.
    GdiFlush();
    if (opaqueArtStale) refreshOpaqueArt();
    updateQueueAnimation(game);
    drawHeader(game);
    {
        SavedDcState saved(imageDc.get());
        IntersectClipRect(imageDc.get(), 0, headerHeight, gameImageWidth, gameImageHeight);
        drawTiles(game);
        drawBorderSweep(game);
        drawInk(game);
        drawBalls(game);
    }
    needsRescale = true;
}

void Renderer::drawTiles(const Game& game) {
    const RECT wholeBoard{0, 0, boardPixels, boardPixels};
    const PixelTarget background{backgroundBits, boardPixels, wholeBoard};
    // A changed cell goes from the atlas straight into the game image. The
    // tile layer is read back only where balls, ink or gold covered a cell,
    // so a sprite that covers its whole cell waits to be written there until
    // then: a new board changes a third of its cells, and most change again
    // on the next board before anything covers them. Any other sprite lands
    // in the layer at once, after what is waiting, as it would have.
    const bool direct = !opaqueArt.empty() && !gdiSprites && !imageBoardStale;
    const PixelTarget board{imageBits + headerHeight * gameImageWidth, gameImageWidth, wholeBoard};
    cellsDrawn = 0;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            const auto i = static_cast<std::size_t>(column + boardColumns * row);
            const int s = tileSprite(game.cells[i].code, game.cells[i].wallFrame);
            if (backgroundValid && s == cellSprites[i]) continue;
            const int x = cellSize * column, y = cellSize * row;
            if (direct && coversCell(s)) {
                layerPending[i] = s;
            } else {
                settleLayerCell(i);
                copySprite(backgroundDc.get(), background, s, x, y);
            }
            // The cell stays as stale as it was: balls may have been drawn over it.
            if (direct)
                copySpritePixels(opaqueArt.data(), s, board, x, y);
            else
                imageCellsStale[i] = true;
            cellSprites[i] = s;  // kept even for sprites without artwork, so they are not retried
            ++cellsDrawn;
        }
    }
    backgroundValid = true;
    restoreBoardFromBackground();
}

bool Renderer::coversCell(int sprite) {
    if (sprite < 0 || sprite >= spriteCount) return false;
    const SpriteRect& r = spriteTable[static_cast<std::size_t>(sprite)];
    return r.width() == cellSize && r.height() == cellSize;
}

void Renderer::settleLayerCell(std::size_t i) {
    if (layerPending[i] < 0) return;
    const PixelTarget background{backgroundBits, boardPixels, RECT{0, 0, boardPixels, boardPixels}};
    copySpritePixels(opaqueArt.data(), layerPending[i], background, cellSize * static_cast<int>(i % boardColumns),
                     cellSize * static_cast<int>(i / boardColumns));
    layerPending[i] = noSprite;
}

void Renderer::settleLayer() {
    for (std::size_t i = 0; i < layerPending.size(); ++i) settleLayerCell(i);
}

void Renderer::restoreBoardFromBackground() {
    if (gdiSprites) {
        settleLayer();
        BitBlt(imageDc.get(), 0, headerHeight, boardPixels, boardPixels, backgroundDc.get(), 0, 0, SRCCOPY);
        return;
    }
    GdiFlush();  // cells drawn by BitBlt when the atlas could not be converted
    // The board is as wide as the image, so its rows are one block there.
    static_assert(boardPixels == gameImageWidth);
    std::uint32_t* board = imageBits + headerHeight * gameImageWidth;
    if (imageBoardStale) {
        settleLayer();
        std::memcpy(board, backgroundBits, sizeof(std::uint32_t) * boardPixels * boardPixels);
        imageCellsStale.fill(false);
        imageBoardStale = false;
        return;
    }
    for (std::size_t i = 0; i < imageCellsStale.size(); ++i) {
        if (!imageCellsStale[i]) continue;
        imageCellsStale[i] = false;
        settleLayerCell(i);
        const auto first = static_cast<std::ptrdiff_t>(i / boardColumns) * cellSize * boardPixels +
                           static_cast<std::ptrdiff_t>(i % boardColumns) * cellSize;
        for (int y = 0; y < cellSize; ++y) {
            const std::ptrdiff_t at = first + static_cast<std::ptrdiff_t>(y) * boardPixels;
            std::memcpy(board + at, backgroundBits + at, sizeof(std::uint32_t) * cellSize);
        }
    }
}

void Renderer::markImageStale(long long left, long long top, long long right, long long bottom) {
    // Game image coordinates, right and bottom exclusive; cut to the board.
    top -= headerHeight;
    bottom -= headerHeight;
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min<long long>(right, boardPixels);
    bottom = std::min<long long>(bottom, boardPixels);
    if (left >= right || top >= bottom) return;
    for (long long row = top / cellSize; row <= (bottom - 1) / cellSize; ++row)
        for (long long column = left / cellSize; column <= (right - 1) / cellSize; ++column)
            imageCellsStale[static_cast<std::size_t>(column + boardColumns * row)] = true;
}

void Renderer::drawBorderSweep(const Game& game) {
    if (game.phase != GamePhase::BoardComplete || sweepSteps <= 0) return;
    const double elapsedSteps = std::floor(game.completeTime / sweepStepSeconds);
    const int n = elapsedSteps >= sweepSteps ? sweepSteps : static_cast<int>(std::max(elapsedSteps, 0.0));
    if (n <= 0) return;
    const int k = (n - 1) % sweepRound;
    const PixelTarget board{imageBits, gameImageWidth, RECT{0, headerHeight, gameImageWidth, gameImageHeight}};
    const auto drawGold = [&](int column, int row) {
        const int s = cellSprites[static_cast<std::size_t>(column + boardColumns * row)];
        copySprite(imageDc.get(), board, goldSprite(s), cellSize * column, headerHeight + cellSize * row);
        imageCellsStale[static_cast<std::size_t>(column + boardColumns * row)] = true;
    };
    if (k < borderCells) {
        drawGold(k, 0);        // along the top, left to right
        drawGold(16 - k, 16);  // along the bottom, right to left
    } else {
        drawGold(16, k - 17);  // down the right column
        drawGold(0, 33 - k);   // up the left column
    }
}

void Renderer::drawInk(const Game& game) {
    HDC dc = imageDc.get();
    SelectedObject pen(dc, inkPen.get());
    SelectedObject brush(dc, GetStockObject(BLACK_BRUSH));
    const PixelTarget board{imageBits, gameImageWidth, RECT{0, headerHeight, gameImageWidth, gameImageHeight}};
    for (const InkStroke& stroke : game.strokes) {
        if (stroke.points.empty()) continue;
        if (stroke.points.size() == 1) {
            // A single point would vanish as a zero-length line: draw a dot
            // of the pen's width instead.
            const int x = roundToInt(stroke.points[0].x);
            const int y = roundToInt(stroke.points[0].y);
            SelectObject(dc, GetStockObject(NULL_PEN));
            Ellipse(dc, x - inkRadius, y + headerHeight - inkRadius, x + inkRadius, y + headerHeight + inkRadius);
            markImageStale(x - inkRadius, y + headerHeight - inkRadius, x + inkRadius, y + headerHeight + inkRadius);
            SelectObject(dc, inkPen.get());
            continue;
        }
        strokePoints.clear();
        for (const BoardPoint& p : stroke.points)
            strokePoints.push_back(POINT{roundToInt(p.x), roundToInt(p.y) + headerHeight});
        // The pixels are written directly, so queued GDI drawing must land first.
        GdiFlush();
        fillPolyline(board, strokePoints, inkRadius);
        const auto [left, right] =
            std::minmax_element(strokePoints.begin(), strokePoints.end(), [](POINT a, POINT b) { return a.x < b.x; });
        const auto [top, bottom] =
            std::minmax_element(strokePoints.begin(), strokePoints.end(), [](POINT a, POINT b) { return a.y < b.y; });
        markImageStale(static_cast<long long>(left->x) - inkRadius, static_cast<long long>(top->y) - inkRadius,
                       static_cast<long long>(right->x) + inkRadius + 1,
                       static_cast<long long>(bottom->y) + inkRadius + 1);
    }
    // brush and pen are put back in reverse order as they go out of scope
}

void Renderer::drawBalls(const Game& game) {
    const PixelTarget board{imageBits, gameImageWidth, RECT{0, headerHeight, gameImageWidth, gameImageHeight}};
    bool flushed = false;
    for (const Ball& ball : game.balls) {
        if (!ball.active) continue;
        const int d = std::max(roundToInt(2.0 * ball.radius), 1);
        const int x = roundToInt(ball.x - ball.radius);
        const int y = roundToInt(ball.y - ball.radius) + headerHeight;
        const int sprite = ballSprite(ball.color, ball.nearHole);
        const bool known = sprite >= 0 && sprite < spriteCount;
        const SpriteRect r = known ? spriteTable[static_cast<std::size_t>(sprite)] : SpriteRect{};
        bool blended = false;
        if (known && !gdiSprites && d == r.width() && d == r.height()) {
            // Pixels written by hand must land after the GDI drawing before them.
            if (!flushed) GdiFlush();
            flushed = true;
            blended = blendSpritePixels(ballArtBits, sprite, board, x, y);
        }
        if (!blended) {
            drawSprite(imageDc.get(), sprite, x, y, true, d, d);
            flushed = false;
        }
        markImageStale(x, y, static_cast<long long>(x) + d, static_cast<long long>(y) + d);
    }
}

}  // namespace corvale
