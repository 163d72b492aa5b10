// Long unattended play with random ink, checking after every sub-step what
// must always hold: finite numbers, balls on the board and out of solid
// walls, the ball and stroke limits, counters that only grow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game.h"
#include "level.h"

namespace corvale {

struct SoakResult {
    double boardSeconds = 0.0;          // simulated play, summed over the boards
    std::uint64_t subSteps = 0;         // invariant checks made
    std::uint64_t boardsCleared = 0;    // boards finished during the soak
    std::uint64_t gamesOver = 0;        // boards lost (and restarted)
    std::vector<std::string> failures;  // "board B seed S at T s: what", first few only
};

// What is wrong with the game right now, compared with the state one
// sub-step earlier (empty = nothing).
std::string soakViolation(const Game& game, const Game& before);

// Plays board `index` (a fresh run) for `seconds` of simulated time in steps
// of one sub-step, drawing random ink from `seed`, and adds to `result`.
// A lost board restarts; a cleared one goes on to whatever board follows.
void soakBoard(Game& game, std::int64_t index, std::uint32_t seed, double seconds, SoakResult& result);

}  // namespace corvale
