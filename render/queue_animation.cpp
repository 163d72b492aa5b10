// The queue balls sliding along the header trough, and the length of the
// gold border sweep of a cleared board. Both follow simulated time
// (boardAge), so they stop while the game is paused and do not depend on
// the frame rate.
#include <algorithm>
#include <cmath>

#include "renderer.h"

namespace corvale {
namespace {

constexpr double stepSeconds = 0.015;
constexpr double slotSpacing = 18.0;
constexpr double frontStop = 6.0;
constexpr double entryX = 104.0;  // right edge of the trough's visible part
constexpr double sweepStepSeconds = 0.02;

}  // namespace

void Renderer::updateQueueAnimation(const Game& game) {
    if (game.boardsStarted != queueBoard) {
        queueBoard = game.boardsStarted;
        queueAccumulator = 0.0;
        queueClock = 0.0;
        for (std::size_t i = 0; i < queueSlots; ++i) slotX[i] = entryX + slotSpacing * static_cast<double>(i);
        slotSpeed.fill(0.0);
        queueLength = game.queue.size();
        lastPhase = 0;
        sweepSteps = 0;
    }

    const std::uint64_t length = game.queue.size();
    if (length < queueLength) {
        const std::uint64_t launches = std::min<std::uint64_t>(queueLength - length, queueSlots);
        for (std::uint64_t n = 0; n < launches; ++n) {
            for (std::size_t i = 0; i + 1 < queueSlots; ++i) {
                slotX[i] = slotX[i + 1];
                slotSpeed[i] = slotSpeed[i + 1];
            }
            slotX[queueSlots - 1] = std::max(slotX[queueSlots - 1] + slotSpacing, entryX);
            slotSpeed[queueSlots - 1] = 0.0;
        }
    }
    queueLength = length;

    const double dt = std::max(game.boardAge - queueClock, 0.0);
    queueClock = game.boardAge;
    queueAccumulator += dt;
    while (queueAccumulator + 1e-12 >= stepSeconds) {
        queueAccumulator -= stepSeconds;
        if (!game.queue.empty()) stepQueueSlots();
    }

    const auto phase = static_cast<std::int32_t>(game.phase);
    const auto complete = static_cast<std::int32_t>(GamePhase::BoardComplete);
    if (phase == complete && lastPhase != complete) {
        const double steps = std::floor(game.completeTime / sweepStepSeconds) + std::ceil(game.timeRemaining);
        // Clamped so that an absurd clock cannot overflow the conversion.
        sweepSteps = game.unlimitedTime || !(steps > 0.0) ? 0 : static_cast<std::int32_t>(std::min(steps, 1e9));
    }
    lastPhase = phase;
}

void Renderer::stepQueueSlots() {
    double stop = frontStop;
    for (std::size_t i = 0; i < queueSlots; ++i) {
        const double deceleration = static_cast<double>(queueSlots - i);  // 6 at the front .. 1 at the back
        if (slotX[i] > stop) {
            slotSpeed[i] -= deceleration;
            slotX[i] += slotSpeed[i] * stepSeconds;
        } else {
            // A slot that overshot its stop is put back on it here.
            slotX[i] = stop;
            slotSpeed[i] = 0.0;
        }
        stop = slotX[i] + slotSpacing;
    }
}

}  // namespace corvale
