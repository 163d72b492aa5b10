#include "level.h"
#include "sprites.h"

namespace corvale {

int tileSprite(std::uint16_t code, int wallFrame) {
    if (code >= 0xB000) return sprite::floor;
    const int kind = code >> 12;
    const int p0 = code & 0xF;
    const int p1 = (code >> 4) & 0xF;
    switch (static_cast<TileKind>(kind)) {
        case TileKind::Launcher:
            return 1;
        case TileKind::HoleQuadrant:
            return 17 + 4 * p0 + p1;  // hole quarter p1 of colour p0
        case TileKind::Wall:
            return 37 + p0;
        case TileKind::BreakableWall:
            return 42 + p0;
        case TileKind::OneWayWall:
            return 47 + 5 * p1 + p0;  // one-way wall, direction p1
        case TileKind::TimedWall:
            return 77 + 5 * wallFrame;
        case TileKind::KeyholeWall:
            return 77 + 5 * wallFrame + p0;  // keyhole wall of key colour p0
        case TileKind::Ramp:
            return 102 + p1;
        case TileKind::TwoWayFilter:
            return 67 + 5 * p1 + p0;  // two-way filter, orientation p1
        default:
            return sprite::floor;  // floor, and a preplaced ball's cell
    }
}

int ballSprite(int color, bool nearHole) {
    return color + (nearHole ? sprite::ballNearHole : sprite::ball);
}

int goldSprite(int tile) {
    constexpr int goldWall = 41;
    if (tile >= 17 && tile <= 36) return 33 + (tile - 17) % 4;  // gold hole quarter of the same position
    if (tile >= 42 && tile <= 46) return 46;                    // gold breakable wall
    return goldWall;
}

}  // namespace corvale
