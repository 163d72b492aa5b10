#include "ico_writer.h"

#include "bmp_writer.h"

namespace corvale::art {

namespace {

std::vector<std::uint8_t> encodeIconImage(const RgbaImage& image) {
    const auto w = static_cast<std::uint32_t>(image.width), h = static_cast<std::uint32_t>(image.height);
    const std::uint32_t maskStride = ((w + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    putU32(out, 40);
    putU32(out, w);
    putU32(out, h * 2);  // colour rows and mask rows together
    putU16(out, 1);
    putU16(out, 32);
    putU32(out, 0);
    putU32(out, w * h * 4 + maskStride * h);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    // The mask marks fully transparent pixels, for systems that ignore alpha.
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y).a == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodeIco(const std::vector<RgbaImage>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const RgbaImage& image : images) encoded.push_back(encodeIconImage(image));
    std::vector<std::uint8_t> out;
    putU16(out, 0);
    putU16(out, 1);  // icon
    putU16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // 256 is written as 0 in the one-byte size fields.
        out.push_back(static_cast<std::uint8_t>(images[i].width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(images[i].height & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        putU16(out, 1);   // planes
        putU16(out, 32);  // bits per pixel
        putU32(out, static_cast<std::uint32_t>(encoded[i].size()));
        putU32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& e : encoded) out.insert(out.end(), e.begin(), e.end());
    return out;
}

}  // namespace corvale::art
