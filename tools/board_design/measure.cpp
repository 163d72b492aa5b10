#include "measure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "level_list.h"
#include "solver.h"

namespace corvale::design {
namespace {

struct Fnv {
    std::uint64_t value = 14695981039346656037ull;
    void add(std::uint64_t word, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            value ^= (word >> (8 * i)) & 0xFF;
            value *= 1099511628211ull;
        }
    }
};

// A list of the one level, for the solver to play it as board 0.
LevelList alone(const Level& level) {
    return LevelList(std::vector<Level>{level});
}

const char* const header = "difficulty\tslot\thash\twon\tseed\ttime_used\tsolver_difficulty\tstrokes\tlater_wins";

}  // namespace

std::uint64_t drawingHash(const Level& level) {
    Fnv h;
    h.add(static_cast<std::uint32_t>(level.difficulty), 4);
    h.add(level.bonus ? 1 : 0, 1);
    h.add(static_cast<std::uint32_t>(level.launchInterval), 4);
    h.add(static_cast<std::uint32_t>(level.minSpeed), 4);
    h.add(static_cast<std::uint32_t>(level.maxSpeed), 4);
    h.add(level.randomizeQueue ? 1 : 0, 1);
    h.add(level.queue.size(), 8);
    for (const std::int32_t color : level.queue) h.add(static_cast<std::uint32_t>(color), 4);
    for (const TileCell& cell : level.cells) h.add(cell.code, 2), h.add(cell.revealedCode, 2);
    return h.value;
}

MeasureTable readMeasureTable(const std::string& path) {
    MeasureTable table;
    std::ifstream in(path);
    if (!in) return table;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        // The header, or an older one without the last column.
        if (line.empty() || line.rfind("difficulty\t", 0) == 0) continue;
        std::istringstream fields(line);
        DrawingKey key;
        Measure m;
        std::string hash;
        int won = 0;
        fields >> key.difficulty >> key.slot >> hash >> won >> m.seed >> m.timeUsed >> m.difficulty >> m.strokes;
        std::size_t used = 0;
        try {
            key.hash = std::stoull(hash, &used, 16);
        } catch (const std::exception&) {
            used = 0;
        }
        bool good = fields && used == hash.size() && !hash.empty() && (won == 0 || won == 1);
        // Tables written before the later seeds were played end at the strokes.
        if (good && !(fields >> m.laterWins)) {
            good = fields.eof();
            m.laterWins = -1;
        }
        std::string rest;
        if (!good || m.laterWins < -1 || m.laterWins > 2 || (fields >> rest))
            throw std::runtime_error(path + " line " + std::to_string(number) + ": not a measured drawing.");
        m.won = won == 1;
        table[key] = m;
    }
    return table;
}

std::string writeMeasureTable(const MeasureTable& table) {
    std::string text = std::string(header) + "\n";
    char line[160];
    for (const auto& [key, m] : table) {
        std::snprintf(line, sizeof line, "%d\t%d\t%016llx\t%d\t%d\t%.2f\t%.3f\t%d\t%d\n", key.difficulty,
                      key.slot, static_cast<unsigned long long>(key.hash), m.won ? 1 : 0, m.seed, m.timeUsed,
                      m.difficulty, m.strokes, m.laterWins);
        text += line;
    }
    return text;
}

Measure measureDrawing(const Level& level) {
    // Longer than any limit the set gives (200 s) by more than the solver
    // looks ahead, so no limit changes its play; a drawing that needs more
    // is thrown away anyway, and it stops there instead of playing on.
    Level unlimited = level;
    unlimited.timeLimit = 205;
    const LevelList levels = alone(unlimited);
    SolveResult result;
    int lost = 0;
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        result = solveBoard(levels, 0, seed, SolveOptions{});
        if (result.won) break;
        ++lost;
    }
    // Kept as the table writes them, so a fresh measure and a read one fit the same limit.
    return {result.won, static_cast<int>(result.seed), std::round(result.timeUsed * 100.0) / 100.0,
            std::round(solveDifficulty(result, lost) * 1000.0) / 1000.0, result.strokes};
}

int laterSeedWins(const Level& level) {
    const LevelList levels = alone(level);
    int wins = 0;
    for (std::uint32_t seed = 2; seed <= 3; ++seed) wins += solveBoard(levels, 0, seed, SolveOptions{}).won ? 1 : 0;
    return wins;
}

int measuredTimeLimit(double timeUsed, int difficulty) {
    // The solver sees every bounce ahead and draws at once; a person first
    // reads the board. Beginners get three times its time and a minute at
    // least, Expert players little more than it needed.
    static const double slack[] = {3.0, 2.5, 2.0, 1.6, 1.3};
    static const int floor[] = {60, 55, 50, 45, 40};
    const int d = std::clamp(difficulty, 0, 4);
    const double wanted = timeUsed * slack[d];
    return std::clamp(static_cast<int>(std::ceil(wanted / 5.0)) * 5, floor[d], 175);
}

bool fitsLimit(const Measure& measure, int limit) {
    // The solver looks 3.5 s ahead: a clock that runs out within that could
    // change what it chooses, so the win only stands with that much in hand.
    // And only a first-try win: in the set the board starts from another
    // random state (a run first draws from all of Beginner), so a drawing
    // the solver lost before it won is one it may lose there on every seed.
    return measure.won && measure.seed == 1 && measure.timeUsed + 4.0 <= limit;
}

}  // namespace corvale::design
