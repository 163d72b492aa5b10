// Holes: the pull that draws a ball in, the capture with its colour rule,
// the points, and the keyhole walls that a sunk ball toggles.
#include <algorithm>
#include <cmath>

#include "game.h"
#include "geometry.h"

namespace corvale {
namespace {

std::uint64_t pointsForColor(int color) {
    switch (color) {
        case 1: return 200;
        case 2: return 400;
        case 3: return 800;
        case 4: return 1600;
        default: return 0;
    }
}

}  // namespace

void Game::captureOrPull(Ball& ball, BoardPoint holeCentre, int holeColor) {
    const double tx = truncate(ball.x) - holeCentre.x;
    const double ty = truncate(ball.y) - holeCentre.y;
    const double v = std::sqrt(tx * tx + ty * ty);
    ball.nearHole = v <= 42;
    if (v + ball.radius <= 12) {
        captureBall(ball, holeColor);
        return;
    }
    if (v > 1e-12 && v <= 32) {
        // Per sub-step whatever its length: a pull toward the centre and a slight braking.
        const double k = 25.0 / (v * v);
        ball.vx = ball.vx * 0.993 - k * tx;
        ball.vy = ball.vy * 0.993 - k * ty;
        ball.pull = static_cast<std::int32_t>(truncate(-24.0 / v));
        ball.radius = std::max(12.0 + ball.pull, 1.0);
    }
}

void Game::captureBall(Ball& ball, int holeColor) {
    // Gray is the wildcard on either side.
    if (holeColor != 0 && ball.color != 0 && holeColor != ball.color) {
        endGame(wrongHoleMessage);
        return;
    }
    ball.active = false;
    addCount(&PlayCounters::ballsSunk);
    if (holeColor != 0) awardPoints(pointsForColor(ball.color));
    if (holeColor != 0 && ball.color != 0) toggleKeyholes(holeColor);
}

void Game::toggleKeyholes(int color) {
    for (BoardCell& cell : cells) {
        if (tileKindOf(cell.code) != static_cast<int>(TileKind::KeyholeWall) || tileP0(cell.code) != color) continue;
        cell.wallState = cell.wallState == 0 ? 1 : 0;
    }
}

void Game::endGame(const char* reason) {
    boardCounters.playTime = elapsed;
    clockVisible = true;
    phase = GamePhase::GameOver;
    message = reason;
    drawingStrokeId = 0;
}

}  // namespace corvale
