#include "soak.h"

#include <cmath>
#include <random>
#include <sstream>

#include "state_hash.h"

namespace corvale {
namespace {

constexpr std::size_t maxReportedFailures = 20;

bool finite(const Ball& b) {
    return std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.vx) && std::isfinite(b.vy) &&
           std::isfinite(b.radius);
}

// A cell no ball centre may ever be in.
bool solidForEveryBall(const BoardCell& cell) {
    const int kind = tileKindOf(cell.code);
    if (kind == static_cast<int>(TileKind::Wall) || kind == static_cast<int>(TileKind::BreakableWall)) return true;
    const bool moving =
        kind == static_cast<int>(TileKind::TimedWall) || kind == static_cast<int>(TileKind::KeyholeWall);
    return moving && cell.wallFrame == 4;
}

bool countersGrew(const PlayCounters& now, const PlayCounters& before) {
    return now.inkDrawn >= before.inkDrawn && now.playTime >= before.playTime &&
           now.completionTime >= before.completionTime && now.timeLeftAtCompletion >= before.timeLeftAtCompletion &&
           now.timedBoards >= before.timedBoards && now.strokesDrawn >= before.strokesDrawn &&
           now.inkHits >= before.inkHits && now.wallHits >= before.wallHits && now.ballHits >= before.ballHits &&
           now.ballsSunk >= before.ballsSunk && now.boardsCleared >= before.boardsCleared;
}

std::string ballText(const Ball& b) {
    std::ostringstream out;
    out.precision(17);
    out << "ball " << b.id << " at (" << b.x << ", " << b.y << ") moving (" << b.vx << ", " << b.vy << ")";
    return out.str();
}

// Random strokes, dots, erasures and blocks, from the soak's own generator
// so the game's random sequence is left to the game.
void playerActs(Game& game, std::mt19937& random) {
    std::uniform_real_distribution<double> pixel(0.0, boardPixels - 1.0);
    std::uniform_real_distribution<double> stride(-40.0, 40.0);
    const auto what = static_cast<unsigned>(random() % 100);
    if (what < 50) {
        double x = pixel(random), y = pixel(random);
        game.beginStroke(x, y);
        const auto points = static_cast<unsigned>(random() % 8);
        for (unsigned p = 0; p < points; ++p) {
            x += stride(random), y += stride(random);
            game.extendStroke(x, y);  // may leave the board: clamped onto the edge
        }
        game.endStroke();
    } else if (what < 52) {
        game.clearInk();
    } else if (what < 55) {
        game.placeBlock(pixel(random), pixel(random));
    }
}

}  // namespace

std::string soakViolation(const Game& game, const Game& before) {
    if (game.balls.size() > maxBalls) return "more than 64 balls";
    if (static_cast<std::int64_t>(game.strokes.size()) > game.strokeLimit) return "more strokes than the limit";
    for (const InkStroke& stroke : game.strokes)
        for (const BoardPoint& p : stroke.points)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return "an ink point is not finite";
    for (const Ball& b : game.balls) {
        if (!finite(b)) return ballText(b) + " is not finite";
        if (!b.active) continue;
        if (!(b.x >= 0 && b.x < boardPixels && b.y >= 0 && b.y < boardPixels)) return ballText(b) + " is off the board";
        const int column = static_cast<int>(b.x) / cellSize;
        const int row = static_cast<int>(b.y) / cellSize;
        const BoardCell& cell = game.cells[static_cast<std::size_t>(column + boardColumns * row)];
        if (solidForEveryBall(cell)) {
            std::ostringstream out;
            out << ballText(b) << " is inside solid cell (" << column << ", " << row << ") code 0x" << std::hex
                << cell.code;
            return out.str();
        }
    }
    if (!countersGrew(game.lifetimeCounters, before.lifetimeCounters)) return "a lifetime counter decreased";
    if (game.boardsStarted < before.boardsStarted || game.nextStrokeId < before.nextStrokeId)
        return "a running count decreased";
    for (const PlayCounters* c : {&game.boardCounters, &game.runCounters, &game.lifetimeCounters,
                                  &game.lastBoardCounters, &game.lastRunCounters}) {
        if (c->timedBoards > c->boardsCleared) return "timedBoards exceeds boardsCleared";
    }
    return {};
}

namespace {

// Checks the game against the state one sub-step earlier and notes the
// first failure; after one, `failed` stays set.
class Checker {
   public:
    Checker(const Game& game, std::int64_t board, std::uint32_t boardSeed, SoakResult& into)
        : before(game), index(board), seed(boardSeed), result(into) {}

    bool failed = false;
    double now = 0.0;  // simulated seconds since the soak set the board up, for the report

    bool afterSubStep(const Game& game) {
        result.subSteps += 1;
        const std::string what = soakViolation(game, before);
        if (!what.empty()) {
            if (!failed && result.failures.size() < maxReportedFailures) {
                std::ostringstream out;
                out << "board " << index << " seed " << seed << " at " << now << " s (on board " << game.boardId
                    << "): " << what;
                result.failures.push_back(out.str());
            }
            failed = true;
            return false;
        }
        // Only the counts the checks compare are kept up to date.
        before.lifetimeCounters = game.lifetimeCounters;
        before.boardsStarted = game.boardsStarted;
        before.nextStrokeId = game.nextStrokeId;
        return !failed;
    }

    static void watch(const Game& game, void* self) { static_cast<Checker*>(self)->afterSubStep(game); }

   private:
    Game before;
    std::int64_t index;
    std::uint32_t seed;
    SoakResult& result;
};

// Sub-steps with random ink from `t` up to `seconds`; returns where it stopped.
double playRandomInk(Game& game, std::mt19937& random, double t, double seconds, Checker& checker, SoakResult& result) {
    int frame = 0;
    while (t < seconds) {
        // A player acts between frames of about 1/60 s, the game steps by sub-steps.
        if (frame++ % 4 == 0 && random() % 8 == 0) playerActs(game, random);
        if (game.phase == GamePhase::GameOver) {
            result.gamesOver += 1;
            game.restartBoard();
        }
        const std::int32_t cleared = game.boardsCleared;
        game.step(subStepSeconds);
        t += subStepSeconds;
        checker.now = t;
        if (game.boardsCleared > cleared) result.boardsCleared += 1;
        if (!checker.afterSubStep(game)) break;
    }
    return t;
}

void makeInput(Game& game, const RecordedInput& input) {
    switch (input.kind) {
        case InputKind::BeginStroke:
            game.beginStroke(input.point.x, input.point.y);
            break;
        case InputKind::ExtendStroke:
            game.extendStroke(input.point.x, input.point.y);
            break;
        case InputKind::EndStroke:
            game.endStroke();
            break;
        case InputKind::PlaceBlock:
            game.placeBlock(input.point.x, input.point.y);
            break;
    }
}

}  // namespace

void soakBoard(Game& game, std::int64_t index, std::uint32_t seed, double seconds, SoakResult& result) {
    std::mt19937 random(seed * 7919u + static_cast<std::uint32_t>(index));
    game.newGame(static_cast<int>(game.levels[static_cast<std::size_t>(index)].difficulty), seed);
    game.startLevel(index, true);
    Checker checker(game, index, seed, result);
    result.boardSeconds += playRandomInk(game, random, 0.0, seconds, checker, result);
}

void soakBoardWithSolver(Game& game, int index, std::uint32_t seed, double seconds, SoakResult& result) {
    const SolveResult solved = solveBoard(game.levels, index, seed, SolveOptions{});
    const Recording& recording = solved.recording;
    // A fresh game, set up and stepped as the solver's player was, so this is
    // the solver's game, watched after every sub-step inside each tick.
    game = Game(game.levels);
    game.newGame(0, seed);
    game.startLevel(index, true);
    Checker checker(game, index, seed, result);
    game.subStepWatch = &Checker::watch;
    game.subStepWatchContext = &checker;
    std::size_t next = 0;
    std::int64_t tick = 0;
    double t = 0.0;
    while (!checker.failed && tick < recording.finishTick && t < seconds) {
        while (next < recording.inputs.size() && recording.inputs[next].tick == tick)
            makeInput(game, recording.inputs[next++]);
        const std::int32_t cleared = game.boardsCleared;
        checker.now = t;
        game.step(tickSeconds);
        ++tick;
        t = static_cast<double>(tick) * tickSeconds;
        if (game.boardsCleared > cleared) result.boardsCleared += 1;
    }
    game.subStepWatch = nullptr;
    game.subStepWatchContext = nullptr;
    result.solverSeconds += t;
    if (!checker.failed && tick == recording.finishTick) {
        result.solverReplays += 1;
        result.solverReplaysMatching += hashGame(game) == recording.finalHash ? 1 : 0;
        result.solverWins += solved.won ? 1 : 0;
    }
    // The rest of the time with random ink, from wherever the solver left the game.
    if (!checker.failed) {
        std::mt19937 random(seed * 7919u + static_cast<std::uint32_t>(index));
        t = playRandomInk(game, random, t, seconds, checker, result);
    }
    result.boardSeconds += t;
}

}  // namespace corvale
