// The committed board set, read from the source tree (native tests only).
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "level.h"

namespace corvale::test {

inline std::vector<Level> committedLevels() {
    std::ifstream file(CORVALE_LEVELS_BIN, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parseLevelResource(bytes);
}

}  // namespace corvale::test
