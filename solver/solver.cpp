// Playing a whole board: look, move, let time pass, until it is cleared or lost.
#include "solver.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "planner.h"
#include "state_hash.h"

namespace corvale {
namespace {

// A board without a clock (or whose clock never starts) is given up after this long.
constexpr double unlimitedCap = 300.0;

int ballsOnBoard(const Level& level) {
    int count = static_cast<int>(level.queue.size());
    for (const TileCell& cell : level.cells)
        if (tileKindOf(cell.code) == static_cast<int>(TileKind::PreplacedBall)) ++count;
    return count;
}

std::int64_t ticksOf(double seconds) {
    return static_cast<std::int64_t>(std::lround(seconds * ticksPerSecond));
}

}  // namespace

double solveDifficulty(const SolveResult& r, int seedsLost) {
    if (!r.won) return 100.0;
    const double perBall = static_cast<double>(r.strokes + r.blocks) / std::max(r.balls, 1);
    const double tight = r.saves > 0 ? std::max(0.0, 1.0 - r.tightestSlack) : 0.0;
    return perBall + tight + 3.0 * seedsLost;
}

SolveResult solveBoard(const LevelList& levels, int boardId, std::uint32_t seed, const SolveOptions& options) {
    if (boardId < 0 || static_cast<std::size_t>(boardId) >= levels.size())
        throw std::out_of_range("Corvale level index is out of range.");
    Player player(levels, boardId, seed, options.limits);
    player.startRecording();
    Planner planner(options);
    SolveResult result;
    result.boardId = boardId;
    result.seed = seed;
    result.timeLimit = player.game().mechanics.timeLimit;
    result.balls = ballsOnBoard(levels[static_cast<std::size_t>(boardId)]);
    const std::int64_t period = std::max<std::int64_t>(1, ticksOf(options.decisionPeriod));
    const double cap = result.timeLimit > 0 ? result.timeLimit + 10.0 : unlimitedCap;
    const std::int64_t capTicks = ticksOf(cap);
    double tightest = 1e9;

    while (!player.finished() && player.tick() < capTicks) {
        if (player.tick() % period == 0) {
            const Decision d = planner.decide(player);
            if (d.move.kind != Move::Kind::None) {
                const int tokens = player.game().blockTokens;
                MoveDriver driver(d.move);
                while (!driver.apply(player)) player.advance();
                if (d.move.kind == Move::Kind::Stroke) ++result.strokes;
                if (player.game().blockTokens < tokens) ++result.blocks;
                if (d.urgent) ++result.saves, tightest = std::min(tightest, d.slack);
            }
        }
        if (!player.finished()) player.advance();
    }

    const Game& g = player.game();
    result.won = g.phase == GamePhase::BoardComplete;
    result.timeUsed = g.elapsed;
    result.endTime = player.time();
    result.points = g.score - g.scoreAtBoardStart;
    result.tightestSlack = result.saves > 0 ? tightest : 0.0;
    result.simulatedSeconds = planner.simulatedSeconds() + player.time();
    if (result.won) {
        result.reason = reasonCleared;
    } else if (g.phase == GamePhase::GameOver && g.message == wrongHoleMessage) {
        // Too early when even a stroke begun at the first allowed tick could not have been drawn in time.
        result.reason =
            player.tick() <= player.firstInputTick() + ticksPerSecond / 10 ? reasonTooEarly : reasonWrongHole;
    } else if (g.phase == GamePhase::GameOver) {
        result.reason = reasonTime;
    } else {
        result.reason = reasonStuck;
    }
    result.recording = player.finishRecording();
    result.difficulty = solveDifficulty(result, 0);
    return result;
}

ReplayResult replayRecording(const LevelList& levels, const Recording& recording,
                             const std::function<void(const Game&)>& eachTick) {
    HumanLimits limits;
    limits.enabled = recording.humanLimits;
    if (recording.boardId < 0 || static_cast<std::size_t>(recording.boardId) >= levels.size())
        throw std::out_of_range("The recording's board " + std::to_string(recording.boardId) +
                                " is not in the level list.");
    Player player(levels, recording.boardId, recording.seed, limits);
    std::size_t next = 0;
    for (;;) {
        while (next < recording.inputs.size() && recording.inputs[next].tick == player.tick()) {
            const RecordedInput& input = recording.inputs[next++];
            bool made = false;
            switch (input.kind) {
                case InputKind::BeginStroke:
                    made = player.beginStroke(input.point);
                    break;
                case InputKind::ExtendStroke:
                    made = player.extendStroke(input.point);
                    break;
                case InputKind::EndStroke:
                    made = player.endStroke();
                    break;
                case InputKind::PlaceBlock:
                    made = player.placeBlock(input.point);
                    break;
            }
            if (!made) {
                const std::string where = input.line > 0 ? "Line " + std::to_string(input.line) + ": " : "";
                throw std::runtime_error(where + "the input breaks the recording's limits: " + player.refusal() + ".");
            }
        }
        if (player.tick() >= recording.finishTick) break;
        player.advance();
        if (eachTick) eachTick(player.game());
    }
    ReplayResult result;
    result.hash = hashGame(player.game());
    result.matches = result.hash == recording.finalHash;
    result.won = player.game().phase == GamePhase::BoardComplete;
    return result;
}

}  // namespace corvale
