// The simulation step: real time cut into slices of at most 0.016 s (clock,
// launcher, walls) and each slice into sub-steps of at most 0.004 s (motion
// and collisions), so results do not depend on the caller's frame rate.
#include <algorithm>
#include <cmath>

#include "game.h"
#include "geometry.h"

namespace corvale {

void Game::step(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0 || paused || phase == GamePhase::GameOver) return;
    // Near 3e14 s subtracting a slice no longer changes the remainder.
    double t = std::min(seconds, maxStepSeconds);
    // Strokes change only between steps (and when a ball erases them), so
    // the index holds for this call and is dropped when it returns.
    buildInkIndex();
    while (t > 1e-10 && !paused && phase != GamePhase::GameOver) {
        const double slice = std::min(sliceSeconds, t);
        if (!runSlice(slice)) break;
        t -= slice;
    }
    dropInkIndex();
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
        if (subStepWatch != nullptr) subStepWatch(*this, subStepWatchContext);
        if (remaining <= 1e-10) break;
    }
    if (phase == GamePhase::GameOver) return false;
    grantBlockTokens();
    return true;
}

void Game::runSubStep(double h) {
    // Balls may have been added, sunk or edited since the last sub-step.
    bands = BallBands{};
    bands.row.fill(-1);
    bands.column.fill(-1);
    for (std::size_t i = 0; i < balls.size(); ++i) notePosition(i);
    for (std::size_t i = 0; i < balls.size(); ++i) {
        if (!balls[i].active) continue;
        moveBall(i, h);
        if (phase != GamePhase::Playing) return;  // a wrong hole ends the step
    }
    testBoardComplete();
}

void Game::notePosition(std::size_t i) {
    const Ball& ball = balls[i];
    positions.x[i] = ball.active ? ball.x : 1e300;
    positions.y[i] = ball.active ? ball.y : 1e300;
    positions.radius[i] = ball.radius;

    const std::uint64_t bit = std::uint64_t{1} << i;
    if (bands.row[i] >= 0) {
        bands.rows[static_cast<std::size_t>(bands.row[i]) + 1] &= ~bit;
        bands.columns[static_cast<std::size_t>(bands.column[i]) + 1] &= ~bit;
        bands.row[i] = bands.column[i] = -1;
    }
    bands.wide &= ~bit;
    if (!ball.active) return;
    if (!(ball.radius <= 16.0) || !std::isfinite(ball.x) || !std::isfinite(ball.y)) {
        bands.wide |= bit;
        return;
    }
    // Clamped, so a ball off the board still shares a band with its neighbours.
    const auto band = [](double v, int last) {
        return static_cast<std::int8_t>(v < cellSize ? 0 : v >= last * cellSize ? last : static_cast<int>(v / cellSize));
    };
    bands.row[i] = band(ball.y, boardRows - 1);
    bands.column[i] = band(ball.x, boardColumns - 1);
    bands.rows[static_cast<std::size_t>(bands.row[i]) + 1] |= bit;
    bands.columns[static_cast<std::size_t>(bands.column[i]) + 1] |= bit;
}

void Game::moveBall(std::size_t i, double h) {
    Ball& ball = balls[i];
    const double x0 = ball.x;
    const double y0 = ball.y;
    const double r0 = ball.radius;
    ball.x += h * ball.vx;
    ball.y += h * ball.vy;
    const bool bounced = clampToBoard(ball);
    if (!bounced) applyHolesAndRamps(ball);
    notePosition(i);
    if (bounced || !ball.active || phase != GamePhase::Playing) return;

    // Collisions are only tested once the ball has crossed a whole-pixel boundary.
    if (truncate(x0 - r0) == truncate(ball.x - ball.radius) && truncate(y0 - r0) == truncate(ball.y - ball.radius))
        return;

    collideBalls(i);
    if (!strokes.empty()) collideInk(ball);
    collideTiles(ball);
}

void Game::setPaused(bool value) {
    paused = value;
    if (value) drawingStrokeId = 0;
}

}  // namespace corvale
