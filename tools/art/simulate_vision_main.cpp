// corvale_simulate_vision IN.bmp OUT.bmp [protanopia|deuteranopia|tritanopia|grayscale]
// Writes the picture and, beside it, the same picture as a player with that
// colour-vision deficiency sees it (deuteranopia unless told otherwise).
// Reads uncompressed 24- and 32-bit BMPs such as the game's screenshots.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "colour_vision.h"

namespace {

using namespace corvale::art;

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + static_cast<std::size_t>(i));
    return v;
}

Image readBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + " could not be read.");
    const std::vector<std::uint8_t> b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error(path + " is not a BMP file.");
    const int width = static_cast<int>(le(b, 18, 4));
    const int height = static_cast<std::int32_t>(le(b, 22, 4));
    const int bits = static_cast<int>(le(b, 28, 2));
    if ((bits != 24 && bits != 32) || le(b, 30, 4) != 0 || width <= 0 || width > 16384 || height == 0 ||
        height > 16384 || height < -16384)
        throw std::runtime_error(path + " is not an uncompressed 24- or 32-bit BMP.");
    const int rows = height < 0 ? -height : height;
    const std::size_t stride = (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    const std::size_t offset = le(b, 10, 4);
    if (offset + stride * static_cast<std::size_t>(rows) > b.size()) throw std::runtime_error(path + " is truncated.");
    Image image(width, rows, black);
    for (int y = 0; y < rows; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(height < 0 ? y : rows - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * (bits / 8);
            image.at(x, y) = {b[at + 2], b[at + 1], b[at]};
        }
    }
    return image;
}

Vision visionNamed(const std::string& name) {
    for (Vision v : allVisions)
        if (name == visionName(v)) return v;
    throw std::runtime_error("Unknown vision \"" + name + "\".");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s IN.bmp OUT.bmp [protanopia|deuteranopia|tritanopia|grayscale]\n", argv[0]);
        return 2;
    }
    try {
        const Vision vision = argc == 4 ? visionNamed(argv[3]) : Vision::Deuteranopia;
        const Image picture = readBmp(argv[1]);
        const int gap = 12;
        Image out(2 * picture.width + gap, picture.height, white);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const Rgb c = picture.at(x, y);
                out.at(x, y) = c;
                out.at(picture.width + gap + x, y) = simulate(c, vision);
            }
        writeFile(argv[2], encodeBmp24(out));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
