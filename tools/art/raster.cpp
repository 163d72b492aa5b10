#include "raster.h"

#include <cstdlib>

namespace corvale::art {

Image::Image(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

RgbaImage::RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}

void View::fillRect(int x, int y, int w, int h, Rgb c) const {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) set(i, j, c);
}

static std::uint8_t channelMix(int a, int b, int t) { return static_cast<std::uint8_t>((a * (256 - t) + b * t + 128) >> 8); }

Rgb mix(Rgb a, Rgb b, int t) {
    if (t < 0) t = 0;
    if (t > 256) t = 256;
    return {channelMix(a.r, b.r, t), channelMix(a.g, b.g, t), channelMix(a.b, b.b, t)};
}

static std::uint8_t channelScale(int v, int percent) {
    int s = (v * percent + 50) / 100;
    return static_cast<std::uint8_t>(s > 255 ? 255 : s);
}

Rgb scale(Rgb c, int percent) { return {channelScale(c.r, percent), channelScale(c.g, percent), channelScale(c.b, percent)}; }

int luminance(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b + 500) / 1000; }

std::uint32_t noise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

void drawLine(const View& v, int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        v.set(x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

}  // namespace corvale::art
