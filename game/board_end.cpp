// How a board ends: the clock running out, the last ball sunk, and the
// completion phase that pays the time bonus and moves on to the next board.
#include <algorithm>

#include "game.h"

namespace corvale {
namespace {

constexpr double bonusSecondInterval = 0.02;  // one clock second paid out per 0.02 s
constexpr double advanceDelay = 1.5;
constexpr int boardsPerBonus = 5;

}  // namespace

bool Game::runClock(double slice) {
    if (!clockRunning) return true;
    elapsed += slice;
    lifetimeCounters.playTime += slice;
    if (unlimitedTime) return true;

    timeRemaining = std::max(timeRemaining - slice, 0.0);
    if (timeRemaining == 0.0) {
        endGame(timeOutMessage);
        return false;
    }
    // The last ten seconds blink.
    if (timeRemaining >= 1 && timeRemaining < 11) {
        clockBlinkTimer += slice;
        if (clockBlinkTimer + 1e-12 >= 0.333) {
            clockVisible = !clockVisible;
            clockBlinkTimer = 0.0;
        }
    } else {
        clockVisible = true;
        clockBlinkTimer = 0.0;
    }
    return true;
}

void Game::testBoardComplete() {
    if (phase != GamePhase::Playing || !queue.empty()) return;
    for (const Ball& ball : balls)
        if (ball.active) return;

    CompletedBoard record;
    record.boardId = boardId;
    record.time = elapsed;
    record.timeLimit = mechanics.timeLimit;
    record.points = score - scoreAtBoardStart;
    record.possiblePoints = possiblePoints(levels[static_cast<std::size_t>(levelIndex)]);
    record.inkLength = boardCounters.inkDrawn;
    completedBoards.push_back(record);

    phase = GamePhase::BoardComplete;
    clockVisible = true;
    addCount(&PlayCounters::boardsCleared);
    boardCounters.playTime = elapsed;
    addTime(&PlayCounters::completionTime, elapsed);
    if (!unlimitedTime) {
        addTime(&PlayCounters::timeLeftAtCompletion, timeRemaining);
        addCount(&PlayCounters::timedBoards);
    }
    completeTime = 0.0;
    advanceTimer = 0.0;
    bonusTick = 0.0;
    drawingStrokeId = 0;
}

void Game::runCompletionPhase(double slice) {
    completeTime += slice;
    if (!unlimitedTime && timeRemaining > 0) {
        bonusTick += slice;
        while (bonusTick >= bonusSecondInterval && timeRemaining > 0) {
            bonusTick -= bonusSecondInterval;
            timeRemaining = std::max(timeRemaining - 1, 0.0);
            awardPoints(1);
        }
        return;
    }
    advanceTimer += slice;
    if (advanceTimer < advanceDelay) return;
    boardsCleared += 1;
    // Boards 6, 11, 16 ... of a run are bonus boards.
    setupBoard(static_cast<std::int64_t>(pickLevel(boardsCleared % boardsPerBonus == 0)), false);
}

}  // namespace corvale
