// The screenshot file: the 544 x 586 game image as a 32-bit top-down BMP.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace corvale {

inline constexpr std::size_t screenshotHeaderSize = 54;
inline constexpr std::size_t screenshotPixelBytes = 544u * 586u * 4u;
inline constexpr std::size_t screenshotFileSize = screenshotHeaderSize + screenshotPixelBytes;

// The 14-byte file header followed by the 40-byte information header.
std::array<std::uint8_t, screenshotHeaderSize> screenshotHeader();

// Writes `bytes` completely to `file`; false on a short or failed write.
using FileWriter = bool (*)(HANDLE file, const void* bytes, DWORD count);
bool writeAllBytes(HANDLE file, const void* bytes, DWORD count);

// Creates (or replaces) the file at `path` and writes the header and the
// pixels with `write`, every fourth byte 255. On any failure the partial file
// is deleted.
bool writeScreenshotFile(const std::wstring& path, const std::uint32_t* pixels, FileWriter write = writeAllBytes);

}  // namespace corvale
