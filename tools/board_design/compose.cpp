// Boards composed from a layout, holes in pockets, the pockets' doors and a
// few extras, each chosen for the mechanism the board is about.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "board_rules.h"
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

// The layouts of the first drawings, with pockets placed by a symmetry: the
// fallback when no motif plays fair for a board.
Scene legacyScene(Canvas& canvas, Rng& rng, int colors, bool many) {
    if (rng.chance(88)) canvas.border();
    const std::vector<Layout> layouts = allLayouts();
    const Layout layout = layouts[static_cast<std::size_t>(rng.below(static_cast<int>(layouts.size())))];
    Scene scene;
    scene.motif = drawLayout(canvas, layout, rng);
    const Symmetry symmetry = many ? (rng.chance(50) ? Symmetry::MirrorXY : Symmetry::Turn4)
                                   : (rng.chance(60) ? Symmetry::MirrorX : Symmetry::Turn2);
    const Site site = rng.pick(sitesFor(symmetry));
    for (const Image& image : imagesOf(symmetry)) scene.pockets.push_back(pocketInImage(image, site));
    const bool high = site.row <= 6;
    if (scene.pockets.size() == 4) {
        scene.launcher = {8, 8};
        scene.launchers = {{8, 5}, {11, 8}, {8, 11}, {5, 8}};
    } else {
        const int row = symmetry == Symmetry::Turn2 ? 8 : high ? 13 : 3;
        scene.launcher = {8, row};
        scene.launchers = {{5, row}, {11, row}};
    }
    scene.riverRow = high ? 10 : 6;
    scene.paintRow = high ? 11 : 5;
    (void)colors;
    return scene;
}

// Colours dealt to the holes in site order: one spare site is a gray safety
// net, more spares repeat the colours.
std::vector<int> dealColors(const std::vector<int>& colors, std::size_t sites) {
    std::vector<int> out;
    for (std::size_t k = 0; k < sites; ++k) {
        const bool spare = sites == colors.size() + 1 && k + 1 == sites;
        out.push_back(spare ? Gray : colors[k % colors.size()]);
    }
    return out;
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
    const int n = static_cast<int>(colors.size());
    // Motifs take turns along the ids so that neighbours differ; a motif
    // that keeps failing the fairness runs gives way to the next, and the
    // last attempts fall back to the first designer's layouts.
    const bool legacy = brief.attempt >= 30;
    Scene scene;
    if (legacy) {
        const bool many = n >= 3 || (lead == Keyholes && n >= 2 && rng.chance(30));
        scene = legacyScene(canvas, rng, n, many);
    } else {
        const std::vector<Motif> order = motifOrder(brief.id, n, brief.avoid);
        scene = drawMotif(canvas, order[static_cast<std::size_t>(brief.attempt / 3) % order.size()], n, rng);
        if (n <= 2 && scene.pair.size() == 2 && scene.pockets.size() == 4 &&
            rng.chance(n == 1                  ? 30
                       : brief.difficulty == 0 ? 80
                                               : 50)) {
            scene.pockets = {scene.pockets[static_cast<std::size_t>(scene.pair[0])],
                             scene.pockets[static_cast<std::size_t>(scene.pair[1])]};
        }
    }
    const std::size_t sites = scene.pockets.size();
    const std::vector<int> holes = dealColors(colors, sites);

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
    std::vector<Door> doors(sites, Door::Open);
    const bool leadIsDoor = doorFor(lead) != Door::Open;
    const bool safe = brief.attempt >= 20 || brief.safeDoors;
    for (std::size_t k = 0; k < sites; ++k) {
        if (holes[k] == Gray) continue;                                         // a gray hole is never wrong
        const bool sure = lead == Filters || lead == Valves || lead == Bricks;  // doors that keep other colours out
        if (safe && !guards.empty() && !sure) {
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
    // Bricks, keyholes and timed walls open for every colour; past Beginner
    // each keeps a guard of the hole's colour: a one-way wall, and a filter
    // once filters are known.
    const Door guard = brief.difficulty >= 2 ? Door::Filter : brief.difficulty == 1 ? Door::Valve : Door::Open;
    // A keyhole needs a key: the first pocket's colour, sunk first. The key's
    // own pocket cannot be locked, but it keeps the guard every pocket has.
    const int key = holes[0] == Gray ? colors[0] : holes[0];
    if (doors[0] == Door::Keyhole) doors[0] = guard;
    bool anyKeyhole = false;
    for (std::size_t k = 0; k < sites; ++k) {
        if (doors[k] == Door::Keyhole && holes[k] == key) doors[k] = guard;
        anyKeyhole = anyKeyhole || doors[k] == Door::Keyhole;
    }
    if (lead == Keyholes && !anyKeyhole) return false;

    // Boards that keep clearing themselves get one-cell doorways from the
    // fifth motif tried on.
    const bool narrow = brief.attempt >= 12;
    for (std::size_t k = 0; k < sites; ++k) {
        // Beginner's bricks are a door only; later a whole vault.
        const bool vault = doors[k] == Door::Breakable && brief.difficulty >= 1;
        const std::uint16_t ring = vault ? makeTileCode(4, holes[k]) : wall();
        pocket(canvas, scene.pockets[k], holes[k], doors[k], key, ring, narrow, guard);
    }

    std::vector<Cell> launchAt{scene.launcher};
    if ((features & Launchers) && rng.chance(lead == Launchers ? 100 : 50)) launchAt = scene.launchers;

    // Extras drawn before the launchers so that these keep their room.
    bool river = false, dam = false, quarry = false;
    int paintColor = -1;
    auto floorCells = [&](int row, int from, int to) {
        std::vector<Cell> out;
        for (int c = from; c <= to; ++c) {
            if (canvas.isFloor(c, row)) out.push_back({c, row});
        }
        return out;
    };
    if ((features & Ramps) && (lead == Ramps || rng.chance(40))) {
        const bool parting = rng.chance(50);
        const std::vector<Cell> cells = floorCells(scene.riverRow, 1, 15);
        for (const Cell& cell : cells) {
            if (cell.column == 8) continue;
            const int direction = parting ? (cell.column < 8 ? Left : Right) : (cell.column < 8 ? Right : Left);
            canvas.put(cell.column, cell.row, ramp(direction));
        }
        river = cells.size() >= 6;
        if (lead == Ramps && !river) return false;
    }
    if ((features & Bricks) && brief.difficulty >= 1 && (lead == Bricks || rng.chance(35))) {
        // A dam across the river row, or a whole quarry to dig through.
        quarry = rng.chance(brief.bonus ? 70 : 45);
        dam = !quarry;
        const int half = quarry ? rng.between(2, 3) : 0;
        const int color = rng.chance(60) ? Gray : rng.pick(colors);
        const int pattern = rng.below(3);
        for (int r = std::max(1, scene.riverRow - half); r <= std::min(15, scene.riverRow + half + 1); ++r) {
            for (const Cell& cell : floorCells(r, 1, 15)) {
                const int c = cell.column;
                const bool gray = pattern == 0 ? (c + r) % 3 == 0 : pattern == 1 ? r % 2 == 0 : (c % 4 == 0);
                canvas.put(c, r, makeTileCode(4, gray ? Gray : color));
            }
        }
    }
    if ((features & Paint) && (lead == Paint || rng.chance(30))) {
        const int color = rng.pick(colors);
        std::vector<Cell> cells;
        for (const Cell& cell : floorCells(scene.paintRow, 5, 11)) {
            // Never in front of a door: the paint would shut it.
            bool beforeDoor = false;
            for (const auto& [dc, dr] : {std::array<int, 2>{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
                const int c = cell.column + dc, r = cell.row + dr;
                const int kind = canvas.inside(c, r) ? tileKindOf(canvas.code(c, r)) : 3;
                beforeDoor = beforeDoor || kind == 2 || (kind >= 4 && kind <= 7) || kind == 10;
            }
            // Nor on or beside a launcher, which would cut the bar into stubs.
            for (const Cell& at : launchAt)
                beforeDoor = beforeDoor || std::abs(at.column - cell.column) + std::abs(at.row - cell.row) <= 1;
            if (!beforeDoor) cells.push_back(cell);
        }
        // One bar: the longest unbroken run, never stubs scattered along the row.
        std::vector<Cell> bar, run;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0 && cells[i].column != cells[i - 1].column + 1) run.clear();
            run.push_back(cells[i]);
            if (run.size() > bar.size()) bar = run;
        }
        cells = bar.size() >= 3 ? bar : std::vector<Cell>{};
        for (const Cell& cell : cells) canvas.put(cell.column, cell.row, wall(color));
        if (cells.size() >= 3) paintColor = color;
        if (lead == Paint && paintColor < 0) return false;
    }
    for (const Cell& at : launchAt) placeLauncher(canvas, at.column, at.row);

    Level& level = canvas.level;
    int queued = brief.balls;
    bool waiting = false;
    // Every key ball sunk turns the locks, so a second one would shut them on
    // the balls still to come: a keyhole board has one ball of its key colour.
    std::vector<int> others;
    for (int c : colors) {
        if (c != key) others.push_back(c);
    }
    if (anyKeyhole && others.empty()) return false;
    int keysOnBoard = 0;
    if (brief.preplacedOnly || ((features & Preplaced) && (lead == Preplaced || rng.chance(35)))) {
        // Balls parked in the open, heading for the nearest wall.
        const bool all = brief.preplacedOnly || lead == Preplaced;
        const int parked = all ? brief.balls : std::min(2, std::max(1, brief.balls / 3));
        int placed = 0;
        for (int attempt = 0; attempt < 80 && placed < parked; ++attempt) {
            const int c = rng.between(2, 14), r = rng.between(2, 14);
            if (!canvas.isFloor(c, r)) continue;
            const int heading = r < 8 ? 0 : 16;
            int color = colors[static_cast<std::size_t>(placed) % colors.size()];
            if (anyKeyhole && color == key && keysOnBoard > 0)
                color = others[static_cast<std::size_t>(placed) % others.size()];
            if (anyKeyhole && color == key) ++keysOnBoard;
            canvas.put(c, r, ball(color, (heading + rng.between(-3, 3) + 32) & 31));
            ++placed;
        }
        queued = all ? 0 : brief.balls - placed;
        waiting = placed > 0;
    }
    if (queued == 0) {
        for (TileCell& cell : level.cells) {
            if (cell.code == launcher()) cell = {};
        }
    } else {
        level.queue = spreadColors(colors, queued, rng);
        if (anyKeyhole) {
            std::size_t spare = 0;
            for (int& c : level.queue) {
                if (c != key) continue;
                if (keysOnBoard == 0) {
                    ++keysOnBoard;
                } else {
                    c = others[spare++ % others.size()];
                }
            }
            if (keysOnBoard == 0) level.queue.front() = key;
            // The key colour leads.
            std::stable_partition(level.queue.begin(), level.queue.end(), [&](int c) { return c == key; });
        }
    }
    draft.fixedOrder = anyKeyhole;
    draft.motif = scene.motif;
    removeSpecks(canvas);
    if (!boardConnected(level)) return false;  // an extra shut a doorway: draw again
    transformCanvas(canvas, Image{rng.chance(50), false, rng.below(4)});

    IdeaFacts facts;
    facts.motif = scene.motif;
    facts.lead = lead;
    facts.door = leadIsDoor ? doorFor(lead) : doors[0];
    facts.key = key;
    facts.colors = n;
    facts.holes = static_cast<int>(sites);
    facts.launchers = queued > 0 ? static_cast<int>(launchAt.size()) : 0;
    facts.river = river;
    facts.dam = dam;
    facts.quarry = quarry;
    facts.paint = paintColor;
    facts.waiting = waiting && queued == 0;
    draft.idea = ideaLine(facts, brief);
    return true;
}

}  // namespace corvale::design
