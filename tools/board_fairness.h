// Fairness of a board played with no ink: no ball may reach a hole of
// another colour soon after it appears, whatever the seed, and a normal
// board should not clear itself. Launches are enumerable (a launched ball
// starts at its launcher's centre with one of 100 x 4 directions and a speed
// from the board's range), so they are swept outright; ball-against-ball
// effects and random preplaced headings are sampled with whole no-ink runs.
#pragma once

#include <string>
#include <vector>

#include "level.h"

namespace corvale {

struct FairnessOptions {
    int directionStride = 1;  // every n-th of the 100 direction fractions, all four sign pairs
    int speedCount = 3;       // speeds per sweep: min, max - 1 and evenly between
    // Beginner pockets stand open, and a ball slow enough to be held by a
    // hole's pull may be caught at one speed and pass at its neighbours:
    // there, sweep every speed the launcher can pick.
    bool everyBeginnerSpeed = false;
    int launchTimes = 1;      // launch moments swept: the first launch and the following intervals
    int seeds = 100;          // whole no-ink runs, seeds firstSeed..firstSeed + n - 1
    int firstSeed = 1;
    double margin = 3.5;         // seconds a ball must stay out of wrong holes after appearing (the rule says 3)
    double runSeconds = 90.0;    // longest no-ink run (the time limit ends normal runs sooner)
    double maxSelfClear = 0.10;  // largest share of runs a normal board may clear by itself
};

// A quick look, for the test suite and the designer's loop.
FairnessOptions quickFairness();
// Every direction, more speeds, launch moments and seeds.
FairnessOptions fullFairness();
// What the designer demands of a drawing it keeps: as thorough as the full
// check but on seeds of its own and with a stricter share, so that the full
// check's seeds stand for the ones nobody has tried.
FairnessOptions provingFairness();

struct FairnessReport {
    std::vector<std::string> faults;  // one sentence each; empty when fair
    int runs = 0;                     // whole no-ink runs made
    int selfCleared = 0;              // of them, runs that cleared the board
    bool clearsItself = false;        // one of the faults: too many of them
    int wrongHoleRuns = 0;            // runs lost to a wrong hole (later than the margin)
    double meanWrongHoleSeconds = 0;  // mean board age at that loss, over those runs
};

FairnessReport checkFairness(const Level& level, const FairnessOptions& options);

}  // namespace corvale
