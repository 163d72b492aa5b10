// Cuts play into frames at a steady rate. Whoever plays the board (a replay
// of a recording, calling back after every tick) shows each tick's game to
// offerTick, which picks the ticks that become frames.
#pragma once

#include <cstdint>
#include <functional>

#include "game.h"

namespace corvale {

struct FramePlan {
    double fps = 12.5;         // frames per second of board age
    double maxSeconds = 90.0;  // board age after which no more frames are made
    double tailSeconds = 2.0;  // frames kept after the board is cleared or lost
};

// Where the cutting stands; starts empty for each play.
struct FrameCut {
    FramePlan plan;
    int frames = 0;           // frames made so far
    int endFrame = -1;        // first frame on which the board was over; -1 while in play
    std::uint64_t board = 0;  // boardsStarted of the board being cut
    bool finished = false;    // no more frames are wanted
};

// Calls frame(game, number) when the game's board age has reached the next
// frame's time (the first frame is the first game offered). Returns false,
// and makes no more frames, once the board has been over for tailSeconds,
// maxSeconds have passed, or the game has set up another board.
bool offerTick(FrameCut& cut, const Game& game, const std::function<void(const Game&, int)>& frame);

}  // namespace corvale
