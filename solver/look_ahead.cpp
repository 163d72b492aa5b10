// Simulated futures: a move played on a copy of the player, the board run
// on for a few seconds, and a score for what came of it.
#include <algorithm>
#include <cmath>
#include <limits>

#include "planner.h"

namespace corvale {
namespace {

constexpr double unreachable = 40.0;  // cells: a ball that cannot reach an accepting hole

bool accepts(int holeColor, int ballColor) {
    return holeColor == 0 || ballColor == 0 || holeColor == ballColor;
}

// What it costs a ball of this colour to cross the cell; negative = never.
double crossingCost(const BoardCell& cell, int color) {
    const int p0 = tileP0(cell.code);
    switch (static_cast<TileKind>(tileKindOf(cell.code))) {
        case TileKind::HoleQuadrant:
            return accepts(p0, color) ? 1.0 : -1.0;
        case TileKind::Wall:
            return -1.0;
        case TileKind::BreakableWall:
            return p0 == 0 || p0 == color ? 3.0 : -1.0;
        case TileKind::OneWayWall:
            return p0 == 0 || p0 == color ? 1.5 : -1.0;
        case TileKind::TimedWall:
            return 2.0;
        case TileKind::KeyholeWall:
            return cell.wallFrame == 0 && cell.wallState == 0 ? 1.0 : 8.0;
        case TileKind::TwoWayFilter:
            return p0 == 0 || p0 == color ? 1.0 : -1.0;
        default:
            return 1.0;
    }
}

// A one-way wall lets a ball through only in its own direction.
bool oneWayAllows(const BoardCell& cell, int direction) {
    if (tileKindOf(cell.code) != static_cast<int>(TileKind::OneWayWall)) return true;
    const int allowed = tileP1(cell.code);
    return allowed > 3 || allowed == direction;
}

int cellOf(const Ball& ball) {
    const int column = std::clamp(static_cast<int>(ball.x) / cellSize, 0, boardColumns - 1);
    const int row = std::clamp(static_cast<int>(ball.y) / cellSize, 0, boardRows - 1);
    return column + boardColumns * row;
}

}  // namespace

DistanceMaps holeDistances(const Game& game) {
    DistanceMaps maps;
    for (int color = 0; color < ballColorCount; ++color) {
        auto& d = maps[static_cast<std::size_t>(color)];
        d.fill(std::numeric_limits<double>::infinity());
        // Dijkstra over 289 cells with a linear scan for the minimum: small
        // enough that a heap would only add code.
        std::array<bool, boardCellCount> done{};
        for (int i = 0; i < boardCellCount; ++i) {
            const BoardCell& cell = game.cells[static_cast<std::size_t>(i)];
            if (tileKindOf(cell.code) == static_cast<int>(TileKind::HoleQuadrant) && accepts(tileP0(cell.code), color))
                d[static_cast<std::size_t>(i)] = 0.0;
        }
        for (;;) {
            int best = -1;
            for (int i = 0; i < boardCellCount; ++i)
                if (!done[static_cast<std::size_t>(i)] && std::isfinite(d[static_cast<std::size_t>(i)]) &&
                    (best < 0 || d[static_cast<std::size_t>(i)] < d[static_cast<std::size_t>(best)]))
                    best = i;
            if (best < 0) break;
            done[static_cast<std::size_t>(best)] = true;
            const int column = best % boardColumns;
            const int row = best / boardColumns;
            // The search runs from the holes outward, so a ball would move
            // from the neighbour into this cell: direction 0 up, 1 down, 2 left, 3 right.
            const int next[4][3] = {
                {column - 1, row, 3}, {column + 1, row, 2}, {column, row - 1, 1}, {column, row + 1, 0}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[0] >= boardColumns || n[1] < 0 || n[1] >= boardRows) continue;
                const auto j = static_cast<std::size_t>(n[0] + boardColumns * n[1]);
                const double cost = crossingCost(game.cells[j], color);
                if (cost < 0) continue;
                if (!oneWayAllows(game.cells[j], n[2]) ||
                    !oneWayAllows(game.cells[static_cast<std::size_t>(best)], n[2]))
                    continue;
                d[j] = std::min(d[j], d[static_cast<std::size_t>(best)] + cost);
            }
        }
    }
    return maps;
}

Future simulate(const Player& now, const Move& move, std::int64_t horizonTicks, const DistanceMaps& distances,
                bool keepTrack) {
    Player p = now;
    const std::int64_t start = p.tick();
    const std::int64_t stop = start + horizonTicks;
    MoveDriver driver(move);
    Future future;
    double sinkScore = 0.0;
    std::uint64_t sunkBefore = p.game().boardCounters.ballsSunk;
    while (p.tick() < stop && !p.finished()) {
        driver.apply(p);
        if (keepTrack && (p.tick() - start) % 2 == 0)
            future.track.emplace_back(p.game().balls.begin(), p.game().balls.end());
        p.advance();
        const std::uint64_t sunk = p.game().boardCounters.ballsSunk;
        if (sunk != sunkBefore) {
            const double seconds = static_cast<double>(p.tick() - start) * tickSeconds;
            sinkScore += static_cast<double>(sunk - sunkBefore) * (2000.0 - 200.0 * seconds);
            future.sunk += static_cast<int>(sunk - sunkBefore);
            sunkBefore = sunk;
        }
    }
    driver.finish(p);
    const Game& g = p.game();
    future.endTick = p.tick();
    const double seconds = static_cast<double>(future.endTick - start) * tickSeconds;
    future.score = sinkScore;
    if (g.phase == GamePhase::BoardComplete) {
        future.end = FutureEnd::Cleared;
        future.score += 100000.0 - 100.0 * seconds;
        return future;
    }
    if (g.phase == GamePhase::GameOver) {
        const bool wrongHole = g.message == wrongHoleMessage;
        future.end = wrongHole ? FutureEnd::WrongHole : FutureEnd::TimeOut;
        future.score -= 100000.0 - 1000.0 * seconds;
        if (wrongHole) {
            // The ball being swallowed is the one the hole has shrunk most.
            double smallest = 1e9;
            for (const Ball& b : g.balls)
                if (b.active && b.radius < smallest) smallest = b.radius, future.culprit = b.id;
        }
    }
    for (const Ball& b : g.balls) {
        if (!b.active) continue;
        const double d =
            distances[static_cast<std::size_t>(std::clamp(b.color, 0, 4))][static_cast<std::size_t>(cellOf(b))];
        future.score -= 40.0 * std::min(d, unreachable);
    }
    return future;
}

}  // namespace corvale
