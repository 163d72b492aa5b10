// The only door through which the solver changes a game: a Player owns its
// Game privately, shows it read-only, and offers exactly the operations a
// person has (strokes, blocks, time passing), with a person's limits.
// Planners copy Players to try moves; the real one also keeps a recording.
#pragma once

#include <cstdint>
#include <string>

#include "game.h"
#include "level_list.h"
#include "recording.h"

namespace corvale {

// What a person can do. Every limit is lifted when `enabled` is false.
struct HumanLimits {
    bool enabled = true;
    double drawSpeed = 1500.0;  // board px/s: a point lies at most this far per elapsed second from the last
    double strokeGap = 0.3;     // s from the end of one stroke to the start of the next
    double boardQuiet = 0.5;    // s after a board is set up without input
    double ballQuiet = 0.5;     // s after a ball appears without input
    double blockGap = 0.5;      // s between two blocks
};

class Player {
   public:
    // Sets the board up as `corvale.exe --seed S --level ID` does. Throws
    // std::out_of_range for a board that is not in the list.
    Player(const LevelList& levels, int boardId, std::uint32_t seed, const HumanLimits& limits);

    const Game& game() const { return play; }
    const HumanLimits& limits() const { return rules; }
    std::int64_t tick() const { return ticks; }
    double time() const { return static_cast<double>(ticks) * tickSeconds; }
    bool drawing() const { return strokeOpen; }
    bool finished() const { return play.phase != GamePhase::Playing; }

    // Earliest tick at which a new stroke (or a block) would be accepted,
    // given what has happened so far.
    std::int64_t firstStrokeTick() const;
    std::int64_t firstBlockTick() const;
    // First tick at which input was allowed at all on this board.
    std::int64_t firstInputTick() const;

    // The input operations. Each returns false, changes nothing and sets
    // refusal() when a limit forbids it; true means the input was made (the
    // game may still ignore it, as it would a person's).
    bool beginStroke(BoardPoint p);
    bool extendStroke(BoardPoint p);
    bool endStroke();
    bool placeBlock(BoardPoint p);
    const std::string& refusal() const { return refused; }

    // One tick of play (1/120 s).
    void advance();

    // The real player records its input; planning copies do not.
    void startRecording();
    const Recording& recording() const { return log; }
    Recording finishRecording();

   private:
    bool refuse(const char* why);
    bool quiet() const;
    void note(InputKind kind, BoardPoint p);

    Game play;
    HumanLimits rules;
    std::int64_t ticks = 0;
    bool strokeOpen = false;
    std::int64_t strokeEndTick = -1000000;  // when the last stroke ended
    std::int64_t lastPointTick = 0;         // when the open stroke's last point was made
    BoardPoint lastPoint;
    std::int64_t lastBlockTick = -1000000;
    std::int64_t quietUntil = 0;  // no input before this tick
    std::size_t ballsSeen = 0;
    bool recordingOn = false;
    Recording log;
    std::string refused;
};

}  // namespace corvale
