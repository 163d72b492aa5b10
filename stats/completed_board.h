// One row of the completed-boards record: what a cleared board was worth and
// how it was played. Kept by the game for the run in play, shown as a table.
#pragma once

#include <cstdint>

namespace corvale {

struct CompletedBoard {
    std::int32_t boardId = 0;          // the level's id
    double time = 0.0;                 // play time when the last ball was sunk, seconds
    std::int32_t timeLimit = 0;        // limit of the mechanics in force, seconds; 0 = unlimited
    std::uint64_t points = 0;          // score gained on the board before the time bonus
    std::uint64_t possiblePoints = 0;  // most points the board's balls could earn
    double inkLength = 0.0;            // ink drawn on the board, board pixels

    friend bool operator==(const CompletedBoard&, const CompletedBoard&) = default;
};

}  // namespace corvale
