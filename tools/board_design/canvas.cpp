#include "canvas.h"

namespace corvale::design {

std::uint16_t wall(int color) {
    return makeTileCode(3, color);
}
std::uint16_t launcher() {
    return 0x1FFF;
}
std::uint16_t oneWay(int color, int direction) {
    return makeTileCode(5, color, direction);
}
std::uint16_t timed(int frame, int openCode, int shutCode) {
    return makeTileCode(6, frame, openCode, shutCode);
}
std::uint16_t keyhole(int color, int frame) {
    return makeTileCode(7, color, frame);
}
std::uint16_t ramp(int direction) {
    return makeTileCode(8, 0, direction);
}
std::uint16_t ball(int color, int heading) {
    return makeTileCode(9, color, heading & 0xF, heading >> 4);
}
std::uint16_t filter(int color, bool vertical) {
    return makeTileCode(10, color, vertical ? 1 : 0);
}
std::uint16_t holeQuadrant(int color, int quadrant) {
    return makeTileCode(2, color, quadrant);
}

int Rng::below(int n) {
    state = state * 1664525u + 1013904223u;
    return n <= 0 ? 0 : static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
}

std::vector<Image> imagesOf(Symmetry symmetry) {
    switch (symmetry) {
        case Symmetry::None:
            return {Image{}};
        case Symmetry::MirrorX:
            return {Image{}, Image{true, false, 0}};
        case Symmetry::MirrorY:
            return {Image{}, Image{false, true, 0}};
        case Symmetry::MirrorXY:
            return {Image{}, Image{true, false, 0}, Image{false, true, 0}, Image{true, true, 0}};
        case Symmetry::Turn2:
            return {Image{}, Image{false, false, 2}};
        case Symmetry::Turn4:
            return {Image{}, Image{false, false, 1}, Image{false, false, 2}, Image{false, false, 3}};
    }
    return {Image{}};
}

std::string symmetryName(Symmetry symmetry) {
    switch (symmetry) {
        case Symmetry::None:
            return "free";
        case Symmetry::MirrorX:
            return "mirrored left to right";
        case Symmetry::MirrorY:
            return "mirrored top to bottom";
        case Symmetry::MirrorXY:
            return "mirrored both ways";
        case Symmetry::Turn2:
            return "turned half way round";
        case Symmetry::Turn4:
            return "turned in quarters";
    }
    return "free";
}

void placeInImage(const Image& image, int& column, int& row) {
    if (image.flipX) column = 16 - column;
    if (image.flipY) row = 16 - row;
    for (int t = 0; t < image.turns; ++t) {
        const int c = 16 - row;
        row = column;
        column = c;
    }
}

namespace {

int flipDirX(int d) {
    return d == Left ? Right : d == Right ? Left : d;
}
int flipDirY(int d) {
    return d == Up ? Down : d == Down ? Up : d;
}
int turnDir(int d) {  // a quarter turn clockwise
    switch (d) {
        case Up:
            return Right;
        case Right:
            return Down;
        case Down:
            return Left;
        case Left:
            return Up;
    }
    return d;
}
// Quadrant bits: 1 = right half, 2 = lower half.
int turnQuadrant(int q) {
    switch (q) {
        case 0:
            return 1;
        case 1:
            return 3;
        case 3:
            return 2;
        case 2:
            return 0;
    }
    return q;
}

}  // namespace

std::uint16_t codeInImage(const Image& image, std::uint16_t code) {
    const int kind = tileKindOf(code);
    int p0 = tileP0(code), p1 = tileP1(code);
    const int p2 = tileP2(code);
    int heading = (code >> 4) & 0xFF;
    switch (kind) {
        case 2:
            if (image.flipX) p1 ^= 1;
            if (image.flipY) p1 ^= 2;
            for (int t = 0; t < image.turns; ++t) p1 = turnQuadrant(p1);
            return makeTileCode(2, p0, p1, p2);
        case 5:
        case 8:
            if (p1 > 3) return code;
            if (image.flipX) p1 = flipDirX(p1);
            if (image.flipY) p1 = flipDirY(p1);
            for (int t = 0; t < image.turns; ++t) p1 = turnDir(p1);
            return makeTileCode(kind, p0, p1, p2);
        case 10:
            if (image.turns % 2 == 1) p1 ^= 1;
            return makeTileCode(10, p0, p1, p2);
        case 9:
            if (heading == 255) return code;
            if (image.flipX) heading = (32 - heading) % 32;
            if (image.flipY) heading = (48 - heading) % 32;
            heading = (heading + 8 * image.turns) % 32;
            return static_cast<std::uint16_t>((9 << 12) | (heading << 4) | p0);
        default:
            return code;
    }
}

std::uint16_t Canvas::code(int column, int row) const {
    return level.cells[static_cast<std::size_t>(column + 17 * row)].code;
}

void Canvas::put(int column, int row, std::uint16_t code, std::uint16_t revealed) {
    if (!inside(column, row)) return;
    at(column, row) = TileCell{code, tileKindOf(code) == 4 ? revealed : std::uint16_t{0}};
}

namespace {

std::uint16_t recolor(std::uint16_t code, const std::vector<int>& palette, std::size_t image) {
    if (palette.empty() || image >= palette.size()) return code;
    const int kind = tileKindOf(code);
    if (kind == 0 || kind == 1 || kind == 8) return code;
    if (tileP0(code) != palette[0]) return code;
    return static_cast<std::uint16_t>((code & 0xFFF0) | palette[image]);
}

}  // namespace

void Canvas::draw(int column, int row, std::uint16_t code, std::uint16_t revealed) {
    const std::vector<Image> images = imagesOf(symmetry);
    for (std::size_t k = 0; k < images.size(); ++k) {
        int c = column, r = row;
        placeInImage(images[k], c, r);
        put(c, r, codeInImage(images[k], recolor(code, palette, k)),
            revealed ? codeInImage(images[k], recolor(revealed, palette, k)) : 0);
    }
}

void Canvas::hline(int column, int row, int length, std::uint16_t code) {
    for (int i = 0; i < length; ++i) draw(column + i, row, code);
}

void Canvas::vline(int column, int row, int length, std::uint16_t code) {
    for (int i = 0; i < length; ++i) draw(column, row + i, code);
}

void Canvas::box(int left, int top, int right, int bottom, std::uint16_t code) {
    for (int c = left; c <= right; ++c) {
        draw(c, top, code);
        draw(c, bottom, code);
    }
    for (int r = top; r <= bottom; ++r) {
        draw(left, r, code);
        draw(right, r, code);
    }
}

void Canvas::fill(int left, int top, int right, int bottom, std::uint16_t code) {
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) draw(c, r, code);
    }
}

void Canvas::border(std::uint16_t code) {
    const Symmetry kept = symmetry;
    symmetry = Symmetry::None;
    box(0, 0, 16, 16, code);
    symmetry = kept;
}

void Canvas::hole(int column, int row, int color) {
    for (int q = 0; q < 4; ++q) draw(column + q % 2, row + q / 2, holeQuadrant(color, q));
}

void Canvas::hiddenHole(int column, int row, int color, int wallColor) {
    for (int q = 0; q < 4; ++q) {
        draw(column + q % 2, row + q / 2, makeTileCode(4, wallColor), holeQuadrant(color, q));
    }
}

int Canvas::count(TileKind kind) const {
    int n = 0;
    for (const TileCell& cell : level.cells) n += tileKindOf(cell.code) == static_cast<int>(kind);
    return n;
}

}  // namespace corvale::design
