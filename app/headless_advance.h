// The fixed-step clock of runs without a window.
#pragma once

#include "game.h"

namespace corvale {

inline constexpr double headlessStep = 1.0 / 120.0;

// Steps of 1/120 s until the time is used up; returns how many steps ran.
// The remaining time drops by a full step after each call, so rounding
// leaves a tiny positive remainder that costs one more, very short step.
int advanceHeadless(Game& game, double seconds);

}  // namespace corvale
