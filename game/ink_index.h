// Internal to the game library: walking the strokes that may lie near a point.
#pragma once

#include "game.h"
#include "geometry.h"

namespace corvale {

// How far beyond its box a stroke is indexed: the largest ink reach of a
// full-size ball (radius 12 + 5) plus the pixel of rounding slack.
inline constexpr double inkIndexMargin = 18.0;

// Calls visit(s) with the list index of every stroke, in list order, that can be within
// reach of centre; falls back to all strokes when the index cannot answer.
template <typename Visit>
void Game::forEachStrokeAround(BoardPoint centre, double reach, Visit visit) const {
    if (inkIndex.valid && reach + 1.0 <= inkIndexMargin && onBoard(centre)) {
        const auto cell = static_cast<std::size_t>(cellIndexAt(centre));
        for (std::uint32_t k = inkIndex.start[cell]; k < inkIndex.start[cell + 1]; ++k) {
            const std::uint32_t s = inkIndex.current[inkIndex.items[k]];
            if (s != noStroke && !visit(s)) return;
        }
        return;
    }
    for (std::uint32_t s = 0; s < strokes.size(); ++s)
        if (!visit(s)) return;
}

}  // namespace corvale
