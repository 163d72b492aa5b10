// New balls: their speed and heading, and the launcher that feeds the queue
// onto the board.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "game.h"

namespace corvale {

void Game::addBall(int color, double x, double y, double headingDegrees) {
    if (balls.full()) return;
    Ball ball;
    ball.id = nextBallId;
    nextBallId += 1;
    ball.color = std::clamp(color, 0, 4);
    ball.x = x;
    ball.y = y;

    const int spread = mechanics.maxSpeed - mechanics.minSpeed;
    const double speed = (mechanics.minSpeed + (spread > 0 ? randomBelow(spread) : 0)) * mechanics.ballSpeedMultiplier;
    if (headingDegrees >= 0) {
        // 0 degrees is straight up, 90 is to the right.
        const double a = headingDegrees * std::numbers::pi / 180.0;
        ball.vx = speed * std::sin(a);
        ball.vy = -speed * std::cos(a);
    } else {
        const double f = (nextRandom() % 100) / 100.0;
        double ax = f * speed;
        double ay = std::sqrt(std::max(speed * speed - ax * ax, 0.0));
        if (nextRandom() % 2 == 1) ax = -ax;
        if (nextRandom() % 2 == 1) ay = -ay;
        ball.vx = ax;
        ball.vy = ay;
    }
    balls.push_back(ball);
}

void Game::runLauncher(double slice) {
    if (queue.empty()) {
        clockRunning = true;
        return;
    }
    launchCountdown -= slice;
    if (launchCountdown <= 0.8) {
        launchBlinkTimer += slice;
        if (launchBlinkTimer >= 0.1) {
            nextBallBlink = !nextBallBlink;
            launchBlinkTimer = 0.0;
        }
    }
    // Queued balls without a launcher are never launched, and the clock never starts.
    if (launchCountdown > 0 || launchers.empty()) return;

    const int j = randomBelow(static_cast<int>(launchers.size()));
    const int cell = launchers[static_cast<std::size_t>(j)];
    const int column = cell % boardColumns;
    const int row = cell / boardColumns;
    if (cellOccupied(column, row)) {
        // Tried again next slice, with a fresh choice of launcher.
        launchCountdown = 0.0;
        return;
    }
    addBall(queue.front(), cellSize * column + 16.0, cellSize * row + 16.0, -1.0);
    queue.erase(queue.begin());
    launchCountdown = mechanics.launchInterval;
    nextBallBlink = false;
    clockRunning = true;
}

}  // namespace corvale
