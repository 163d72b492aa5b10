// Counter scopes, folding, snapshots and the completed-boards table.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "board_builder.h"
#include "game.h"
#include "statistics_table.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::gameWith;
using testing::putBall;

Level timedHoleBoard() {
    Level level = buildLevel("h10 h11\nh12 h13");
    level.timeLimit = 60;
    return level;
}

TEST(Snapshot, ReportsLivePlayTimeThenTheStoredOne) {
    Game game = gameWith(timedHoleBoard());
    putBall(game, 0, 500, 500, 0, 0);
    game.step(1.0);
    StatisticsSnapshot live = game.statisticsSnapshot();
    EXPECT_NEAR(live.boardCounters.playTime, 1.0, 1e-9);
    EXPECT_EQ(live.runCounters.playTime, live.boardCounters.playTime);
    EXPECT_EQ(game.boardCounters.playTime, 0.0) << "the live set is not touched";
    EXPECT_EQ(game.runCounters.playTime, 0.0);

    // Time out: the board's play time is stored and stays.
    game.timeRemaining = 0.01;
    game.step(0.016);
    ASSERT_EQ(game.phase, GamePhase::GameOver);
    const StatisticsSnapshot over = game.statisticsSnapshot();
    EXPECT_NEAR(over.boardCounters.playTime, 1.016, 1e-9);
    game.step(5.0);
    EXPECT_EQ(game.statisticsSnapshot(), over);
    EXPECT_NEAR(over.lifetimeCounters.playTime, 1.016, 1e-9);

    // Restart folds the board once, into both last sets.
    game.restartBoard();
    const StatisticsSnapshot after = game.statisticsSnapshot();
    EXPECT_TRUE(after.lastBoardValid);
    EXPECT_TRUE(after.lastRunValid);
    EXPECT_NEAR(after.lastBoardCounters.playTime, 1.016, 1e-9);
    EXPECT_NEAR(after.lastRunCounters.playTime, 1.016, 1e-9);
    EXPECT_EQ(after.boardCounters, PlayCounters{});
    EXPECT_EQ(game.runTimeBefore, 0.0) << "the restart's own setup did not fold it again";
}

TEST(Snapshot, RunTimeSumsTheRunsBoards) {
    Level level = buildLevel("h10 h11\nh12 h13");
    level.timeLimit = 0;
    Game game = gameWith(level);
    putBall(game, 1, 400, 400, 0, 0);
    game.step(2.0);
    game.balls[0].x = 32;
    game.balls[0].y = 32;
    game.step(0.016);
    ASSERT_EQ(game.phase, GamePhase::BoardComplete);
    EXPECT_EQ(game.boardCounters.timedBoards, 0u);
    EXPECT_EQ(game.boardCounters.timeLeftAtCompletion, 0.0);
    EXPECT_NEAR(game.boardCounters.completionTime, 2.016, 1e-9);
    game.step(1.6);  // on to the next board, which clears at once
    ASSERT_EQ(game.boardNumber, 2);
    EXPECT_TRUE(game.lastBoardValid);
    EXPECT_NEAR(game.lastBoardCounters.playTime, 2.016, 1e-9);
    EXPECT_NEAR(game.runTimeBefore, 2.016, 1e-9);
    EXPECT_EQ(game.runCounters.ballsSunk, 1u);
    EXPECT_NEAR(game.statisticsSnapshot().runCounters.playTime, 2.016 + game.elapsed, 1e-9);
}

TEST(Snapshot, NewGameRightAfterConstructionMarksBothLastSetsValid) {
    Game game = gameWith(buildLevel("o1"));
    EXPECT_TRUE(game.lastBoardValid) << "gameWith's newGame followed construction";
    std::vector<Level> levels{buildLevel("o1")};
    Game fresh(std::move(levels));
    EXPECT_FALSE(fresh.lastBoardValid);
    fresh.newGame(0, 1);
    EXPECT_TRUE(fresh.lastBoardValid);
    EXPECT_TRUE(fresh.lastRunValid);
}

TEST(LifetimeStatistics, OnlyTheFirstLoadCounts) {
    Game game = gameWith(buildLevel("o1"));
    PlayCounters first;
    first.ballsSunk = 7;
    first.playTime = 12.5;
    PlayCounters second;
    second.ballsSunk = 99;
    game.loadLifetimeStatistics(first);
    game.loadLifetimeStatistics(second);
    EXPECT_EQ(game.lifetimeCounters, first);
    EXPECT_TRUE(game.lifetimeLoaded);
    game.beginStroke(100, 100);
    EXPECT_EQ(game.statisticsSnapshot().lifetimeCounters.strokesDrawn, 1u);
    game.newGame(0, 0);
    EXPECT_EQ(game.lifetimeCounters.strokesDrawn, 1u) << "never reset by play";
}

TEST(StatisticsTable, ColumnsAndClassicNumberTexts) {
    const StatisticsTable empty = buildStatisticsTable({});
    EXPECT_EQ(empty.columns, (StatisticsTable::Row{L"Board ID", L"Time used", L"Time available", L"Points obtained",
                                                   L"Maximum points available", L"Ink drawn (px)"}));
    EXPECT_TRUE(empty.rows.empty());

    // Even under a locale with a decimal comma and grouping.
    struct CommaDecimals : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));

    const std::vector<CompletedBoard> boards{{12, 5.0, 0, 0, 1230, 0.0}, {-3, 37.25, 120, 20000, 123456, 1234.5}};
    const StatisticsTable table = buildStatisticsTable(boards);
    std::locale::global(previous);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (StatisticsTable::Row{L"12", L"5.00 s", L"Unlimited", L"0", L"1230", L"0.0"}));
    EXPECT_EQ(table.rows[1], (StatisticsTable::Row{L"-3", L"37.25 s", L"120 s", L"20000", L"123456", L"1234.5"}));
}

}  // namespace
}  // namespace corvale
