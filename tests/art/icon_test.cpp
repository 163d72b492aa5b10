// The icon file as the resource compiler and Windows read it: a directory of
// five 32-bit images whose alpha and mask agree.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ico_writer.h"
#include "icon_painter.h"

namespace corvale::art {
namespace {

std::uint32_t u16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }

std::vector<RgbaImage> allSizes() {
    std::vector<RgbaImage> images;
    for (int size : iconSizes) images.push_back(paintIcon(size));
    return images;
}

TEST(IconFile, DirectoryDescribesFiveThirtyTwoBitImagesBackToBack) {
    const std::vector<std::uint8_t> ico = encodeIco(allSizes());
    ASSERT_GE(ico.size(), 6u + 5 * 16);
    EXPECT_EQ(u16(ico, 0), 0u);
    EXPECT_EQ(u16(ico, 2), 1u);  // an icon, not a cursor
    ASSERT_EQ(u16(ico, 4), 5u);
    std::uint32_t expectedOffset = 6 + 5 * 16;
    const int sizes[] = {16, 24, 32, 48, 256};
    for (int i = 0; i < 5; ++i) {
        const std::size_t e = 6 + 16 * i;
        const std::uint32_t size = sizes[i];
        EXPECT_EQ(ico[e], size & 0xFF);  // 256 is stored as 0
        EXPECT_EQ(ico[e + 1], size & 0xFF);
        EXPECT_EQ(u16(ico, e + 4), 1u);
        EXPECT_EQ(u16(ico, e + 6), 32u);
        const std::uint32_t bytes = u32(ico, e + 8), offset = u32(ico, e + 12);
        EXPECT_EQ(offset, expectedOffset);
        const std::uint32_t maskStride = (size + 31) / 32 * 4;
        EXPECT_EQ(bytes, 40 + size * size * 4 + maskStride * size);
        ASSERT_LE(offset + bytes, ico.size());
        // The image's own header: twice the height, for colour and mask rows.
        EXPECT_EQ(u32(ico, offset), 40u);
        EXPECT_EQ(u32(ico, offset + 4), size);
        EXPECT_EQ(u32(ico, offset + 8), 2 * size);
        EXPECT_EQ(u16(ico, offset + 14), 32u);
        expectedOffset = offset + bytes;
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

TEST(IconFile, MaskMarksExactlyTheTransparentPixels) {
    const std::vector<RgbaImage> images = allSizes();
    const std::vector<std::uint8_t> ico = encodeIco(images);
    for (int i = 0; i < 5; ++i) {
        const RgbaImage& image = images[i];
        const std::uint32_t offset = u32(ico, 6 + 16 * i + 12), w = image.width;
        const std::size_t mask = offset + 40 + w * w * 4, stride = (w + 31) / 32 * 4;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                // Both the colour rows and the mask rows are stored bottom-up.
                const std::size_t row = image.height - 1 - y;
                bool bit = ico[mask + row * stride + x / 8] & (0x80 >> (x % 8));
                EXPECT_EQ(bit, image.at(x, y).a == 0) << "size " << w << " at " << x << "," << y;
                EXPECT_EQ(ico[offset + 40 + (row * w + x) * 4 + 3], image.at(x, y).a);
            }
    }
}

TEST(IconArt, EverySizeShowsAnOpaqueBallWithSmoothEdgesOnTransparency) {
    for (int size : iconSizes) {
        const RgbaImage image = paintIcon(size);
        EXPECT_EQ(image.at(0, 0).a, 0) << size;
        EXPECT_EQ(image.at(size - 1, 0).a, 0) << size;
        // The ball sits right of centre, above the stroke, and is orange-red.
        const Rgba ball = image.at(size * 6 / 10, size * 45 / 100);
        EXPECT_EQ(ball.a, 255) << size;
        EXPECT_GT(ball.r, ball.g + 60) << size;
        int partial = 0, ink = 0;
        for (const Rgba& p : image.pixels) {
            partial += p.a > 0 && p.a < 255;
            ink += p.a == 255 && p.r < 40 && p.g < 40 && p.b < 40;
        }
        EXPECT_GT(partial, size / 2) << size;
        EXPECT_GT(ink, size / 2) << size;  // the ink stroke
    }
}

}  // namespace
}  // namespace corvale::art
