#include "board_fairness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "game.h"

namespace corvale {
namespace {

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[200];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

// A game on this board alone, set up with seed 1.
Game freshGame(const Level& level) {
    Game game(std::vector<Level>{level});
    game.rngState = 1;
    game.setupBoard(0, false);
    return game;
}

std::vector<int> sweptSpeeds(const Level& level, const FairnessOptions& options) {
    const int low = level.minSpeed;
    const int high = std::max(level.minSpeed, level.maxSpeed - 1);
    const int count = options.everyBeginnerSpeed && level.difficulty == 0 ? high - low + 1 : options.speedCount;
    std::vector<int> speeds;
    for (int i = 0; i < count; ++i) {
        speeds.push_back(count == 1 ? high : low + (high - low) * i / (count - 1));
    }
    speeds.erase(std::unique(speeds.begin(), speeds.end()), speeds.end());
    return speeds;
}

struct Velocity {
    double vx;
    double vy;
};

// The launcher's directions: f = k / 100 of the speed across, the rest along,
// with either sign on each axis.
std::vector<Velocity> randomDirections(double speed, int stride) {
    std::vector<Velocity> out;
    for (int k = 0; k < 100; k += stride) {
        const double ax = k / 100.0 * speed;
        const double ay = std::sqrt(std::max(speed * speed - ax * ax, 0.0));
        for (int signs = 0; signs < 4; ++signs) out.push_back({signs & 1 ? -ax : ax, signs & 2 ? -ay : ay});
    }
    return out;
}

bool lostToWrongHole(const Game& game) {
    return game.phase == GamePhase::GameOver && game.message == wrongHoleMessage;
}

// Plays one ball alone from `start` for the margin; true when it reaches a wrong hole.
bool reachesWrongHole(const Game& start, int color, double x, double y, Velocity v, double margin) {
    Game game = start;
    game.addBall(color, x, y, 0.0);
    game.balls.back().vx = v.vx;
    game.balls.back().vy = v.vy;
    const std::size_t ball = game.balls.size() - 1;
    for (double t = 0; t < margin && game.phase == GamePhase::Playing && game.balls[ball].active; t += sliceSeconds) {
        game.step(sliceSeconds);
    }
    return lostToWrongHole(game);
}

std::set<int> queuedColors(const Level& level) {
    std::set<int> colors;
    for (const int color : level.queue) {
        if (color != 0) colors.insert(color);
    }
    return colors;
}

// A board with nothing moving and nothing launching, its walls as at `seconds`.
Game stillBoard(const Level& level, double seconds) {
    Game game = freshGame(level);
    game.balls.clear();
    game.launchers.clear();
    if (game.queue.empty()) game.queue.push_back(0);  // keeps the empty board from counting as cleared
    while (game.boardAge + 1e-9 < seconds) game.step(sliceSeconds);
    return game;
}

// `when` opens the fault sentence: empty, or a condition ending in ", ".
std::string opening(const std::string& when, const char* rest) {
    if (!when.empty()) return when + rest;
    std::string sentence = rest;
    sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
    return sentence;
}

void sweepLaunchers(const Level& level, const FairnessOptions& options, const std::string& when,
                    std::vector<std::string>& faults) {
    const std::set<int> colors = queuedColors(level);
    if (colors.empty()) return;
    std::vector<int> launchers;
    for (int i = 0; i < boardCellCount; ++i) {
        if (tileKindOf(level.cells[static_cast<std::size_t>(i)].code) == static_cast<int>(TileKind::Launcher)) {
            launchers.push_back(i);
        }
    }
    // Only timed walls change while no ball moves: without them every
    // launch moment meets the same board.
    const bool timed = std::any_of(level.cells.begin(), level.cells.end(), [](const TileCell& cell) {
        return tileKindOf(cell.code) == static_cast<int>(TileKind::TimedWall);
    });
    const int moments = timed ? options.launchTimes : 1;
    for (int moment = 0; moment < moments; ++moment) {
        const double at = 4.0 + moment * std::max(level.launchInterval, 1);
        const Game start = stillBoard(level, at);
        for (const int cell : launchers) {
            const double x = cellSize * (cell % boardColumns) + 16.0;
            const double y = cellSize * (cell / boardColumns) + 16.0;
            for (const int speed : sweptSpeeds(level, options)) {
                for (const Velocity v : randomDirections(speed, options.directionStride)) {
                    for (const int color : colors) {
                        if (!reachesWrongHole(start, color, x, y, v, options.margin)) continue;
                        faults.push_back(format(opening(when,
                                                        "a ball launched at column %.0f, row %.0f can reach a "
                                                        "wrong hole within %.1f s with no ink.")
                                                    .c_str(),
                                                cell % boardColumns, cell / boardColumns, options.margin));
                        return;
                    }
                }
            }
        }
    }
}

void sweepPreplaced(const Level& level, const FairnessOptions& options, std::vector<std::string>& faults) {
    const Game start = stillBoard(level, 0.0);
    for (int cell = 0; cell < boardCellCount; ++cell) {
        const std::uint16_t code = level.cells[static_cast<std::size_t>(cell)].code;
        if (tileKindOf(code) != static_cast<int>(TileKind::PreplacedBall) || tileP0(code) == 0) continue;
        const int heading = (code >> 4) & 0xFF;
        const double x = cellSize * (cell % boardColumns) + 16.0;
        const double y = cellSize * (cell / boardColumns) + 16.0;
        for (const int speed : sweptSpeeds(level, options)) {
            std::vector<Velocity> directions;
            if (heading == 255) {
                directions = randomDirections(speed, options.directionStride);
            } else {
                const double a = heading * 11.25 * 3.14159265358979323846 / 180.0;
                directions.push_back({speed * std::sin(a), -speed * std::cos(a)});
            }
            for (const Velocity v : directions) {
                if (!reachesWrongHole(start, tileP0(code), x, y, v, options.margin)) continue;
                faults.push_back(
                    format("The preplaced ball at column %.0f, row %.0f can reach a wrong hole "
                           "within %.1f s with no ink.",
                           cell % boardColumns, cell / boardColumns, options.margin));
                return;
            }
        }
    }
}

// The board once every door that can open for any colour has opened: timed
// and keyhole walls gone, every brick broken to what it hides.
bool openedLevel(const Level& level, Level& opened) {
    opened = level;
    bool any = false;
    for (TileCell& cell : opened.cells) {
        const int kind = tileKindOf(cell.code);
        if (kind == static_cast<int>(TileKind::TimedWall) || kind == static_cast<int>(TileKind::KeyholeWall)) {
            cell = {};
            any = true;
        } else if (kind == static_cast<int>(TileKind::BreakableWall)) {
            cell = TileCell{cell.revealedCode, 0};
            any = true;
        }
    }
    return any;
}

// Whole runs with no ink: who lost to a wrong hole, how soon after appearing.
void playSeeds(const Level& level, const FairnessOptions& options, FairnessReport& report) {
    const Game fresh = freshGame(level);
    double lossTimes = 0;
    const int allowed = static_cast<int>(options.maxSelfClear * options.seeds);
    for (int seed = options.firstSeed; seed < options.firstSeed + options.seeds; ++seed) {
        Game game = fresh;
        game.rngState = static_cast<std::uint32_t>(seed);
        game.setupBoard(0, false);
        std::vector<double> appeared(game.balls.size(), 0.0);
        while (game.phase == GamePhase::Playing && game.boardAge < options.runSeconds) {
            game.step(sliceSeconds);
            while (appeared.size() < game.balls.size()) appeared.push_back(game.boardAge);
        }
        report.runs += 1;
        if (game.phase == GamePhase::BoardComplete) report.selfCleared += 1;
        // Past the allowed share the verdict is known; the count so far says enough.
        if (!level.bonus && report.selfCleared > allowed) break;
        if (!lostToWrongHole(game)) continue;
        // The ball being swallowed is the one the hole has shrunk most.
        std::size_t culprit = 0;
        double smallest = 1e9;
        for (std::size_t i = 0; i < game.balls.size(); ++i) {
            if (game.balls[i].active && game.balls[i].radius < smallest) {
                smallest = game.balls[i].radius;
                culprit = i;
            }
        }
        const double age = game.boardAge - appeared[culprit];
        if (age < options.margin) {
            report.faults.push_back(
                format("With seed %.0f and no ink a ball reaches a wrong hole %.1f s after "
                       "it appears.",
                       seed, age));
            return;
        }
        report.wrongHoleRuns += 1;
        lossTimes += game.boardAge;
    }
    if (report.wrongHoleRuns > 0) report.meanWrongHoleSeconds = lossTimes / report.wrongHoleRuns;
    if (!level.bonus && report.selfCleared > allowed) {
        report.clearsItself = true;
        report.faults.push_back(
            format("With no ink the board clears itself in %.0f of %.0f runs.", report.selfCleared, report.runs));
    }
}

}  // namespace

FairnessOptions quickFairness() {
    FairnessOptions options;
    options.directionStride = 4;
    options.speedCount = 2;
    options.launchTimes = 1;
    options.seeds = 10;
    options.runSeconds = 40.0;
    return options;
}

FairnessOptions fullFairness() {
    FairnessOptions options;
    options.directionStride = 1;
    options.speedCount = 4;
    options.launchTimes = 3;
    options.seeds = 300;
    options.runSeconds = 210.0;
    options.everyBeginnerSpeed = true;
    return options;
}

FairnessOptions provingFairness() {
    FairnessOptions options = fullFairness();
    options.seeds = 200;
    options.firstSeed = 1001;
    options.maxSelfClear = 0.06;
    return options;
}

FairnessReport checkFairness(const Level& level, const FairnessOptions& options) {
    FairnessReport report;
    sweepLaunchers(level, options, "", report.faults);
    sweepPreplaced(level, options, report.faults);
    // Later in a run the doors may stand open: a ball launched then must be
    // as safe. Nothing moves on the opened board, so one launch moment says
    // all; preplaced balls start with every door shut, as swept above.
    Level opened;
    if (report.faults.empty() && openedLevel(level, opened)) {
        FairnessOptions once = options;
        once.launchTimes = 1;
        const std::string when = "With every brick broken and every timed or keyhole wall open, ";
        sweepLaunchers(opened, once, when, report.faults);
    }
    if (report.faults.empty()) playSeeds(level, options, report);
    return report;
}

}  // namespace corvale
