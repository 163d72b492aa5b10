// The simulation step: real time cut into slices of at most 0.016 s (clock,
// launcher, walls) and each slice into sub-steps of at most 0.004 s (motion
// and collisions), so results do not depend on the caller's frame rate.
#include <algorithm>
#include <cmath>

#include "game.h"

namespace corvale {

void Game::step(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0 || paused || phase == GamePhase::GameOver) return;
    // Near 3e14 s subtracting a slice no longer changes the remainder.
    double t = std::min(seconds, maxStepSeconds);
    while (t > 1e-10 && !paused && phase != GamePhase::GameOver) {
        const double slice = std::min(sliceSeconds, t);
        if (!runSlice(slice)) return;
        t -= slice;
    }
}

bool Game::runSlice(double slice) {
    boardAge += slice;
    if (phase == GamePhase::BoardComplete) {
        runCompletionPhase(slice);
        return true;
    }
    if (!runClock(slice)) return false;
    runLauncher(slice);
    updateWalls(slice);

    double remaining = slice;
    while (phase == GamePhase::Playing) {
        const double h = std::min(subStepSeconds, remaining);
        remaining -= h;
        runSubStep(h);
        if (remaining <= 1e-10) break;
    }
    if (phase == GamePhase::GameOver) return false;
    grantBlockTokens();
    return true;
}

void Game::runSubStep(double h) {
    for (std::size_t i = 0; i < balls.size(); ++i) {
        Ball& ball = balls[i];
        if (!ball.active) continue;
        moveBall(ball, h);
        if (phase != GamePhase::Playing) return;  // a wrong hole ends the step
    }
    testBoardComplete();
}

void Game::moveBall(Ball& ball, double h) {
    const double x0 = ball.x;
    const double y0 = ball.y;
    const double r0 = ball.radius;
    ball.x += h * ball.vx;
    ball.y += h * ball.vy;
    if (clampToBoard(ball)) return;

    applyHolesAndRamps(ball);
    if (!ball.active || phase != GamePhase::Playing) return;

    // Collisions are only tested once the ball has crossed a whole-pixel boundary.
    if (std::trunc(x0 - r0) == std::trunc(ball.x - ball.radius) &&
        std::trunc(y0 - r0) == std::trunc(ball.y - ball.radius))
        return;

    collideBalls(ball);
    if (!strokes.empty()) collideInk(ball);
    collideTiles(ball);
}

void Game::setPaused(bool value) {
    paused = value;
    if (value) drawingStrokeId = 0;
}

}  // namespace corvale
