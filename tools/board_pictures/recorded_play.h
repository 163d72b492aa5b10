// Plays a board through the player's operations at recorded times and cuts
// the play into frames. The recording is a plain list of inputs, so any
// reader (the solver's recordings, a hand-written list) can feed it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game.h"

namespace corvale {

enum class PlayerInputKind { BeginStroke, ExtendStroke, EndStroke, PlaceBlock };

// Play advances in ticks of 1/120 s; an input at tick t is made before the
// step that takes the game from t to t + 1 ticks, as the solver records it.
inline constexpr double playTickSeconds = 1.0 / 120.0;

struct PlayerInput {
    std::int64_t tick = 0;  // ticks of play before the player acts
    PlayerInputKind kind = PlayerInputKind::BeginStroke;
    double x = 0.0;  // board pixels (unused by EndStroke)
    double y = 0.0;
};

struct BoardRecording {
    std::int64_t board = 0;           // level index
    std::uint32_t seed = 1;           // the run's random seed
    std::vector<PlayerInput> inputs;  // in time order
};

// Starts a one-board run of the recording's board, as `--seed S --level ID` does.
void startRecordedBoard(Game& game, const BoardRecording& recording);

// Where a recording stands while it is played. The game is always stepped
// one tick at a time, whatever ages frames are taken at, so cutting the
// play into frames never changes how it plays.
struct RecordingCursor {
    const BoardRecording* recording = nullptr;
    std::int64_t ticks = 0;  // ticks played since the board started
    std::size_t next = 0;    // first input not yet given to the game
};

// Plays ticks until `boardAge` seconds (rounded up to a whole tick) have
// passed, giving the game each input at its tick. Stops when the game sets
// up another board.
void playRecordingUntil(Game& game, RecordingCursor& cursor, double boardAge);

struct FramePlan {
    double fps = 15.0;         // frames per second of board age
    double maxSeconds = 90.0;  // board age after which no more frames are made
    double tailSeconds = 2.0;  // frames kept after the board is cleared or lost
};

// Calls `frame` for the game at board age 0, 1/fps, 2/fps, ... (play moves
// the game to each age) until the board has been over for tailSeconds, the
// next board would be set up, or maxSeconds is reached. Returns the number
// of frames.
int playFrames(Game& game, const std::function<void(Game&, double)>& play, const FramePlan& plan,
               const std::function<void(const Game&, int)>& frame);

}  // namespace corvale
