// The player's preferences ("settings.ini") and the lifetime statistics
// ("statistics-v1.dat"), both in the data folder %LOCALAPPDATA%\Corvale-Reconstructed.
// Headless runs never call these: a smoke test must leave no trace.
#pragma once

#include <cstdint>
#include <string>

#include "play_counters.h"
#include "statistics_snapshot.h"

namespace corvale {

struct Settings {
    std::int32_t difficulty = 0;     // start difficulty when the command line gives none, 0..4
    std::uint64_t highScore = 5000;  // handed to the Game at start-up
    bool showFps = false;            // frame rate in the title bar
    std::int32_t strokeLimit = 20;   // most ink strokes kept, 1..4096
    std::wstring settingsPath;       // full path of settings.ini; empty = no data folder
    std::wstring statisticsPath;     // full path of statistics-v1.dat; empty = no data folder
    PlayCounters lifetime;           // read from the statistics file; all zero when missing or refused
    // A refused statistics file could not be moved aside to ".bad": this
    // session's saves leave it alone (and report failure) so it is never
    // overwritten with counters that started from zero.
    bool keepStatisticsFile = false;
};

// Fills `settings` from the data folder, creating the folder's last level if
// needed. Never fails: anything missing or unreadable keeps its default, and
// without a usable folder both paths stay empty.
void loadSettings(Settings& settings);

// Writes Difficulty, HighScore, ShowFPS, the statistics file (from
// snapshot.lifetimeCounters) and StrokeLimit, in that order, attempting each
// even after a failure. `difficulty` and `highScore` are the Game's. True only
// when every write succeeded; false at once when there is no data folder.
bool saveSettings(const Settings& settings, std::int32_t difficulty, std::uint64_t highScore,
                  const StatisticsSnapshot& snapshot);

}  // namespace corvale
