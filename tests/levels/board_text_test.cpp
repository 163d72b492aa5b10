#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "board_text.h"
#include "level_builders.h"

namespace corvale {
namespace {

using test::cellAt;

// Everything a board can hold, for the round trips.
Level richLevel() {
    Level level = test::plainLevel();
    level.timeLimit = 0;
    level.launchInterval = 60;
    level.minSpeed = 300;
    level.maxSpeed = 300;
    level.randomizeQueue = true;
    level.queue = {0, 1, 2, 3, 4, 4};
    level.trailingBytes = {0x1F, 0xFF, 0x30, 0x01, 0x00};
    const std::uint16_t codes[] = {0x0000, 0x1FFF, 0x2033, 0x3000, 0x3004, 0x5021, 0x6FF4, 0x6550, 0x7F44,
                                   0x7041, 0x8030, 0x8F3F, 0x91F4, 0x9FF0, 0xA014, 0xA000, 0x0FFF, 0x1000};
    int i = 0;
    for (const std::uint16_t code : codes) level.cells[static_cast<std::size_t>(i++)].code = code;
    level.cells[40] = {0x4001, 0x0000};
    level.cells[41] = {0x4000, 0x4002};
    level.cells[42] = {0x4F12, 0x2010};
    level.cells[288] = {0x4004, 0x0FFF};
    return level;
}

std::string readError(const std::string& text) {
    try {
        readBoardText(text, "boards/007.board");
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

// Replaces the first occurrence of `from` in the rich board's text.
std::string richTextWith(const std::string& from, const std::string& to) {
    std::string text = writeBoardText(richLevel());
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(BoardText, EveryValidCodeHasATokenThatReadsBack) {
    for (unsigned value = 0; value <= 0xFFFF; ++value) {
        const auto code = static_cast<std::uint16_t>(value);
        const std::string token = codeToken(code);
        ASSERT_EQ(token.find_first_of(" \t:#"), std::string::npos) << token;
        const auto read = parseCodeToken(token);
        if (isValidTileCode(code)) {
            ASSERT_TRUE(read.has_value()) << token;
            ASSERT_EQ(*read, code) << token;
        } else {
            ASSERT_FALSE(read.has_value()) << token;
        }
    }
}

TEST(BoardText, ReadableTokens) {
    struct Case { std::uint16_t code; const char* token; };
    const Case cases[] = {
        {0x0000, ".."},   {0x1FFF, "L"},    {0x2000, "H-0"},  {0x2033, "Hg3"},  {0x3000, "W-"},
        {0x3004, "Wy"},   {0x4002, "Bb"},   {0x5000, "^-"},   {0x5012, "vb"},   {0x5021, "<r"},
        {0x5034, ">y"},   {0x6550, "T055"}, {0x6FF4, "T4FF"}, {0x7041, "Kr4"},  {0x8000, "R^"},
        {0x8030, "R>"},   {0x9080, "O-08"}, {0x91F4, "Oy31"}, {0x9FF3, "Og*"},  {0xA001, "Fr-"},
        {0xA014, "Fy|"},  {0x0FFF, "0x0FFF"}, {0x1000, "0x1000"}, {0x8F3F, "0x8F3F"}, {0x2F34, "0x2F34"},
    };
    for (const Case& c : cases) EXPECT_EQ(codeToken(c.code), c.token) << std::hex << c.code;
    EXPECT_EQ(parseCodeToken("0x3f12"), 0x3F12);
    EXPECT_EQ(parseCodeToken("0x0000"), 0x0000);
    for (const char* bad : {"", ".", "...", "W", "Wx", "H-4", "Or32", "Or5", "T5FF", "0x2043", "0xB000", "0x123"}) {
        EXPECT_FALSE(parseCodeToken(bad).has_value()) << bad;
    }
}

TEST(BoardText, BoardsRoundTripThroughText) {
    const Level level = richLevel();
    const std::string text = writeBoardText(level);
    const Level read = readBoardText(text, "rich.board");
    EXPECT_EQ(read.timeLimit, level.timeLimit);
    EXPECT_EQ(read.launchInterval, level.launchInterval);
    EXPECT_EQ(read.minSpeed, level.minSpeed);
    EXPECT_EQ(read.maxSpeed, level.maxSpeed);
    EXPECT_EQ(read.randomizeQueue, level.randomizeQueue);
    EXPECT_EQ(read.queue, level.queue);
    EXPECT_EQ(read.trailingBytes, level.trailingBytes);
    EXPECT_EQ(serializeLevel(read), serializeLevel(level));
    EXPECT_EQ(writeBoardText(read), text);
    EXPECT_NE(text.find("time unlimited\n"), std::string::npos);
    EXPECT_NE(text.find("queue gray red blue green gold gold\n"), std::string::npos);
    EXPECT_NE(text.find("trailing 1F FF 30 01 00\n"), std::string::npos);
    EXPECT_NE(text.find(" Br:..  "), std::string::npos);
    EXPECT_NE(text.find(" B-:Bb  "), std::string::npos);
    EXPECT_NE(text.find(" 0x4F12:H-1 "), std::string::npos);
}

TEST(BoardText, HandWrittenBoardsMayBeLoose) {
    std::string text = "# comment\n\ntime 60\r\nspeed 50 60\ninterval 0\nmap\n";
    for (int row = 0; row < boardRows; ++row) {
        text += row == 3 ? "# between rows\n" : "";
        for (int column = 0; column < boardColumns; ++column) text += column == 5 && row == 1 ? "  Br:H-0 " : ".. ";
        text += "\n";
    }
    const Level level = readBoardText(text, "loose.board");
    EXPECT_FALSE(level.randomizeQueue);
    EXPECT_TRUE(level.queue.empty());
    EXPECT_TRUE(level.trailingBytes.empty());
    EXPECT_EQ(cellAt(level, 5, 1).code, 0x4001);
    EXPECT_EQ(cellAt(level, 5, 1).revealedCode, 0x2000);
}

TEST(BoardText, FaultsNameTheFileTheLineAndTheProblem) {
    struct Case { std::string text; const char* expected; };
    const Case cases[] = {
        {richTextWith("time unlimited", "time 1000"), "boards/007.board:2: The time limit 1000 is outside 0..999."},
        {richTextWith("time unlimited", "time soon"), "boards/007.board:2: The time limit \"soon\" is not a whole number."},
        {richTextWith("interval 60", "interval 61"), ":3: The launch interval 61 is outside 0..60."},
        {richTextWith("speed 300 300", "speed 200 100"), ":4: The minimum speed is above the maximum speed."},
        {richTextWith("speed 300 300", "speed 49 100"), ":4: The minimum speed 49 is outside 50..300."},
        {richTextWith("speed 300 300", "speed 300"), ":4: Expected \"speed MIN MAX\"."},
        {richTextWith("randomize yes", "randomize maybe"), ":5: The randomize flag must be \"yes\" or \"no\"."},
        {richTextWith("queue gray", "queue purple"), ":6: \"purple\" is not a ball colour"},
        {richTextWith("trailing 1F", "trailing 1G"), ":7: \"1G\" is not a byte in two hex digits."},
        {richTextWith("randomize yes", "time 5"), ":5: The header has a second \"time\" line."},
        {richTextWith("randomize yes", "colour red"), ":5: \"colour\" is not a header line"},
        {richTextWith("interval 60\n", ""), ":7: The header has no \"interval\" line."},
        {"time 60\ninterval 4\nspeed 50 60\n\n", ":4: The board has no \"map\" line."},
        {richTextWith("Hg3", "Hg4"), ":9: Column 2: \"Hg4\" is not a tile token."},
        {richTextWith("Br:..", "Br"), ":11: Column 6: The breakable wall \"Br\" needs the tile it reveals"},
        {richTextWith("Wy", "Wy:.."), ":9: Column 4: \"Wy:..\" names a revealed tile, but only breakable walls have one."},
        {richTextWith("B-:Bb", "B-:Bb:.."), ":11: Column 7: \"Bb:..\" is not a tile token."},
        {richTextWith("L ", ""), ":9: Map row 0 has 16 cells; a row has 17."},
        {writeBoardText(richLevel()) + ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. ..\n", ":26: The map has more than 17 rows."},
    };
    for (const Case& c : cases) {
        const std::string error = readError(c.text);
        EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error << "\nwanted: " << c.expected;
    }
    std::string short_ = writeBoardText(richLevel());
    short_.erase(short_.rfind('\n', short_.size() - 2) + 1);
    EXPECT_EQ(readError(short_), "boards/007.board:24: The map has 16 rows; a board has 17.");
}

}  // namespace
}  // namespace corvale
