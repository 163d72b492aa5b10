// Designs the board set and writes it as sources, one file per board:
//   corvale_board_design BOARD_FOLDER
// Deterministic: every choice comes from the plan and from generators seeded
// by board id and attempt, so a second run writes the same files. Each board
// is drawn from its plan (hand-drawn where the plan's board has a drawing),
// then kept only when it keeps the set's rules and plays fair with no ink;
// otherwise the next attempt draws it afresh. The normal boards of each
// difficulty are then ordered by a measured load and given fitted limits.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "board_fairness.h"
#include "board_files.h"
#include "board_rules.h"
#include "board_text.h"
#include "ideas.h"
#include "plan.h"

namespace corvale::design {
namespace {

struct Made {
    Level level;
    std::string idea;
    bool fixedOrder = false;
    double load = 0;  // measured difficulty: higher is harder
    bool fair = false;
    std::string fault;  // the first fault of an unfair drawing
};

int preplacedCount(const Level& level) {
    int n = 0;
    for (const TileCell& cell : level.cells) n += tileKindOf(cell.code) == 9;
    return n;
}

int breakableCount(const Level& level) {
    int n = 0;
    for (const TileCell& cell : level.cells) n += tileKindOf(cell.code) == 4;
    return n;
}

// What the plan promised and the drawing must keep.
bool keepsPlan(const Plan& plan, const Level& level) {
    if (plan.bricks != (breakableCount(level) > 0)) return false;
    if (plan.emptyQueue != level.queue.empty()) return false;
    return !level.queue.empty() || preplacedCount(level) > 0;
}

void applyHeader(const Plan& plan, Level& level) {
    level.id = plan.brief.id;
    level.difficulty = plan.brief.difficulty;
    level.bonus = plan.brief.bonus;
    level.launchInterval = plan.interval;
    level.randomizeQueue = plan.randomize;
    level.minSpeed = plan.minSpeed;
    level.maxSpeed = plan.maxSpeed;
    const int balls = static_cast<int>(level.queue.size()) + preplacedCount(level);
    level.timeLimit = plan.brief.bonus ? 0 : plan.timeLimit > 0 ? plan.timeLimit : fittedTimeLimit(level, balls);
}

double loadOf(const Level& level, const FairnessReport& report, unsigned features) {
    const int balls = static_cast<int>(level.queue.size()) + preplacedCount(level);
    const double speed = (level.minSpeed + level.maxSpeed) / 200.0;
    const double pace = std::sqrt(4.0 / std::max(level.launchInterval, 1));
    double mechanisms = 0;
    for (unsigned f = 1; f <= Keyholes; f <<= 1) mechanisms += (features & f) ? 1 : 0;
    // A board that loses quickly without ink leaves the player less time to think.
    const double pressure = report.wrongHoleRuns > 0 ? 30.0 / std::max(report.meanWrongHoleSeconds, 5.0) : 0.0;
    return balls * speed * pace + 1.5 * mechanisms + pressure;
}

Made designBoard(const Plan& plan, const FairnessOptions& fairness) {
    Made best;
    for (int attempt = 0; attempt < 40; ++attempt) {
        Draft draft;
        Rng rng{static_cast<std::uint32_t>(plan.brief.id) * 7919u + static_cast<std::uint32_t>(attempt) * 104729u +
                17u};
        const bool hand = handDrawnBoard(draft, plan.brief);
        // After many tries, doors that only their own colour passes.
        Brief brief = plan.brief;
        brief.safeDoors = attempt >= 24;
        brief.attempt = attempt;
        if (!hand && !composeBoard(draft, rng, brief, plan.features, plan.lead)) continue;
        Level level = draft.canvas.level;
        if (!keepsPlan(plan, level)) {
            if (hand)
                throw std::runtime_error("Hand-drawn board " + std::to_string(plan.brief.id) + " breaks its plan.");
            continue;
        }
        applyHeader(plan, level);
        if (!checkBoard(level).empty()) {
            if (hand)
                throw std::runtime_error("Hand-drawn board " + std::to_string(plan.brief.id) + ": " +
                                         checkBoard(level).front());
            continue;
        }
        const FairnessReport report = checkFairness(level, fairness);
        Made made{level,
                  draft.idea,
                  draft.fixedOrder,
                  loadOf(level, report, plan.features),
                  report.faults.empty(),
                  report.faults.empty() ? std::string() : report.faults.front()};
        if (made.fair || hand) {
            if (!made.fair)
                std::fprintf(stderr, "board %d (hand-drawn): %s\n", plan.brief.id, report.faults.front().c_str());
            return made;
        }
        if (best.idea.empty()) best = made;
    }
    std::fprintf(stderr, "board %d: no fair drawing found (%s)\n", plan.brief.id, best.fault.c_str());
    return best;
}

// Normal boards of each difficulty from the lightest load to the heaviest;
// pinned boards keep their places. Beginner is ordered within the stretches
// that bring in its mechanisms one after another.
void orderByLoad(std::vector<Made>& made, const std::vector<Plan>& plans) {
    std::vector<std::pair<int, int>> stretches{{0, 35}, {35, 69}, {69, 100}, {100, 138}};
    for (std::size_t d = 1; d < difficultyRanges.size(); ++d) {
        stretches.emplace_back(difficultyRanges[d].firstId,
                               difficultyRanges[d].firstId + difficultyRanges[d].normalCount);
    }
    for (const auto& [first, end] : stretches) {
        std::vector<int> free;
        for (int id = first; id < end; ++id) {
            if (!plans[static_cast<std::size_t>(id)].pinned) free.push_back(id);
        }
        std::vector<Made> boards;
        for (const int id : free) boards.push_back(made[static_cast<std::size_t>(id)]);
        std::stable_sort(boards.begin(), boards.end(), [](const Made& a, const Made& b) { return a.load < b.load; });
        for (std::size_t i = 0; i < free.size(); ++i) made[static_cast<std::size_t>(free[i])] = boards[i];
    }
}

int recordBytes(const Level& level) {
    return 2 + 9 + static_cast<int>(level.queue.size()) + 2 * boardCellCount + 2 * breakableCount(level) +
           static_cast<int>(level.trailingBytes.size());
}

// The first Novice record starts at a quoted offset: the Beginner records
// fill exactly that many bytes. Bonus queues give or take a ball (a bonus
// board is generous either way), and three Beginner records carry the last
// few bytes as trailing bytes.
void placeNovice(std::vector<Made>& made, const FairnessOptions& fairness) {
    constexpr int noviceOffset = 110244;
    const int padded[] = {23, 77, 141};
    auto total = [&] {
        int bytes = 0;
        for (int id = 0; id < 186; ++id) bytes += recordBytes(made[static_cast<std::size_t>(id)].level);
        return bytes;
    };
    for (const int id : padded) made[static_cast<std::size_t>(id)].level.trailingBytes.clear();
    for (int round = 0; round < 4; ++round) {
        for (int id = 138; id < 186; ++id) {
            Level& level = made[static_cast<std::size_t>(id)].level;
            const int missing = noviceOffset - total();
            if (id == 179 || level.queue.empty() || (missing >= 3 && missing <= 72)) continue;
            const std::vector<int> kept = level.queue;
            if (missing > 72 && level.queue.size() < 18) level.queue.push_back(level.queue[level.queue.size() / 2]);
            if (missing < 3 && level.queue.size() > 3) level.queue.pop_back();
            // A ball more or less changes how balls meet: the board must stay fair.
            if (level.queue != kept && !checkFairness(level, fairness).faults.empty()) level.queue = kept;
        }
    }
    int missing = noviceOffset - total();
    if (missing < 3 || missing > 72)
        throw std::runtime_error("The Beginner records cannot be made to fill their bytes.");
    for (int i = 0; i < 3; ++i) {
        const int share = missing / (3 - i);
        std::vector<std::uint8_t>& bytes = made[static_cast<std::size_t>(padded[i])].level.trailingBytes;
        for (int b = 0; b < share; ++b) bytes.push_back(static_cast<std::uint8_t>(b % 2 == 0 ? 0x30 : 0x00));
        missing -= share;
    }
}

void finish(std::vector<Made>& made, const std::vector<Plan>& plans, const FairnessOptions& fairness) {
    for (int id = 0; id < levelCount; ++id) {
        Made& m = made[static_cast<std::size_t>(id)];
        const Plan& plan = plans[static_cast<std::size_t>(id)];
        m.level.id = id;
        classifyLevelId(id, m.level.difficulty, m.level.bonus);
        m.level.trailingBytes = trailingBytesFor(id);
        const int balls = static_cast<int>(m.level.queue.size()) + preplacedCount(m.level);
        m.level.timeLimit = m.level.bonus ? 0 : plan.timeLimit > 0 ? plan.timeLimit : fittedTimeLimit(m.level, balls);
    }
    placeNovice(made, fairness);
}

}  // namespace
}  // namespace corvale::design

int main(int argc, char** argv) {
    using namespace corvale;
    using namespace corvale::design;
    if (argc != 2 && argc != 5 && !(argc == 3 && std::string(argv[2]) == "--refit")) {
        std::fprintf(stderr, "usage: corvale_board_design BOARD_FOLDER [--only FIRST LAST | --refit]\n");
        return 2;
    }
    if (argc == 3) {
        // Fits the time limits of a written set afresh, as a whole run would
        // (the limits do not enter the drawing or the fairness runs).
        try {
            const std::vector<Plan> plans = planSet();
            std::vector<Level> levels = loadBoardSources(argv[1]);
            for (Level& level : levels) {
                const Plan& plan = plans[static_cast<std::size_t>(level.id)];
                if (level.bonus || plan.timeLimit > 0) continue;
                level.timeLimit = fittedTimeLimit(level, static_cast<int>(level.queue.size()) + preplacedCount(level));
            }
            for (const Level& level : levels) {
                const std::filesystem::path path = std::filesystem::path(argv[1]) / boardFileName(level.id);
                std::ifstream in(path, std::ios::binary);
                std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                const std::size_t ideaStart = old.find('\n') + 1;
                const std::string idea = old.substr(ideaStart, old.find('\n', ideaStart) + 1 - ideaStart);
                std::string text = writeBoardText(level);
                text.insert(text.find('\n') + 1, idea);
                writeTextFile(path, text);
            }
        } catch (const std::exception& error) {
            std::fprintf(stderr, "corvale_board_design: %s\n", error.what());
            return 1;
        }
        return 0;
    }
    // --only draws a range of boards alone, to try a change; the set needs a whole run.
    const int first = argc == 5 ? std::stoi(argv[3]) : -1;
    const int last = argc == 5 ? std::stoi(argv[4]) : -1;
    try {
        const std::vector<Plan> plans = planSet();
        // Every launch direction at three speeds; the checker's quick run is a subset.
        FairnessOptions fairness = quickFairness();
        fairness.directionStride = 1;
        fairness.speedCount = 3;
        std::vector<Made> made;
        if (first >= 0) {
            for (int id = first; id <= last && id < levelCount; ++id) {
                const Made m = designBoard(plans[static_cast<std::size_t>(id)], fairness);
                std::printf("%d %s load %.1f: %s\n", id, m.fair ? "fair" : "UNFAIR", m.load, m.idea.c_str());
            }
            return 0;
        }
        for (const Plan& plan : plans) {
            made.push_back(designBoard(plan, fairness));
            if (plan.brief.id % 50 == 0) std::fprintf(stderr, "designed %d\n", plan.brief.id);
        }
        orderByLoad(made, plans);
        finish(made, plans, fairness);
        std::filesystem::create_directories(argv[1]);
        for (const Made& m : made) {
            std::string text = writeBoardText(m.level);
            const std::size_t firstLine = text.find('\n') + 1;
            text.insert(firstLine, "# " + m.idea + "\n");
            writeTextFile(std::filesystem::path(argv[1]) / boardFileName(m.level.id), text);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_design: %s\n", error.what());
        return 1;
    }
    return 0;
}
