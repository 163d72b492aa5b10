// Writes a Windows icon file: one directory entry per image, each image a
// 32-bit BITMAPINFOHEADER bitmap with its 1-bit mask, as windres ICON takes.
#pragma once

#include <cstdint>
#include <vector>

#include "raster.h"

namespace corvale::art {

std::vector<std::uint8_t> encodeIco(const std::vector<RgbaImage>& images);

}  // namespace corvale::art
