// Facts of the designed board set that the browser's time orders show. Off
// until that set is committed: configure with -DCORVALE_DESIGNED_SET_TESTS=ON.
#include <gtest/gtest.h>

#include "board_description.h"
#include "board_list.h"
#include "committed_levels.h"

namespace corvale {
namespace {

std::vector<std::int32_t> firstIds(const std::vector<Level>& levels, const std::vector<std::size_t>& shown,
                                   std::size_t from, std::size_t count) {
    std::vector<std::int32_t> ids;
    for (std::size_t i = from; i < from + count && i < shown.size(); ++i) ids.push_back(levels[shown[i]].id);
    return ids;
}

TEST(DesignedBoardSetOrder, ShortestAndLongestBoards) {
    const std::vector<Level> levels = test::committedLevels();

    const auto shortest = filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::TimeShortestFirst);
    EXPECT_EQ(firstIds(levels, shortest, 0, 4), (std::vector<std::int32_t>{529, 506, 522, 523}));
    EXPECT_EQ(levels[shortest[0]].timeLimit, 34);
    EXPECT_EQ(levels[shortest[1]].timeLimit, 35);
    EXPECT_EQ(levels[shortest[3]].timeLimit, 35);
    EXPECT_GT(levels[shortest[4]].timeLimit, 35);
    // The last 140 rows are the unlimited boards, 138 first.
    ASSERT_GE(shortest.size(), 140u);
    const std::size_t unlimitedStart = shortest.size() - 140;
    EXPECT_NE(levels[shortest[unlimitedStart - 1]].timeLimit, 0);
    EXPECT_EQ(levels[shortest[unlimitedStart]].id, 138);
    for (std::size_t i = unlimitedStart; i < shortest.size(); ++i) EXPECT_EQ(levels[shortest[i]].timeLimit, 0);

    const auto longest = filterLevels(levels, -1, TypeFilter::AllTypes, SortOrder::TimeLongestFirst);
    EXPECT_EQ(levels[longest[0]].id, 138);
    EXPECT_EQ(firstIds(levels, longest, 140, 3), (std::vector<std::int32_t>{232, 300, 406}));
    EXPECT_EQ(levels[longest[140]].timeLimit, 200);
    EXPECT_EQ(levels[longest[142]].timeLimit, 180);
    EXPECT_LT(levels[longest[143]].timeLimit, 180);
}

TEST(DesignedBoardSetOrder, DescriptionsOfBoards0And430) {
    const std::vector<Level> levels = test::committedLevels();
    const std::string first = describeBoard(levels[0]);
    EXPECT_NE(first.find("Record offset: 0 (0x00000000)\r\nRecord payload: 589 bytes\r\nUnused trailing bytes: 0\r\n"),
              std::string::npos);
    EXPECT_NE(describeBoard(levels[430]).find("Unused trailing bytes: 4 0x1F 0xFF 0x30 0x01\r\n"), std::string::npos);
}

}  // namespace
}  // namespace corvale
