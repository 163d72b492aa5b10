// The most points a level's balls could earn, for the completed-boards
// record: which hole colours each ball could reach, allowing for recolouring
// walls, including those hidden behind breakable walls it could break.
#include <algorithm>
#include <array>

#include "game.h"

namespace corvale {
namespace {

using ColorSet = unsigned;  // bit i = colour i

constexpr ColorSet bit(int color) {
    return 1u << color;
}
constexpr bool contains(ColorSet set, int color) {
    return (set & bit(color)) != 0;
}

struct Reach {
    ColorSet recolours = 0;
    ColorSet holes = 0;
};

void noteTile(std::uint16_t code, Reach& reach) {
    const int kind = tileKindOf(code);
    if (kind == static_cast<int>(TileKind::Wall) && tileP0(code) != 0) reach.recolours |= bit(tileP0(code));
    if (kind == static_cast<int>(TileKind::HoleQuadrant)) reach.holes |= bit(tileP0(code));
}

bool breakable(std::uint16_t code, ColorSet breakers) {
    return tileKindOf(code) == static_cast<int>(TileKind::BreakableWall) &&
           (tileP0(code) == 0 || contains(breakers, tileP0(code)));
}

std::uint64_t holeValue(ColorSet reachable) {
    if (contains(reachable, 4)) return 1600;
    if (contains(reachable, 3)) return 800;
    if (contains(reachable, 2)) return 400;
    if (contains(reachable, 1)) return 200;
    return 0;
}

}  // namespace

std::uint64_t possiblePoints(const Level& level) {
    // Counted by the colour the ball gets on the board, where addBall clamps it.
    std::array<std::uint64_t, ballColorCount> count{};
    auto countBall = [&count](int color) {
        count[static_cast<std::size_t>(std::clamp(color, 0, ballColorCount - 1))] += 1;
    };
    for (std::int32_t color : level.queue) countBall(color);
    for (const TileCell& cell : level.cells)
        if (tileKindOf(cell.code) == static_cast<int>(TileKind::PreplacedBall)) countBall(tileP0(cell.code));
    ColorSet present = 0;
    for (int i = 0; i < ballColorCount; ++i)
        if (count[static_cast<std::size_t>(i)] > 0) present |= bit(i);
    if (present == 0) return 0;

    Reach reach;
    ColorSet before = 0;
    do {
        before = reach.recolours;
        for (const TileCell& cell : level.cells) {
            noteTile(cell.code, reach);
            if (breakable(cell.code, reach.recolours | present)) noteTile(cell.revealedCode, reach);
        }
    } while (reach.recolours != before);

    std::uint64_t total = 0;
    for (int i = 0; i < ballColorCount; ++i)
        total += holeValue((reach.recolours | bit(i)) & reach.holes) * count[static_cast<std::size_t>(i)];
    const ColorSet breakers = reach.recolours | present;
    for (const TileCell& cell : level.cells) {
        if (!breakable(cell.code, breakers)) continue;
        total += 10;
        if (breakable(cell.revealedCode, breakers)) total += 10;
    }
    return total;
}

}  // namespace corvale
