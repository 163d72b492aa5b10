// Where each sprite lives in the atlas. The renderer cuts the atlas with
// exactly these rectangles, so the painter paints to them and nothing else.
#pragma once

#include <array>

namespace corvale::art {

inline constexpr int atlasWidth = 381;
inline constexpr int atlasHeight = 400;
inline constexpr int spriteCount = 159;

// Right and bottom exclusive; an all-zero rectangle has no artwork.
struct SpriteRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return width() <= 0 || height() <= 0; }
};

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

inline constexpr std::array<SpriteRect, spriteCount> spriteTable{{
    {1, 1, 33, 33},         // 0 floor
    {1, 34, 33, 66},        // 1 launcher
    {1, 157, 25, 181},      // 2 ball
    {1, 181, 25, 205},      // 3
    {1, 205, 25, 229},      // 4
    {1, 229, 25, 253},      // 5
    {1, 253, 25, 277},      // 6
    {1, 375, 25, 399},      // 7 ball near a hole
    {25, 375, 49, 399},     // 8
    {49, 375, 73, 399},     // 9
    {73, 375, 97, 399},     // 10
    {97, 375, 121, 399},    // 11
    {1, 67, 19, 85},        // 12 queue ball
    {1, 85, 19, 103},       // 13
    {1, 103, 19, 121},      // 14
    {1, 121, 19, 139},      // 15
    {1, 139, 19, 157},      // 16
    {34, 1, 66, 33},        // 17 hole quarters, colour by colour
    {66, 1, 98, 33},        // 18
    {34, 33, 66, 65},       // 19
    {66, 33, 98, 65},       // 20
    {34, 66, 66, 98},       // 21
    {66, 66, 98, 98},       // 22
    {34, 98, 66, 130},      // 23
    {66, 98, 98, 130},      // 24
    {34, 131, 66, 163},     // 25
    {66, 131, 98, 163},     // 26
    {34, 163, 66, 195},     // 27
    {66, 163, 98, 195},     // 28
    {34, 196, 66, 228},     // 29
    {66, 196, 98, 228},     // 30
    {34, 228, 66, 260},     // 31
    {66, 228, 98, 260},     // 32
    {34, 261, 66, 293},     // 33
    {66, 261, 98, 293},     // 34
    {34, 293, 66, 325},     // 35
    {66, 293, 98, 325},     // 36
    {99, 1, 131, 33},       // 37 solid wall
    {99, 34, 131, 66},      // 38
    {99, 67, 131, 99},      // 39
    {99, 100, 131, 132},    // 40
    {99, 133, 131, 165},    // 41
    {99, 166, 131, 198},    // 42 breakable wall
    {99, 199, 131, 231},    // 43
    {99, 232, 131, 264},    // 44
    {99, 265, 131, 297},    // 45
    {99, 298, 131, 330},    // 46
    {132, 166, 164, 198},   // 47 one-way wall, up
    {132, 199, 164, 231},   // 48
    {132, 232, 164, 264},   // 49
    {132, 265, 164, 297},   // 50
    {132, 298, 164, 330},   // 51
    {165, 1, 197, 33},      // 52 one-way wall, down
    {165, 34, 197, 66},     // 53
    {165, 67, 197, 99},     // 54
    {165, 100, 197, 132},   // 55
    {165, 133, 197, 165},   // 56
    {165, 166, 197, 198},   // 57 one-way wall, left
    {165, 199, 197, 231},   // 58
    {165, 232, 197, 264},   // 59
    {165, 265, 197, 297},   // 60
    {165, 298, 197, 330},   // 61
    {132, 1, 164, 33},      // 62 one-way wall, right
    {132, 34, 164, 66},     // 63
    {132, 67, 164, 99},     // 64
    {132, 100, 164, 132},   // 65
    {132, 133, 164, 165},   // 66
    {0, 0, 0, 0},           // 67 gray horizontal filter: no artwork
    {231, 199, 263, 231},   // 68 filter, horizontal bar
    {231, 232, 263, 264},   // 69
    {231, 265, 263, 297},   // 70
    {231, 298, 263, 330},   // 71
    {0, 0, 0, 0},           // 72 gray vertical filter: no artwork
    {198, 199, 230, 231},   // 73 filter, vertical bar
    {198, 232, 230, 264},   // 74
    {198, 265, 230, 297},   // 75
    {198, 298, 230, 330},   // 76
    {198, 1, 230, 33},      // 77 timed / keyhole wall, frame 0
    {198, 34, 230, 66},     // 78
    {198, 67, 230, 99},     // 79
    {198, 100, 230, 132},   // 80
    {198, 133, 230, 165},   // 81
    {231, 1, 263, 33},      // 82 timed / keyhole wall, frame 1
    {231, 34, 263, 66},     // 83
    {231, 67, 263, 99},     // 84
    {231, 100, 263, 132},   // 85
    {231, 133, 263, 165},   // 86
    {264, 1, 296, 33},      // 87 timed / keyhole wall, frame 2
    {264, 34, 296, 66},     // 88
    {264, 67, 296, 99},     // 89
    {264, 100, 296, 132},   // 90
    {264, 133, 296, 165},   // 91
    {297, 1, 329, 33},      // 92 timed / keyhole wall, frame 3
    {297, 34, 329, 66},     // 93
    {297, 67, 329, 99},     // 94
    {297, 100, 329, 132},   // 95
    {297, 133, 329, 165},   // 96
    {330, 1, 362, 33},      // 97 timed / keyhole wall, frame 4
    {330, 34, 362, 66},     // 98
    {330, 67, 362, 99},     // 99
    {330, 100, 362, 132},   // 100
    {330, 133, 362, 165},   // 101
    {198, 166, 230, 198},   // 102 ramp up
    {231, 166, 263, 198},   // 103 ramp down
    {348, 355, 380, 387},   // 104 ramp left
    {348, 322, 380, 354},   // 105 ramp right
    {264, 236, 368, 278},   // 106 header: queue trough
    {1, 332, 342, 374},     // 107 header: middle bar
    {264, 279, 306, 321},   // 108 header: block panel
    {306, 279, 364, 321},   // 109 header: end piece
    {264, 176, 273, 195},   // 110 white box: cap, 0..9, cap
    {273, 176, 282, 195},   // 111
    {282, 176, 291, 195},   // 112
    {291, 176, 300, 195},   // 113
    {300, 176, 309, 195},   // 114
    {309, 176, 318, 195},   // 115
    {318, 176, 327, 195},   // 116
    {327, 176, 336, 195},   // 117
    {336, 176, 345, 195},   // 118
    {345, 176, 354, 195},   // 119
    {354, 176, 363, 195},   // 120
    {363, 176, 372, 195},   // 121
    {264, 196, 273, 215},   // 122 green box: cap, 0..9, cap
    {273, 196, 282, 215},   // 123
    {282, 196, 291, 215},   // 124
    {291, 196, 300, 215},   // 125
    {300, 196, 309, 215},   // 126
    {309, 196, 318, 215},   // 127
    {318, 196, 327, 215},   // 128
    {327, 196, 336, 215},   // 129
    {336, 196, 345, 215},   // 130
    {345, 196, 354, 215},   // 131
    {354, 196, 363, 215},   // 132
    {363, 196, 372, 215},   // 133
    {273, 166, 282, 175},   // 134 small digits 0..9, plus
    {282, 166, 291, 175},   // 135
    {291, 166, 300, 175},   // 136
    {300, 166, 309, 175},   // 137
    {309, 166, 318, 175},   // 138
    {318, 166, 327, 175},   // 139
    {327, 166, 336, 175},   // 140
    {336, 166, 345, 175},   // 141
    {345, 166, 354, 175},   // 142
    {354, 166, 363, 175},   // 143
    {363, 166, 372, 175},   // 144
    {264, 216, 273, 235},   // 145 red box: cap, 0..9, minus
    {273, 216, 282, 235},   // 146
    {282, 216, 291, 235},   // 147
    {291, 216, 300, 235},   // 148
    {300, 216, 309, 235},   // 149
    {309, 216, 318, 235},   // 150
    {318, 216, 327, 235},   // 151
    {327, 216, 336, 235},   // 152
    {336, 216, 345, 235},   // 153
    {345, 216, 354, 235},   // 154
    {354, 216, 363, 235},   // 155
    {363, 216, 372, 235},   // 156
    {370, 216, 379, 235},   // 157 red box blank cell
    {372, 216, 381, 235},   // 158 red box right cap
}};

}  // namespace corvale::art
