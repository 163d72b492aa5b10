// What the solver tells a person about many boards: a table, CSV, a summary
// per difficulty and the report of the boards it could not win.
#pragma once

#include <string>
#include <vector>

#include "solver.h"

namespace corvale {

// One board's final result and how many seeds it took (the first won, or
// all of them when none was).
struct BoardOutcome {
    SolveResult result;
    int seedsTried = 1;
    std::vector<SolveResult> earlierLosses;  // the seeds lost before the last one tried (recordings dropped)
};

std::string resultTable(const std::vector<BoardOutcome>& outcomes);
std::string resultCsv(const std::vector<BoardOutcome>& outcomes);
std::string difficultySummary(const std::vector<BoardOutcome>& outcomes, const LevelList& levels);

// Markdown: how the run was made, the summary, every board not won with
// its reason, and the hardest boards won.
std::string solverReport(const std::vector<BoardOutcome>& outcomes, const LevelList& levels, bool humanLimits,
                         const std::string& seeds);

}  // namespace corvale
