// The statistics record kept at every scope (board, run, last board, last
// run, lifetime). The field order is the in-memory order; the statistics file
// writes the fields in an order of its own.
#pragma once

#include <cstdint>

namespace corvale {

struct PlayCounters {
    double inkDrawn = 0.0;              // board pixels of ink laid down
    double playTime = 0.0;              // seconds of active play
    double completionTime = 0.0;        // summed play time of cleared boards, seconds
    double timeLeftAtCompletion = 0.0;  // summed clock seconds left on cleared timed boards
    std::uint64_t timedBoards = 0;      // cleared boards that had a time limit (<= boardsCleared)
    std::uint64_t strokesDrawn = 0;     // ink strokes begun
    std::uint64_t inkHits = 0;          // balls deflected by ink
    std::uint64_t wallHits = 0;         // balls deflected by wall tiles
    std::uint64_t ballHits = 0;         // ball-to-ball collisions
    std::uint64_t ballsSunk = 0;        // balls sunk in a hole of an accepted colour
    std::uint64_t boardsCleared = 0;    // boards cleared

    friend bool operator==(const PlayCounters&, const PlayCounters&) = default;
};

}  // namespace corvale
