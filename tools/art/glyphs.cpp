#include "glyphs.h"

#include "palette.h"

namespace corvale::art {

namespace {

// clang-format off
constexpr const char* glyphs7[4][7] = {
    {"...#...", "...#...", "..###..", "..###..", ".#####.", ".#####.", "#######"},  // red: triangle
    {".......", ".#####.", ".#####.", ".#####.", ".#####.", ".#####.", "......."},  // blue: square
    {"..###..", "..###..", "#######", "#######", "#######", "..###..", "..###.."},  // green: plus
    {"...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..."},  // gold: diamond
};
constexpr const char* glyphs5[4][5] = {
    {"..#..", "..#..", ".###.", ".###.", "#####"},
    {".....", ".###.", ".###.", ".###.", "....."},
    {"..#..", "..#..", "#####", "..#..", "..#.."},
    {"..#..", ".###.", "#####", ".###.", "..#.."},
};
// clang-format on

bool filled(int color, int size, int dx, int dy) {
    if (color < 1 || color > 4 || dx < 0 || dy < 0 || dx >= size || dy >= size) return false;
    const char* row = size == 7 ? glyphs7[color - 1][dy] : glyphs5[color - 1][dy];
    return row[dx] == '#';
}

}  // namespace

GlyphPart glyphPart(int color, int size, int dx, int dy) {
    if (size != 5 && size != 7) return GlyphPart::None;
    if (filled(color, size, dx, dy)) return GlyphPart::Fill;
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i)
            if (filled(color, size, dx + i, dy + j)) return GlyphPart::Outline;
    return GlyphPart::None;
}

Rgb glyphFill(int brightness) {
    return scale(Rgb{252, 250, 242}, brightness);
}

Rgb glyphOutline(int color, int brightness) {
    return scale(mix(rampOf(ballBase(color)).outline, Rgb{12, 10, 18}, 150), brightness);
}

void paintGlyph(const View& v, int color, int size, int x, int y, int brightness) {
    for (int dy = -1; dy <= size; ++dy)
        for (int dx = -1; dx <= size; ++dx) switch (glyphPart(color, size, dx, dy)) {
                case GlyphPart::Fill:
                    v.set(x + dx, y + dy, glyphFill(brightness));
                    break;
                case GlyphPart::Outline:
                    v.set(x + dx, y + dy, glyphOutline(color, brightness));
                    break;
                case GlyphPart::None:
                    break;
            }
}

}  // namespace corvale::art
