// The solver: plays a board as a person could, through the player's own
// operations only, to prove that it can be won, to measure how hard it is
// and to record the winning input.
//
//   LevelList levels(parseLevelResource(bytes));
//   SolveResult r = solveBoard(levels, 300, 1, SolveOptions{});
//   if (r.won) writeTextFile("300.rec", writeRecording(r.recording));
//   ReplayResult again = replayRecording(levels, readRecording(text));  // again.hash == r.recording.finalHash
//
// How it plays: every few ticks it predicts the board a few seconds ahead
// on a copy of the game without new input. When a ball heads for a hole of
// another colour, it tries short strokes across that ball's predicted path
// (several places and angles, some aimed at the ball's own holes) and keeps
// the one whose simulated future is best; now and then it also tries to
// steer a wandering ball into its hole, and keeps that stroke only when the
// future gets clearly better. Blocks are tried the same way once earned.
//
// The same board, seed and options always give the same game; nothing
// depends on threads or the clock. Results stay valid for the life of the
// LevelList they were computed on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "level_list.h"
#include "player.h"
#include "recording.h"

namespace corvale {

struct SolveOptions {
    HumanLimits limits;           // limits.enabled = false is the "free" mode of experiments
    double horizon = 3.5;         // s the planner looks ahead
    double decisionPeriod = 0.1;  // s between two looks for danger
    double steerPeriod = 0.5;     // s between two tries at steering a wandering ball
};

// Why a board was lost. Won boards say "cleared".
inline constexpr const char* reasonCleared = "cleared";
// Lost within a quarter second of the first input allowed: no stroke could
// be drawn and reached in time.
// Lost within a quarter second of the first input allowed: no stroke could
// be drawn and reached in time.
inline constexpr const char* reasonTooEarly = "lost before the first input was allowed";
inline constexpr const char* reasonWrongHole = "wrong hole it could not prevent";
inline constexpr const char* reasonTime = "time ran out";
inline constexpr const char* reasonStuck = "the board cannot be cleared (a ball can never launch or sink)";

struct SolveResult {
    int boardId = 0;
    std::uint32_t seed = 1;
    bool won = false;
    std::string reason;             // one of the reason texts above
    double timeUsed = 0.0;          // s the board's clock ran (elapsed; it starts with the first launch)
    double endTime = 0.0;           // s from the board's set-up to the clear or the loss
    int timeLimit = 0;              // s; 0 = unlimited
    int strokes = 0;                // strokes drawn
    int blocks = 0;                 // blocks placed
    std::uint64_t points = 0;       // points scored on the board (before the time bonus)
    int balls = 0;                  // balls the board holds (queue and preplaced)
    int saves = 0;                  // strokes drawn to stop a ball from entering a wrong hole
    double tightestSlack = 0.0;     // s between the tightest save's decision and the foreseen wrong hole (0 if none)
    double difficulty = 0.0;        // see solveDifficulty; larger is harder
    double simulatedSeconds = 0.0;  // s of play simulated, planning included (for speed figures)
    Recording recording;            // the whole input, won or lost
};

// Plays one board (a level index) with the seed that `corvale.exe --seed S
// --level ID` uses. Throws std::out_of_range when the board is not in the list.
SolveResult solveBoard(const LevelList& levels, int boardId, std::uint32_t seed, const SolveOptions& options);

// The difficulty measure: interventions per ball, plus how much of a
// second was missing from the tightest save, plus 3 for each earlier seed
// that was lost (seedsLost). A lost board scores 100.
double solveDifficulty(const SolveResult& result, int seedsLost);

struct ReplayResult {
    std::uint64_t hash = 0;  // hashGame at the recording's finish
    bool matches = false;    // hash equals the recording's finalHash
    bool won = false;        // the board was cleared by the finish
};

// Plays a recording back through the same operations and limits, calling
// eachTick (when given) with the game after every tick, for animations.
// Throws std::runtime_error naming the line ("Line 9: too soon after the
// previous stroke.") when an input breaks the recording's limits, and
// std::out_of_range for a board not in the list.
ReplayResult replayRecording(const LevelList& levels, const Recording& recording,
                             const std::function<void(const Game&)>& eachTick = {});

}  // namespace corvale
