// The 42-pixel header strip: queue trough, middle bar, wall-block panel, end
// piece, and the number-box fonts drawn over them.
#pragma once

#include "raster.h"

namespace corvale::art {

void paintQueueTrough(const View& v);
void paintMiddleBar(const View& v);
void paintBlockPanel(const View& v);
void paintEndPiece(const View& v);

enum class BoxStyle { White, Green, Red };

// One 9 x 19 cell of a number box: -1 left cap, 0..9 a digit, 10 the right
// cap, 11 the minus sign, 12 a blank cell.
void paintBoxCell(const View& v, BoxStyle style, int glyph);

// One 9 x 9 small digit 0..9, or 10 for the plus sign.
void paintSmallDigit(const View& v, int glyph);

}  // namespace corvale::art
