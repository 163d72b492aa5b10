// How a Game comes into being and moves from run to run and board to board.
#include <algorithm>
#include <stdexcept>

#include "game.h"

namespace corvale {
namespace {

constexpr const char* indexOutOfRange = "Corvale level index is out of range.";

}  // namespace

Game::Game(std::vector<Level>&& levelList) : Game(LevelList(std::move(levelList))) {}

Game::Game(LevelList levelList) {
    if (levelList.empty()) throw std::invalid_argument("Corvale requires at least one level.");
    levels = std::move(levelList);
    endRun();
    seedFromClock();
    recentNormal.clear();
    recentBonus.clear();
    difficulty = 0;
    resetRunScore();
    setupBoard(static_cast<std::int64_t>(pickLevel(false)), false);
}

void Game::newGame(int requestedDifficulty, std::uint32_t seed) {
    endRun();
    const int d = std::clamp(requestedDifficulty, 0, 4);
    if (boardsStarted > 0) {
        if (seed != 0) {
            rngState = seed;
            recentNormal.clear();
            recentBonus.clear();
        } else if (d != difficulty) {
            // Another difficulty's history means nothing here; the generator runs on.
            recentNormal.clear();
            recentBonus.clear();
        }
    } else {
        if (seed != 0)
            rngState = seed;
        else
            seedFromClock();
        recentNormal.clear();
        recentBonus.clear();
    }
    difficulty = d;
    resetRunScore();
    setupBoard(static_cast<std::int64_t>(pickLevel(false)), false);
}

void Game::startLevel(std::int64_t index, bool newRun) {
    if (index < 0 || static_cast<std::uint64_t>(index) >= levels.size()) throw std::out_of_range(indexOutOfRange);
    if (newRun) {
        endRun();
        resetRunScore();
    }
    setupBoard(index, false);
}

void Game::restartBoard() {
    endRun();
    resetRunScore();
    setupBoard(static_cast<std::int64_t>(levelIndex), true);
}

void Game::resetRunScore() {
    boardsCleared = 0;
    score = 0;
    blockTokens = 0;
    blockThreshold = 0;
}

double Game::boardPlayTime() const {
    return phase == GamePhase::Playing ? elapsed : boardCounters.playTime;
}

void Game::endRun() {
    completedBoards.clear();
    if (boardsStarted > 0) {
        const double boardTime = boardPlayTime();
        lastBoardCounters = boardCounters;
        lastBoardCounters.playTime = boardTime;
        lastRunCounters = runCounters;
        lastRunCounters.playTime = runTimeBefore + boardTime;
        lastBoardValid = true;
        lastRunValid = true;
    }
    runCounters = {};
    boardCounters = {};
    runTimeBefore = 0.0;
    // The board set up next belongs to the new run; it must not be folded again.
    boardCommitted = true;
}

void Game::initWallCell(BoardCell& cell) const {
    const int kind = tileKindOf(cell.code);
    if (kind == static_cast<int>(TileKind::TimedWall)) {
        cell.wallFrame = tileP0(cell.code);
        cell.wallState = cell.wallFrame != 0 ? 2 : 0;
    } else if (kind == static_cast<int>(TileKind::KeyholeWall)) {
        cell.wallFrame = tileP1(cell.code);
        cell.wallState = cell.wallFrame != 0 ? 2 : 0;
    }
}

void Game::setupBoard(std::int64_t index, bool keepMechanics) {
    if (index < 0 || static_cast<std::uint64_t>(index) >= levels.size()) throw std::out_of_range(indexOutOfRange);
    const Level& level = levels[static_cast<std::size_t>(index)];

    if (boardsStarted > 0 && !boardCommitted) {
        const double boardTime = boardPlayTime();
        lastBoardCounters = boardCounters;
        lastBoardCounters.playTime = boardTime;
        lastBoardValid = true;
        runTimeBefore += boardTime;
    }
    boardCounters = {};
    boardCommitted = false;
    levelIndex = static_cast<std::uint64_t>(index);
    scoreAtBoardStart = score;

    if (!keepMechanics)
        mechanics = {level.timeLimit, level.launchInterval, level.minSpeed, level.maxSpeed, 1.0, 1.0, 400.0};

    difficulty = level.difficulty;
    boardId = level.id;
    boardNumber = boardsCleared + 1;
    bonusBoard = level.bonus;

    timeRemaining = mechanics.timeLimit;
    unlimitedTime = mechanics.timeLimit == 0;
    clockVisible = true;
    clockRunning = level.queue.empty();
    phase = GamePhase::Playing;
    paused = false;
    clockBlinkTimer = 0.0;
    message.clear();

    balls.clear();
    strokes.clear();
    inkIndex.valid = false;
    queue = level.queue;

    boardsStarted += 1;
    launchCountdown = 4.0;
    nextBallBlink = false;
    completeTime = 0.0;
    boardAge = 0.0;
    elapsed = 0.0;
    launchBlinkTimer = 0.0;
    advanceTimer = 0.0;
    bonusTick = 0.0;
    drawingStrokeId = 0;
    nextBallId = 1;
    launchers.clear();

    if (level.randomizeQueue) {
        const int n = static_cast<int>(queue.size());
        for (int i = 0; i < n; ++i) {
            const int j = randomBelow(n);
            std::swap(queue[static_cast<std::size_t>(i)], queue[static_cast<std::size_t>(j)]);
        }
    }

    for (int i = 0; i < boardCellCount; ++i) {
        BoardCell& cell = cells[static_cast<std::size_t>(i)];
        cell = {};
        cell.code = level.cells[static_cast<std::size_t>(i)].code;
        cell.revealedCode = level.cells[static_cast<std::size_t>(i)].revealedCode;
        initWallCell(cell);
        const int kind = tileKindOf(cell.code);
        if (kind == static_cast<int>(TileKind::Launcher)) {
            launchers.push_back(i);
        } else if (kind == static_cast<int>(TileKind::PreplacedBall)) {
            const int heading = tileHeading(cell.code);
            const double x = cellSize * (i % boardColumns) + 16;
            const double y = cellSize * (i / boardColumns) + 16;
            addBall(tileP0(cell.code), x, y, heading == 255 ? -1.0 : heading * 11.25);
            cell = {};
        }
    }
}

}  // namespace corvale
