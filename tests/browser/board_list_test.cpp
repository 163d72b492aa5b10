#include "board_list.h"

#include <gtest/gtest.h>

#include "level_builders.h"

namespace corvale {
namespace {

using test::cellAt;
using test::levelSet;
using test::plainLevel;

std::vector<std::int32_t> idsOf(const std::vector<Level>& levels, const std::vector<std::size_t>& shown) {
    std::vector<std::int32_t> ids;
    for (const std::size_t i : shown) ids.push_back(levels[i].id);
    return ids;
}

// Eight levels whose ids are not their positions, so sorting by id is
// distinguishable from keeping list order.
std::vector<Level> timedLevels() {
    const std::int32_t times[] = {60, 0, 35, 34, 0, 35, 200, 34};
    const std::int32_t ids[] = {7, 3, 5, 6, 1, 2, 0, 4};
    std::vector<Level> levels;
    for (std::size_t i = 0; i < std::size(times); ++i) {
        Level level = plainLevel();
        level.id = ids[i];
        level.timeLimit = times[i];
        level.bonus = times[i] == 0;
        level.difficulty = static_cast<std::int32_t>(i % 2);
        levels.push_back(level);
    }
    return levels;
}

TEST(BoardList, FiltersByDifficultyAndTypeInIdOrder) {
    std::vector<Level> levels = levelSet(plainLevel());
    for (Level& level : levels) {
        if (level.bonus) level.timeLimit = 0;
    }
    const auto all = filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::ById);
    EXPECT_EQ(all.size(), 551u);

    const auto expertBonus = filterLevels(levels, 4, TypeFilter::BonusOnly, SortOrder::ById);
    std::vector<std::int32_t> expected;
    for (std::int32_t id = 534; id <= 550; ++id) expected.push_back(id);
    EXPECT_EQ(idsOf(levels, expertBonus), expected);
    for (const std::size_t i : expertBonus) EXPECT_EQ(makeBrowserRow(levels[i]).columns[3], L"Unlimited");

    const auto beginnerNormal = filterLevels(levels, 0, TypeFilter::NormalOnly, SortOrder::ById);
    ASSERT_EQ(beginnerNormal.size(), 138u);
    EXPECT_EQ(levels[beginnerNormal.back()].id, 137);
    EXPECT_TRUE(filterLevels({}, -1, TypeFilter::AllTypes, SortOrder::TimeLongestFirst).empty());
}

TEST(BoardList, TimeOrdersTreatUnlimitedAsInfinityAndBreakTiesById) {
    const std::vector<Level> levels = timedLevels();
    // ids by time: 34 s {6, 4}, 35 s {5, 2}, 60 s {7}, 200 s {0}, unlimited {3, 1}
    EXPECT_EQ(idsOf(levels, filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::TimeShortestFirst)),
              (std::vector<std::int32_t>{4, 6, 2, 5, 7, 0, 1, 3}));
    EXPECT_EQ(idsOf(levels, filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::TimeLongestFirst)),
              (std::vector<std::int32_t>{1, 3, 0, 7, 2, 5, 4, 6}));
    EXPECT_EQ(idsOf(levels, filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::ById)),
              (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    // Filters apply before sorting: difficulty 1 holds positions 1, 3, 5, 7.
    EXPECT_EQ(idsOf(levels, filterLevels(levels, 1, TypeFilter::NormalOnly, SortOrder::TimeLongestFirst)),
              (std::vector<std::int32_t>{2, 4, 6}));
}

TEST(BoardList, RowTextsComeFromTheLevel) {
    Level level = plainLevel();
    level.id = 489;
    level.difficulty = 4;
    level.bonus = true;
    level.timeLimit = 0;
    level.queue = {1, 2, 3};
    cellAt(level, 3, 3).code = 0x9FF1;
    cellAt(level, 4, 3).code = 0x9002;
    cellAt(level, 5, 3).code = 0x4001;  // a breakable wall revealing a ball is no preplaced ball
    cellAt(level, 5, 3).revealedCode = 0x9001;
    const BrowserRow row = makeBrowserRow(level);
    const std::array<std::wstring, 6> expected{L"489", L"Expert", L"Bonus", L"Unlimited", L"3", L"2"};
    EXPECT_EQ(row.columns, expected);
    EXPECT_EQ(formatTimeAllowed(34), "34 s");
    EXPECT_EQ(makeBrowserRow(plainLevel()).columns[2], L"Normal");
}

TEST(BoardList, TypeAheadMatchesIdTextsFromTheStartRow) {
    std::vector<Level> levels(120, plainLevel());
    for (std::size_t i = 0; i < levels.size(); ++i) levels[i].id = static_cast<std::int32_t>(i);
    const std::vector<BrowserRow> rows = makeBrowserRows(levels);
    const auto shown = filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::ById);

    EXPECT_EQ(findTypeAhead(rows, shown, L"4", 1, true, false), 4);
    EXPECT_EQ(findTypeAhead(rows, shown, L"42", 4, true, false), 42);
    EXPECT_EQ(findTypeAhead(rows, shown, L"4", 5, true, false), 40);
    EXPECT_EQ(findTypeAhead(rows, shown, L"4", 50, true, false), -1);
    EXPECT_EQ(findTypeAhead(rows, shown, L"4", 50, true, true), 4);
    EXPECT_EQ(findTypeAhead(rows, shown, L"10", -3, false, false), 10);  // whole text: not 100
    EXPECT_EQ(findTypeAhead(rows, shown, L"10", 11, false, true), 10);
    EXPECT_EQ(findTypeAhead(rows, shown, L"x", 0, true, true), -1);
    EXPECT_EQ(findTypeAhead(rows, shown, L"1", 500, true, true), 1);  // a start beyond the rows wraps to the top

    // Rows are matched in their shown order, not by level index.
    const std::vector<std::size_t> reversed(shown.rbegin(), shown.rend());
    EXPECT_EQ(findTypeAhead(rows, reversed, L"42", 0, true, false), 119 - 42);
}

}  // namespace
}  // namespace corvale
