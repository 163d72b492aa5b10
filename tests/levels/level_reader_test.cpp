#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "level_builders.h"

namespace corvale {
namespace {

using test::cellAt;
using test::levelSet;
using test::plainLevel;
using test::resourceOf;

constexpr const char* truncated = "The original Corvale level resource is truncated.";
constexpr const char* recordLength = "Invalid Corvale level record length.";
constexpr const char* header = "Invalid Corvale level header.";
constexpr const char* queueColor = "Invalid queued ball color.";
constexpr const char* tileCode = "The Corvale resource contains an invalid tile code.";
constexpr const char* trailer = "The Corvale resource has an unexpected trailer.";

// The reader's message, or "" when the bytes read.
std::string readError(const std::vector<std::uint8_t>& bytes) {
    try {
        parseLevelResource(bytes);
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

// A resource whose last record is `last` (the others plain).
std::vector<std::uint8_t> resourceEndingWith(const Level& last) {
    std::vector<Level> levels = levelSet(plainLevel());
    levels.back() = last;
    return resourceOf(levels);
}

std::size_t offsetOfRecord(const std::vector<std::uint8_t>& bytes, int record) {
    std::size_t p = 0;
    for (int n = 0; n < record; ++n) p += 2 + static_cast<std::size_t>((bytes[p] << 8) | bytes[p + 1]);
    return p;
}

void setPayloadLength(std::vector<std::uint8_t>& bytes, std::size_t recordOffset, unsigned length) {
    bytes[recordOffset] = static_cast<std::uint8_t>(length >> 8);
    bytes[recordOffset + 1] = static_cast<std::uint8_t>(length & 0xFF);
}

TEST(LevelReader, ReadsAWholeSetWithIdsKindsAndOffsets) {
    Level first = plainLevel();
    first.randomizeQueue = true;
    first.queue = {1, 2};
    cellAt(first, 0, 0).code = 0x3000;
    std::vector<Level> written = levelSet(plainLevel());
    written[0] = first;
    const std::vector<Level> levels = parseLevelResource(resourceOf(written));

    ASSERT_EQ(levels.size(), 551u);
    EXPECT_EQ(levels[0].recordOffset, 0u);
    EXPECT_EQ(levels[0].recordLength, 589);
    EXPECT_TRUE(levels[0].randomizeQueue);
    EXPECT_EQ(levels[0].queue, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(levels[0].cells[0].code, 0x3000);
    EXPECT_EQ(levels[1].recordOffset, 591u);
    struct Expected { int id; int difficulty; bool bonus; };
    for (const Expected e : {Expected{0, 0, false}, {137, 0, false}, {138, 0, true}, {185, 0, true}, {186, 1, false},
                             {264, 1, true}, {292, 2, false}, {395, 3, false}, {468, 3, true}, {489, 4, false},
                             {533, 4, false}, {534, 4, true}, {550, 4, true}}) {
        const Level& level = levels[static_cast<std::size_t>(e.id)];
        EXPECT_EQ(level.id, e.id);
        EXPECT_EQ(level.difficulty, e.difficulty) << "id " << e.id;
        EXPECT_EQ(level.bonus, e.bonus) << "id " << e.id;
    }
}

TEST(LevelReader, WantsExactlyOneZeroTrailerByte) {
    const std::vector<std::uint8_t> good = resourceOf(levelSet(plainLevel()));
    EXPECT_EQ(readError(good), "");
    std::vector<std::uint8_t> missing(good.begin(), good.end() - 1);
    EXPECT_EQ(readError(missing), trailer);
    std::vector<std::uint8_t> extra = good;
    extra.push_back(0x00);
    EXPECT_EQ(readError(extra), trailer);
    for (const int value : {0x01, 0x80, 0xFF}) {
        std::vector<std::uint8_t> nonZero = good;
        nonZero.back() = static_cast<std::uint8_t>(value);
        EXPECT_EQ(readError(nonZero), trailer) << value;
    }
}

TEST(LevelReader, ShortResourcesReadTheRecordsAskedForThenTheTrailer) {
    // The fuzzer's way in: the same reader over two records instead of 551.
    const std::vector<Level> whole = levelSet(plainLevel());
    const std::vector<Level> two(whole.begin(), whole.begin() + 2);
    const std::vector<std::uint8_t> bytes = resourceOf(two);
    const std::vector<Level> read = parseLevelRecords(bytes, 2);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].id, 1);
    EXPECT_EQ(read[1].recordOffset, bytes.size() / 2);
    EXPECT_EQ(resourceOf(read), bytes);
    EXPECT_THROW(parseLevelRecords(bytes, 1), std::runtime_error);  // a record where the trailer belongs
    EXPECT_THROW(parseLevelRecords(bytes, 3), std::runtime_error);
    EXPECT_THROW(parseLevelResource(bytes), std::runtime_error);
}

TEST(LevelReader, ResourceEndingBeforeOrInsideTheLastRecord) {
    const std::vector<std::uint8_t> good = resourceOf(levelSet(plainLevel()));
    const std::size_t last = offsetOfRecord(good, 550);
    // Fewer than two bytes where a record should start.
    EXPECT_EQ(readError({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(last)}), truncated);
    EXPECT_EQ(readError({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(last + 1)}), truncated);
    // A stated length that reaches past the end has its own message.
    EXPECT_EQ(readError({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(last + 300)}), recordLength);
    EXPECT_EQ(readError({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(offsetOfRecord(good, 300) + 2)}),
              recordLength);
}

TEST(LevelReader, StatedLengthTooShortForTheContentsIsTruncated) {
    Level queued = plainLevel();
    queued.queue = {1, 2, 3};
    for (const unsigned length : {586u, 300u, 9u, 10u}) {
        std::vector<std::uint8_t> bytes = resourceOf(levelSet(queued));
        // Record 0 claims fewer bytes; the resource still has plenty after it.
        setPayloadLength(bytes, 0, length);
        EXPECT_EQ(readError(bytes), truncated) << length;
    }
}

TEST(LevelReader, PayloadLengthBoundaries) {
    std::vector<std::uint8_t> bytes = resourceOf(levelSet(plainLevel()));
    setPayloadLength(bytes, 0, 8);
    EXPECT_EQ(readError(bytes), recordLength);

    std::vector<std::uint8_t> pastEnd = resourceOf(levelSet(plainLevel()));
    const std::size_t last = offsetOfRecord(pastEnd, 550);
    // The last record may reach the trailer byte, but not one byte beyond it.
    setPayloadLength(pastEnd, last, static_cast<unsigned>(pastEnd.size() - last - 2 + 1));
    EXPECT_EQ(readError(pastEnd), recordLength);
}

TEST(LevelReader, HeaderBoundsOnBothSides) {
    struct Case { const char* what; std::function<void(Level&)> change; bool accepted; };
    const Case cases[] = {
        {"time 999", [](Level& l) { l.timeLimit = 999; }, true},
        {"time 1000", [](Level& l) { l.timeLimit = 1000; }, false},
        {"time 0", [](Level& l) { l.timeLimit = 0; }, true},
        {"interval 60", [](Level& l) { l.launchInterval = 60; }, true},
        {"interval 61", [](Level& l) { l.launchInterval = 61; }, false},
        {"queue 64", [](Level& l) { l.queue.assign(64, 2); }, true},
        {"queue 65", [](Level& l) { l.queue.assign(65, 2); }, false},
        {"min 50", [](Level& l) { l.minSpeed = 50; }, true},
        {"min 49", [](Level& l) { l.minSpeed = 49; }, false},
        {"max 300", [](Level& l) { l.maxSpeed = 300; }, true},
        {"max 301", [](Level& l) { l.maxSpeed = 301; }, false},
        {"min = max", [](Level& l) { l.minSpeed = l.maxSpeed = 120; }, true},
        {"min > max", [](Level& l) { l.minSpeed = 151; }, false},
    };
    for (const Case& c : cases) {
        Level level = plainLevel();
        c.change(level);
        EXPECT_EQ(readError(resourceEndingWith(level)), c.accepted ? "" : header) << c.what;
    }
}

TEST(LevelReader, QueuedColoursAboveGoldAreRejected) {
    Level level = plainLevel();
    level.queue = {0, 4, 3};
    EXPECT_EQ(readError(resourceEndingWith(level)), "");
    level.queue = {1, 5};
    EXPECT_EQ(readError(resourceEndingWith(level)), queueColor);
}

TEST(LevelReader, BreakableWallsCarryTheirRevealedCode) {
    Level level = plainLevel();
    cellAt(level, 6, 2) = {0x4001, 0x0000};  // revealed floor still takes two bytes
    cellAt(level, 7, 2).code = 0x3002;
    cellAt(level, 8, 2) = {0x4000, 0x4003};  // a revealed breakable wall reveals nothing further
    cellAt(level, 9, 2) = {0x4002, 0x2000};
    const std::vector<Level> levels = parseLevelResource(resourceEndingWith(level));
    const Level& read = levels.back();
    EXPECT_EQ(read.recordLength, 587 + 1 + 3 * 2);
    EXPECT_EQ(cellAt(read, 6, 2).code, 0x4001);
    EXPECT_EQ(cellAt(read, 7, 2).code, 0x3002);
    EXPECT_EQ(cellAt(read, 8, 2).revealedCode, 0x4003);
    EXPECT_EQ(cellAt(read, 9, 2).revealedCode, 0x2000);
    EXPECT_EQ(cellAt(read, 10, 2).code, 0x0000);
    EXPECT_TRUE(read.trailingBytes.empty());

    cellAt(level, 9, 2).revealedCode = 0x2043;
    EXPECT_EQ(readError(resourceEndingWith(level)), tileCode);
    cellAt(level, 9, 2).revealedCode = 0x2000;
    cellAt(level, 16, 16).code = 0xB000;
    EXPECT_EQ(readError(resourceEndingWith(level)), tileCode);
}

TEST(LevelReader, TrailingBytesAreKeptByteForByte) {
    std::vector<Level> levels = levelSet(plainLevel());
    levels[430].trailingBytes = {0x1F, 0xFF, 0x30, 0x01};
    for (std::uint8_t i = 0; i < 24; ++i) levels[381].trailingBytes.push_back(static_cast<std::uint8_t>(i * 11));
    levels[550].trailingBytes = {0x00};  // a zero just before the trailer is the record's, not the trailer
    const std::vector<std::uint8_t> bytes = resourceOf(levels);
    const std::vector<Level> read = parseLevelResource(bytes);
    EXPECT_EQ(read[430].trailingBytes, levels[430].trailingBytes);
    EXPECT_EQ(read[430].recordLength, 587 + 1 + 4);
    EXPECT_EQ(read[381].trailingBytes, levels[381].trailingBytes);
    EXPECT_EQ(read[550].trailingBytes, levels[550].trailingBytes);
    EXPECT_TRUE(read[429].trailingBytes.empty());
    EXPECT_EQ(serializeLevelResource(read), bytes);
}

TEST(LevelReader, DifficultyNames) {
    EXPECT_EQ(difficultyName(0), "Beginner");
    EXPECT_EQ(difficultyName(2), "Intermediate");
    EXPECT_EQ(difficultyName(4), "Expert");
    EXPECT_EQ(difficultyName(5), "Beginner");
    EXPECT_EQ(difficultyName(-1), "Beginner");
}

}  // namespace
}  // namespace corvale
