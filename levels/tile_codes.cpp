#include <stdexcept>

#include "level.h"

namespace corvale {
namespace {

template <std::size_t N>
std::string nameOr(const char* const (&names)[N], int index) {
    if (index < 0 || index >= static_cast<int>(N)) return "Unknown";
    return names[index];
}

}  // namespace

bool isValidTileCode(std::uint16_t code) {
    const int p0 = tileP0(code);
    const int p1 = tileP1(code);
    switch (tileKindOf(code)) {
        case 0:
        case 1:
            return true;
        case 2:
        case 5:
            return p0 <= 4 && p1 <= 3;
        case 3:
        case 4:
        case 6:
            return p0 <= 4;
        case 7:
            return p0 <= 4 && p1 <= 4;
        case 8:
            return p1 <= 3;
        case 9: {
            const int heading = tileHeading(code);
            return p0 <= 4 && (heading <= 31 || heading == 255);
        }
        case 10:
            return p0 <= 4 && p1 <= 1;
        default:
            return false;
    }
}

void validateTileCode(std::uint16_t code) {
    if (!isValidTileCode(code)) throw std::runtime_error("The Corvale resource contains an invalid tile code.");
}

std::string tileKindName(int kind) {
    static const char* const names[] = {"Floor",
                                        "Launcher",
                                        "Hole quadrant",
                                        "Solid / recoloring wall",
                                        "Breakable wall",
                                        "One-way wall / filter",
                                        "Timed wall",
                                        "Keyhole wall",
                                        "Ramp",
                                        "Preplaced ball",
                                        "Two-way color filter"};
    if (kind < 0 || kind > 10) return "Unknown tile";
    return names[kind];
}

std::string ballColorName(int color) {
    static const char* const names[] = {"Gray", "Red", "Blue", "Green", "Gold"};
    return nameOr(names, color);
}

std::string quadrantName(int quadrant) {
    static const char* const names[] = {"Upper left", "Upper right", "Lower left", "Lower right"};
    return nameOr(names, quadrant);
}

std::string directionName(int direction) {
    static const char* const names[] = {"Up", "Down", "Left", "Right"};
    return nameOr(names, direction);
}

std::string orientationName(int orientation) {
    static const char* const names[] = {"Horizontal", "Vertical"};
    return nameOr(names, orientation);
}

std::array<int, 11> countTileKinds(const Level& level) {
    std::array<int, 11> counts{};
    for (const TileCell& cell : level.cells) {
        if (cell.code < 0xB000) ++counts[static_cast<std::size_t>(tileKindOf(cell.code))];
    }
    return counts;
}

}  // namespace corvale
