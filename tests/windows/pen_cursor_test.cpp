#include "pen_cursor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvale {
namespace {

std::uint32_t alphaOf(std::uint32_t pixel) {
    return pixel >> 24;
}
std::uint32_t blueOf(std::uint32_t pixel) {
    return pixel & 0xFF;
}

// What Windows keeps of a cursor, read back through GetIconInfo.
struct CursorPicture {
    bool isIcon = true;
    int hotSpotX = -1;
    int hotSpotY = -1;
    int maskWidth = 0;
    int maskHeight = 0;
    bool maskAllZero = false;
    int colourWidth = 0;
    int colourHeight = 0;
    int colourBitsPerPixel = 0;
    std::vector<std::uint32_t> colour;  // top-down rows
};

bool cursorAlive(HCURSOR cursor) {
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

CursorPicture readCursor(HCURSOR cursor) {
    CursorPicture picture;
    ICONINFO info{};
    if (!GetIconInfo(cursor, &info)) {
        ADD_FAILURE() << "GetIconInfo failed";
        return picture;
    }
    picture.isIcon = info.fIcon != FALSE;
    picture.hotSpotX = static_cast<int>(info.xHotspot);
    picture.hotSpotY = static_cast<int>(info.yHotspot);

    BITMAP mask{};
    if (info.hbmMask && GetObjectW(info.hbmMask, sizeof mask, &mask)) {
        picture.maskWidth = mask.bmWidth;
        picture.maskHeight = mask.bmHeight;
        std::vector<BYTE> bits(static_cast<std::size_t>(mask.bmWidthBytes) * static_cast<std::size_t>(mask.bmHeight));
        const LONG copied = GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
        picture.maskAllZero = copied == static_cast<LONG>(bits.size());
        for (BYTE b : bits) picture.maskAllZero = picture.maskAllZero && b == 0;
    }

    BITMAP colour{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof colour, &colour)) {
        picture.colourWidth = colour.bmWidth;
        picture.colourHeight = colour.bmHeight;
        picture.colourBitsPerPixel = colour.bmBitsPixel;
        BITMAPINFO request{};
        request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        request.bmiHeader.biWidth = colour.bmWidth;
        request.bmiHeader.biHeight = -colour.bmHeight;
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        picture.colour.resize(static_cast<std::size_t>(colour.bmWidth) * static_cast<std::size_t>(colour.bmHeight));
        HDC screen = GetDC(nullptr);
        const int rows = GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(colour.bmHeight), picture.colour.data(),
                                   &request, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        if (rows != colour.bmHeight) {
            ADD_FAILURE() << "GetDIBits read " << rows << " rows";
            picture.colour.clear();
        }
    }
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return picture;
}

std::uint32_t pixelAt(const std::vector<std::uint32_t>& pixels, int size, int column, int row) {
    return pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(size) + static_cast<std::size_t>(column)];
}

struct DpiCase {
    std::uint32_t requested;
    std::uint32_t built;
    int size;
    int hotSpot;
};

// 120 DPI gives a scale of 1.25 (hot spot 1), 144 gives 1.5 (rounds up to 2).
const DpiCase dpiCases[] = {
    {96, 96, 32, 1}, {120, 120, 40, 1}, {144, 144, 48, 2},   {192, 192, 64, 2},
    {0, 96, 32, 1},  {72, 96, 32, 1},   {1000, 768, 256, 8}, {768, 768, 256, 8},
};

TEST(PenCursor, RealCursorHasTheSizeHotSpotAndPixelsOfItsDpi) {
    for (const DpiCase& c : dpiCases) {
        SCOPED_TRACE("requested DPI " + std::to_string(c.requested));
        PenCursor pen;
        pen.rebuild(c.requested);
        ASSERT_NE(pen.cursor(), nullptr);
        EXPECT_EQ(pen.dpi(), c.built);

        const CursorPicture picture = readCursor(pen.cursor());
        EXPECT_FALSE(picture.isIcon);
        EXPECT_EQ(picture.hotSpotX, c.hotSpot);
        EXPECT_EQ(picture.hotSpotY, c.hotSpot);
        // A colour cursor's mask is one image high (not the doubled AND/XOR pair), all zero.
        EXPECT_EQ(picture.maskWidth, c.size);
        EXPECT_EQ(picture.maskHeight, c.size);
        EXPECT_TRUE(picture.maskAllZero);
        EXPECT_EQ(picture.colourWidth, c.size);
        EXPECT_EQ(picture.colourHeight, c.size);
        EXPECT_EQ(picture.colourBitsPerPixel, 32);
        ASSERT_EQ(picture.colour.size(), static_cast<std::size_t>(c.size * c.size));

        // Design point (12, 12) lies well inside the pen, away from every ink line.
        const int inside = 12 * c.size / 32;
        EXPECT_EQ(pixelAt(picture.colour, c.size, inside, inside), 0xFFFFFFFFu);
        // The two corners off the pen's axis and the far corner are outside it.
        EXPECT_EQ(alphaOf(pixelAt(picture.colour, c.size, c.size - 1, 0)), 0u);
        EXPECT_EQ(alphaOf(pixelAt(picture.colour, c.size, 0, c.size - 1)), 0u);
        EXPECT_EQ(alphaOf(pixelAt(picture.colour, c.size, c.size - 1, c.size - 1)), 0u);
        EXPECT_EQ(alphaOf(pixelAt(picture.colour, c.size, 0, 0)), 0u);
        // The tip under the hot spot is ink.
        const std::uint32_t tip = pixelAt(picture.colour, c.size, c.hotSpot, c.hotSpot);
        EXPECT_GT(alphaOf(tip), 0u);
        EXPECT_EQ(blueOf(tip), 0u);

        EXPECT_EQ(picture.colour, drawPenCursorPixels(c.size));
    }
}

TEST(PenCursorPixels, ArePremultipliedGreyAndSymmetricAboutTheAxis) {
    for (int size : {32, 40, 48, 64}) {
        SCOPED_TRACE("size " + std::to_string(size));
        const std::vector<std::uint32_t> pixels = drawPenCursorPixels(size);
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(size * size));
        for (int row = 0; row < size; ++row) {
            for (int column = 0; column < size; ++column) {
                const std::uint32_t p = pixelAt(pixels, size, column, row);
                const std::uint32_t grey = blueOf(p);
                ASSERT_EQ((p >> 8) & 0xFF, grey) << column << ", " << row;
                ASSERT_EQ((p >> 16) & 0xFF, grey) << column << ", " << row;
                ASSERT_LE(grey, alphaOf(p)) << column << ", " << row;
                // The pen is its own mirror image across the main diagonal. Samples
                // that fall exactly on an edge may round differently on the two
                // sides, so a pixel may differ from its mirror by one sample.
                const std::uint32_t mirror = pixelAt(pixels, size, row, column);
                ASSERT_NEAR(static_cast<int>(alphaOf(p)), static_cast<int>(alphaOf(mirror)), 16)
                    << column << ", " << row;
                ASSERT_NEAR(static_cast<int>(grey), static_cast<int>(blueOf(mirror)), 16) << column << ", " << row;
            }
        }
    }
}

// Along the pen's axis from the tip: outside, the tip's ink, the white body,
// the cross line, the white end, the end's edge, outside again.
TEST(PenCursorPixels, AxisCrossesTheCrossLineBetweenBodyAndEnd) {
    const int size = 64;
    const std::vector<std::uint32_t> pixels = drawPenCursorPixels(size);
    std::string bands;
    for (int k = 0; k < size; ++k) {
        const std::uint32_t p = pixelAt(pixels, size, k, k);
        char band = '?';  // partly ink, partly white
        if (alphaOf(p) == 0) {
            band = '.';
        } else if (blueOf(p) == 0) {
            band = 'K';
        } else if (p == 0xFFFFFFFFu) {
            band = 'W';
        }
        if (band != '?' && (bands.empty() || bands.back() != band)) bands += band;
    }
    EXPECT_EQ(bands, ".KWKWK.");

    // Design point (18, 18), the middle of the cross line, is solid ink at 2 pixels per unit.
    EXPECT_EQ(pixelAt(pixels, size, 36, 36), 0xFF000000u);
    // The middle of the edge from (8, 4) to (22, 18) is ink that only partly covers its pixel.
    const std::uint32_t edge = pixelAt(pixels, size, 30, 22);
    EXPECT_GT(alphaOf(edge), 0u);
    EXPECT_LT(alphaOf(edge), 255u);
    EXPECT_EQ(blueOf(edge), 0u);
}

TEST(PenCursor, RebuildKeepsTheCursorForTheSameDpiAndReplacesItForAnother) {
    PenCursor pen;
    EXPECT_EQ(pen.cursor(), nullptr);
    EXPECT_EQ(pen.dpi(), 0u);
    pen.rebuild(96);
    const HCURSOR first = pen.cursor();
    pen.rebuild(96);
    EXPECT_EQ(pen.cursor(), first);
    pen.rebuild(0);  // also 96
    pen.rebuild(72);
    EXPECT_EQ(pen.cursor(), first);

    pen.rebuild(144);
    EXPECT_NE(pen.cursor(), first);
    EXPECT_EQ(pen.dpi(), 144u);
    EXPECT_FALSE(cursorAlive(first));
    EXPECT_TRUE(cursorAlive(pen.cursor()));
}

TEST(PenCursor, TheShownCursorIsSwitchedBeforeTheOldOneGoes) {
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    PenCursor pen;
    pen.rebuild(96);
    SetCursor(pen.cursor());
    ASSERT_EQ(GetCursor(), pen.cursor());
    pen.rebuild(192);
    EXPECT_EQ(GetCursor(), pen.cursor());

    // A pen cursor that is not on screen is replaced without touching the screen.
    SetCursor(arrow);
    pen.rebuild(120);
    EXPECT_EQ(GetCursor(), arrow);
}

TEST(PenCursor, OwnershipMovesAndEndsWithTheOwner) {
    HCURSOR moved = nullptr;
    {
        PenCursor source;
        source.rebuild(120);
        moved = source.cursor();
        PenCursor target(std::move(source));
        EXPECT_EQ(source.cursor(), nullptr);
        EXPECT_EQ(source.dpi(), 0u);
        EXPECT_EQ(target.cursor(), moved);
        EXPECT_EQ(target.dpi(), 120u);

        PenCursor other;
        other.rebuild(192);
        const HCURSOR replaced = other.cursor();
        other = std::move(target);
        EXPECT_FALSE(cursorAlive(replaced));
        EXPECT_EQ(other.cursor(), moved);
        EXPECT_EQ(target.cursor(), nullptr);
        EXPECT_TRUE(cursorAlive(moved));
    }
    EXPECT_FALSE(cursorAlive(moved));
}

}  // namespace
}  // namespace corvale
