// Points, block tokens and the high score.
#include <algorithm>
#include <cmath>

#include "game.h"

namespace corvale {

void Game::awardPoints(std::uint64_t points) {
    score += points;
    highScore = std::max(highScore, score);
    grantBlockTokens();
}

void Game::grantBlockTokens() {
    const std::uint64_t earned = score / pointsPerBlockToken;
    const std::uint64_t granted = blockThreshold / pointsPerBlockToken;
    if (earned > granted) {
        blockTokens += static_cast<std::int32_t>(earned - granted);
        blockThreshold = earned * pointsPerBlockToken;
    }
}

bool Game::placeBlock(double x, double y) {
    if (paused || phase != GamePhase::Playing || blockTokens < 1) return false;
    if (!std::isfinite(x) || !std::isfinite(y) || x < 0 || x >= boardPixels || y < 0 || y >= boardPixels) return false;
    const int column = static_cast<int>(x) / cellSize;
    const int row = static_cast<int>(y) / cellSize;
    BoardCell& cell = cells[static_cast<std::size_t>(column + boardColumns * row)];
    if (cell.code >= 0x1000 || cellOccupied(column, row)) return false;
    cell = {};
    cell.code = makeTileCode(static_cast<int>(TileKind::Wall));
    blockTokens -= 1;
    return true;
}

void Game::setHighScore(std::uint64_t value) { highScore = std::max(value, score); }

}  // namespace corvale
