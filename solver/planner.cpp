// Choosing moves: look ahead without new ink; when a ball is bound for a
// wrong hole, try strokes across its path; now and then try to steer a
// wandering ball into its own hole.
#include "planner.h"

#include <algorithm>
#include <cmath>

#include "solver.h"

namespace corvale {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double halfStroke = 22.0;  // px: a 44 px stroke covers a ball's width with room to spare
constexpr double inkReach = 18.0;    // px: a ball bounces about this far before its centre meets ink
// Seconds ahead of now at which a stroke may cross a ball's predicted path.
constexpr double leads[] = {0.04, 0.06, 0.08, 0.12, 0.15, 0.25, 0.35, 0.5, 0.7, 0.95, 1.25, 1.6, 2.0};

struct HoleCentre {
    BoardPoint at;
    int color;
};

std::vector<HoleCentre> holeCentres(const Game& game) {
    std::vector<HoleCentre> centres;
    for (int i = 0; i < boardCellCount; ++i) {
        const std::uint16_t code = game.cells[static_cast<std::size_t>(i)].code;
        // Quadrant 0 (upper left) names each hole once, at its bottom-right corner.
        if (tileKindOf(code) != static_cast<int>(TileKind::HoleQuadrant) || tileP1(code) != 0) continue;
        const double left = cellSize * (i % boardColumns);
        const double top = cellSize * (i / boardColumns);
        centres.push_back({{left + cellSize, top + cellSize}, tileP0(code)});
    }
    return centres;
}

const Ball* findBall(const std::vector<Ball>& balls, int id) {
    for (const Ball& b : balls)
        if (b.id == id) return &b;
    return nullptr;
}

BoardPoint clampToBoard(BoardPoint p) {
    return {std::clamp(p.x, 1.0, 542.0), std::clamp(p.y, 1.0, 542.0)};
}

// A stroke through p that turns a ball moving along v toward direction d
// (both unit vectors): its normal is v - d, the mirror that maps one to the other.
bool mirrorStroke(BoardPoint p, double vx, double vy, double dx, double dy, Move& move) {
    double nx = vx - dx;
    double ny = vy - dy;
    const double n = std::hypot(nx, ny);
    if (n < 0.3) return false;  // hardly a turn: not worth ink
    nx /= n;
    ny /= n;
    move.kind = Move::Kind::Stroke;
    move.from = clampToBoard({p.x + ny * halfStroke, p.y - nx * halfStroke});
    move.to = clampToBoard({p.x - ny * halfStroke, p.y + nx * halfStroke});
    return true;
}

bool better(const Future& a, const Future& b) {
    return a.score > b.score;
}

}  // namespace

Planner::Planner(const SolveOptions& options)
    : settings(options), horizonTicks(static_cast<std::int64_t>(std::lround(options.horizon * ticksPerSecond))) {}

Future Planner::run(const Player& now, const Move& move, const DistanceMaps& distances, bool keepTrack) {
    Future f = simulate(now, move, horizonTicks, distances, keepTrack);
    simulated += static_cast<double>(f.endTick - now.tick()) * tickSeconds;
    return f;
}

std::vector<Move> Planner::strokesAcross(const Player& now, const Future& baseline, int ballId, std::int64_t beforeTick,
                                         const DistanceMaps& distances, bool wide) const {
    (void)distances;
    std::vector<Move> moves;
    const std::vector<HoleCentre> holes = holeCentres(now.game());
    for (const double lead : leads) {
        const auto sample = static_cast<std::size_t>(std::lround(lead * ticksPerSecond / 2));
        if (sample >= baseline.track.size()) break;
        const Ball* b = findBall(baseline.track[sample], ballId);
        if (b == nullptr || !b->active || b->radius < 10.0) break;
        const double speed = std::hypot(b->vx, b->vy);
        if (speed < 1.0) continue;
        // The stroke takes a few ticks to draw and the ball meets it early;
        // in a hurry the pen goes down on the path itself, which acts at once.
        const double meets = lead - inkReach / speed;
        if (!wide && meets < 0.06) continue;
        if (now.tick() + static_cast<std::int64_t>(meets * ticksPerSecond) >= beforeTick) break;
        const double vx = b->vx / speed;
        const double vy = b->vy / speed;
        const BoardPoint p{b->x, b->y};
        std::vector<double> headings;
        for (const HoleCentre& h : holes) {
            if (!(h.color == 0 || b->color == 0 || h.color == b->color)) continue;
            const double a = std::atan2(h.at.y - p.y, h.at.x - p.x);
            for (const double offset : {0.0, -0.2, 0.2}) headings.push_back(a + offset);
        }
        // Round a wall the aimed strokes cannot pass: every direction, fewer when steering.
        const int spread = wide ? 12 : 8;
        for (int k = 0; k < spread; ++k) headings.push_back(k * 2.0 * pi / spread);
        for (const double a : headings) {
            Move move;
            if (!mirrorStroke(p, vx, vy, std::cos(a), std::sin(a), move)) continue;
            if (meets >= 0.06) moves.push_back(move);
            if (!wide) continue;
            // From the path outward, both ways: the first point already blocks.
            const Move whole = move;
            move.from = p;
            move.to = {(p.x + whole.from.x) / 2, (p.y + whole.from.y) / 2};
            moves.push_back(move);
            move.to = {(p.x + whole.to.x) / 2, (p.y + whole.to.y) / 2};
            moves.push_back(move);
        }
        // A block in the path, once one has been earned.
        if (wide && now.game().blockTokens > 0 && now.firstBlockTick() <= now.tick()) {
            Move block;
            block.kind = Move::Kind::Block;
            block.from = {std::floor(p.x / cellSize) * cellSize + 16.0, std::floor(p.y / cellSize) * cellSize + 16.0};
            moves.push_back(block);
        }
    }
    return moves;
}

Decision Planner::rescue(const Player& now, const Future& baseline, const DistanceMaps& distances) {
    Decision decision;
    Future best = baseline;
    // Enough tries to find a way out on crowded boards, and once one is
    // found a few more for a better one, then stop: rescues can come often.
    int budget = 600;
    int afterSafe = 40;
    auto tryMoves = [&](const std::vector<Move>& moves) {
        for (const Move& move : moves) {
            if (budget-- <= 0 || afterSafe <= 0) return;
            const Future f = run(now, move, distances, false);
            if (better(f, best)) best = f, decision.move = move;
            if (best.end == FutureEnd::Open || best.end == FutureEnd::Cleared) --afterSafe;
        }
    };
    tryMoves(strokesAcross(now, baseline, baseline.culprit, baseline.endTick, distances, true));
    if (best.end == FutureEnd::WrongHole) {
        // The culprit may be knocked in by another ball: try the others too.
        for (const Ball& b : now.game().balls)
            if (b.active && b.id != baseline.culprit)
                tryMoves(strokesAcross(now, baseline, b.id, baseline.endTick, distances, true));
    }
    // A stroke that only delays the loss must buy real time, or turn the
    // danger to another ball, which the next look can deal with.
    if (best.end == FutureEnd::WrongHole && best.culprit == baseline.culprit &&
        best.endTick < baseline.endTick + ticksPerSecond / 4)
        decision.move = Move{};
    if (decision.move.kind != Move::Kind::None) {
        decision.urgent = true;
        decision.slack = static_cast<double>(baseline.endTick - now.tick()) * tickSeconds;
    }
    return decision;
}

Decision Planner::steer(const Player& now, const Future& baseline, const DistanceMaps& distances) {
    Decision decision;
    Future best = baseline;
    for (const Ball& b : now.game().balls) {
        if (!b.active || b.radius < 12.0) continue;
        // Leave alone a ball that sinks by itself within the horizon.
        if (!baseline.track.empty()) {
            const Ball* last = findBall(baseline.track.back(), b.id);
            if (last == nullptr || !last->active) continue;
        }
        for (const Move& move : strokesAcross(now, baseline, b.id, now.tick() + horizonTicks, distances, false)) {
            const Future f = run(now, move, distances, false);
            if (f.end != FutureEnd::WrongHole && f.end != FutureEnd::TimeOut && better(f, best))
                best = f, decision.move = move;
        }
    }
    // Ink only for a clearly better future: a ball sunk, or much nearer its hole.
    if (best.score < baseline.score + 300.0) decision.move = Move{};
    return decision;
}

Decision Planner::decide(const Player& now) {
    if (now.finished() || now.drawing() || now.firstStrokeTick() > now.tick()) return {};
    const auto steerTicks = static_cast<std::int64_t>(std::lround(settings.steerPeriod * ticksPerSecond));
    const bool steerDue = now.tick() - lastSteerTick >= steerTicks;
    // A wrong hole found late still leaves this much time to act.
    const std::int64_t warning = horizonTicks - 2 * ticksPerSecond;
    if (cacheValid && cacheEnd == FutureEnd::Open && now.tick() - cacheStart < warning && !steerDue) return {};
    if (cacheValid && cacheEnd == FutureEnd::Cleared) return {};

    const DistanceMaps distances = holeDistances(now.game());
    const Future baseline = run(now, Move{}, distances, true);
    cacheValid = true;
    cacheStart = now.tick();
    cacheEnd = baseline.end;
    Decision d;
    if (baseline.end == FutureEnd::WrongHole) {
        d = rescue(now, baseline, distances);
    } else if (baseline.end != FutureEnd::Cleared && steerDue) {
        lastSteerTick = now.tick();
        d = steer(now, baseline, distances);
    }
    if (d.move.kind != Move::Kind::None) cacheValid = false;
    return d;
}

}  // namespace corvale
