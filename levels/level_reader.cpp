#include <algorithm>
#include <stdexcept>

#include "level.h"

namespace corvale {
namespace {

constexpr const char* truncatedMessage = "The original Corvale level resource is truncated.";
constexpr const char* recordLengthMessage = "Invalid Corvale level record length.";
constexpr const char* headerMessage = "Invalid Corvale level header.";
constexpr const char* queueColorMessage = "Invalid queued ball color.";
constexpr const char* trailerMessage = "The Corvale resource has an unexpected trailer.";

// Reads within one record; every read is checked against the record's end,
// which the caller has already checked against the resource's end.
struct RecordCursor {
    std::span<const std::uint8_t> bytes;
    std::size_t position;
    std::size_t end;

    void require(std::size_t count) const {
        if (count > end - position) throw std::runtime_error(truncatedMessage);
    }
    std::uint8_t u8() {
        require(1);
        return bytes[position++];
    }
    std::uint16_t u16() {
        require(2);
        const auto value = static_cast<std::uint16_t>((bytes[position] << 8) | bytes[position + 1]);
        position += 2;
        return value;
    }
};

}  // namespace

void classifyLevelId(int id, std::int32_t& difficulty, bool& bonus) {
    difficulty = 0;
    bonus = false;
    for (std::size_t row = 0; row < difficultyRanges.size(); ++row) {
        const DifficultyRange& range = difficultyRanges[row];
        if (id >= range.firstId && id < range.firstId + range.normalCount + range.bonusCount) {
            difficulty = static_cast<std::int32_t>(row);
            bonus = id >= range.firstId + range.normalCount;
            return;
        }
    }
}

std::string difficultyName(int difficulty) {
    if (difficulty < 0 || difficulty >= static_cast<int>(difficultyRanges.size())) return "Beginner";
    return difficultyRanges[static_cast<std::size_t>(difficulty)].name;
}

std::vector<Level> parseLevelResource(std::span<const std::uint8_t> bytes) {
    return parseLevelRecords(bytes, levelCount);
}

std::vector<Level> parseLevelRecords(std::span<const std::uint8_t> bytes, int count) {
    std::vector<Level> levels;
    levels.reserve(static_cast<std::size_t>(std::max(count, 0)));
    std::size_t p = 0;
    for (int n = 0; n < count; ++n) {
        if (bytes.size() - p < 2) throw std::runtime_error(truncatedMessage);
        const std::size_t payload = static_cast<std::size_t>((bytes[p] << 8) | bytes[p + 1]);
        if (payload < 9 || payload > bytes.size() - p - 2) throw std::runtime_error(recordLengthMessage);
        RecordCursor in{bytes, p + 2, p + 2 + payload};

        Level level;
        level.timeLimit = in.u16();
        level.launchInterval = in.u8();
        level.minSpeed = in.u16();
        level.maxSpeed = in.u16();
        level.randomizeQueue = in.u8() != 0;
        const int queueLength = in.u8();
        if (level.timeLimit > 999 || level.launchInterval > 60 || queueLength > 64 || level.minSpeed < 50 ||
            level.maxSpeed > 300 || level.minSpeed > level.maxSpeed) {
            throw std::runtime_error(headerMessage);
        }
        level.queue.reserve(static_cast<std::size_t>(queueLength));
        for (int i = 0; i < queueLength; ++i) {
            const int color = in.u8();
            if (color > 4) throw std::runtime_error(queueColorMessage);
            level.queue.push_back(color);
        }
        for (TileCell& cell : level.cells) {
            cell.code = in.u16();
            validateTileCode(cell.code);
            if (tileKindOf(cell.code) == static_cast<int>(TileKind::BreakableWall)) {
                cell.revealedCode = in.u16();
                validateTileCode(cell.revealedCode);
            }
        }
        level.trailingBytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(in.position),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(in.end));
        level.id = n;
        level.recordOffset = static_cast<std::uint32_t>(p);
        level.recordLength = static_cast<std::uint16_t>(payload);
        classifyLevelId(n, level.difficulty, level.bonus);
        levels.push_back(std::move(level));
        p = in.end;
    }
    if (bytes.size() - p != 1 || bytes[p] != 0x00) throw std::runtime_error(trailerMessage);
    return levels;
}

}  // namespace corvale
