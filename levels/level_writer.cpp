#include <stdexcept>

#include "level.h"

namespace corvale {
namespace {

void putU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

template <typename T>
void requireRange(T value, T low, T high, const char* what) {
    if (value < low || value > high)
        throw std::invalid_argument(std::string("The level's ") + what + " cannot be stored.");
}

}  // namespace

std::vector<std::uint8_t> serializeLevel(const Level& level) {
    // The writer refuses only what the format cannot hold; the reader's
    // stricter header ranges are left to it so tests can write bad boards.
    requireRange(level.timeLimit, 0, 0xFFFF, "time limit");
    requireRange(level.launchInterval, 0, 0xFF, "launch interval");
    requireRange(level.minSpeed, 0, 0xFFFF, "minimum speed");
    requireRange(level.maxSpeed, 0, 0xFFFF, "maximum speed");
    requireRange<std::size_t>(level.queue.size(), 0, 0xFF, "queue");
    std::vector<std::uint8_t> out;
    out.reserve(1024);
    putU16(out, 0);  // patched below
    putU16(out, static_cast<unsigned>(level.timeLimit));
    out.push_back(static_cast<std::uint8_t>(level.launchInterval));
    putU16(out, static_cast<unsigned>(level.minSpeed));
    putU16(out, static_cast<unsigned>(level.maxSpeed));
    out.push_back(level.randomizeQueue ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(level.queue.size()));
    for (const std::int32_t color : level.queue) {
        requireRange(color, 0, 0xFF, "queued colour");
        out.push_back(static_cast<std::uint8_t>(color));
    }
    for (const TileCell& cell : level.cells) {
        putU16(out, cell.code);
        if (tileKindOf(cell.code) == static_cast<int>(TileKind::BreakableWall)) putU16(out, cell.revealedCode);
    }
    out.insert(out.end(), level.trailingBytes.begin(), level.trailingBytes.end());
    const std::size_t payload = out.size() - 2;
    requireRange<std::size_t>(payload, 0, 0xFFFF, "record");
    out[0] = static_cast<std::uint8_t>(payload >> 8);
    out[1] = static_cast<std::uint8_t>(payload & 0xFF);
    return out;
}

std::vector<std::uint8_t> serializeLevelResource(std::span<const Level> levels) {
    std::vector<std::uint8_t> out;
    out.reserve(levels.size() * 640 + 1);
    for (const Level& level : levels) {
        const std::vector<std::uint8_t> record = serializeLevel(level);
        out.insert(out.end(), record.begin(), record.end());
    }
    out.push_back(0x00);
    return out;
}

}  // namespace corvale
