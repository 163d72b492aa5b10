#include "atlas_painter.h"

#include "paint_balls.h"
#include "paint_gates.h"
#include "paint_header.h"
#include "paint_tiles.h"
#include "paint_walls.h"
#include "palette.h"
#include "sprite_table.h"

namespace corvale::art {

namespace {

View spriteView(Image& atlas, int index) {
    const SpriteRect& r = spriteTable[index];
    return View{&atlas, r.left, r.top, r.width(), r.height()};
}

}  // namespace

Image paintAtlas() {
    Image atlas(atlasWidth, atlasHeight, magenta);
    auto at = [&](int index) { return spriteView(atlas, index); };

    paintFloor(at(floorSprite));
    paintLauncher(at(launcherSprite));
    for (int c = 0; c < 5; ++c) {
        paintBall(at(ballSprite(c)), c, 100, magenta);
        paintBall(at(nearHoleBallSprite(c)), c, nearHoleBrightness, magenta);
        paintBall(at(queueBallSprite(c)), c, 100, black);
        for (int q = 0; q < 4; ++q) paintHoleQuarter(at(holeSprite(c, q)), c, q);
        paintSolidWall(at(wallSprite(c)), c);
        paintBreakableWall(at(breakableSprite(c)), c);
        for (int d = 0; d < 4; ++d) paintOneWayWall(at(oneWaySprite(c, d)), c, d);
        if (c > 0)
            for (int o = 0; o < 2; ++o) paintFilter(at(filterSprite(c, o)), c, o);
        for (int f = 0; f < 5; ++f) paintRaisedWall(at(raisedWallSprite(c, f)), c, f);
    }
    for (int d = 0; d < 4; ++d) paintRamp(at(rampSprite(d)), d);

    paintQueueTrough(at(queueTroughSprite));
    paintMiddleBar(at(middleBarSprite));
    paintBlockPanel(at(blockPanelSprite));
    paintEndPiece(at(endPieceSprite));

    for (int i = 0; i < 12; ++i) {
        int glyph = i == 0 ? -1 : i == 11 ? 10 : i - 1;
        paintBoxCell(at(whiteBoxSprite(i)), BoxStyle::White, glyph);
        paintBoxCell(at(greenBoxSprite(i)), BoxStyle::Green, glyph);
        paintBoxCell(at(redBoxSprite(i)), BoxStyle::Red, i == 11 ? 11 : glyph);
    }
    // The clock's blank cell and right cap overlap the minus sign's right
    // columns; painted last, they leave the minus its glyph and read as face.
    paintBoxCell(at(redBlankSprite), BoxStyle::Red, 12);
    paintBoxCell(at(redRightCapSprite), BoxStyle::Red, 10);
    for (int i = 0; i < 11; ++i) paintSmallDigit(at(smallDigitSprite(i)), i);
    return atlas;
}

}  // namespace corvale::art
