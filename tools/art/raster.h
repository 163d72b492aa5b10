// A tiny raster library for the asset painters: 8-bit RGB and RGBA pixel
// buffers and the few colour operations the sprites are built from.
// Everything is integer or correctly rounded (sqrt only), so a repaint gives
// the same bytes with any conforming compiler.
#pragma once

#include <cstdint>
#include <vector>

namespace corvale::art {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb magenta{255, 0, 255};
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image(int w, int h, Rgb fill);
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    RgbaImage(int w, int h);
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A sprite's window into the atlas: painters work in sprite coordinates and
// cannot spill into a neighbour, since writes outside the window are dropped.
struct View {
    Image* image = nullptr;
    int left = 0, top = 0, width = 0, height = 0;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void set(int x, int y, Rgb c) const {
        if (contains(x, y)) image->at(left + x, top + y) = c;
    }
    Rgb get(int x, int y) const { return image->at(left + x, top + y); }
    void fill(Rgb c) const { fillRect(0, 0, width, height, c); }
    void fillRect(int x, int y, int w, int h, Rgb c) const;
};

// t in 0..256: 0 gives a, 256 gives b.
Rgb mix(Rgb a, Rgb b, int t);
// Scales each channel by percent / 100, clamped to 255.
Rgb scale(Rgb c, int percent);
// Perceived brightness 0..255 (Rec. 601 weights).
int luminance(Rgb c);
// A small deterministic hash for texture speckles.
std::uint32_t noise(int x, int y, std::uint32_t seed);

// A one-pixel line between two points, ends included.
void drawLine(const View& v, int x0, int y0, int x1, int y1, Rgb c);

}  // namespace corvale::art
