// The drawing surface of the board designer: a level under construction,
// drawn through a symmetry so that one stroke of the pen places every
// mirrored or rotated image of a tile, with its direction, quadrant or
// heading turned to match.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level.h"

namespace corvale::design {

enum Color { Gray = 0, Red = 1, Blue = 2, Green = 3, Gold = 4 };
enum Dir { Up = 0, Down = 1, Left = 2, Right = 3 };

// Tile codes by name.
std::uint16_t wall(int color = Gray);
std::uint16_t launcher();
std::uint16_t oneWay(int color, int direction);
std::uint16_t timed(int frame, int openCode, int shutCode);
std::uint16_t keyhole(int color, int frame);
std::uint16_t ramp(int direction);
std::uint16_t ball(int color, int heading);  // heading 0..31, or 255 for random
std::uint16_t filter(int color, bool vertical);
std::uint16_t holeQuadrant(int color, int quadrant);

// A deterministic generator for design choices (never the game's).
struct Rng {
    std::uint32_t state;
    int below(int n);
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }
};

// How one image of a drawing is placed: mirror left-right, mirror top-bottom,
// then quarter turns clockwise.
struct Image {
    bool flipX = false;
    bool flipY = false;
    int turns = 0;
};

enum class Symmetry { None, MirrorX, MirrorY, MirrorXY, Turn2, Turn4 };
std::vector<Image> imagesOf(Symmetry symmetry);
std::string symmetryName(Symmetry symmetry);

// Where a cell and a code go in an image.
void placeInImage(const Image& image, int& column, int& row);
std::uint16_t codeInImage(const Image& image, std::uint16_t code);

class Canvas {
   public:
    Level level;
    Symmetry symmetry = Symmetry::None;
    // Colours given to the images in turn: image k swaps colour palette[0]
    // for palette[k]; empty = every image keeps its colours.
    std::vector<int> palette;

    bool inside(int column, int row) const { return column >= 0 && row >= 0 && column < 17 && row < 17; }
    TileCell& at(int column, int row) { return level.cells[static_cast<std::size_t>(column + 17 * row)]; }
    std::uint16_t code(int column, int row) const;
    bool isFloor(int column, int row) const { return inside(column, row) && code(column, row) == 0; }

    // One tile, in this cell only.
    void put(int column, int row, std::uint16_t code, std::uint16_t revealed = 0);
    // One tile and all its images.
    void draw(int column, int row, std::uint16_t code, std::uint16_t revealed = 0);
    void hline(int column, int row, int length, std::uint16_t code);
    void vline(int column, int row, int length, std::uint16_t code);
    void box(int left, int top, int right, int bottom, std::uint16_t code);   // outline, inclusive
    void fill(int left, int top, int right, int bottom, std::uint16_t code);  // inclusive
    void border(std::uint16_t code = 0x3000);
    // A 2 x 2 hole with its upper left quadrant at (column, row).
    void hole(int column, int row, int color);
    // A hole whose quadrants are hidden under breakable walls of `wallColor`.
    void hiddenHole(int column, int row, int color, int wallColor);
    // Clears a cell and all its images.
    void clear(int column, int row) { draw(column, row, 0); }

    int count(TileKind kind) const;
    int breakables() const { return count(TileKind::BreakableWall); }
};

}  // namespace corvale::design
