#include "picture_image.h"

#include <gtest/gtest.h>

namespace corvale {
namespace {

std::uint32_t bmpPixel(const std::vector<std::uint8_t>& bmp, int width, int height, int x, int y) {
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = 54 + rowBytes * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
    return static_cast<std::uint32_t>(bmp[at + 2] << 16 | bmp[at + 1] << 8 | bmp[at]);
}

TEST(ShrinkPicture, AveragesEachBlockPerChannelAndDropsTheRemainder) {
    // 5 x 3 at factor 2: two blocks across, one down; the last column and row are dropped.
    std::vector<std::uint32_t> pixels(15, 0xFFFFFF);
    pixels[0] = 0x000000;
    pixels[1] = 0x0000FF;
    pixels[5] = 0xFF0000;
    pixels[6] = 0x00FF01;
    const PictureImage image = shrinkPicture(pixels, 5, 3, 2);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 1);
    // red (0+0+255+0)/4 = 63.75 -> 64, green 255/4 -> 64, blue (255+1)/4 = 64
    EXPECT_EQ(image.pixels[0], 0x404040u);
    EXPECT_EQ(image.pixels[1], 0xFFFFFFu);
}

TEST(ShrinkPicture, IgnoresTheUnusedTopByteAndKeepsFlatColours) {
    const std::vector<std::uint32_t> pixels(16, 0xFF123456);
    const PictureImage image = shrinkPicture(pixels, 4, 4, 4);
    ASSERT_EQ(image.pixels.size(), 1u);
    EXPECT_EQ(image.pixels[0], 0x123456u);
}

TEST(ShrinkPicture, RefusesSizesThatDoNotFit) {
    const std::vector<std::uint32_t> pixels(12, 0);
    EXPECT_THROW(shrinkPicture(pixels, 4, 4, 1), std::invalid_argument);  // 12 pixels are not 4 x 4
    EXPECT_THROW(shrinkPicture(pixels, 4, 3, 0), std::invalid_argument);
    EXPECT_THROW(shrinkPicture(pixels, 4, 3, 4), std::invalid_argument);  // no whole block down
}

TEST(EncodeBmp, PadsRowsAndStoresTheBottomRowFirst) {
    PictureImage image;
    image.width = 3;  // 9 bytes a row, padded to 12
    image.height = 2;
    image.pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
    const std::vector<std::uint8_t> bmp = encodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 24u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[2], 78);     // file size
    EXPECT_EQ(bmp[28], 24);    // bits per pixel
    EXPECT_EQ(bmp[54], 0x0C);  // first stored pixel: bottom-left, blue first
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(bmpPixel(bmp, 3, 2, x, y), image.pixels[static_cast<std::size_t>(y * 3 + x)]) << x << "," << y;
}

}  // namespace
}  // namespace corvale
