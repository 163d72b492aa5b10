// Small pictures made from the game image: shrunk by an integer factor and
// stored as BMP files, which ImageMagick reads directly. Portable, so the
// arithmetic is tested natively.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace corvale {

struct PictureImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// Each output pixel is the average of a factor x factor block, so thin ink
// and wall edges fade instead of flickering in and out as point sampling
// would. Rows and columns left over at the right and bottom are dropped.
// Throws std::invalid_argument for a factor below 1, a size that does not
// match the pixels, or an image smaller than one block.
PictureImage shrinkPicture(std::span<const std::uint32_t> pixels, int width, int height, int factor);

// The bytes of a 24-bit bottom-up BMP file (the most widely read kind).
std::vector<std::uint8_t> encodeBmp(const PictureImage& image);

}  // namespace corvale
