// The sprites the drawing code names, and the choice of sprite for a cell, a
// ball and the gold border. The rectangles themselves are in atlas_layout.h.
#pragma once

#include <cstdint>

#include "atlas_layout.h"

namespace corvale {

// Sprites the drawing code names directly.
namespace sprite {
inline constexpr int floor = 0;
inline constexpr int ball = 2;          // + colour
inline constexpr int ballNearHole = 7;  // + colour
inline constexpr int queueBall = 12;    // + colour
inline constexpr int queueTrough = 106;
inline constexpr int middleBar = 107;
inline constexpr int blockPanel = 108;
inline constexpr int endPiece = 109;
inline constexpr int whiteLeftCap = 110;
inline constexpr int whiteDigit = 111;  // + digit
inline constexpr int whiteRightCap = 121;
inline constexpr int greenLeftCap = 122;
inline constexpr int greenDigit = 123;  // + digit
inline constexpr int greenRightCap = 133;
inline constexpr int smallDigit = 134;  // + digit
inline constexpr int smallPlus = 144;
inline constexpr int redLeftCap = 145;
inline constexpr int redDigit = 146;  // + digit
inline constexpr int redMinus = 156;
inline constexpr int redBlank = 157;
inline constexpr int redRightCap = 158;
}  // namespace sprite

// Sprite of a board cell from its tile code and timed/keyhole wall frame.
int tileSprite(std::uint16_t code, int wallFrame);

// Sprite of a ball; near a hole the darker variant.
int ballSprite(int color, bool nearHole);

// Gold counterpart of a tile sprite, shown by the border sweep of a cleared board.
int goldSprite(int tile);

}  // namespace corvale
