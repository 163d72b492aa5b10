// The shipped board set against the figures that the game's documents quote
// about it: the first bytes of two records, single cells, trailing bytes,
// the extremes of the time limits and the counts of some board kinds.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "level.h"

namespace corvale {
namespace {

std::vector<std::uint8_t> resourceBytes() {
    std::ifstream in(CORVALE_LEVEL_RESOURCE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BoardSetFacts : public ::testing::Test {
   protected:
    static void SetUpTestSuite() {
        bytes = new std::vector<std::uint8_t>(resourceBytes());
        levels = new std::vector<Level>(parseLevelResource(*bytes));
    }
    static void TearDownTestSuite() {
        delete levels;
        delete bytes;
    }
    static std::vector<std::uint8_t> recordStart(int id, std::size_t n) {
        const std::size_t at = (*levels)[static_cast<std::size_t>(id)].recordOffset;
        return {bytes->begin() + static_cast<std::ptrdiff_t>(at), bytes->begin() + static_cast<std::ptrdiff_t>(at + n)};
    }
    static bool hasBreakable(const Level& level) {
        return std::any_of(level.cells.begin(), level.cells.end(), [](const TileCell& c) {
            return tileKindOf(c.code) == static_cast<int>(TileKind::BreakableWall);
        });
    }
    static inline std::vector<std::uint8_t>* bytes = nullptr;
    static inline std::vector<Level>* levels = nullptr;
};

TEST_F(BoardSetFacts, QuotedRecordsBeginWithTheirBytes) {
    const std::vector<std::uint8_t> first{0x02, 0x4D, 0x00, 0x78, 0x04, 0x00, 0x32, 0x00,
                                          0x96, 0x01, 0x02, 0x01, 0x02, 0x30, 0x00};
    EXPECT_EQ(recordStart(0, first.size()), first);
    const Level& zero = levels->front();
    EXPECT_FALSE(hasBreakable(zero));
    EXPECT_TRUE(zero.trailingBytes.empty());

    const std::vector<std::uint8_t> novice{0x02, 0xF3, 0x00, 0x64, 0x04, 0x00, 0xA7, 0x00, 0xCA, 0x00, 0x00};
    EXPECT_EQ(recordStart(186, novice.size()), novice);
    EXPECT_EQ((*levels)[186].recordOffset, 110244u);
    const std::vector<std::uint8_t> cell40{0x40, 0x01, 0x00, 0x00};
    const std::size_t at = (*levels)[186].recordOffset + 91;
    EXPECT_EQ(std::vector<std::uint8_t>(bytes->begin() + static_cast<std::ptrdiff_t>(at),
                                        bytes->begin() + static_cast<std::ptrdiff_t>(at + 4)),
              cell40);
    const TileCell& hidden = (*levels)[179].cells[55];
    EXPECT_EQ(hidden.code, 0x4002);
    EXPECT_EQ(hidden.revealedCode, 0x2000);
}

TEST_F(BoardSetFacts, TrailingBytes) {
    EXPECT_EQ((*levels)[430].trailingBytes, (std::vector<std::uint8_t>{0x1F, 0xFF, 0x30, 0x01}));
    EXPECT_EQ((*levels)[381].trailingBytes.size(), 24u);
    const auto carrying =
        std::count_if(levels->begin(), levels->end(), [](const Level& l) { return !l.trailingBytes.empty(); });
    EXPECT_EQ(carrying, 14);
}

TEST_F(BoardSetFacts, TimeLimits) {
    std::vector<std::pair<int, int>> normal;  // (limit, id)
    for (const Level& level : *levels) {
        if (level.bonus) {
            EXPECT_EQ(level.timeLimit, 0) << "bonus board " << level.id;
        } else {
            EXPECT_GE(level.timeLimit, 34) << "board " << level.id;
            EXPECT_LE(level.timeLimit, 200) << "board " << level.id;
            normal.emplace_back(level.timeLimit, level.id);
        }
    }
    std::sort(normal.begin(), normal.end());
    const std::vector<std::pair<int, int>> shortest(normal.begin(), normal.begin() + 5);
    EXPECT_EQ(shortest, (std::vector<std::pair<int, int>>{{34, 529}, {35, 506}, {35, 522}, {35, 523}, shortest[4]}));
    EXPECT_GT(shortest[4].first, 35);
    const std::vector<std::pair<int, int>> longest(normal.end() - 4, normal.end());
    EXPECT_EQ(longest, (std::vector<std::pair<int, int>>{longest[0], {180, 300}, {180, 406}, {200, 232}}));
    EXPECT_LT(longest[0].first, 180);
}

TEST_F(BoardSetFacts, CountsOfBoardKinds) {
    int breakable = 0, emptyQueue = 0, randomized = 0, randomizedEmpty = 0;
    for (const Level& level : *levels) {
        breakable += hasBreakable(level);
        emptyQueue += level.queue.empty();
        randomized += level.randomizeQueue;
        randomizedEmpty += level.randomizeQueue && level.queue.empty();
    }
    EXPECT_EQ(breakable, 107);
    EXPECT_EQ(emptyQueue, 169);
    EXPECT_EQ(randomized, 252);
    EXPECT_EQ(randomizedEmpty, 60);
}

// A run plays one difficulty, so the curve shows between them: balls get
// faster and the clock gives each ball less time from Beginner to Expert.
TEST_F(BoardSetFacts, SpeedsRiseAndTimePerBallFallsWithDifficulty) {
    double speed[5] = {}, perBall[5] = {};
    int boards[5] = {};
    for (const Level& level : *levels) {
        if (level.bonus) continue;
        int balls = static_cast<int>(level.queue.size());
        for (const TileCell& cell : level.cells)
            balls += tileKindOf(cell.code) == static_cast<int>(TileKind::PreplacedBall);
        const auto d = static_cast<std::size_t>(level.difficulty);
        speed[d] += (level.minSpeed + level.maxSpeed) / 2.0;
        perBall[d] += static_cast<double>(level.timeLimit) / std::max(balls, 1);
        boards[d] += 1;
    }
    for (std::size_t d = 1; d < 5; ++d) {
        EXPECT_GT(speed[d] / boards[d], speed[d - 1] / boards[d - 1]) << difficultyName(static_cast<int>(d));
        EXPECT_LT(perBall[d] / boards[d], perBall[d - 1] / boards[d - 1]) << difficultyName(static_cast<int>(d));
    }
}

// Every ball of a lock's key colour sunk turns the lock, so a second key ball
// would shut it again on the balls still to come.
TEST_F(BoardSetFacts, LockedBoardsHaveOneBallOfTheKeyColour) {
    for (const Level& level : *levels) {
        std::vector<int> keys;
        std::vector<int> balls(level.queue.begin(), level.queue.end());
        for (const TileCell& cell : level.cells) {
            const int kind = tileKindOf(cell.code);
            if (kind == static_cast<int>(TileKind::KeyholeWall)) keys.push_back(tileP0(cell.code));
            if (kind == static_cast<int>(TileKind::PreplacedBall)) balls.push_back(tileP0(cell.code));
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        for (int key : keys) {
            EXPECT_EQ(std::count(balls.begin(), balls.end(), key), 1) << "board " << level.id << ", key colour " << key;
        }
    }
}

}  // namespace
}  // namespace corvale
