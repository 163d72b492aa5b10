// Recordings read back to what was written and replay to the same game;
// anything malformed or inconsistent is refused with the line it is on.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "board_builder.h"
#include "solver.h"

namespace corvale {
namespace {

LevelList oneBoard() {
    Level level = testing::buildLevel(".\n.\n. . . . . . . . h10 h11\n. . . . . . . . h12 h13\n.\n.\n.\n.\n. . o1@8");
    level.timeLimit = 40;
    std::vector<Level> levels{level};
    return LevelList(std::move(levels));
}

// A won game's recording; solved once for every test here.
const SolveResult& solved() {
    static const SolveResult result = solveBoard(oneBoard(), 0, 3, SolveOptions{});
    return result;
}

std::string replaceLine(const std::string& text, int line, const std::string& with) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) start = text.find('\n', start) + 1;
    const std::size_t end = text.find('\n', start);
    return text.substr(0, start) + with + text.substr(end);
}

std::string refusal(const std::string& text) {
    try {
        replayRecording(oneBoard(), readRecording(text));
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(Recording, RoundTripsAndReplaysToTheSameHash) {
    const SolveResult& r = solved();
    ASSERT_TRUE(r.won);
    const std::string text = writeRecording(r.recording);
    const Recording back = readRecording(text);
    EXPECT_EQ(writeRecording(back), text);
    EXPECT_EQ(back.finishTick, r.recording.finishTick);
    const ReplayResult replay = replayRecording(oneBoard(), back);
    EXPECT_TRUE(replay.matches);
    EXPECT_EQ(replay.hash, r.recording.finalHash);
    EXPECT_TRUE(replay.won);
}

TEST(Recording, RefusesMalformedTextNamingTheLine) {
    const std::string text = writeRecording(solved().recording);
    // Line 5 is the first stroke.
    EXPECT_EQ(refusal(replaceLine(text, 1, "corvale-recording 2")),
              "Line 1: this is not a Corvale recording (expected \"corvale-recording 1\").");
    EXPECT_EQ(refusal(replaceLine(text, 3, "seed x")),
              "Line 3: The seed \"x\" must be a whole number from 1 to 4294967295.");
    EXPECT_EQ(refusal(replaceLine(text, 4, "mode fast")), "Line 4: expected \"mode human\" or \"mode free\".");
    EXPECT_EQ(refusal(replaceLine(text, 5, "stroke 0.5 abc 10")), "Line 5: The x coordinate \"abc\" is not a number.");
    EXPECT_EQ(refusal(replaceLine(text, 5, "stroke 0.5010 10 10")),
              "Line 5: The time 0.5010 is not on the 1/120 s tick of play.");
    EXPECT_EQ(refusal(replaceLine(text, 5, "stroke 99 10 10")), "Line 6: this input comes before the one above it.");
    EXPECT_EQ(refusal(replaceLine(text, 5, "wiggle 0.5 1 1")),
              "Line 5: unknown input \"wiggle\" (expected stroke, point, end, block or finish).");
    // A control byte in a quoted word is shown, not left to cut the message short.
    EXPECT_EQ(refusal(replaceLine(text, 5, std::string("s\0k\x1b 0.5 1 1", 12))),
              "Line 5: unknown input \"s\\x00k\\x1B\" (expected stroke, point, end, block or finish).");
    EXPECT_EQ(refusal(text.substr(0, text.rfind("hash"))),
              "Line " + std::to_string(std::count(text.begin(), text.end(), '\n')) +
                  ": the recording ends without the hash.");
    EXPECT_EQ(
        refusal(text + "stroke 1 1 1\n"),
        "Line " + std::to_string(std::count(text.begin(), text.end(), '\n') + 1) + ": nothing may follow the hash.");
}

TEST(Recording, RefusesInputBeyondItsLimitsAndReportsAnotherGame) {
    const std::string text = writeRecording(solved().recording);
    // A stroke at once, before input is allowed on the board.
    const std::string early = replaceLine(text, 5, "stroke 0.1000 100 100");
    EXPECT_EQ(refusal(early),
              "Line 5: the input breaks the recording's limits: no input is allowed yet (the board or a ball has just "
              "appeared).");
    // Free mode allows it, but then the game is another one and the hash says so.
    const Recording free = readRecording(replaceLine(early, 4, "mode free"));
    EXPECT_FALSE(replayRecording(oneBoard(), free).matches);
    // A recording of a board the list does not hold.
    EXPECT_THROW(replayRecording(oneBoard(), readRecording(replaceLine(text, 2, "board 9"))), std::out_of_range);
}

}  // namespace
}  // namespace corvale
