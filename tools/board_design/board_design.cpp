// Designs the board set and writes it as sources, one file per board:
//   corvale_board_design BOARD_FOLDER [--table FILE] [--measure] [--only FIRST LAST]
// Deterministic: every choice comes from the plan, from generators seeded by
// board id and attempt, and from the table of what the solver measured, so a
// second run writes the same files. Each board is drawn from its plan
// (hand-drawn where the plan's board has a drawing), then kept only when it
// keeps the set's rules, plays fair with no ink and was won by the solver in
// a time its limit allows; otherwise the next attempt draws it afresh. The
// normal boards of each difficulty are then ordered by the solver's measure
// and given limits fitted to the time it needed.
//
// --measure plays every drawing the table does not know (minutes) and
// writes the table afresh; without it the solver never runs, and a drawing
// the table does not know falls back to the load and the formula.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>

#include "board_fairness.h"
#include "board_files.h"
#include "board_rules.h"
#include "board_text.h"
#include "ideas.h"
#include "measure.h"
#include "plan.h"
#include "spread.h"
#include "two_threads.h"

namespace corvale::design {
namespace {

struct Made {
    Level level;
    std::string idea;
    bool fixedOrder = false;
    double load = 0;  // measured difficulty: higher is harder
    bool fair = false;
    std::string fault;  // the first fault of an unfair drawing
    bool measured = false;
    Measure measure;  // what the solver found, when measured
    std::string motif;
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

// The table of measures, and whether drawings it does not know are played now.
struct Measuring {
    const MeasureTable& known;
    bool playUnknown = false;
    std::mutex guard;
    MeasureTable used;    // every drawing looked at in this run, for the table written afterwards
    int unknown = 0;      // drawings kept without a measure
    std::string journal;  // each fresh measure at once, so a run cut short loses none of them
};

// The solver's measure of a drawing, from the table or from a fresh play.
bool lookUp(Measuring& measuring, const Level& level, Measure& out) {
    const DrawingKey key{level.difficulty, level.id, drawingHash(level)};
    const auto found = measuring.known.find(key);
    if (found != measuring.known.end()) {
        out = found->second;
    } else if (measuring.playUnknown) {
        out = measureDrawing(level);
        const std::lock_guard lock(measuring.guard);
        std::ofstream(measuring.journal, std::ios::app) << writeMeasureTable({{key, out}});
    } else {
        return false;
    }
    const std::lock_guard lock(measuring.guard);
    measuring.used[key] = out;
    return true;
}

// Whether the solver won the drawing's later seeds as the set will play it
// (`proof`, limit and all): from the table, or played now. False when that
// is unknown and nothing is played in this run.
bool lookUpLater(Measuring& measuring, const Level& proof, Measure& measure) {
    if (measure.laterWins >= 0) return true;
    if (!measuring.playUnknown) {
        const std::lock_guard lock(measuring.guard);
        ++measuring.unknown;
        return false;
    }
    measure.laterWins = laterSeedWins(proof);
    const DrawingKey key{proof.difficulty, proof.id, drawingHash(proof)};
    const std::lock_guard lock(measuring.guard);
    std::ofstream(measuring.journal, std::ios::app) << writeMeasureTable({{key, measure}});
    measuring.used[key] = measure;
    return true;
}

// Ten seeds say little of a board's luck: the drawing kept must also pass
// hundreds, at the limit it will have.
FairnessReport proveFair(const Level& proof) {
    const FairnessOptions proving = provingFairness();
    FairnessReport strict = checkFairness(proof, proving);
    if (strict.faults.empty() && !proof.bonus && strict.selfCleared * 100 > 3 * strict.runs) {
        // Two hundred seeds cannot tell a board that clears itself one run
        // in twenty from one in ten: near the line, play on.
        FairnessOptions more = proving;
        more.firstSeed = proving.firstSeed + proving.seeds;
        more.seeds = 2 * proving.seeds;
        FairnessReport wider = checkFairness(proof, more);
        if (!wider.faults.empty()) strict = std::move(wider);
    }
    return strict;
}

// The limit a drawing would get: pinned, fitted to its measure, or by the formula.
int limitFor(const Plan& plan, const Made& made) {
    if (made.level.bonus) return 0;
    if (plan.timeLimit > 0) return plan.timeLimit;
    if (made.measured) return measuredTimeLimit(made.measure.timeUsed, made.level.difficulty);
    return fittedTimeLimit(made.level, static_cast<int>(made.level.queue.size()) + preplacedCount(made.level));
}

bool solverWins(const Plan& plan, const Made& made) {
    const int limit = limitFor(plan, made);
    // A bonus board is the reward: unlimited, and light work for the solver
    // too (a few strokes a ball), since a drawing it clears only with
    // effort it may not clear at all from the set's random state.
    if (limit == 0) return fitsLimit(made.measure, 205) && made.measure.difficulty <= 4.0;
    return fitsLimit(made.measure, limit);
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

// `taken`: layouts the set already has, which a drawing must not repeat.
Made designBoard(const Plan& plan, const FairnessOptions& fairness, Measuring& measuring,
                 const std::set<std::string>& taken = {}) {
    Made best, beaten, lucky, fragile;
    double luckyFailing = 0;  // how badly the kept lucky drawing failed: the smaller the better
    int fragileCount = 0;     // fair drawings won on seed 1 but lost on a later seed
    // A lost drawing costs three full plays; past a few, the slot's idea is
    // what the solver cannot play, and more drawings of it will not help.
    int measuredLosses = 0;
    // One ball alone in an open Beginner room finds a hole by itself on too
    // many seeds; where forty drawings of it all did, two balls of its
    // colour follow, which must both find theirs, far more rarely.
    const bool oneBall = plan.brief.difficulty == 0 && !plan.brief.bonus && plan.brief.balls == 1;
    const int attempts = oneBall ? 56 : 40;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        Draft draft;
        Rng rng{static_cast<std::uint32_t>(plan.brief.id) * 7919u + static_cast<std::uint32_t>(attempt) * 104729u +
                17u};
        const bool hand = handDrawnBoard(draft, plan.brief);
        // After many tries, doors that only their own colour passes.
        Brief brief = plan.brief;
        // The second ball starts over from the first motifs.
        const int round = attempt % 40;
        brief.safeDoors = round >= 24;
        if (attempt >= 40) brief.balls = 2;
        brief.attempt = round;
        if (!hand && !composeBoard(draft, rng, brief, plan.features, plan.lead)) continue;
        Level level = draft.canvas.level;
        if (!hand && taken.contains(layoutKey(level))) continue;
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
                  report.faults.empty() ? std::string() : report.faults.front(),
                  false,
                  {},
                  draft.motif};
        if (!made.fair && !hand) {
            if (best.idea.empty()) best = made;
            continue;
        }
        if (!made.fair)
            std::fprintf(stderr, "board %d (hand-drawn): %s\n", plan.brief.id, report.faults.front().c_str());
        made.measured = lookUp(measuring, level, made.measure);
        if (!made.measured) {
            const std::lock_guard lock(measuring.guard);
            ++measuring.unknown;
            return made;
        }
        if (solverWins(plan, made)) {
            Level proof = made.level;
            proof.timeLimit = limitFor(plan, made);
            const FairnessReport strict = proveFair(proof);
            if (strict.faults.empty()) {
                const bool known = lookUpLater(measuring, proof, made.measure);
                if (!known || made.measure.laterWins == 2) return made;
                if (hand) {
                    std::fprintf(stderr, "board %d (hand-drawn): the solver won %d of seeds 2 and 3\n", plan.brief.id,
                                 made.measure.laterWins);
                    return made;
                }
                // Lost from some starts: kept only as the fallback, the one
                // that won more of them.
                if (fragile.idea.empty() || made.measure.laterWins > fragile.measure.laterWins) fragile = made;
                if (++fragileCount >= 8) break;
                continue;
            }
            if (hand) {
                std::fprintf(stderr, "board %d (hand-drawn): %s\n", plan.brief.id, strict.faults.front().c_str());
                return made;
            }
            // Failing that, the drawing that needs the player most: a wrong
            // hole too soon is worse than any share of runs won alone.
            const double failing = strict.clearsItself ? static_cast<double>(strict.selfCleared) / strict.runs : 2.0;
            if (lucky.idea.empty() || failing < luckyFailing) {
                lucky = made;
                lucky.fault = strict.faults.front();
                luckyFailing = failing;
            }
            continue;
        }
        // The solver is a strong player: a drawing it cannot win in time is one a person would find unfair.
        if (hand) {
            std::fprintf(stderr, "board %d (hand-drawn): the solver %s\n", plan.brief.id,
                         !made.measure.won  ? "cannot win it"
                         : made.level.bonus ? "clears it only with many strokes or on a later seed"
                                            : "needs more time than its limit");
            return made;
        }
        if (beaten.idea.empty()) beaten = made;
        if (++measuredLosses >= 6) break;
    }
    if (!fragile.idea.empty()) {
        std::fprintf(stderr,
                     "board %d: the solver won no fair drawing from every start tried (best: %d of seeds 2, 3)\n",
                     plan.brief.id, fragile.measure.laterWins);
        return fragile;
    }
    if (!lucky.idea.empty()) {
        std::fprintf(stderr, "board %d: no drawing the solver won kept fair over many seeds (%s)\n", plan.brief.id,
                     lucky.fault.c_str());
        return lucky;
    }
    if (!beaten.idea.empty()) {
        std::fprintf(stderr, "board %d: the solver won no fair drawing in time\n", plan.brief.id);
        return beaten;
    }
    std::fprintf(stderr, "board %d: no fair drawing found (%s)\n", plan.brief.id, best.fault.c_str());
    return best;
}

void spreadMotifs(std::vector<Made>& boards) {
    std::vector<std::string> motifs;
    for (const Made& m : boards) motifs.push_back(m.motif);
    std::vector<Made> spread;
    for (const std::size_t i : spreadOrder(motifs)) spread.push_back(boards[i]);
    boards = std::move(spread);
}

// The stretches of ids ordered by measure: Beginner brings in its
// mechanisms one stretch after another; every later difficulty's normal
// boards are one stretch.
std::vector<std::pair<int, int>> orderedStretches() {
    std::vector<std::pair<int, int>> stretches{{0, 35}, {35, 69}, {69, 100}, {100, 138}};
    for (std::size_t d = 1; d < difficultyRanges.size(); ++d) {
        stretches.emplace_back(difficultyRanges[d].firstId,
                               difficultyRanges[d].firstId + difficultyRanges[d].normalCount);
    }
    return stretches;
}

// Normal boards of each difficulty from the easiest to the hardest by the
// solver's measure (the load breaks ties); pinned boards keep their places.
// A stretch with a drawing the table does not know is ordered by load
// alone: measures and loads are not on one scale. Returns how many
// stretches that was.
int orderBoards(std::vector<Made>& made, const std::vector<Plan>& plans) {
    int byLoad = 0;
    for (const auto& [first, end] : orderedStretches()) {
        std::vector<int> free;
        for (int id = first; id < end; ++id) {
            if (!plans[static_cast<std::size_t>(id)].pinned) free.push_back(id);
        }
        std::vector<Made> boards;
        for (const int id : free) boards.push_back(made[static_cast<std::size_t>(id)]);
        const bool measured = std::all_of(boards.begin(), boards.end(), [](const Made& m) { return m.measured; });
        byLoad += measured ? 0 : 1;
        std::stable_sort(boards.begin(), boards.end(), [measured](const Made& a, const Made& b) {
            if (measured && a.measure.difficulty != b.measure.difficulty)
                return a.measure.difficulty < b.measure.difficulty;
            return a.load < b.load;
        });
        if (measured) spreadMotifs(boards);
        for (std::size_t i = 0; i < free.size(); ++i) made[static_cast<std::size_t>(free[i])] = boards[i];
    }
    return byLoad;
}

// A drawing that met every demand, not a fallback: fair over the proving
// runs, and won by the solver in time from the first seed and the later ones.
bool settled(const Plan& plan, const Made& m) {
    return m.fair && m.fault.empty() && m.measured && solverWins(plan, m) &&
           (m.measure.laterWins < 0 || m.measure.laterWins == 2);
}

// A drawing that only varies the set replaces one already proven, so it must
// also stay fair over five times as many no-ink runs, on seeds of their own:
// 200 runs once let through a board that a later seed lost to a wrong hole
// within 3 s.
bool settledBeyondDoubt(const Plan& plan, const Made& m) {
    if (!settled(plan, m)) return false;
    FairnessOptions wider = provingFairness();
    wider.firstSeed = 1201;
    wider.seeds = 1000;
    Level proof = m.level;
    proof.timeLimit = limitFor(plan, m);
    return checkFairness(proof, wider).faults.empty();
}

// The first boards a player meets should each look like a new idea, but the
// motif that passes the fairness runs most easily gathers a third of a
// Beginner stretch (and the rack, whose guarded bins pass best, over a third
// of Novice). Past a sixth of a Beginner stretch, or a quarter of a later
// difficulty, where mechanisms narrow the motifs that suit a board, boards of
// one motif, spread over the stretch, are drawn again without the motifs it
// has enough of; a new drawing is kept only when it met every demand and its
// own motif still has room. Returns how many boards changed.
int varyMotifs(std::vector<Made>& made, const std::vector<Plan>& plans, const FairnessOptions& fairness,
               Measuring& measuring) {
    struct Redraw {
        int id, first, end, cap;
        std::vector<std::string> avoid;
    };
    std::vector<Redraw> redraws;
    for (const auto& [first, end] : orderedStretches()) {
        const int cap = (end - first) / (first < difficultyRanges[0].normalCount ? 6 : 4);
        std::map<std::string, std::vector<int>> byMotif;
        for (int id = first; id < end; ++id) {
            const Made& m = made[static_cast<std::size_t>(id)];
            if (!plans[static_cast<std::size_t>(id)].pinned && !m.motif.empty()) byMotif[m.motif].push_back(id);
        }
        std::vector<std::string> full;
        for (const auto& [motif, ids] : byMotif) {
            if (static_cast<int>(ids.size()) >= cap) full.push_back(motif);
        }
        for (const auto& [motif, ids] : byMotif) {
            const int count = static_cast<int>(ids.size());
            if (count <= cap) continue;
            std::vector<bool> kept(static_cast<std::size_t>(count));
            for (int k = 0; k < cap; ++k) kept[static_cast<std::size_t>(k * count / cap)] = true;
            for (int i = 0; i < count; ++i) {
                if (!kept[static_cast<std::size_t>(i)])
                    redraws.push_back({ids[static_cast<std::size_t>(i)], first, end, cap, full});
            }
        }
    }
    std::sort(redraws.begin(), redraws.end(), [](const Redraw& a, const Redraw& b) { return a.id < b.id; });
    std::fprintf(stderr, "%zu boards over their motif's share: drawing them again\n", redraws.size());
    std::vector<Made> drawn(redraws.size());
    std::vector<bool> keep(redraws.size());
    forEachOnTwoThreads(redraws.size(), [&](std::size_t i) {
        Plan plan = plans[static_cast<std::size_t>(redraws[i].id)];
        plan.brief.avoid = redraws[i].avoid;
        drawn[i] = designBoard(plan, fairness, measuring);
        keep[i] = settledBeyondDoubt(plan, drawn[i]);
    });
    int changed = 0;
    for (std::size_t i = 0; i < redraws.size(); ++i) {
        const Redraw& r = redraws[i];
        if (!keep[i]) continue;
        int same = 0;
        for (int id = r.first; id < r.end; ++id)
            same += id != r.id && made[static_cast<std::size_t>(id)].motif == drawn[i].motif;
        if (same >= r.cap) continue;
        made[static_cast<std::size_t>(r.id)] = drawn[i];
        ++changed;
    }
    return changed;
}

// A motif drawn for two colours has few free choices, so two slots can come
// out with one layout, the same board to a player but for its queue (one
// run had 28 such pairs, most in Beginner). A board that repeats an earlier
// one is drawn again, shunning every layout of the set and, at first, its own
// motif; the new drawing must meet every demand, as in varyMotifs, and still
// be new when the boards before it are settled. Where no other motif met
// them (one run left three Beginner spines), a second round lets the board
// keep its motif in another layout. Returns the repeats left.
int varyRepeats(std::vector<Made>& made, const std::vector<Plan>& plans, const FairnessOptions& fairness,
                Measuring& measuring) {
    auto repeats = [&made, &plans] {
        std::vector<Level> levels;
        for (const Made& m : made) levels.push_back(m.level);
        for (std::size_t i = 0; i < levels.size(); ++i) levels[i].id = static_cast<int>(i);
        std::vector<int> ids;
        for (const auto& [earlier, id] : repeatedLayouts(levels)) {
            if (!plans[static_cast<std::size_t>(id)].pinned) ids.push_back(id);
        }
        return ids;
    };
    std::set<std::string> taken;
    for (const Made& m : made) taken.insert(layoutKey(m.level));
    for (const bool otherMotif : {true, false}) {
        const std::vector<int> ids = repeats();
        std::fprintf(stderr, "%zu boards repeat an earlier layout: drawing them again%s\n", ids.size(),
                     otherMotif ? " in another motif" : "");
        std::vector<Made> drawn(ids.size());
        std::vector<bool> keep(ids.size());
        forEachOnTwoThreads(ids.size(), [&](std::size_t i) {
            Plan plan = plans[static_cast<std::size_t>(ids[i])];
            const std::string& motif = made[static_cast<std::size_t>(ids[i])].motif;
            if (otherMotif && !motif.empty()) plan.brief.avoid.push_back(motif);
            drawn[i] = designBoard(plan, fairness, measuring, taken);
            keep[i] = settledBeyondDoubt(plan, drawn[i]);
        });
        // Settle in id order: two redraws may have found one new layout. A
        // replaced layout stays taken, as it repeats an earlier board anyway.
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (keep[i] && taken.insert(layoutKey(drawn[i].level)).second)
                made[static_cast<std::size_t>(ids[i])] = drawn[i];
        }
    }
    return static_cast<int>(repeats().size());
}

int recordBytes(const Level& level) {
    return 2 + 9 + static_cast<int>(level.queue.size()) + 2 * boardCellCount + 2 * breakableCount(level) +
           static_cast<int>(level.trailingBytes.size());
}

// The first Novice record starts at a quoted offset: the Beginner records
// fill exactly that many bytes. Bonus queues give or take a ball (a bonus
// board is generous either way), and three Beginner records carry the last
// few bytes as trailing bytes.
void placeNovice(std::vector<Made>& made, Measuring& measuring) {
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
            if (missing < 3 && level.queue.size() > 2) level.queue.pop_back();
            // A ball more or less changes how balls meet: the board must stay
            // fair, and the solver must still clear it.
            if (level.queue == kept) continue;
            Measure measure;
            if (!checkFairness(level, provingFairness()).faults.empty() ||
                (lookUp(measuring, level, measure) && !measure.won))
                level.queue = kept;
        }
    }
    int missing = noviceOffset - total();
    if (missing < 3 || missing > 72)
        throw std::runtime_error("The Beginner records cannot be made to fill their bytes (" + std::to_string(missing) +
                                 " missing).");
    for (int i = 0; i < 3; ++i) {
        const int share = missing / (3 - i);
        std::vector<std::uint8_t>& bytes = made[static_cast<std::size_t>(padded[i])].level.trailingBytes;
        for (int b = 0; b < share; ++b) bytes.push_back(static_cast<std::uint8_t>(b % 2 == 0 ? 0x30 : 0x00));
        missing -= share;
    }
}

void finish(std::vector<Made>& made, const std::vector<Plan>& plans, Measuring& measuring) {
    for (int id = 0; id < levelCount; ++id) {
        Made& m = made[static_cast<std::size_t>(id)];
        const Plan& plan = plans[static_cast<std::size_t>(id)];
        m.level.id = id;
        classifyLevelId(id, m.level.difficulty, m.level.bonus);
        m.level.trailingBytes = trailingBytesFor(id);
        m.level.timeLimit = limitFor(plan, m);
    }
    placeNovice(made, measuring);
}

}  // namespace
}  // namespace corvale::design

namespace {

struct Arguments {
    std::string folder;
    std::string table = "tools/board_design/measured.tsv";
    bool measure = false;
    int first = -1, last = -1;  // --only: a range drawn alone, to try a change
};

Arguments parseArguments(int argc, char** argv) {
    if (argc < 2) throw std::runtime_error("a board folder is needed");
    Arguments a;
    a.folder = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--measure") {
            a.measure = true;
        } else if (option == "--table" && i + 1 < argc) {
            a.table = argv[++i];
        } else if (option == "--only" && i + 2 < argc) {
            a.first = std::stoi(argv[++i]);
            a.last = std::stoi(argv[++i]);
        } else {
            throw std::runtime_error("unknown or incomplete option \"" + option + "\"");
        }
    }
    return a;
}

// Draws every board; the boards do not depend on each other, so two threads
// share them and each result goes to its board's place.
std::vector<corvale::design::Made> designAll(const std::vector<corvale::design::Plan>& plans,
                                             const corvale::FairnessOptions& fairness,
                                             corvale::design::Measuring& measuring) {
    std::vector<corvale::design::Made> made(plans.size());
    std::atomic<std::size_t> done{0};
    corvale::forEachOnTwoThreads(plans.size(), [&](std::size_t i) {
        made[i] = designBoard(plans[i], fairness, measuring);
        if (++done % 50 == 0) std::fprintf(stderr, "designed %zu\n", done.load());
    });
    return made;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace corvale;
    using namespace corvale::design;
    try {
        const Arguments a = parseArguments(argc, argv);
        // Measures of a run that was cut short count as known.
        const std::string journal = a.table + ".partial";
        MeasureTable known = readMeasureTable(journal);
        known.merge(readMeasureTable(a.table));
        Measuring measuring{known, a.measure, {}, {}, 0, journal};
        const std::vector<Plan> plans = planSet();
        // Every launch direction at three speeds; the checker's quick run is a subset.
        FairnessOptions fairness = quickFairness();
        fairness.directionStride = 1;
        fairness.speedCount = 3;
        if (a.first >= 0) {
            for (int id = a.first; id <= a.last && id < levelCount; ++id) {
                const Plan& plan = plans[static_cast<std::size_t>(id)];
                const Made m = designBoard(plan, fairness, measuring);
                std::printf("%d %s load %.1f", id, m.fair ? "fair" : "UNFAIR", m.load);
                if (m.measured)
                    std::printf(", solver %s seed %d in %.1f s (limit %d), measure %.2f, seeds 2-3 won %d",
                                m.measure.won ? "won" : "lost", m.measure.seed, m.measure.timeUsed, limitFor(plan, m),
                                m.measure.difficulty, m.measure.laterWins);
                std::printf(": %s\n", m.idea.c_str());
            }
            return 0;
        }
        std::vector<Made> made = designAll(plans, fairness, measuring);
        const int varied = varyMotifs(made, plans, fairness, measuring);
        std::fprintf(stderr, "%d boards drawn again in another motif\n", varied);
        const int repeats = varyRepeats(made, plans, fairness, measuring);
        std::fprintf(stderr, "%d boards still repeat an earlier layout\n", repeats);
        const int byLoad = orderBoards(made, plans);
        finish(made, plans, measuring);
        std::filesystem::create_directories(a.folder);
        for (const Made& m : made) {
            std::string text = writeBoardText(m.level);
            const std::size_t firstLine = text.find('\n') + 1;
            text.insert(firstLine, "# " + m.idea + "\n");
            writeTextFile(std::filesystem::path(a.folder) / boardFileName(m.level.id), text);
        }
        if (a.measure) {
            writeTextFile(a.table, writeMeasureTable(measuring.used));
            std::filesystem::remove(journal);
        }
        int unmeasuredNormal = 0;
        for (const Made& m : made) unmeasuredNormal += !m.level.bonus && !m.measured;
        std::fprintf(
            stderr,
            "%d drawings had no measure in %s; %d normal boards fell back to the formula, %d stretches to the load\n",
            measuring.unknown, a.table.c_str(), unmeasuredNormal, byLoad);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_design: %s\n", error.what());
        std::fprintf(stderr,
                     "usage: corvale_board_design BOARD_FOLDER [--table FILE] [--measure] [--only FIRST LAST]\n");
        return 1;
    }
    return 0;
}
