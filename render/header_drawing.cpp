// The header strip: queue trough, score, high score, wall blocks and clock.
#include <algorithm>
#include <cmath>

#include "renderer.h"

namespace corvale {
namespace {

constexpr int boxY = 13;
constexpr int cellWidth = 9;
constexpr int boxGap = 20;  // between the score box and the high-score box

}  // namespace

void Renderer::drawHeader(const Game& game) {
    HDC dc = imageDc.get();
    const PixelTarget image{imageBits, gameImageWidth, RECT{0, 0, gameImageWidth, gameImageHeight}};
    const auto drawPiece = [&](int index, int x, int y) { copySprite(dc, image, index, x, y); };
    drawPiece(sprite::queueTrough, 0, 0);
    drawPiece(sprite::middleBar, 104, 0);
    drawPiece(sprite::blockPanel, 445, 0);
    drawPiece(sprite::endPiece, 486, 0);  // covers the panel's last column

    drawQueue(game);

    // Both boxes are right-aligned and grow to the left with their digits.
    const auto drawNumberBox = [&](std::uint64_t value, int rightCapX, int leftCap, int firstDigit, int rightCap) {
        drawPiece(rightCap, rightCapX, boxY);
        int x = rightCapX;
        do {
            x -= cellWidth;
            drawPiece(firstDigit + static_cast<int>(value % 10), x, boxY);
            value /= 10;
        } while (value != 0);
        x -= cellWidth;
        drawPiece(leftCap, x, boxY);
        return x;
    };
    const int greenLeft =
        drawNumberBox(game.highScore, 433, sprite::greenLeftCap, sprite::greenDigit, sprite::greenRightCap);
    drawNumberBox(game.score, greenLeft - boxGap, sprite::whiteLeftCap, sprite::whiteDigit, sprite::whiteRightCap);

    if (game.blockTokens > 99) {
        drawPiece(sprite::smallPlus, 459, 18);
    } else {
        int tokens = std::max(game.blockTokens, 0);
        int x = 459;
        do {
            drawPiece(sprite::smallDigit + tokens % 10, x, 18);
            tokens /= 10;
            x -= cellWidth;
        } while (tokens != 0);
    }

    drawPiece(sprite::redRightCap, 532, boxY);
    const double seconds = std::floor(game.timeRemaining);
    const bool dashes = game.unlimitedTime || seconds > 999.0;
    const int t = seconds > 0.0 && !dashes ? static_cast<int>(seconds) : 0;
    int divisor = 1;
    for (int x = 523; x >= 505; x -= cellWidth, divisor *= 10) {
        int cell = sprite::redDigit + (t / divisor) % 10;
        if (dashes)
            cell = sprite::redMinus;
        else if (!game.clockVisible)
            cell = sprite::redBlank;  // the clock blinks while time runs short
        drawPiece(cell, x, boxY);
    }
    drawPiece(sprite::redLeftCap, 496, boxY);
}

void Renderer::drawQueue(const Game& game) {
    HDC dc = imageDc.get();
    SavedDcState saved(dc);
    IntersectClipRect(dc, 5, 7, 104, 35);  // for BitBlt; copied pixels are cut to `trough`
    const PixelTarget trough{imageBits, gameImageWidth, RECT{5, 7, 104, 35}};
    const std::size_t shown = std::min<std::size_t>(game.queue.size(), queueSlots);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i == 0 && game.nextBallBlink) continue;
        const int color = std::clamp(game.queue[i], 0, ballColorCount - 1);
        copySprite(dc, trough, sprite::queueBall + color, static_cast<int>(std::trunc(slotX[i])), 14);
    }
}

}  // namespace corvale
