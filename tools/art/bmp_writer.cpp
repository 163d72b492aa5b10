#include "bmp_writer.h"

#include <fstream>
#include <stdexcept>

namespace corvale::art {

void putU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

std::vector<std::uint8_t> encodeBmp24(const Image& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    putU32(out, 54 + pixelBytes);
    putU32(out, 0);   // reserved
    putU32(out, 54);  // pixel data offset
    putU32(out, 40);  // BITMAPINFOHEADER
    putU32(out, static_cast<std::uint32_t>(image.width));
    putU32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);  // BI_RGB
    putU32(out, pixelBytes);
    putU32(out, 2835);  // 72 dots per inch
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("Could not write " + path + ".");
}

}  // namespace corvale::art
