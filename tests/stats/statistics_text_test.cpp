#include "statistics_text.h"

#include <gtest/gtest.h>

namespace corvale {
namespace {

bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

TEST(StatisticsText, FreshBoardShowsZeroesWithOneDecimalAndNoPreviousSections) {
    const std::wstring text = composeStatisticsText(StatisticsSnapshot{});
    const std::wstring boardSection =
        L"CURRENT BOARD ATTEMPT\r\n"
        L"Active play: 0.0 seconds\r\n"
        L"Ink drawn: 0.0 board pixels\r\n"
        L"Strokes drawn: 0\r\n"
        L"Hits on ink: 0\r\n"
        L"Hits on wall tiles: 0\r\n"
        L"Ball-to-ball hits: 0\r\n"
        L"Balls sunk: 0\r\n"
        L"Boards cleared: 0\r\n"
        L"\r\n";
    EXPECT_TRUE(text.starts_with(L"The table covers completed boards in the current game/run and resets on\r\n"));
    EXPECT_TRUE(contains(text, L"value.\r\n\r\n" + boardSection + L"CURRENT GAME / RUN\r\n"));
    EXPECT_TRUE(contains(text, L"LIFETIME\r\n"));
    EXPECT_FALSE(contains(text, L"PREVIOUS"));
    EXPECT_FALSE(contains(text, L"Completion active time"));
    EXPECT_TRUE(text.ends_with(L"Boards cleared: 0\r\n\r\n"));
}

TEST(StatisticsText, ClearedBoardsAddCompletionLinesOnlyToTheirScope) {
    StatisticsSnapshot snapshot;
    snapshot.runCounters.playTime = 83.25;
    snapshot.runCounters.inkDrawn = 1234.56;
    snapshot.runCounters.boardsCleared = 2;
    snapshot.runCounters.completionTime = 80.04;
    snapshot.runCounters.timedBoards = 1;
    snapshot.runCounters.timeLeftAtCompletion = 12.35;
    snapshot.lifetimeCounters.ballsSunk = 1234567;
    const std::wstring text = composeStatisticsText(snapshot);
    EXPECT_TRUE(contains(text,
                         L"CURRENT GAME / RUN\r\n"
                         L"Active play: 83.2 seconds\r\n"
                         L"Ink drawn: 1234.6 board pixels\r\n"));
    EXPECT_TRUE(contains(text,
                         L"Boards cleared: 2\r\n"
                         L"Completion active time (total): 80.0 seconds\r\n"
                         L"Time remaining at completion (total): 12.3 seconds across 1 timed boards\r\n"
                         L"\r\nLIFETIME\r\n"));
    EXPECT_TRUE(contains(text, L"Balls sunk: 1234567\r\n"));  // no digit grouping
    // Only the run scope cleared boards: the line appears once.
    EXPECT_EQ(text.find(L"Completion active time"), text.rfind(L"Completion active time"));
}

TEST(StatisticsText, PreviousSectionsFollowLifetimeOnlyWhenValid) {
    StatisticsSnapshot snapshot;
    snapshot.lastRunCounters.strokesDrawn = 9;
    snapshot.lastRunValid = true;
    std::wstring text = composeStatisticsText(snapshot);
    EXPECT_FALSE(contains(text, L"PREVIOUS BOARD ATTEMPT"));
    EXPECT_TRUE(contains(text, L"Boards cleared: 0\r\n\r\nPREVIOUS GAME / RUN\r\n"));

    snapshot.lastBoardValid = true;
    text = composeStatisticsText(snapshot);
    const auto lifetime = text.find(L"LIFETIME\r\n");
    const auto board = text.find(L"PREVIOUS BOARD ATTEMPT\r\n");
    const auto run = text.find(L"PREVIOUS GAME / RUN\r\n");
    ASSERT_NE(board, std::wstring::npos);
    EXPECT_LT(lifetime, board);
    EXPECT_LT(board, run);
    EXPECT_TRUE(text.ends_with(L"Boards cleared: 0\r\n\r\n"));
}

}  // namespace
}  // namespace corvale
