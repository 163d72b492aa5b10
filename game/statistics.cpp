// The counter sets the Game feeds, and the snapshot readers take of them.
#include "game.h"

namespace corvale {

void Game::addCount(std::uint64_t PlayCounters::*field) {
    boardCounters.*field += 1;
    runCounters.*field += 1;
    lifetimeCounters.*field += 1;
}

void Game::addTime(double PlayCounters::*field, double amount) {
    boardCounters.*field += amount;
    runCounters.*field += amount;
    lifetimeCounters.*field += amount;
}

void Game::loadLifetimeStatistics(const PlayCounters& counters) {
    if (lifetimeLoaded) return;
    lifetimeCounters = counters;
    lifetimeLoaded = true;
}

StatisticsSnapshot Game::statisticsSnapshot() const {
    StatisticsSnapshot snapshot;
    snapshot.boardCounters = boardCounters;
    snapshot.runCounters = runCounters;
    snapshot.lastBoardCounters = lastBoardCounters;
    snapshot.lastRunCounters = lastRunCounters;
    snapshot.lifetimeCounters = lifetimeCounters;
    snapshot.lastBoardValid = lastBoardValid;
    snapshot.lastRunValid = lastRunValid;
    snapshot.boardCounters.playTime = boardPlayTime();
    snapshot.runCounters.playTime = runTimeBefore + snapshot.boardCounters.playTime;
    return snapshot;
}

}  // namespace corvale
