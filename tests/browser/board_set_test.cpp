// The browser's view of the committed board set (resources/levels.bin).
#include <gtest/gtest.h>

#include "board_description.h"
#include "board_list.h"
#include "committed_levels.h"

namespace corvale {
namespace {

TEST(CommittedBoardSet, ExpertBonusBoardsAndUnlimitedTimes) {
    const std::vector<Level> levels = test::committedLevels();
    ASSERT_EQ(levels.size(), 551u);
    EXPECT_EQ(filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::ById).size(), 551u);

    const auto expertBonus = filterLevels(levels, 4, TypeFilter::BonusOnly, SortOrder::ById);
    ASSERT_EQ(expertBonus.size(), 17u);
    for (std::size_t i = 0; i < expertBonus.size(); ++i) {
        EXPECT_EQ(levels[expertBonus[i]].id, static_cast<std::int32_t>(534 + i));
        EXPECT_EQ(makeBrowserRow(levels[expertBonus[i]]).columns[3], L"Unlimited");
    }
    // Every bonus board is unlimited, so the unlimited rows close the
    // shortest-first order in ID order.
    const auto bonus = filterLevels(levels, -1, TypeFilter::BonusOnly, SortOrder::ById);
    const auto shortest = filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::TimeShortestFirst);
    std::vector<std::size_t> unlimited;
    for (const std::size_t i : shortest) {
        if (levels[i].timeLimit == 0) unlimited.push_back(i);
    }
    for (const std::size_t i : bonus) EXPECT_EQ(levels[i].timeLimit, 0) << "board " << i;
    ASSERT_GE(unlimited.size(), bonus.size());
    EXPECT_TRUE(std::equal(unlimited.begin(), unlimited.end(), shortest.end() - static_cast<long>(unlimited.size())));
    EXPECT_TRUE(std::is_sorted(unlimited.begin(), unlimited.end()));
}

TEST(CommittedBoardSet, FirstBoardDescriptionStartsTheResource) {
    const std::vector<Level> levels = test::committedLevels();
    ASSERT_FALSE(levels.empty());
    const std::string text = describeBoard(levels[0]);
    EXPECT_TRUE(text.starts_with("BOARD 0  |  Beginner  |  Normal\r\n"));
    EXPECT_NE(text.find("Record offset: 0 (0x00000000)\r\n"), std::string::npos);
}

}  // namespace
}  // namespace corvale
