// The level reader takes bytes it must never trust: any input either gives
// exactly 551 consistent levels or one of the reader's errors.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <vector>

#include "level.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<corvale::Level> levels;
    try {
        levels = corvale::parseLevelResource(std::span<const std::uint8_t>(data, size));
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (levels.size() != corvale::levelCount) std::abort();
    // What was accepted must write back to the very same bytes.
    const std::vector<std::uint8_t> again = corvale::serializeLevelResource(levels);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    return 0;
}
