// Boards composed from a layout, holes in pockets, the pockets' doors and a
// few extras, each chosen for the mechanism the board is about.
#include <algorithm>

#include "ideas.h"

namespace corvale::design {
namespace {

struct Site {
    int column;
    int row;
    int side;
};

int sideInImage(const Image& image, int side) {
    return tileP1(codeInImage(image, oneWay(0, side)));
}

Pocket pocketInImage(const Image& image, const Site& site) {
    int c1 = site.column, r1 = site.row, c2 = site.column + 1, r2 = site.row + 1;
    placeInImage(image, c1, r1);
    placeInImage(image, c2, r2);
    return Pocket{std::min(c1, c2), std::min(r1, r2), sideInImage(image, site.side)};
}

std::vector<Site> sitesFor(Symmetry symmetry) {
    switch (symmetry) {
        case Symmetry::MirrorX:
            return {{2, 13, Up},   {2, 13, Right}, {2, 2, Down},  {2, 2, Right},
                    {2, 7, Right}, {3, 12, Up},    {2, 10, Right}};
        case Symmetry::Turn2:
            return {{2, 2, Down}, {2, 2, Right}, {2, 7, Right}, {3, 12, Up}, {5, 2, Down}};
        case Symmetry::MirrorXY:
            return {{2, 2, Down}, {2, 2, Right}, {3, 3, Right}, {3, 3, Down}, {2, 4, Right}};
        case Symmetry::Turn4:
            return {{2, 2, Down}, {2, 2, Right}, {3, 3, Down}, {5, 2, Down}};
        default:
            return {{7, 13, Up}};
    }
}

const char* sideWord(int side) {
    switch (side) {
        case Up:
            return "top";
        case Down:
            return "bottom";
        case Left:
            return "left";
        default:
            return "right";
    }
}

std::vector<int> holeColors(const std::vector<int>& colors, std::size_t images) {
    std::vector<int> out;
    const std::size_t n = colors.size();
    for (std::size_t k = 0; k < images; ++k) {
        if (n == 3 && images == 4 && k == 3) {
            out.push_back(Gray);  // the fourth corner is a safety net
        } else if (n == 2 && images == 4) {
            out.push_back(colors[k == 0 || k == 3 ? 0 : 1]);  // diagonal pairs
        } else {
            out.push_back(colors[k % n]);
        }
    }
    return out;
}

Door doorFor(unsigned feature) {
    switch (feature) {
        case Filters:
            return Door::Filter;
        case Valves:
            return Door::Valve;
        case TimedDoors:
            return Door::Timed;
        case Keyholes:
            return Door::Keyhole;
        case Bricks:
            return Door::Breakable;
        default:
            return Door::Open;
    }
}

const char* doorPhrase(Door door, int difficulty) {
    switch (door) {
        case Door::Filter:
            return "behind a filter of its colour";
        case Door::Valve:
            return "behind a one-way valve of its colour";
        case Door::Timed:
            return "behind a door on a beat";
        case Door::Keyhole:
            return "locked until the key colour is sunk";
        case Door::Breakable:
            return difficulty == 0 ? "behind a door of bricks of its colour" : "walled in by bricks of its colour";
        case Door::Paint:
            return "in a ring of its own paint";
        default:
            return "in an alcove";
    }
}

}  // namespace

std::string featureName(unsigned feature) {
    switch (feature) {
        case Paint:
            return "recolouring walls";
        case Bricks:
            return "breakable walls";
        case Preplaced:
            return "preplaced balls";
        case Valves:
            return "one-way walls";
        case Launchers:
            return "several launchers";
        case Filters:
            return "colour filters";
        case Ramps:
            return "ramps";
        case TimedDoors:
            return "timed walls";
        case Keyholes:
            return "keyhole walls";
        default:
            return "walls";
    }
}

bool composeBoard(Draft& draft, Rng& rng, const Brief& brief, unsigned features, unsigned lead) {
    Canvas& canvas = draft.canvas;
    const std::vector<int>& colors = brief.colors;
    const bool many = colors.size() >= 3 || (lead == Keyholes && colors.size() >= 2 && rng.chance(30));
    if (rng.chance(88)) canvas.border();

    const std::vector<Layout> layouts = allLayouts();
    const Layout layout = layouts[static_cast<std::size_t>(rng.below(static_cast<int>(layouts.size())))];
    std::string layoutPhrase = drawLayout(canvas, layout, rng);

    const Symmetry pocketSymmetry = many ? (rng.chance(50) ? Symmetry::MirrorXY : Symmetry::Turn4)
                                         : (rng.chance(60) ? Symmetry::MirrorX : Symmetry::Turn2);
    const std::vector<Image> images = imagesOf(pocketSymmetry);
    const Site site = rng.pick(sitesFor(pocketSymmetry));
    const std::vector<int> holes = holeColors(colors, images.size());

    // Doors: the lead mechanism on every pocket, or mixed with the others on offer.
    std::vector<unsigned> doorFeatures;
    for (unsigned f : {Filters, Valves, TimedDoors, Keyholes, Bricks}) {
        if (features & f) doorFeatures.push_back(f);
    }
    // Past Beginner the balls are too quick for open alcoves: every coloured
    // pocket gets a guard that only its own colour passes, unless the
    // board's own door mechanism takes its place.
    std::vector<Door> guards;
    if (brief.difficulty >= 1) guards.push_back(Door::Valve);
    if (brief.difficulty >= 2) guards.push_back(Door::Filter);
    if (features & Bricks) guards.push_back(Door::Breakable);
    std::vector<Door> doors(images.size(), Door::Open);
    const bool leadIsDoor = doorFor(lead) != Door::Open;
    for (std::size_t k = 0; k < images.size(); ++k) {
        if (holes[k] == Gray) continue;                                         // a gray hole is never wrong
        const bool sure = lead == Filters || lead == Valves || lead == Bricks;  // doors that keep other colours out
        if (brief.safeDoors && !guards.empty() && !sure) {
            // Guards everywhere; the lead's door on one pocket only.
            doors[k] = leadIsDoor && k == 1 ? doorFor(lead) : rng.pick(guards);
        } else if (leadIsDoor && (k == 0 || (sure && lead == features) || rng.chance(50))) {
            doors[k] = doorFor(lead);
        } else if (!doorFeatures.empty() && rng.chance(50)) {
            doors[k] = doorFor(rng.pick(doorFeatures));
        } else if (!guards.empty()) {
            doors[k] = rng.pick(guards);
        }
    }
    // A keyhole needs a key: the first pocket's colour, sunk first.
    const int key = holes[0] == Gray ? colors[0] : holes[0];
    if (doors[0] == Door::Keyhole) doors[0] = Door::Open;
    bool anyKeyhole = false;
    for (std::size_t k = 0; k < images.size(); ++k) {
        if (doors[k] == Door::Keyhole && holes[k] == key) doors[k] = Door::Open;
        anyKeyhole = anyKeyhole || doors[k] == Door::Keyhole;
    }

    const Symmetry kept = canvas.symmetry;
    canvas.symmetry = Symmetry::None;
    for (std::size_t k = 0; k < images.size(); ++k) {
        const Pocket p = pocketInImage(images[k], site);
        // Beginner's bricks are a door only; later a whole vault.
        const bool vault = doors[k] == Door::Breakable && brief.difficulty >= 1;
        const std::uint16_t ring = vault ? makeTileCode(4, holes[k]) : wall();
        pocket(canvas, p, holes[k], doors[k], key, ring);
    }
    canvas.symmetry = kept;

    // Launchers far from the pockets.
    std::vector<std::array<int, 2>> launchAt;
    const bool pocketsHigh = site.row <= 6;
    if (images.size() == 4) {
        launchAt.push_back({8, 8});
        if (features & Launchers && rng.chance(lead == Launchers ? 100 : 50)) {
            launchAt = {{8, 5}, {11, 8}, {8, 11}, {5, 8}};
        }
    } else {
        const int row = pocketSymmetry == Symmetry::Turn2 ? 8 : pocketsHigh ? 13 : 3;
        launchAt.push_back({8, row});
        if (features & Launchers && rng.chance(lead == Launchers ? 100 : 50)) {
            launchAt = {{5, row}, {11, row}};
            if (rng.chance(40)) launchAt.push_back({8, row});
        }
    }

    std::vector<std::string> extras;
    // Extras drawn before the launchers so that these keep their room.
    if ((features & Ramps) && (lead == Ramps || rng.chance(40))) {
        const int row = pocketsHigh ? 10 : 6;
        const bool parting = rng.chance(50);
        for (int c = 2; c <= 14; ++c) {
            if (c == 8) continue;
            const int direction = parting ? (c < 8 ? Left : Right) : (c < 8 ? Right : Left);
            if (canvas.isFloor(c, row)) canvas.put(c, row, ramp(direction));
        }
        extras.push_back(parting ? "a river of ramps parting in the middle" : "a river of ramps running to the middle");
    }
    if ((features & Bricks) && brief.difficulty >= 1 && (lead == Bricks || rng.chance(35))) {
        // A dam across the middle, or a whole quarry to dig through.
        const bool quarry = rng.chance(brief.bonus ? 70 : 45);
        const int rows = quarry ? rng.between(4, 6) : 2;
        const int top = pocketsHigh ? 8 - rows / 2 + 1 : 8 - rows / 2;
        const int color = rng.chance(60) ? Gray : rng.pick(colors);
        const int pattern = rng.below(3);
        for (int r = top; r < top + rows; ++r) {
            for (int c = 1; c <= 15; ++c) {
                if (!canvas.isFloor(c, r)) continue;
                const bool gray = pattern == 0 ? (c + r) % 3 == 0 : pattern == 1 ? r % 2 == 0 : (c % 4 == 0);
                canvas.put(c, r, makeTileCode(4, gray ? Gray : color));
            }
        }
        extras.push_back(quarry ? "a quarry of bricks to dig through" : "a dam of bricks across the middle");
    }
    if ((features & Paint) && (lead == Paint || rng.chance(30))) {
        const int color = rng.pick(colors);
        const int row = pocketsHigh ? 11 : 5;
        for (int c = 6; c <= 10; ++c) {
            if (canvas.isFloor(c, row)) canvas.put(c, row, wall(color));
        }
        extras.push_back("a " + colorName(color) + " paint bar that repaints what strikes it");
    }
    for (const auto& [c, r] : launchAt) placeLauncher(canvas, c, r);

    Level& level = canvas.level;
    int queued = brief.balls;
    if (brief.preplacedOnly || ((features & Preplaced) && (lead == Preplaced || rng.chance(35)))) {
        // Balls parked beside the launchers, heading for the nearest wall.
        const bool all = brief.preplacedOnly || lead == Preplaced;
        const int parked = all ? brief.balls : std::min(2, std::max(1, brief.balls / 3));
        int placed = 0;
        for (int attempt = 0; attempt < 60 && placed < parked; ++attempt) {
            const int c = rng.between(2, 14), r = rng.between(2, 14);
            if (!canvas.isFloor(c, r)) continue;
            const int heading = r < 8 ? 0 : 16;
            canvas.put(c, r,
                       ball(colors[static_cast<std::size_t>(placed) % colors.size()],
                            (heading + rng.between(-3, 3) + 32) & 31));
            ++placed;
        }
        queued = all ? 0 : brief.balls - placed;
        extras.push_back(all ? "balls waiting on the board" : "a ball or two already waiting");
    }
    if (queued == 0) {
        for (int i = 0; i < boardCellCount; ++i) {
            if (level.cells[static_cast<std::size_t>(i)].code == launcher())
                level.cells[static_cast<std::size_t>(i)] = {};
        }
    } else {
        level.queue = spreadColors(colors, queued, rng);
        if (anyKeyhole) {
            // The key colour leads.
            std::stable_partition(level.queue.begin(), level.queue.end(), [&](int c) { return c == key; });
        }
    }
    draft.fixedOrder = anyKeyhole;

    // The line a player reads.
    std::string idea;
    const Door shown = leadIsDoor ? doorFor(lead) : doors[0];
    idea = colorList(colors) + (colors.size() == 1 ? " hole " : " holes ") + doorPhrase(shown, brief.difficulty);
    if (shown == Door::Keyhole) idea += " (" + colorName(key) + " first)";
    idea += std::string(", ") + sideWord(site.side) + "-facing";
    idea += " pockets " + symmetryName(pocketSymmetry) + ", over " + layoutPhrase;
    for (const std::string& extra : extras) idea += "; " + extra;
    if (launchAt.size() > 1 && queued > 0) idea += "; " + std::to_string(launchAt.size()) + " launchers";
    idea[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(idea[0])));
    draft.idea = idea + ".";
    return true;
}

}  // namespace corvale::design
