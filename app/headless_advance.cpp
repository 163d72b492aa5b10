#include "headless_advance.h"

#include <algorithm>

namespace corvale {

int advanceHeadless(Game& game, double seconds) {
    int steps = 0;
    for (double remaining = seconds; remaining > 0.0; remaining -= headlessStep) {
        game.step(std::min(headlessStep, remaining));
        ++steps;
    }
    return steps;
}

}  // namespace corvale
