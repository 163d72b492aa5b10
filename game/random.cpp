// The game's own generator: every random decision of play draws from it in
// the order the operations run, so a seed and the same calls replay a game.
#include <chrono>

#include "game.h"

namespace corvale {

int Game::nextRandom() {
    rngState = rngState * 214013u + 2531011u;
    return static_cast<int>((rngState >> 16) & 0x7FFFu);
}

int Game::randomBelow(int n) {
    if (n <= 0) return 0;
    return nextRandom() % n;
}

void Game::seedFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    rngState = static_cast<std::uint32_t>(seconds);
}

}  // namespace corvale
