// Long unattended play with random ink, checking after every sub-step what
// must always hold: finite numbers, balls on the board and out of solid
// walls, the ball and stroke limits, counters that only grow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game.h"
#include "level.h"
#include "solver.h"

namespace corvale {

struct SoakResult {
    double boardSeconds = 0.0;                // simulated play, summed over the boards
    double solverSeconds = 0.0;               // of which with the solver's input
    std::uint64_t solverReplays = 0;          // solver recordings played to their finish
    std::uint64_t solverReplaysMatching = 0;  // of which ended in the solver's own state (hash)
    std::uint64_t solverWins = 0;             // of which the solver won
    std::uint64_t subSteps = 0;               // invariant checks made
    std::uint64_t boardsCleared = 0;          // boards finished during the soak
    std::uint64_t gamesOver = 0;              // boards lost (and restarted)
    std::vector<std::string> failures;        // "board B seed S at T s: what", first few only
};

// What is wrong with the game right now, compared with the state one
// sub-step earlier (empty = nothing).
std::string soakViolation(const Game& game, const Game& before);

// Plays board `index` (a fresh run) for `seconds` of simulated time in steps
// of one sub-step, drawing random ink from `seed`, and adds to `result`.
// A lost board restarts; a cleared one goes on to whatever board follows.
void soakBoard(Game& game, std::int64_t index, std::uint32_t seed, double seconds, SoakResult& result);

// Plays board `index` with the solver's ink: the board is solved with
// `seed`, and its input is played back into `game` tick by tick, as the
// solver played it, with the checks after every sub-step. When the input runs
// out, play goes on with random ink until `seconds`.
void soakBoardWithSolver(Game& game, int index, std::uint32_t seed, double seconds, SoakResult& result);

}  // namespace corvale
