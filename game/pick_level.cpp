// Choice of the next board: a random level of the difficulty that is not
// among the last few chosen, so a player does not see the same board again
// soon.
#include <algorithm>

#include "game.h"

namespace corvale {
namespace {

inline constexpr std::size_t historyLength = 10;

std::vector<std::int32_t> levelCandidates(const std::vector<Level>& levels, int difficulty, bool bonus) {
    std::vector<std::int32_t> candidates;
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (levels[i].difficulty == difficulty && levels[i].bonus == bonus)
            candidates.push_back(static_cast<std::int32_t>(i));
    if (candidates.empty())
        for (std::size_t i = 0; i < levels.size(); ++i)
            if (levels[i].difficulty == difficulty) candidates.push_back(static_cast<std::int32_t>(i));
    if (candidates.empty()) candidates.push_back(0);
    return candidates;
}

}  // namespace

std::size_t Game::pickLevel(bool bonus) {
    const std::vector<std::int32_t> candidates = levelCandidates(levels, difficulty, bonus);
    std::deque<std::int32_t>& history = bonus ? recentBonus : recentNormal;
    // Keep at least one candidate outside the history, or the draw never ends.
    const std::size_t keep = std::min(candidates.size() - 1, historyLength);
    while (history.size() > keep) history.pop_back();

    std::int32_t index = 0;
    do {
        index = candidates[static_cast<std::size_t>(randomBelow(static_cast<int>(candidates.size())))];
    } while (std::find(history.begin(), history.end(), index) != history.end());

    history.push_front(index);
    while (history.size() > historyLength) history.pop_back();
    return static_cast<std::size_t>(index);
}

}  // namespace corvale
