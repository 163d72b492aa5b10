#include "board_description.h"

#include <array>
#include <charconv>

#include "board_list.h"

namespace corvale {
namespace {

constexpr const char* lineEnd = "\r\n";

std::string colorOf(int p0) {
    return ballColorName(p0);
}

std::string tileDetail(std::uint16_t code) {
    const int p0 = tileP0(code);
    const int p1 = tileP1(code);
    const int p2 = tileP2(code);
    switch (tileKindOf(code)) {
        case 2:
            return "Color: " + colorOf(p0) + "; quadrant: " + quadrantName(p1) + lineEnd;
        case 3:
        case 4:
            return "Color: " + colorOf(p0) + lineEnd;
        case 5:
            return "Color: " + colorOf(p0) + "; permitted direction: " + directionName(p1) + lineEnd;
        case 6:
            return "Initial raised frame: " + std::to_string(p0) + " / 4" + lineEnd +
                   "Open: " + formatDecimal((p1 + 1) * 0.5) + " s; closed: " + formatDecimal((p2 + 1) * 0.5) + " s" +
                   lineEnd;
        case 7:
            return "Key color: " + colorOf(p0) + "; initial raised frame: " + std::to_string(p1) + " / 4" + lineEnd;
        case 8:
            return "Ramp direction: " + directionName(p1) + lineEnd;
        case 9: {
            const int heading = tileHeading(code);
            const std::string headingText =
                heading == 255
                    ? std::string("Random (255)")
                    : std::to_string(heading) + " (" + formatDecimal(heading * 11.25) + " degrees clockwise from up)";
            return "Ball color: " + colorOf(p0) + "; heading: " + headingText + lineEnd;
        }
        case 10:
            return "Passes color: " + colorOf(p0) + "; orientation: " + orientationName(p1) + lineEnd;
        default:
            return {};
    }
}

std::string queueText(const Level& level) {
    std::string text = "Stored queue: ";
    if (level.queue.empty()) text += "None";
    for (std::size_t i = 0; i < level.queue.size(); ++i) {
        if (i > 0) text += ", ";
        text += ballColorName(level.queue[i]);
    }
    if (level.randomizeQueue) text += " (shuffled when played)";
    text += "\r\nQueue colors: ";
    std::array<int, ballColorCount> counts{};
    for (const std::int32_t color : level.queue) {
        if (color >= 0 && color < ballColorCount) ++counts[static_cast<std::size_t>(color)];
    }
    for (int color = 0; color < ballColorCount; ++color) {
        if (color > 0) text += "; ";
        text += ballColorName(color) + " " + std::to_string(counts[static_cast<std::size_t>(color)]);
    }
    return text;
}

}  // namespace

std::string formatHex(std::uint32_t value, int width) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    do {
        hex.insert(hex.begin(), digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(hex.size()) < width) hex.insert(0, static_cast<std::size_t>(width) - hex.size(), '0');
    return "0x" + hex;
}

std::string formatDecimal(double value) {
    // to_chars ignores the user's locale: the decimal point is always a period.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string describeTile(std::uint16_t code) {
    std::string text = tileKindName(tileKindOf(code)) + lineEnd;
    text += "Raw code: " + formatHex(code, 4) + "; kind " + std::to_string(tileKindOf(code)) + ", p0 " +
            std::to_string(tileP0(code)) + ", p1 " + std::to_string(tileP1(code)) + ", p2 " +
            std::to_string(tileP2(code)) + lineEnd;
    return text + tileDetail(code);
}

std::string describeSelectedTile(const Level& level, int column, int row) {
    if (column < 0 || column >= boardColumns || row < 0 || row >= boardRows) return {};
    const TileCell& cell = level.cells[static_cast<std::size_t>(column + boardColumns * row)];
    std::string text = "SELECTED TILE: column " + std::to_string(column + 1) + ", row " + std::to_string(row + 1) +
                       " (zero-based " + std::to_string(column) + ", " + std::to_string(row) + ")" + lineEnd;
    text += describeTile(cell.code);
    if (tileKindOf(cell.code) == static_cast<int>(TileKind::BreakableWall)) {
        text += std::string("Revealed when broken:") + lineEnd + describeTile(cell.revealedCode);
    }
    return text + lineEnd;
}

std::string describeBoard(const Level& level) {
    std::string text = "BOARD " + std::to_string(level.id) + "  |  " + difficultyName(level.difficulty) + "  |  " +
                       (level.bonus ? "Bonus" : "Normal") + lineEnd;
    text += "Resource board ID: " + std::to_string(level.id) + " (zero-based)\r\n";
    text += "Time allowed: " + formatTimeAllowed(level.timeLimit) + lineEnd;
    text += "Launch interval: " + std::to_string(level.launchInterval) + " s (first queued launch: 4 s)\r\n";
    text += "Initial speed bounds: " + std::to_string(level.minSpeed) + " to " + std::to_string(level.maxSpeed) +
            " px/s\r\n";
    text += "Queued balls: " + std::to_string(level.queue.size()) +
            "; preplaced balls: " + std::to_string(preplacedBallCount(level)) + lineEnd;
    text += std::string("Randomize queue: ") + (level.randomizeQueue ? "Yes" : "No") + lineEnd;
    text += queueText(level);
    text += "\r\n\r\nTILE COUNTS (17 x 17 cells)\r\n";
    const std::array<int, 11> counts = countTileKinds(level);
    for (int kind = 0; kind < 11; ++kind) {
        text += tileKindName(kind) + ": " + std::to_string(counts[static_cast<std::size_t>(kind)]) + lineEnd;
    }
    text += "Hole counts above are quadrants; a complete hole occupies four cells.\r\n";
    text += "Breakable-wall replacements are shown by clicking their tiles.\r\n";
    text += "\r\nRESOURCE PARAMETERS\r\n";
    text += "Record offset: " + std::to_string(level.recordOffset) + " (" + formatHex(level.recordOffset, 8) + ")\r\n";
    text += "Record payload: " + std::to_string(level.recordLength) + " bytes\r\n";
    text += "Unused trailing bytes: " + std::to_string(level.trailingBytes.size());
    for (const std::uint8_t byte : level.trailingBytes) {
        text += ' ';
        text += formatHex(byte, 2);
    }
    text += "\r\n\r\nThe preview is static. It does not advance the current game.\r\n";
    return text;
}

}  // namespace corvale
