// A reader's copy of the five counter sets, with the running play times
// filled in. Nothing outside the game looks at the live counters.
#pragma once

#include "play_counters.h"

namespace corvale {

struct StatisticsSnapshot {
    PlayCounters boardCounters;      // the board in play (play time = live elapsed while playing)
    PlayCounters runCounters;        // the run in play (play time = earlier boards + this board)
    PlayCounters lastBoardCounters;  // the board folded away most recently
    PlayCounters lastRunCounters;    // the run folded away most recently
    PlayCounters lifetimeCounters;   // the statistics file's counters plus all play since
    bool lastBoardValid = false;     // lastBoardCounters holds data
    bool lastRunValid = false;       // lastRunCounters holds data

    friend bool operator==(const StatisticsSnapshot&, const StatisticsSnapshot&) = default;
};

}  // namespace corvale
