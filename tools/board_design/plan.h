// The curve of the set: what each board id is asked to be (difficulty,
// colours, balls, mechanisms, speeds, launch rhythm), and which ids carry
// the quantities that other documents quote about the set.
#pragma once

#include <cstdint>
#include <vector>

#include "draft.h"

namespace corvale::design {

struct Plan {
    Brief brief;
    unsigned features = 0;  // mechanisms the board may use
    unsigned lead = 0;      // the mechanism it is about (0: walls alone)
    bool emptyQueue = false;
    bool bricks = false;     // has breakable walls (exactly these boards do)
    bool randomize = false;  // decided after the board is drawn (never on a keyhole order)
    int interval = 4;
    int minSpeed = 50;
    int maxSpeed = 150;
    int timeLimit = -1;   // pinned limit, or -1 to fit one
    bool pinned = false;  // keeps its id when the normal boards are ordered
};

std::vector<Plan> planSet();

// The quoted counts the plan meets exactly.
inline constexpr int brickBoards = 107;
inline constexpr int emptyQueueBoards = 169;
inline constexpr int randomizedBoards = 252;
inline constexpr int randomizedEmptyQueue = 60;

// Trailing bytes the set carries, by id (the quoted ones among them).
std::vector<std::uint8_t> trailingBytesFor(int id);

// A fitted limit from the board's launch schedule and load; generous on
// Beginner, tight on Expert.
int fittedTimeLimit(const Level& level, int balls);

}  // namespace corvale::design
