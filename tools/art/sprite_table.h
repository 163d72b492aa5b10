// The atlas layout as the painters use it: the shared rectangles, and index
// arithmetic by sprite family.
#pragma once

#include "atlas_layout.h"

namespace corvale::art {

using corvale::atlasHeight;
using corvale::atlasWidth;
using corvale::spriteCount;
using corvale::SpriteRect;
using corvale::spriteTable;

// Index arithmetic used by the painters (c = ball colour 0..4).
inline constexpr int floorSprite = 0;
inline constexpr int launcherSprite = 1;
constexpr int ballSprite(int c) { return 2 + c; }
constexpr int nearHoleBallSprite(int c) { return 7 + c; }
constexpr int queueBallSprite(int c) { return 12 + c; }
constexpr int holeSprite(int c, int quarter) { return 17 + 4 * c + quarter; }
constexpr int wallSprite(int c) { return 37 + c; }
constexpr int breakableSprite(int c) { return 42 + c; }
// Direction 0 up, 1 down, 2 left, 3 right.
constexpr int oneWaySprite(int c, int direction) { return 47 + 5 * direction + c; }
// Orientation 0 horizontal, 1 vertical; colours 1..4 only.
constexpr int filterSprite(int c, int orientation) { return 67 + 5 * orientation + c; }
// c = 0: timed wall; c = 1..4: keyhole wall of that key colour.
constexpr int raisedWallSprite(int c, int frame) { return 77 + 5 * frame + c; }
constexpr int rampSprite(int direction) { return 102 + direction; }
inline constexpr int queueTroughSprite = 106;
inline constexpr int middleBarSprite = 107;
inline constexpr int blockPanelSprite = 108;
inline constexpr int endPieceSprite = 109;
// i = 0 left cap, 1..10 digits 0..9, 11 right cap (white, green) or minus (red).
constexpr int whiteBoxSprite(int i) { return 110 + i; }
constexpr int greenBoxSprite(int i) { return 122 + i; }
constexpr int redBoxSprite(int i) { return 145 + i; }
// i = 0..9 digits, 10 plus sign.
constexpr int smallDigitSprite(int i) { return 134 + i; }
inline constexpr int redBlankSprite = 157;
inline constexpr int redRightCapSprite = 158;


}  // namespace corvale::art
