// A frame of the game image: header, then the board layers from bottom to
// top (tiles, gold sweep, ink, balls), clipped so they never touch the header.
#include <algorithm>
#include <cmath>

#include "ink_raster.h"
#include "renderer.h"

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
    cellsDrawn = 0;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            const auto i = static_cast<std::size_t>(column + boardColumns * row);
            const int s = tileSprite(game.cells[i].code, game.cells[i].wallFrame);
            if (backgroundValid && s == cellSprites[i]) continue;
            drawSprite(backgroundDc.get(), s, cellSize * column, cellSize * row, false);
            cellSprites[i] = s;  // kept even for sprites without artwork, so they are not retried
            ++cellsDrawn;
        }
    }
    backgroundValid = true;
    BitBlt(imageDc.get(), 0, headerHeight, boardPixels, boardPixels, backgroundDc.get(), 0, 0, SRCCOPY);
}

void Renderer::drawBorderSweep(const Game& game) {
    if (game.phase != GamePhase::BoardComplete || sweepSteps <= 0) return;
    const double elapsedSteps = std::floor(game.completeTime / sweepStepSeconds);
    const int n = elapsedSteps >= sweepSteps ? sweepSteps : static_cast<int>(std::max(elapsedSteps, 0.0));
    if (n <= 0) return;
    const int k = (n - 1) % sweepRound;
    const auto drawGold = [&](int column, int row) {
        const int s = cellSprites[static_cast<std::size_t>(column + boardColumns * row)];
        drawSprite(imageDc.get(), goldSprite(s), cellSize * column, headerHeight + cellSize * row, false);
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
            SelectObject(dc, inkPen.get());
            continue;
        }
        strokePoints.clear();
        for (const BoardPoint& p : stroke.points)
            strokePoints.push_back(POINT{roundToInt(p.x), roundToInt(p.y) + headerHeight});
        // The pixels are written directly, so queued GDI drawing must land first.
        GdiFlush();
        fillPolyline(board, strokePoints, inkRadius);
    }
    // brush and pen are put back in reverse order as they go out of scope
}

void Renderer::drawBalls(const Game& game) {
    for (const Ball& ball : game.balls) {
        if (!ball.active) continue;
        const int d = std::max(roundToInt(2.0 * ball.radius), 1);
        const int x = roundToInt(ball.x - ball.radius);
        const int y = roundToInt(ball.y - ball.radius) + headerHeight;
        drawSprite(imageDc.get(), ballSprite(ball.color, ball.nearHole), x, y, true, d, d);
    }
}

}  // namespace corvale
