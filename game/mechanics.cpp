// The seven timing and speed settings of the board in play: their original
// values, the checks a change must pass, and applying it to a running board.
#include <cmath>

#include "game.h"

namespace corvale {
namespace {

bool within(double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; }

bool multiplierTooFast(const BallList& balls, double ratio) {
    for (const Ball& ball : balls) {
        if (!ball.active) continue;
        const double vx = ratio * ball.vx;
        const double vy = ratio * ball.vy;
        if (!std::isfinite(vx) || !std::isfinite(vy) || std::fabs(vx) > 2000 || std::fabs(vy) > 2000) return true;
    }
    return false;
}

}  // namespace

Mechanics Game::levelMechanics() const {
    const Level& level = levels[static_cast<std::size_t>(levelIndex)];
    return {level.timeLimit, level.launchInterval, level.minSpeed, level.maxSpeed, 1.0, 1.0, 400.0};
}

std::string Game::validateMechanics(const Mechanics& m) const {
    if (m.timeLimit < 0 || m.timeLimit > 999) return "Time limit must be from 0 to 999 seconds; 0 means unlimited.";
    if (m.launchInterval < 0 || m.launchInterval > 60) return "Launch interval must be from 0 to 60 seconds.";
    if (m.minSpeed < 1 || m.maxSpeed > 1000 || m.minSpeed > m.maxSpeed)
        return "Initial speeds must be from 1 to 1000 px/s, with minimum no greater than maximum.";
    if (!within(m.ballSpeedMultiplier, 0.1, 4)) return "Ball speed multiplier must be from 0.1 to 4.";
    if (m.maxSpeed * m.ballSpeedMultiplier > 2000)
        return "Maximum initial speed times the ball multiplier must not exceed 2000 px/s.";
    if (!within(m.chevronBoost, 0, 20)) return "Chevron boost must be from 0 to 20 times the original strength.";
    if (!within(m.chevronSpeedLimit, 1, 2000)) return "Chevron speed limit must be from 1 to 2000 px/s per axis.";
    if (m.ballSpeedMultiplier != mechanics.ballSpeedMultiplier &&
        multiplierTooFast(balls, m.ballSpeedMultiplier / mechanics.ballSpeedMultiplier))
        return "This multiplier would raise a moving ball above 2000 px/s per axis. Use a smaller multiplier.";
    return {};
}

bool Game::applyMechanics(const Mechanics& m, std::string& outMessage) {
    outMessage = validateMechanics(m);
    if (!outMessage.empty()) return false;

    // Outside play the new limit waits for the next setup: a cleared board
    // would otherwise pay its time bonus again.
    if (m.timeLimit != mechanics.timeLimit && phase == GamePhase::Playing) {
        timeRemaining = m.timeLimit;
        clockVisible = true;
        clockBlinkTimer = 0.0;
        unlimitedTime = m.timeLimit == 0;
    }
    // Before the first launch the opening countdown stands.
    if (m.launchInterval != mechanics.launchInterval && clockRunning && !queue.empty()) {
        launchCountdown = m.launchInterval;
        nextBallBlink = false;
        launchBlinkTimer = 0.0;
    }
    if (m.ballSpeedMultiplier != mechanics.ballSpeedMultiplier) {
        const double ratio = m.ballSpeedMultiplier / mechanics.ballSpeedMultiplier;
        for (Ball& ball : balls) {
            if (!ball.active) continue;
            ball.vx *= ratio;
            ball.vy *= ratio;
        }
    }
    mechanics = m;
    outMessage.clear();
    return true;
}

}  // namespace corvale
