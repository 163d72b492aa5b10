// What the solver found when it played a drawing, kept in a table in the
// repository so that the designer orders the boards and fits their limits
// from real play without running the solver on every rebuild.
//
// A drawing is known by its difficulty, its draft slot (the id the plan gave
// it before the boards were ordered) and a hash of everything that changes
// how it plays, so an entry goes stale by itself when the drawing changes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "level.h"

namespace corvale::design {

struct DrawingKey {
    int difficulty = 0;
    int slot = 0;
    std::uint64_t hash = 0;
    auto operator<=>(const DrawingKey&) const = default;
};

struct Measure {
    bool won = false;
    int seed = 0;           // the first of seeds 1, 2, 3 it won (the last tried when lost)
    double timeUsed = 0.0;  // s on the board's clock on that seed
    double difficulty = 0;  // the solver's measure; larger is harder
    int strokes = 0;
    // Of seeds 2 and 3, how many the solver won playing the board as the set
    // will have it (its limit included); -1 before they are played.
    int laterWins = -1;
};

using MeasureTable = std::map<DrawingKey, Measure>;

// Everything of a level that play depends on: cells, queue, rhythm, speeds,
// shuffling, difficulty and kind. Not the id, the limit or trailing bytes.
std::uint64_t drawingHash(const Level& level);

// Tab-separated, one drawing a line after a header; a missing file is an
// empty table. Throws std::runtime_error naming the line of a malformed one.
MeasureTable readMeasureTable(const std::string& path);
std::string writeMeasureTable(const MeasureTable& table);

// Plays the level on seeds 1, 2 and 3 in turn until one is won, with the
// person's limits on and the clock longer than any limit, so the time it
// needs shows even where the present limit would have ended the board.
Measure measureDrawing(const Level& level);

// Plays the level on seeds 2 and 3 as the set will have it, limit and all,
// and counts the wins. A drawing won on seed 1 alone may still be lost from
// most random starts: in the set a board starts from another random state
// (a run first draws from all of Beginner), so only a drawing won from each
// start tried is one the solver wins there.
int laterSeedWins(const Level& level);

// A limit fitted to the time the solver needed: generous on Beginner,
// tight on Expert, in whole 5 s, from 60 s (Beginner) or 40 s (Expert) to 175 s.
int measuredTimeLimit(double timeUsed, int difficulty);

// Whether a person's limit leaves the solver's win standing: it won on the
// first seed, and the clock keeps a look-ahead's worth of seconds in hand.
bool fitsLimit(const Measure& measure, int limit);

}  // namespace corvale::design
