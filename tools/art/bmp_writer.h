// Writes 24-bit Windows bitmaps: BITMAPFILEHEADER, BITMAPINFOHEADER, rows
// bottom-up in blue-green-red order, each padded to four bytes, which is what
// LoadImage and the resource compiler read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster.h"

namespace corvale::art {

std::vector<std::uint8_t> encodeBmp24(const Image& image);

// Throws std::runtime_error when the file cannot be written.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Little-endian helpers shared with the icon writer.
void putU16(std::vector<std::uint8_t>& out, std::uint32_t v);
void putU32(std::vector<std::uint8_t>& out, std::uint32_t v);

}  // namespace corvale::art
