#include "paint_header.h"

#include "paint_walls.h"
#include "palette.h"

namespace corvale::art {

namespace {

// The strip's rows match across pieces, so the pieces join without seams.
void paintStrip(const View& v) {
    for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x) v.set(x, y, headerRow(y));
}

const Rgb sunkenDark{24, 26, 34};
const Rgb sunkenLight{146, 156, 176};

}  // namespace

void paintQueueTrough(const View& v) {
    paintStrip(v);
    for (int y = 1; y < 41; ++y) v.set(0, y, y == 1 ? headerRow(1) : Rgb{112, 122, 142});
    // The balls run on black; the trough opens to the right under the bar,
    // whose left edge closes it.
    v.fillRect(5, 7, 99, 28, black);
    for (int x = 4; x < 104; ++x) {
        v.set(x, 6, sunkenDark);
        v.set(x, 35, sunkenLight);
    }
    for (int y = 6; y < 36; ++y) v.set(4, y, sunkenDark);
}

void paintMiddleBar(const View& v) {
    paintStrip(v);
    for (int y = 6; y < 36; ++y) v.set(0, y, sunkenLight);
    // Engraved grooves along the bar.
    for (int x = 6; x < v.width - 2; ++x) {
        v.set(x, 4, mix(headerRow(4), sunkenDark, 120));
        v.set(x, 5, mix(headerRow(5), sunkenLight, 60));
        v.set(x, 37, mix(headerRow(37), sunkenDark, 120));
        v.set(x, 38, mix(headerRow(38), sunkenLight, 60));
    }
}

void paintBlockPanel(const View& v) {
    paintStrip(v);
    // A light card; its right edge is drawn by the end piece, which covers
    // this sprite's last column.
    v.fillRect(3, 8, 38, 26, panelLight);
    for (int x = 2; x < 42; ++x) {
        v.set(x, 7, sunkenDark);
        v.set(x, 34, sunkenLight);
    }
    for (int y = 7; y < 35; ++y) v.set(2, y, sunkenDark);
    // The block icon: a little gray wall, to the right of the count.
    View icon{v.image, v.left + 25, v.top + 15, 12, 12};
    paintBlock(icon, wallRamp(0), 2);
    for (int i = 0; i < 12; ++i) v.set(26 + i, 27, mix(panelLight, inkDark, 90));  // its shadow
    for (int i = 0; i < 12; ++i) v.set(37, 16 + i, mix(panelLight, inkDark, 90));
}

void paintEndPiece(const View& v) {
    paintStrip(v);
    for (int y = 7; y < 35; ++y) v.set(0, y, sunkenLight);  // the block panel's right edge
    v.set(0, 34, sunkenLight);
    for (int y = 1; y < 41; ++y) {
        v.set(v.width - 1, y, Rgb{26, 28, 36});
        v.set(v.width - 2, y, mix(headerRow(y), Rgb{26, 28, 36}, 128));
    }
}

namespace {

// 5 x 9 digits for the number boxes.
const char* const bigGlyphs[10][9] = {
    {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "},
    {"  #  ", " ##  ", "# #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"},
    {" ### ", "#   #", "    #", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"},
    {" ### ", "#   #", "    #", "    #", "  ## ", "    #", "    #", "#   #", " ### "},
    {"   # ", "  ## ", " # # ", "#  # ", "#  # ", "#####", "   # ", "   # ", "   # "},
    {"#####", "#    ", "#    ", "#### ", "    #", "    #", "    #", "#   #", " ### "},
    {" ### ", "#   #", "#    ", "#    ", "#### ", "#   #", "#   #", "#   #", " ### "},
    {"#####", "    #", "    #", "   # ", "   # ", "  #  ", "  #  ", "  #  ", "  #  "},
    {" ### ", "#   #", "#   #", "#   #", " ### ", "#   #", "#   #", "#   #", " ### "},
    {" ### ", "#   #", "#   #", "#   #", " ####", "    #", "    #", "#   #", " ### "},
};

// 5 x 7 digits and the plus sign for the small count.
const char* const smallGlyphs[11][7] = {
    {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "},
    {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "},
    {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"},
    {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "},
    {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "},
    {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "},
    {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "},
    {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "},
    {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "},
    {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "},
    {"     ", "  #  ", "  #  ", "#####", "  #  ", "  #  ", "     "},
};

struct BoxColors {
    Rgb face, bezel, glyphTop, glyphBottom;
};

BoxColors boxColors(BoxStyle style) {
    switch (style) {
        case BoxStyle::Green: return {{6, 10, 8}, {34, 44, 40}, {150, 255, 160}, {40, 196, 70}};
        case BoxStyle::Red: return {{176, 26, 30}, {104, 12, 18}, {255, 255, 255}, {250, 214, 206}};
        default: return {{6, 7, 10}, {38, 42, 52}, {255, 255, 255}, {196, 204, 220}};
    }
}

}  // namespace

void paintBoxCell(const View& v, BoxStyle style, int glyph) {
    // Every cell has the same rows, so cells of any sprite line up into one
    // box: a sunken two-pixel rim (dark above, light below) around the face.
    // The caps add the rim at their outer two columns only, which lets the
    // overlapping blank and cap cells of the clock read as plain face.
    const BoxColors k = boxColors(style);
    const int boxTop = 13;  // the boxes sit at row 13 of the header strip
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 9; ++x) {
            Rgb c = k.face;
            if (y == 0) c = sunkenDark;
            else if (y == 18) c = sunkenLight;
            else if (y == 1 || y == 17) c = k.bezel;
            v.set(x, y, c);
        }
    }
    if (glyph == -1 || glyph == 10) {
        int outer = glyph == -1 ? 0 : 8, inner = glyph == -1 ? 1 : 7;
        for (int y = 0; y < 19; ++y) {
            v.set(outer, y, glyph == -1 ? sunkenDark : sunkenLight);
            if (y >= 1 && y <= 17) v.set(inner, y, k.bezel);
        }
        // Rounded corners show the strip behind.
        v.set(outer, 0, headerRow(boxTop));
        v.set(outer, 18, headerRow(boxTop + 18));
    }
    if (glyph >= 0 && glyph <= 9) {
        for (int r = 0; r < 9; ++r)
            for (int col = 0; col < 5; ++col)
                if (bigGlyphs[glyph][r][col] == '#') v.set(2 + col, 5 + r, mix(k.glyphTop, k.glyphBottom, r * 32));
    }
    if (glyph == 11)
        for (int col = 0; col < 5; ++col) v.set(2 + col, 9, k.glyphTop);
}

void paintSmallDigit(const View& v, int glyph) {
    v.fill(panelLight);
    for (int r = 0; r < 7; ++r)
        for (int col = 0; col < 5; ++col)
            if (smallGlyphs[glyph][r][col] == '#') v.set(2 + col, 1 + r, inkDark);
}

}  // namespace corvale::art
