// The planner's look ahead: what the board does in the next few seconds
// after one move (or none), tried on a copy of the player.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "player.h"

namespace corvale {

struct SolveOptions;

// One thing a person does: a straight stroke drawn from `from` to `to` at
// the drawing speed, or a block at `from`.
struct Move {
    enum class Kind { None, Stroke, Block };
    Kind kind = Kind::None;
    BoardPoint from;
    BoardPoint to;
};

// Carries a move out over the ticks it takes: apply() before each tick
// makes that tick's input (begin, one point at the drawing speed, end).
class MoveDriver {
   public:
    explicit MoveDriver(const Move& planned) : move(planned) {}
    bool apply(Player& player);   // true once the move is complete
    void finish(Player& player);  // ends a stroke still open
    bool done() const { return complete; }

   private:
    Move move;
    bool started = false;
    bool complete = false;
    BoardPoint at;
};

// How a simulated future ends within the horizon.
enum class FutureEnd { Open, Cleared, WrongHole, TimeOut };

struct Future {
    FutureEnd end = FutureEnd::Open;
    std::int64_t endTick = 0;  // tick of the clear or loss; the horizon's end when Open
    int sunk = 0;              // balls sunk within the horizon
    double score = 0.0;        // larger is better
    int culprit = -1;          // id of the ball that entered a wrong hole
    // Every other tick: each ball's state (index = position in balls), for
    // placing strokes across predicted paths.
    std::vector<std::vector<Ball>> track;
};

// Cell distances (in cells, weighted) from every cell to the nearest hole
// that accepts a ball of each colour, given the board as it is now.
using DistanceMaps = std::array<std::array<double, boardCellCount>, ballColorCount>;
DistanceMaps holeDistances(const Game& game);

// Plays the move on a copy and lets the board run until horizonTicks from
// now (or the board ends), then scores what happened.
Future simulate(const Player& now, const Move& move, std::int64_t horizonTicks, const DistanceMaps& distances,
                bool keepTrack);

// The next move worth making now, or Kind::None. `urgent` comes back true
// when the move stops a ball from entering a wrong hole, with slack the
// seconds left before that would have happened.
struct Decision {
    Move move;
    bool urgent = false;
    double slack = 0.0;
};

class Planner {
   public:
    explicit Planner(const SolveOptions& options);
    Decision decide(const Player& now);
    double simulatedSeconds() const { return simulated; }

   private:
    Decision rescue(const Player& now, const Future& baseline, const DistanceMaps& distances);
    Decision steer(const Player& now, const Future& baseline, const DistanceMaps& distances);
    std::vector<Move> strokesAcross(const Player& now, const Future& baseline, int ballIndex, std::int64_t beforeTick,
                                    const DistanceMaps& distances, bool wide) const;
    Future run(const Player& now, const Move& move, const DistanceMaps& distances, bool keepTrack);

    const SolveOptions& settings;
    std::int64_t horizonTicks;
    std::int64_t lastSteerTick = -1000000;
    double simulated = 0.0;
    // The last look ahead without new input. Play is deterministic, so until
    // the next move it stays true: no wrong hole comes before its end.
    bool cacheValid = false;
    std::int64_t cacheStart = 0;
    FutureEnd cacheEnd = FutureEnd::Open;
};

}  // namespace corvale
