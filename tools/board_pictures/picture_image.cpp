#include "picture_image.h"

#include <stdexcept>

namespace corvale {
namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

}  // namespace

PictureImage shrinkPicture(std::span<const std::uint32_t> pixels, int width, int height, int factor) {
    if (factor < 1) throw std::invalid_argument("The shrink factor must be 1 or more.");
    if (width < factor || height < factor)
        throw std::invalid_argument("The picture is smaller than one block of the shrink factor.");
    if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("The picture's size does not match its pixels.");

    PictureImage out;
    out.width = width / factor;
    out.height = height / factor;
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    const std::uint32_t area = static_cast<std::uint32_t>(factor * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            std::uint32_t sum[3] = {0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                const std::size_t row = static_cast<std::size_t>(y * factor + dy) * static_cast<std::size_t>(width);
                for (int dx = 0; dx < factor; ++dx) {
                    const std::uint32_t p = pixels[row + static_cast<std::size_t>(x * factor + dx)];
                    sum[0] += (p >> 16) & 0xFF;
                    sum[1] += (p >> 8) & 0xFF;
                    sum[2] += p & 0xFF;
                }
            }
            // Rounded to nearest, so a flat colour survives unchanged.
            const std::uint32_t r = (sum[0] + area / 2) / area;
            const std::uint32_t g = (sum[1] + area / 2) / area;
            const std::uint32_t b = (sum[2] + area / 2) / area;
            out.pixels[static_cast<std::size_t>(y * out.width + x)] = (r << 16) | (g << 8) | b;
        }
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp(const PictureImage& image) {
    const std::size_t rowBytes = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> out(54 + pixelBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, 54);
    put32(out, 14, 40);
    put32(out, 18, static_cast<std::uint32_t>(image.width));
    put32(out, 22, static_cast<std::uint32_t>(image.height));
    put16(out, 26, 1);
    put16(out, 28, 24);
    put32(out, 34, static_cast<std::uint32_t>(pixelBytes));
    for (int y = 0; y < image.height; ++y) {
        std::size_t at = 54 + rowBytes * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.pixels[static_cast<std::size_t>(y * image.width + x)];
            out[at++] = static_cast<std::uint8_t>(p);
            out[at++] = static_cast<std::uint8_t>(p >> 8);
            out[at++] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    return out;
}

}  // namespace corvale
