// The text beside the board preview: a full description of a level and of
// single tile codes. ASCII with "\r\n" line ends, so the edit box shows it
// as is once widened.
#pragma once

#include <cstdint>
#include <string>

#include "level.h"

namespace corvale {

// Everything the level record holds, ending with the note that the preview
// does not touch the game in play.
std::string describeBoard(const Level& level);

// The section for the cell at (column, row), or "" when either is outside
// 0..16. A breakable wall also describes the tile it leaves behind.
std::string describeSelectedTile(const Level& level, int column, int row);

// Name, raw code with its parameters, and a detail line for the kinds that
// have one.
std::string describeTile(std::uint16_t code);

// Hexadecimal with "0x" and upper-case digits, zero-padded to `width`.
std::string formatHex(std::uint32_t value, int width);

// At most six significant digits, no trailing zeros (0.5, 1, 11.25).
std::string formatDecimal(double value);

}  // namespace corvale
