// The level reader takes bytes it must never trust: any input either gives
// exactly the levels asked for, consistent, or one of the reader's errors.
// A whole resource (a third of a megabyte) asks for all 551; a shorter input
// asks for as many records as it could hold, so most executions read a few
// records, through the same code, thousands of times a second.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "fuzz_check.h"
#include "level.h"

using corvale::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t smallestRecord = 2 + 587;
    const int count = size >= corvale::levelCount * smallestRecord
                          ? corvale::levelCount
                          : std::max(1, static_cast<int>(size / smallestRecord));
    const std::span<const std::uint8_t> bytes(data, size);
    std::vector<corvale::Level> levels;
    try {
        levels = count == corvale::levelCount ? corvale::parseLevelResource(bytes)
                                              : corvale::parseLevelRecords(bytes, count);
    } catch (const std::runtime_error& error) {
        check(corvale::fuzz::oneOf(error.what(),
                                   {"The original Corvale level resource is truncated.",
                                    "Invalid Corvale level record length.", "Invalid Corvale level header.",
                                    "Invalid queued ball color.", "The Corvale resource contains an invalid tile code.",
                                    "The Corvale resource has an unexpected trailer."}),
              "a refusal uses one of the reader's sentences");
        return 0;
    }
    check(levels.size() == static_cast<std::size_t>(count), "as many levels as asked for");
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const corvale::Level& level = levels[i];
        check(level.id == static_cast<int>(i), "id is the position");
        check(level.minSpeed >= 50 && level.minSpeed <= level.maxSpeed && level.maxSpeed <= 300, "speed range");
        check(level.timeLimit <= 999 && level.launchInterval <= 60 && level.queue.size() <= 64, "header ranges");
        for (const corvale::TileCell& cell : level.cells)
            check(corvale::isValidTileCode(cell.code), "every cell code is valid");
    }
    // What was accepted must write back to the very same bytes, except that any
    // non-zero randomize flag reads as true and is written as 1.
    std::vector<std::uint8_t> expected(data, data + size);
    for (const corvale::Level& level : levels) expected[level.recordOffset + 9] = level.randomizeQueue ? 1 : 0;
    const std::vector<std::uint8_t> again = corvale::serializeLevelResource(levels);
    check(again == expected, "writes back to the same bytes");
    return 0;
}
