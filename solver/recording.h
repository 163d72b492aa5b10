// A recording of the input that played one board: which board, which seed,
// under which limits, and every player operation with the tick it happened
// on. Replaying it through the same operations gives the same game, bit for
// bit, so it is proof that a board can be won and input for other tools.
//
// Text format (one item per line; blank lines and lines starting with '#'
// are ignored; numbers in the classic "C" form):
//
//   corvale-recording 1          format and version, always the first line
//   board 300                    level index (the board ID)
//   seed 1                       the game's seed, as `corvale.exe --seed`
//   mode human                   "human" (limits on) or "free" (limits off)
//   stroke 2.5000 100.25 200.50  beginStroke at a time (s) and board point
//   point 2.5083 112.75 200.50   extendStroke
//   end 2.5250                   endStroke
//   block 10.0000 160.00 48.00   placeBlock
//   finish 61.2500               the time at which the recording stops
//   hash 1a2b3c4d5e6f7788        state hash (16 hex digits) at the finish
//
// Times are seconds since the board was set up and lie on the 1/120 s tick
// of play: an input at time t is made before the step that takes the game
// from t to t + 1/120 s. The game is set up as `corvale.exe --seed S
// --level ID` does: newGame(0, S), then startLevel(ID, true).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game.h"

namespace corvale {

inline constexpr int ticksPerSecond = 120;  // play advances in steps of 1/120 s
inline constexpr double tickSeconds = 1.0 / ticksPerSecond;

enum class InputKind { BeginStroke, ExtendStroke, EndStroke, PlaceBlock };

struct RecordedInput {
    InputKind kind = InputKind::BeginStroke;
    std::int64_t tick = 0;  // the input was made after this many ticks of play
    BoardPoint point;       // board pixels; unused for EndStroke
    int line = 0;           // line of the recording's text it was read from; 0 when made in play
};

struct Recording {
    int boardId = 0;
    std::uint32_t seed = 1;
    bool humanLimits = true;
    std::vector<RecordedInput> inputs;  // in the order they were made
    std::int64_t finishTick = 0;        // ticks of play in all
    std::uint64_t finalHash = 0;        // hashGame at the finish
};

// The word that starts an input's line: "stroke", "point", "end" or "block".
const char* inputKeyword(InputKind kind);

std::string writeRecording(const Recording& recording);

// Throws std::runtime_error naming the line ("Line 7: ...") for anything
// malformed; a recording it returns is well formed (inputs in time order,
// finish not before the last input).
Recording readRecording(const std::string& text);

}  // namespace corvale
