// The boards of the game: the records of the embedded level resource and the
// 16-bit tile codes their cells hold. Portable: no window system here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvale {

inline constexpr int boardColumns = 17;
inline constexpr int boardRows = 17;
inline constexpr int boardCellCount = boardColumns * boardRows;  // 289
inline constexpr int levelCount = 551;

enum class TileKind : std::uint8_t {
    Floor = 0,
    Launcher = 1,
    HoleQuadrant = 2,
    Wall = 3,
    BreakableWall = 4,
    OneWayWall = 5,
    TimedWall = 6,
    KeyholeWall = 7,
    Ramp = 8,
    PreplacedBall = 9,
    TwoWayFilter = 10,
};

enum class BallColor : std::int32_t { Gray = 0, Red = 1, Blue = 2, Green = 3, Gold = 4 };
inline constexpr int ballColorCount = 5;

struct TileCell {
    std::uint16_t code = 0;          // the cell's tile code
    std::uint16_t revealedCode = 0;  // what a breakable wall leaves when it breaks; 0 otherwise
};

struct Level {
    std::int32_t id = 0;                           // position in the resource, 0..550; the board ID everywhere
    std::int32_t difficulty = 0;                   // 0..4, from the difficulty table
    bool bonus = false;                            // bonus board (unlimited time in our set)
    std::int32_t timeLimit = 0;                    // seconds; 0 = unlimited
    std::int32_t launchInterval = 0;               // seconds between queued launches
    std::int32_t minSpeed = 0;                     // px/s, lower bound of a launched ball's speed
    std::int32_t maxSpeed = 0;                     // px/s, upper bound
    bool randomizeQueue = false;                   // shuffle the queue when the board is played
    std::vector<std::int32_t> queue;               // queued colours in stored order, 0..64 entries
    std::array<TileCell, boardCellCount> cells{};  // row-major: column + 17 * row
    std::uint32_t recordOffset = 0;                // offset of the record's length field in the resource
    std::uint16_t recordLength = 0;                // payload length L as stored
    std::vector<std::uint8_t> trailingBytes;       // record bytes after the last cell, kept verbatim
};

struct DifficultyRange {
    const char* name;
    std::int32_t firstId;
    std::int32_t normalCount;
    std::int32_t bonusCount;
};

inline constexpr std::array<DifficultyRange, 5> difficultyRanges{{
    {"Beginner", 0, 138, 48},
    {"Novice", 186, 78, 28},
    {"Intermediate", 292, 77, 26},
    {"Advanced", 395, 73, 21},
    {"Expert", 489, 45, 17},
}};

// Whole resource in, 551 levels out (id == index), or std::runtime_error with
// one of the reader's sentences; nothing partial is returned.
std::vector<Level> parseLevelResource(std::span<const std::uint8_t> bytes);

// The same reader for a resource of `count` records: a real resource is a
// third of a megabyte, so the fuzzer reaches the record reader through
// short ones.
std::vector<Level> parseLevelRecords(std::span<const std::uint8_t> bytes, int count);

// Name of difficulty 0..4; anything else reads "Beginner".
std::string difficultyName(int difficulty);

// Difficulty and bonus flag of a record number, from the difficulty table.
void classifyLevelId(int id, std::int32_t& difficulty, bool& bonus);

// ---- Tile codes ----------------------------------------------------------

constexpr int tileKindOf(std::uint16_t code) {
    return code >> 12;
}
constexpr int tileP0(std::uint16_t code) {
    return code & 0xF;
}
constexpr int tileP1(std::uint16_t code) {
    return (code >> 4) & 0xF;
}
constexpr int tileP2(std::uint16_t code) {
    return (code >> 8) & 0xF;
}
constexpr int tileHeading(std::uint16_t code) {
    return (code >> 4) & 0xFF;
}
constexpr std::uint16_t makeTileCode(int kind, int p0 = 0, int p1 = 0, int p2 = 0) {
    return static_cast<std::uint16_t>((kind << 12) | (p2 << 8) | (p1 << 4) | p0);
}

bool isValidTileCode(std::uint16_t code);
// Throws std::runtime_error "The Corvale resource contains an invalid tile code."
void validateTileCode(std::uint16_t code);

// Display names; out-of-table indices read "Unknown", kinds 11..15 "Unknown tile".
std::string tileKindName(int kind);
std::string ballColorName(int color);
std::string quadrantName(int quadrant);
std::string directionName(int direction);
std::string orientationName(int orientation);

// Number of cells of each kind 0..10, counting primary codes only.
std::array<int, 11> countTileKinds(const Level& level);

// ---- Writing (the board compiler and tests build resources with these) ----

// The record bytes of one level (length field first). Throws
// std::invalid_argument when the level cannot be stored in the format.
std::vector<std::uint8_t> serializeLevel(const Level& level);
// All records followed by the single 0x00 trailer.
std::vector<std::uint8_t> serializeLevelResource(std::span<const Level> levels);

}  // namespace corvale
