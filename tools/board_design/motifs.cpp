// Whole-board motifs. Each is drawn in one orientation; the caller turns or
// mirrors the finished board, so one motif reads differently from board to
// board while keeping its shape.
#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "draft.h"

namespace corvale::design {
namespace {

// A motif drawn from a character map ('#' a wall, anything else floor) with
// its sites, launchers and the rows kept for extras.
struct Drawing {
    std::array<const char*, 17> rows;
    std::vector<Pocket> pockets;
    std::vector<int> pair;
    Cell launcher;
    std::vector<Cell> launchers;
    int riverRow;
    int paintRow;
};

// A solid block with four chambers cut into its corners, their doors turned
// like a pinwheel so that each faces a different side.
const Drawing vaultDrawing{
    {"#################", "#...............#", "#...............#", "#...............#", "#...#########...#",
     "#...#########...#", "#...#########...#", "#...#########...#", "#...#########...#", "#...#########...#",
     "#...#########...#", "#...#########...#", "#...#########...#", "#...............#", "#...............#",
     "#...............#", "#################"},
    {{5, 5, Up}, {10, 5, Right}, {10, 10, Down}, {5, 10, Left}},
    {0, 2},
    {2, 2},
    {{2, 2}, {14, 14}},
    14,
    2};

// A corridor across the middle with a room cut into the rock for each hole.
const Drawing roomsDrawing{
    {"#################", "#################", "#################", "#################", "#######...#######",
     "#######...#######", "#...............#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#######...#######", "#################", "#################", "#################",
     "#################", "#################"},
    {{3, 3, Down}, {12, 3, Down}, {12, 12, Up}, {3, 12, Up}},
    {0, 2},
    {8, 8},
    {{3, 8}, {13, 8}},
    7,
    10};

// A thick wall down the middle with one gap; holes lean against it, their
// doors turned away, so every ball goes round.
const Drawing spineDrawing{
    {"#################", "#......###......#", "#......###......#", "#......###......#", "#......###......#",
     "#......###......#", "#......###......#", "#...............#", "#...............#", "#...............#",
     "#......###......#", "#......###......#", "#......###......#", "#......###......#", "#......###......#",
     "#......###......#", "#################"},
    {{5, 3, Left}, {10, 3, Right}, {10, 12, Right}, {5, 12, Left}},
    {0, 2},
    {8, 8},
    {{3, 8}, {13, 8}},
    8,
    15};

// Square pillars to bank off, the holes set into the middle of each wall.
const Drawing pillarsDrawing{
    {"#################", "#...............#", "#...............#", "#..##.......##..#", "#..##.......##..#",
     "#...............#", "#...............#", "#.......#.......#", "#......###......#", "#.......#.......#",
     "#...............#", "#...............#", "#..##.......##..#", "#..##.......##..#", "#...............#",
     "#...............#", "#################"},
    {{7, 2, Down}, {13, 7, Left}, {8, 13, Up}, {2, 8, Right}},
    {0, 2},
    {6, 10},
    {{6, 10}, {10, 6}},
    5,
    11};

// Pockets in the side walls, bumpers in the field, sloped walls at the foot
// and the launcher at the bottom like a plunger.
const Drawing pinballDrawing{
    {"#################", "#...............#", "#...............#", "#...............#", "#.......#.......#",
     "#......###......#", "#.......#.......#", "#...............#", "#...............#", "#...............#",
     "#....#.....#....#", "#...###...###...#", "##...#.....#...##", "###...........###", "####.........####",
     "#...............#", "#################"},
    {{2, 2, Right}, {13, 2, Left}, {2, 7, Right}, {13, 7, Left}},
    {0, 1},
    {8, 14},
    {{5, 14}, {11, 14}},
    8,
    12};

// A corridor that winds twice round to the one hole in the middle.
const Drawing spiralDrawing{
    {"#################", "#...............#", "#...............#", "#..###########..#", "#............#..#",
     "#............#..#", "#..########..#..#", "#..#......#..#..#", "#..#......#..#..#", "#..#......#..#..#",
     "#..#......#..#..#", "#..#.........#..#", "#..#.........#..#", "#..###########..#", "#...............#",
     "#...............#", "#################"},
    {{7, 8, Left}},
    {},
    {8, 15},
    {{4, 15}, {12, 15}},
    1,
    4};

Scene drawn(Canvas& canvas, const Drawing& drawing) {
    for (int r = 0; r < 17; ++r) {
        const char* row = drawing.rows[static_cast<std::size_t>(r)];
        if (std::strlen(row) != 17) throw std::runtime_error("A motif has a row that is not 17 cells.");
        for (int c = 0; c < 17; ++c) {
            if (row[c] == '#') canvas.put(c, r, wall());
        }
    }
    Scene s;
    s.pockets = drawing.pockets;
    s.pair = drawing.pair;
    s.launcher = drawing.launcher;
    s.launchers = drawing.launchers;
    s.riverRow = drawing.riverRow;
    s.paintRow = drawing.paintRow;
    return s;
}

// Bins side by side along the floor, a solid shelf around them and sloped
// shoulders that tip balls towards the rack.
Scene rack(Canvas& canvas, int colors, Rng& rng) {
    canvas.border();
    const int bins = colors >= 4 ? 4 : colors + (rng.chance(50) ? 1 : 0);
    static const std::vector<int> columns[] = {{}, {7}, {4, 11}, {2, 7, 12}, {3, 6, 9, 12}};
    canvas.fill(1, 12, 15, 15, wall());
    const std::vector<int>& holes = columns[bins];
    // Shoulders slope down to the shelf but stop short of the outer doors.
    const int leftRoom = holes.front() - 1, rightRoom = 15 - (holes.back() + 1);
    for (int i = 0; i < 3; ++i) {
        if (leftRoom - i > 0) canvas.hline(1, 11 - i, std::min(3, leftRoom) - i, wall());
        if (rightRoom - i > 0)
            canvas.hline(16 - (std::min(3, rightRoom) - i), 11 - i, std::min(3, rightRoom) - i, wall());
    }
    Scene s;
    for (const int c : holes) s.pockets.push_back({c, 13, Up});
    if (bins >= 2) s.pair = {0, bins - 1};
    s.launcher = {8, 3};
    s.launchers = {{4, 3}, {12, 3}};
    s.riverRow = 7;
    s.paintRow = 9;
    return s;
}

// Two thick diagonal walls split the board into three slanted lanes.
Scene diagonals(Canvas& canvas) {
    canvas.border();
    for (int r = 1; r <= 15; ++r) {
        for (int c = 1; c <= 15; ++c) {
            const int d = c - r;
            const bool gapA = r == 5 || r == 6;
            const bool gapB = r == 10 || r == 11;
            if ((d == 4 || d == 5) && !gapA) canvas.put(c, r, wall());
            if ((d == -4 || d == -5) && !gapB) canvas.put(c, r, wall());
        }
    }
    Scene s;
    s.pockets = {{12, 2, Down}, {3, 13, Up}, {2, 2, Right}, {13, 13, Left}};
    s.pair = {0, 1};
    s.launcher = {8, 8};
    s.launchers = {{6, 6}, {10, 10}};
    s.riverRow = 8;
    s.paintRow = 8;  // any other row would shut the middle lane against a pocket's ring
    return s;
}

}  // namespace

std::vector<Motif> motifsFor(int colors) {
    std::vector<Motif> out{Motif::Vault,   Motif::Rack,      Motif::Rooms,  Motif::Spine,
                           Motif::Pillars, Motif::Diagonals, Motif::Pinball};
    if (colors == 1) out.push_back(Motif::Spiral);
    return out;
}

std::string motifName(Motif motif) {
    static const char* const names[] = {"vault", "rack", "rooms", "spine", "pillars", "diagonals", "pinball", "spiral"};
    return names[static_cast<std::size_t>(motif)];
}

std::vector<Motif> motifOrder(int id, int colors, const std::vector<std::string>& avoid) {
    std::vector<Motif> rest = motifsFor(colors);
    std::erase_if(rest, [&](Motif m) { return std::find(avoid.begin(), avoid.end(), motifName(m)) != avoid.end(); });
    if (rest.empty()) rest = motifsFor(colors);
    // 5 shares no factor with 7 or 8 motifs: consecutive ids start apart.
    const std::size_t first = static_cast<std::size_t>(id) * 5 % rest.size();
    std::vector<Motif> order{rest[first]};
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(first));
    // The pinball table hides its pockets in the side walls, so it passes the
    // fairness runs where open rooms fail; as everyone's second choice it
    // would fill half a difficulty. It is the last resort.
    const bool pinball = std::erase(rest, Motif::Pinball) > 0;
    Rng rng{static_cast<std::uint32_t>(id) * 2654435761u + 97u};
    while (!rest.empty()) {
        const auto k = static_cast<std::ptrdiff_t>(rng.below(static_cast<int>(rest.size())));
        order.push_back(rest[static_cast<std::size_t>(k)]);
        rest.erase(rest.begin() + k);
    }
    if (pinball) order.push_back(Motif::Pinball);
    return order;
}

Scene drawMotif(Canvas& canvas, Motif motif, int colors, Rng& rng) {
    const Symmetry kept = canvas.symmetry;
    canvas.symmetry = Symmetry::None;
    Scene s;
    switch (motif) {
        case Motif::Vault:
            s = drawn(canvas, vaultDrawing);
            break;
        case Motif::Rack:
            s = rack(canvas, colors, rng);
            break;
        case Motif::Rooms:
            s = drawn(canvas, roomsDrawing);
            break;
        case Motif::Spine:
            s = drawn(canvas, spineDrawing);
            break;
        case Motif::Pillars:
            s = drawn(canvas, pillarsDrawing);
            break;
        case Motif::Diagonals:
            s = diagonals(canvas);
            break;
        case Motif::Pinball:
            s = drawn(canvas, pinballDrawing);
            break;
        case Motif::Spiral:
            s = drawn(canvas, spiralDrawing);
            break;
    }
    s.motif = motifName(motif);
    canvas.symmetry = kept;
    return s;
}

void removeSpecks(Canvas& canvas) {
    const Level before = canvas.level;
    auto floorAt = [&](int c, int r) {
        return c < 0 || r < 0 || c > 16 || r > 16 || before.cells[static_cast<std::size_t>(c + 17 * r)].code == 0;
    };
    for (int r = 1; r < 16; ++r) {
        for (int c = 1; c < 16; ++c) {
            if (before.cells[static_cast<std::size_t>(c + 17 * r)].code != wall()) continue;
            bool alone = true;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    if ((dc || dr) && !floorAt(c + dc, r + dr)) alone = false;
                }
            }
            if (alone) canvas.put(c, r, 0);
        }
    }
}

void transformCanvas(Canvas& canvas, const Image& image) {
    const Level before = canvas.level;
    for (int r = 0; r < 17; ++r) {
        for (int c = 0; c < 17; ++c) {
            const TileCell& cell = before.cells[static_cast<std::size_t>(c + 17 * r)];
            int tc = c, tr = r;
            placeInImage(image, tc, tr);
            canvas.at(tc, tr) = TileCell{codeInImage(image, cell.code),
                                         cell.revealedCode ? codeInImage(image, cell.revealedCode) : std::uint16_t{0}};
        }
    }
}

}  // namespace corvale::design
