// The ideas boards are made of. Each draws one board for a brief and names
// it in a line; false when this attempt came out wrong (the caller tries
// again with the generator moved on).
#pragma once

#include <string>
#include <vector>

#include "draft.h"

namespace corvale::design {

// Mechanisms an idea may use.
enum Feature : unsigned {
    Paint = 1u << 0,       // recolouring walls
    Bricks = 1u << 1,      // breakable walls
    Preplaced = 1u << 2,   // balls waiting on the board
    Valves = 1u << 3,      // one-way walls
    Launchers = 1u << 4,   // several launchers
    Filters = 1u << 5,     // two-way colour filters
    Ramps = 1u << 6,       // chevrons
    TimedDoors = 1u << 7,  // timed walls
    Keyholes = 1u << 8,    // keyhole walls
};

std::string featureName(unsigned feature);

// What the idea line may speak of: the motif, the mechanism the board is
// about and the few facts that make its sentence true.
struct IdeaFacts {
    std::string motif;
    unsigned lead = 0;
    Door door = Door::Open;
    int key = Gray;
    int colors = 1;
    int holes = 1;
    int launchers = 1;  // 0 when every ball waits on the board
    bool river = false;
    bool dam = false;
    bool quarry = false;
    int paint = -1;  // colour of the paint bar, -1 for none
    bool waiting = false;
};
// One short sentence, worded a little differently from board to board.
std::string ideaLine(const IdeaFacts& facts, const Brief& brief);

// Holes in pockets over a layout, the pockets' doors and the extras chosen
// from `features`; `lead` is the feature the board is about (it must show).
bool composeBoard(Draft& draft, Rng& rng, const Brief& brief, unsigned features, unsigned lead);

// Boards drawn by hand from a character map (the showcase and the first
// board of each mechanism); empty when `id` has none.
bool handDrawnBoard(Draft& draft, const Brief& brief);

}  // namespace corvale::design
