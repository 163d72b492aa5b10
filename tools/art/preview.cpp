#include "preview.h"

namespace corvale::art {

namespace {

Rgb checker(int x, int y) { return ((x / 12 + y / 12) % 2) ? Rgb{200, 200, 204} : Rgb{236, 236, 240}; }

}  // namespace

Image atlasPreview(const Image& atlas, int scale) {
    Image out(atlas.width * scale, atlas.height * scale, white);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            Rgb p = atlas.at(x / scale, y / scale);
            out.at(x, y) = p == magenta ? checker(x, y) : p;
        }
    return out;
}

Image iconPreview(const std::vector<RgbaImage>& images, int scale) {
    int width = 8, height = 0;
    for (const RgbaImage& i : images) {
        width += i.width * scale + 8;
        if (i.height * scale > height) height = i.height * scale;
    }
    Image out(width, height + 16, white);
    int left = 8;
    for (const RgbaImage& image : images) {
        for (int y = 0; y < image.height * scale; ++y)
            for (int x = 0; x < image.width * scale; ++x) {
                const Rgba& p = image.at(x / scale, y / scale);
                Rgb behind = checker(x, y);
                out.at(left + x, 8 + y) = mix(behind, Rgb{p.r, p.g, p.b}, (p.a * 256 + 127) / 255);
            }
        left += image.width * scale + 8;
    }
    return out;
}

}  // namespace corvale::art
