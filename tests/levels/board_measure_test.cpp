// The designer's memory of what the solver measured: a table that must read
// back what it wrote, keys that stay put when only the id or limit changes,
// and limits that leave every measured win standing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "board_builder.h"
#include "measure.h"

namespace corvale::design {
namespace {

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(MeasureTable, ReadsBackWhatItWrote) {
    MeasureTable table;
    table[{0, 12, 0x0123456789abcdefull}] = {true, 2, 41.37, 1.667, 5, 1};
    table[{4, 530, 0xfedcba9876543210ull}] = {false, 3, 12.5, 100.0, 9};
    const std::string path = writeTemp("corvale_measure_roundtrip.tsv", writeMeasureTable(table));
    const MeasureTable again = readMeasureTable(path);
    ASSERT_EQ(again.size(), 2u);
    const Measure& m = again.at({0, 12, 0x0123456789abcdefull});
    EXPECT_TRUE(m.won);
    EXPECT_EQ(m.seed, 2);
    EXPECT_DOUBLE_EQ(m.timeUsed, 41.37);
    EXPECT_DOUBLE_EQ(m.difficulty, 1.667);
    EXPECT_EQ(m.laterWins, 1);
    EXPECT_FALSE(again.at({4, 530, 0xfedcba9876543210ull}).won);
    std::filesystem::remove(path);

    // A table from before the later seeds were played: they are simply unknown.
    const std::string old = writeTemp("corvale_measure_old.tsv",
                                      "difficulty\tslot\thash\twon\tseed\ttime_used\tsolver_difficulty\tstrokes\n"
                                      "1\t200\tabc\t1\t1\t30.00\t0.500\t2\n");
    EXPECT_EQ(readMeasureTable(old).at({1, 200, 0xabcull}).laterWins, -1);
    std::filesystem::remove(old);

    EXPECT_TRUE(readMeasureTable("/nonexistent/corvale/measured.tsv").empty());
}

TEST(MeasureTable, NamesTheLineOfAMalformedEntry) {
    const std::string good = writeMeasureTable({{{1, 200, 0xabcull}, {true, 1, 30.0, 0.5, 2}}});
    for (const std::string bad : {"1\t201\tnothex\t1\t1\t30\t0.5\t2\n", "1\t201\tabc\t2\t1\t30\t0.5\t2\n",
                                  "1\t201\tabc\t1\t1\t30\n", "1\t201\tabc\t1\t1\t30\t0.5\t2\t1\textra\n",
                                  "1\t201\tabc\t1\t1\t30\t0.5\t2\t3\n", "1\t201\tabc\t1\t1\t30\t0.5\t2\tx\n"}) {
        const std::string path = writeTemp("corvale_measure_bad.tsv", good + bad);
        try {
            readMeasureTable(path);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
        }
        std::filesystem::remove(path);
    }
}

TEST(DrawingHash, FollowsPlayNotPlace) {
    const Level level = testing::buildLevel(". L\n.\n. . h10 h11\n. . h12 h13");
    const std::uint64_t hash = drawingHash(level);
    Level moved = level;
    moved.id = 77;
    moved.timeLimit = 175;
    moved.trailingBytes = {0x30, 0x00};
    EXPECT_EQ(drawingHash(moved), hash) << "ordering and fitting must not make an entry stale";

    Level changed = level;
    changed.cells[40].code = 0x3000;
    EXPECT_NE(drawingHash(changed), hash);
    changed = level;
    changed.maxSpeed += 1;
    EXPECT_NE(drawingHash(changed), hash);
    changed = level;
    changed.queue.push_back(1);
    EXPECT_NE(drawingHash(changed), hash);
    changed = level;
    changed.randomizeQueue = !changed.randomizeQueue;
    EXPECT_NE(drawingHash(changed), hash);
}

TEST(MeasuredTimeLimit, LeavesEveryWinStandingAndTightensWithDifficulty) {
    for (int d = 0; d < 5; ++d) {
        for (double t = 0.0; t <= 171.0; t += 0.25) {
            const int limit = measuredTimeLimit(t, d);
            EXPECT_EQ(limit % 5, 0);
            EXPECT_GE(limit, 40);
            EXPECT_LE(limit, 175);
            EXPECT_TRUE(fitsLimit({true, 1, t, 0.0, 0}, limit)) << "difficulty " << d << ", " << t << " s";
            if (d > 0) {
                EXPECT_LE(limit, measuredTimeLimit(t, d - 1));
            }
        }
    }
    EXPECT_EQ(measuredTimeLimit(60.0, 0), 175);
    EXPECT_EQ(measuredTimeLimit(30.0, 0), 90);
    EXPECT_EQ(measuredTimeLimit(10.0, 0), 60);
    EXPECT_EQ(measuredTimeLimit(60.0, 4), 80);
    EXPECT_EQ(measuredTimeLimit(10.0, 4), 40);
    EXPECT_FALSE(fitsLimit({true, 1, 172.0, 0.0, 0}, measuredTimeLimit(172.0, 0)));
    EXPECT_FALSE(fitsLimit({false, 3, 10.0, 100.0, 0}, 175));
    EXPECT_FALSE(fitsLimit({true, 2, 10.0, 4.0, 0}, 175));
}

// The clock must not cut a measure short: a board whose present limit is
// too short still shows how long the solver needed.
TEST(MeasureDrawing, TimesTheWinPastAShortLimitButLaterSeedsKeepIt) {
    Level level = testing::buildLevel(
        ".\n.\n"
        ". . . . . . . . h10 h11\n"
        ". . . . . . . . h12 h13\n"
        ".\n.\n.\n.\n"
        ". . o1@8");
    level.timeLimit = 1;
    const Measure m = measureDrawing(level);
    EXPECT_TRUE(m.won);
    EXPECT_EQ(m.seed, 1);
    EXPECT_GT(m.timeUsed, 1.0);
    EXPECT_GT(m.strokes, 0);

    // The later seeds are played as the set has the board: its own limit ends them.
    EXPECT_EQ(laterSeedWins(level), 0);
    level.timeLimit = measuredTimeLimit(m.timeUsed, 0);
    EXPECT_EQ(laterSeedWins(level), 2);
}

}  // namespace
}  // namespace corvale::design
