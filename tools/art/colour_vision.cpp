#include "colour_vision.h"

#include <algorithm>
#include <cmath>

namespace corvale::art {

namespace {

constexpr double pi = 3.14159265358979323846;
double radians(double degrees) {
    return degrees * pi / 180.0;
}
double degrees(double radians) {
    return radians * 180.0 / pi;
}

// clang-format off
constexpr double machado[3][3][3] = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},  // protanopia
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},   // deuteranopia
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},  // tritanopia
};
// clang-format on

double channelToLinear(std::uint8_t v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t channelToSrgb(double c) {
    c = std::clamp(c, 0.0, 1.0);
    const double s = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(s * 255.0));
}

double labF(double t) {
    return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
}

}  // namespace

const char* visionName(Vision v) {
    switch (v) {
        case Vision::Protanopia:
            return "protanopia";
        case Vision::Deuteranopia:
            return "deuteranopia";
        case Vision::Tritanopia:
            return "tritanopia";
        case Vision::Grayscale:
            return "grayscale";
        default:
            return "normal vision";
    }
}

LinearRgb toLinear(Rgb c) {
    return {channelToLinear(c.r), channelToLinear(c.g), channelToLinear(c.b)};
}

Rgb toSrgb(LinearRgb c) {
    return {channelToSrgb(c.r), channelToSrgb(c.g), channelToSrgb(c.b)};
}

LinearRgb simulate(LinearRgb c, Vision v) {
    if (v == Vision::Normal) return c;
    if (v == Vision::Grayscale) {
        const double y = 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
        return {y, y, y};
    }
    const auto& m = machado[static_cast<int>(v) - 1];
    const double in[3] = {c.r, c.g, c.b};
    double out[3];
    for (int i = 0; i < 3; ++i) out[i] = std::clamp(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2], 0.0, 1.0);
    return {out[0], out[1], out[2]};
}

Rgb simulate(Rgb c, Vision v) {
    return toSrgb(simulate(toLinear(c), v));
}

Lab toLab(LinearRgb c) {
    // sRGB primaries to XYZ, then relative to the D65 white.
    const double x = (0.4124564 * c.r + 0.3575761 * c.g + 0.1804375 * c.b) / 0.95047;
    const double y = 0.2126729 * c.r + 0.7151522 * c.g + 0.0721750 * c.b;
    const double z = (0.0193339 * c.r + 0.1191920 * c.g + 0.9503041 * c.b) / 1.08883;
    const double fx = labF(x), fy = labF(y), fz = labF(z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double deltaE2000(const Lab& p, const Lab& q) {
    const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b);
    const double cMean7 = std::pow((c1 + c2) / 2.0, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7.0))));
    const double a1 = (1.0 + g) * p.a, a2 = (1.0 + g) * q.a;
    const double c1p = std::hypot(a1, p.b), c2p = std::hypot(a2, q.b);
    auto hueOf = [](double b, double a) {
        if (a == 0.0 && b == 0.0) return 0.0;
        const double h = degrees(std::atan2(b, a));
        return h < 0.0 ? h + 360.0 : h;
    };
    const double h1 = hueOf(p.b, a1), h2 = hueOf(q.b, a2);
    const bool achromatic = c1p * c2p == 0.0;

    const double dL = q.l - p.l, dC = c2p - c1p;
    double dh = achromatic ? 0.0 : h2 - h1;
    if (dh > 180.0) dh -= 360.0;
    if (dh < -180.0) dh += 360.0;
    const double dH = 2.0 * std::sqrt(c1p * c2p) * std::sin(radians(dh / 2.0));

    const double lMean = (p.l + q.l) / 2.0, cpMean = (c1p + c2p) / 2.0;
    double hMean = h1 + h2;
    if (!achromatic) {
        if (std::fabs(h1 - h2) <= 180.0)
            hMean = (h1 + h2) / 2.0;
        else
            hMean = h1 + h2 < 360.0 ? (h1 + h2 + 360.0) / 2.0 : (h1 + h2 - 360.0) / 2.0;
    }
    const double t = 1.0 - 0.17 * std::cos(radians(hMean - 30.0)) + 0.24 * std::cos(radians(2.0 * hMean)) +
                     0.32 * std::cos(radians(3.0 * hMean + 6.0)) - 0.20 * std::cos(radians(4.0 * hMean - 63.0));
    const double dTheta = 30.0 * std::exp(-std::pow((hMean - 275.0) / 25.0, 2.0));
    const double cp7 = std::pow(cpMean, 7.0);
    const double rc = 2.0 * std::sqrt(cp7 / (cp7 + std::pow(25.0, 7.0)));
    const double l50 = (lMean - 50.0) * (lMean - 50.0);
    const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sc = 1.0 + 0.045 * cpMean, sh = 1.0 + 0.015 * cpMean * t;
    const double rt = -std::sin(radians(2.0 * dTheta)) * rc;
    const double lTerm = dL / sl, cTerm = dC / sc, hTerm = dH / sh;
    return std::sqrt(lTerm * lTerm + cTerm * cTerm + hTerm * hTerm + rt * cTerm * hTerm);
}

}  // namespace corvale::art
