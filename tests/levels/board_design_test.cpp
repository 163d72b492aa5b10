// The board designer's drawing machinery: whole-board turns keep holes and
// one-way doors intact, the clean-up removes only lone specks, every motif
// composes a board that keeps the set's rules with an idea line a player can
// read at a glance, and boards of one motif are kept apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "board_rules.h"
#include "ideas.h"
#include "spread.h"

namespace corvale::design {
namespace {

Brief briefFor(int id, int difficulty, std::vector<int> colors) {
    Brief brief;
    brief.id = id;
    brief.difficulty = difficulty;
    brief.colors = std::move(colors);
    brief.balls = 4;
    return brief;
}

Level withHeader(Level level) {
    level.timeLimit = 100;
    level.launchInterval = 4;
    level.minSpeed = 80;
    level.maxSpeed = 150;
    return level;
}

TEST(BoardDesignCanvas, WholeBoardTurnsKeepHolesAndValvesFacingTheirPockets) {
    for (int turns = 0; turns < 8; ++turns) {
        // The second four turns draw a narrow pocket: one doorway cell.
        const bool narrow = turns >= 4;
        for (const bool flip : {false, true}) {
            Canvas canvas;
            canvas.border();
            pocket(canvas, Pocket{3, 3, Right}, Red, Door::Valve, Gray, 0x3000, narrow);
            canvas.put(8, 12, launcher());
            canvas.level.queue = {Red};
            transformCanvas(canvas, Image{flip, false, turns % 4});
            EXPECT_EQ(checkBoard(withHeader(canvas.level)), std::vector<std::string>{})
                << "turns " << turns << " flip " << flip;
            // The valve cells still let a red ball in towards the hole: each
            // points from its doorway into the ring, whose far side is wall.
            int valves = 0;
            for (int r = 0; r < 17; ++r) {
                for (int c = 0; c < 17; ++c) {
                    const std::uint16_t code = canvas.code(c, r);
                    if (tileKindOf(code) != 5) continue;
                    ++valves;
                    const int d = tileP1(code);
                    const int dc = d == Left ? -1 : d == Right ? 1 : 0, dr = d == Up ? -1 : d == Down ? 1 : 0;
                    EXPECT_EQ(tileKindOf(canvas.code(c + dc, r + dr)), 2) << "valve at " << c << "," << r;
                }
            }
            EXPECT_EQ(valves, narrow ? 1 : 2);
        }
    }
}

// Doors that open for every colour keep a guard of the hole's colour through
// any turn of the board: a vault's bricks each hide one facing the hole, and
// a keyhole gets a filter in the vestibule before it.
TEST(BoardDesignCanvas, DoorsThatOpenForAllKeepAColourGuard) {
    for (int turns = 0; turns < 4; ++turns) {
        for (const bool flip : {false, true}) {
            Canvas canvas;
            canvas.border();
            pocket(canvas, Pocket{3, 3, Right}, Red, Door::Breakable, Gray, makeTileCode(4, Red), false, Door::Valve);
            pocket(canvas, Pocket{11, 11, Up}, Blue, Door::Keyhole, Red, 0x3000, true, Door::Filter);
            canvas.put(8, 6, launcher());
            canvas.level.queue = {Red, Blue};
            transformCanvas(canvas, Image{flip, false, turns});
            EXPECT_EQ(checkBoard(withHeader(canvas.level)), std::vector<std::string>{});
            int bricks = 0, keyholes = 0, vestibules = 0;
            for (int r = 0; r < 17; ++r) {
                for (int c = 0; c < 17; ++c) {
                    const TileCell& cell = canvas.at(c, r);
                    const int kind = tileKindOf(cell.code);
                    if (kind == 4) {
                        ++bricks;
                        // Broken, the brick leaves a red one-way wall that leads into the hole.
                        ASSERT_EQ(tileKindOf(cell.revealedCode), 5) << c << "," << r;
                        EXPECT_EQ(tileP0(cell.revealedCode), Red);
                        const int d = tileP1(cell.revealedCode);
                        const int dc = d == Left ? -1 : d == Right ? 1 : 0, dr = d == Up ? -1 : d == Down ? 1 : 0;
                        EXPECT_EQ(tileKindOf(canvas.code(c + dc, r + dr)), 2) << "brick at " << c << "," << r;
                    } else if (kind == 7) {
                        ++keyholes;
                        // Of its four neighbours one is the hole and one the vestibule's blue filter.
                        int holes = 0, filters = 0;
                        for (const auto [dc, dr] : {std::array{0, 1}, std::array{0, -1}, std::array{1, 0}, std::array{-1, 0}}) {
                            const std::uint16_t next = canvas.code(c + dc, r + dr);
                            holes += tileKindOf(next) == 2;
                            filters += tileKindOf(next) == 10 && tileP0(next) == Blue;
                        }
                        EXPECT_EQ(holes, 1);
                        EXPECT_EQ(filters, 1);
                    }
                    if (kind == 10) {
                        ++vestibules;
                        // Walled at both ends: only across the bar does a ball reach the door.
                        const bool bar = tileP1(cell.code) == 0;  // a bar across the cell blocks up and down
                        const int ac = bar ? 1 : 0, ar = bar ? 0 : 1;
                        EXPECT_EQ(canvas.code(c - ac, r - ar), wall()) << c << "," << r;
                        EXPECT_EQ(canvas.code(c + ac, r + ar), wall()) << c << "," << r;
                    }
                }
            }
            EXPECT_EQ(bricks, 8) << "the vault's corners are plain walls";
            EXPECT_EQ(keyholes, 1);
            EXPECT_EQ(vestibules, 1);
        }
    }
}

TEST(BoardDesignCanvas, RemovesLoneSpecksButKeepsShapes) {
    Canvas canvas;
    canvas.put(4, 4, wall());   // alone
    canvas.put(10, 4, wall());  // a bar of two
    canvas.put(11, 4, wall());
    for (int i = 0; i < 3; ++i) canvas.put(4 + i, 10 + i, wall());  // a staircase touches corners only
    canvas.put(12, 12, wall(Red));                                  // paint is a mechanism, never a speck
    removeSpecks(canvas);
    EXPECT_EQ(canvas.code(4, 4), 0);
    EXPECT_EQ(canvas.code(10, 4), wall());
    EXPECT_EQ(canvas.code(11, 4), wall());
    EXPECT_EQ(canvas.code(5, 11), wall());
    EXPECT_EQ(canvas.code(12, 12), wall(Red));
}

// A recolouring bar beside a launcher is cut into stubs by it and repaints
// every ball the moment it appears.
bool paintBesideLauncher(const Level& level) {
    for (int cell = 0; cell < boardCellCount; ++cell) {
        if (tileKindOf(level.cells[static_cast<std::size_t>(cell)].code) != 1) continue;
        const int c = cell % 17, r = cell / 17;
        for (const auto& [dc, dr] : {std::array<int, 2>{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
            const std::uint16_t next = level.cells[static_cast<std::size_t>(c + dc + 17 * (r + dr))].code;
            if (tileKindOf(next) == 3 && next != wall()) return true;
        }
    }
    return false;
}

TEST(BoardDesignCompose, EveryMotifKeepsTheRulesWithReadableIdeas) {
    const std::vector<std::vector<int>> palettes{{Red}, {Red, Blue}, {Green, Gold, Red}, {Red, Blue, Green, Gold}};
    const unsigned leads[] = {0u, Valves, Filters, Bricks, Paint, Ramps, TimedDoors, Keyholes, Launchers};
    int drawn = 0;
    for (int id = 0; id < 240; ++id) {
        const std::vector<int>& colors = palettes[static_cast<std::size_t>(id) % palettes.size()];
        const unsigned lead = leads[static_cast<std::size_t>(id) % std::size(leads)];
        Brief brief = briefFor(id, 3, colors);
        brief.attempt = id % 30;  // every motif in turn, never the fallback
        Draft draft;
        Rng rng{static_cast<std::uint32_t>(id) * 7919u + 17u};
        if (!composeBoard(draft, rng, brief, lead | Valves, lead)) continue;
        ++drawn;
        EXPECT_EQ(checkBoard(withHeader(draft.canvas.level)), std::vector<std::string>{})
            << "board " << id << ": " << draft.idea;
        EXPECT_FALSE(paintBesideLauncher(draft.canvas.level)) << "board " << id << ": " << draft.idea;
        EXPECT_LE(draft.idea.size(), 90u) << draft.idea;
        EXPECT_EQ(draft.idea.find(" ,"), std::string::npos) << draft.idea;
        EXPECT_EQ(draft.idea.back(), '.');
    }
    EXPECT_GE(drawn, 200);
}

TEST(BoardDesignHand, BlockBoardsLeadWithGoldAndKeepTheRules) {
    // A block token comes with 1600 points, one gold ball: the boards about
    // blocks must offer gold early, and a gold hole to sink it in.
    for (const int id : {189, 370, 534}) {
        Draft draft;
        Brief brief = briefFor(id, id < 292 ? 1 : id < 489 ? 2 : 4, {Gold});
        ASSERT_TRUE(handDrawnBoard(draft, brief)) << id;
        const Level& level = draft.canvas.level;
        EXPECT_EQ(checkBoard(withHeader(level)), std::vector<std::string>{}) << id;
        ASSERT_FALSE(level.queue.empty());
        EXPECT_EQ(level.queue.front(), Gold) << id;
        EXPECT_TRUE(std::any_of(level.cells.begin(), level.cells.end(), [](const TileCell& cell) {
            return cell.code == holeQuadrant(Gold, 0);
        })) << id;
        EXPECT_NE(draft.idea.find("block"), std::string::npos) << id;
    }
}

// Where one motif sits in the spread order: every board moved at most six
// places, and the pairs of one motif at distance 1 and 2.
struct Spread {
    std::vector<std::string> motifs;
    std::size_t farthest = 0;
    int neighbours = 0, oneBetween = 0;
};

Spread spread(const std::vector<std::string>& sorted) {
    Spread s;
    const std::vector<std::size_t> order = spreadOrder(sorted);
    std::vector<bool> seen(sorted.size());
    for (std::size_t place = 0; place < order.size(); ++place) {
        const std::size_t from = order[place];
        EXPECT_FALSE(seen[from]) << "board " << from << " twice";
        seen[from] = true;
        s.farthest = std::max(s.farthest, from > place ? from - place : place - from);
        s.motifs.push_back(sorted[from]);
    }
    for (std::size_t k = 0; k < s.motifs.size(); ++k) {
        if (s.motifs[k].empty()) continue;
        s.neighbours += k + 1 < s.motifs.size() && s.motifs[k] == s.motifs[k + 1];
        s.oneBetween += k + 2 < s.motifs.size() && s.motifs[k] == s.motifs[k + 2];
    }
    return s;
}

TEST(BoardDesignOrder, BoardsOfOneMotifMoveApartAndNoBoardMovesFar) {
    using List = std::vector<std::string>;
    // Already apart, or only hand-drawn boards (no motif) side by side: untouched.
    const List apart{"spine", "rack", "vault", "spine", "", "", "rack"};
    EXPECT_EQ(spread(apart).motifs, apart);
    // Clusters in the middle and at the hardest end, where nothing follows.
    const Spread clusters =
        spread({"rack", "vault", "spine", "spine", "spine", "pillars", "rooms", "rack", "vault", "pinball", "diagonals",
                "rooms", "spiral", "spiral", "spiral"});
    EXPECT_EQ(clusters.neighbours, 0);
    EXPECT_EQ(clusters.oneBetween, 0);
    EXPECT_LE(clusters.farthest, 6u);
    // A motif in six boards of twenty, all easiest, is never beside itself,
    // though they cannot all have two boards between them; the easiest end
    // is kept apart as well as the hardest.
    List dense;
    for (int i = 0; i < 20; ++i) dense.push_back(i < 6 ? "rack" : "other" + std::to_string(i % 4));
    const Spread crowded = spread(dense);
    EXPECT_EQ(crowded.neighbours, 0);
    EXPECT_LE(crowded.farthest, 6u);
    EXPECT_EQ(std::count(crowded.motifs.begin(), crowded.motifs.end(), "rack"), 6);
}

TEST(BoardDesignOrder, MotifsToAvoidAreLeftOutUnlessNoneWouldRemain) {
    const std::vector<Motif> all = motifOrder(12, 2, {});
    const std::vector<Motif> without = motifOrder(12, 2, {"spine", "rack"});
    EXPECT_EQ(without.size() + 2, all.size());
    for (const Motif m : without) {
        EXPECT_NE(motifName(m), "spine");
        EXPECT_NE(motifName(m), "rack");
    }
    std::vector<std::string> every;
    for (const Motif m : all) every.push_back(motifName(m));
    EXPECT_EQ(motifOrder(12, 2, every).size(), all.size());
}

}  // namespace
}  // namespace corvale::design
