#include <algorithm>
#include <array>

#include "draft.h"

namespace corvale::design {

std::string colorName(int color) {
    static const char* names[] = {"gray", "red", "blue", "green", "gold"};
    return color >= 0 && color <= 4 ? names[color] : "?";
}

std::string colorList(const std::vector<int>& colors) {
    std::string out;
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (i > 0) out += i + 1 == colors.size() ? " and " : ", ";
        out += colorName(colors[i]);
    }
    return out;
}

namespace {

int inwardOf(int side) {
    return side == Up ? Down : side == Down ? Up : side == Left ? Right : Left;
}

// The tile that lets only `color` through a ring cell on `side`.
std::uint16_t guardTile(Door guard, int color, int side) {
    if (guard == Door::Filter) return filter(color, side == Left || side == Right);
    return oneWay(color, inwardOf(side));
}

}  // namespace

void pocket(Canvas& canvas, const Pocket& where, int color, Door door, int key, std::uint16_t ringWall, bool narrow,
            Door guard) {
    const int c = where.column, r = where.row;
    const bool guarded = guard == Door::Valve || guard == Door::Filter;
    const bool vault = tileKindOf(ringWall) == static_cast<int>(TileKind::BreakableWall);
    canvas.box(c - 1, r - 1, c + 2, r + 2, ringWall);
    if (vault && guarded) {
        // A brick broken by its own colour must not leave the vault open to
        // the others: each side hides a guard, and the corners, which no
        // ball enters the hole through, stay plain walls.
        for (int i = 0; i < 2; ++i) {
            canvas.draw(c + i, r - 1, ringWall, guardTile(guard, color, Up));
            canvas.draw(c + i, r + 2, ringWall, guardTile(guard, color, Down));
            canvas.draw(c - 1, r + i, ringWall, guardTile(guard, color, Left));
            canvas.draw(c + 2, r + i, ringWall, guardTile(guard, color, Right));
        }
        for (const auto [pc, pr] : {std::array<int, 2>{c - 1, r - 1}, std::array<int, 2>{c + 2, r - 1},
                                    std::array<int, 2>{c - 1, r + 2}, std::array<int, 2>{c + 2, r + 2}}) {
            canvas.draw(pc, pr, wall());
        }
    }
    canvas.hole(c, r, color);
    int d1c = c, d1r = r - 1, d2c = c + 1, d2r = r - 1;
    if (where.side == Down) d1r = d2r = r + 2;
    if (where.side == Left || where.side == Right) {
        d1c = d2c = where.side == Left ? c - 1 : c + 2;
        d1r = r;
        d2r = r + 1;
    }
    const int inward = inwardOf(where.side);
    const bool vertical = where.side == Left || where.side == Right;
    const int outC = where.side == Left ? -1 : where.side == Right ? 1 : 0;
    const int outR = where.side == Up ? -1 : where.side == Down ? 1 : 0;
    const std::array<std::array<int, 2>, 2> doorway{{{d1c, d1r}, {d2c, d2r}}};
    const bool opensForAll = door == Door::Timed || door == Door::Keyhole;
    for (int i = 0; i < (narrow ? 1 : 2); ++i) {
        const auto [dc, dr] = doorway[static_cast<std::size_t>(i)];
        switch (door) {
            case Door::Open:
                canvas.draw(dc, dr, 0);
                break;
            case Door::Filter:
                canvas.draw(dc, dr, filter(color, vertical));
                break;
            case Door::Valve:
                canvas.draw(dc, dr, oneWay(color, inward));
                break;
            case Door::Breakable:
                canvas.draw(dc, dr, makeTileCode(4, color), guarded ? guardTile(guard, color, where.side) : 0);
                break;
            case Door::Timed:
                canvas.draw(dc, dr, timed(4, 1, 7));
                break;  // open 1 s, shut 4 s
            case Door::Keyhole:
                canvas.draw(dc, dr, keyhole(key, 4));
                break;
            case Door::Paint:
                canvas.draw(dc, dr, 0);
                break;
        }
        // A door that opens for every colour gets a vestibule whose guard
        // lets only the hole's colour reach it.
        if (opensForAll && guarded && canvas.inside(dc + outC, dr + outR) && canvas.isFloor(dc + outC, dr + outR)) {
            canvas.draw(dc + outC, dr + outR, guardTile(guard, color, where.side));
        }
    }
    if (opensForAll && guarded) {
        // Walled at both ends, so the vestibule is entered across its guard
        // only: a ball knocked in from the side could slip past a bar's end.
        const int alongC = vertical ? 0 : 1, alongR = vertical ? 1 : 0;
        const auto [lastC, lastR] = doorway[narrow ? 0 : 1];
        for (const auto [ec, er] : {std::array<int, 2>{d1c + outC - alongC, d1r + outR - alongR},
                                    std::array<int, 2>{lastC + outC + alongC, lastR + outR + alongR}}) {
            if (canvas.inside(ec, er) && canvas.isFloor(ec, er)) canvas.draw(ec, er, wall());
        }
    }
    if (door == Door::Paint) {
        // The ring itself repaints: a ball that grazes it on the way in takes the hole's colour.
        for (int i = -1; i <= 2; ++i) {
            for (const auto [pc, pr] : {std::array<int, 2>{c + i, r - 1}, std::array<int, 2>{c + i, r + 2},
                                        std::array<int, 2>{c - 1, r + i}, std::array<int, 2>{c + 2, r + i}}) {
                if (canvas.inside(pc, pr) && canvas.code(pc, pr) == ringWall) canvas.draw(pc, pr, wall(color));
            }
        }
    }
}

std::vector<int> spreadColors(const std::vector<int>& colors, int count, Rng& rng) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) out.push_back(colors[static_cast<std::size_t>(i) % colors.size()]);
    // A few swaps keep the order from reading as a plain cycle.
    for (int i = 0; i + 1 < count; ++i) {
        if (rng.chance(35)) std::swap(out[static_cast<std::size_t>(i)], out[static_cast<std::size_t>(i + 1)]);
    }
    return out;
}

void placeLauncher(Canvas& canvas, int column, int row) {
    const Symmetry kept = canvas.symmetry;
    canvas.symmetry = Symmetry::None;
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            if (canvas.inside(c, r) && c > 0 && r > 0 && c < 16 && r < 16) canvas.put(c, r, 0);
        }
    }
    canvas.put(column, row, launcher());
    canvas.symmetry = kept;
}

std::vector<Layout> allLayouts() {
    return {Layout::Pillars, Layout::TwinRooms, Layout::FourRooms, Layout::Switchbacks, Layout::Spiral, Layout::Maze,
            Layout::Funnels, Layout::Diamond,   Layout::Bumpers,   Layout::Lanes,       Layout::Open};
}

namespace {

std::string pillars(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::MirrorXY;
    const int spacing = rng.between(3, 4);
    const int shape = rng.below(3);
    for (int r = 3; r <= 8; r += spacing) {
        for (int c = 3; c <= 8; c += spacing) {
            canvas.draw(c, r, wall());
            if (shape == 1) canvas.draw(c + 1, r, wall());
            if (shape == 2 && c < 8 && r < 8) {
                canvas.draw(c, r - 1, wall());
                canvas.draw(c - 1, r, wall());
            }
        }
    }
    static const char* shapes[] = {"a grid of pillars", "rows of short bars", "pillars with corner caps"};
    return shapes[shape];
}

std::string twinRooms(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::MirrorX;
    const int top = rng.between(4, 6);
    canvas.vline(8, top, 16 - top, wall());
    const int gap = rng.between(top + 2, 12);
    canvas.clear(8, gap);
    if (rng.chance(50)) {
        canvas.hline(3, top + 3, 3, wall());
    }
    return "two rooms split by a wall with one gap";
}

std::string fourRooms(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::Turn4;
    const int door = rng.between(3, 5);
    canvas.vline(8, 1, 7, wall());
    canvas.clear(8, door);
    canvas.clear(8, door + 1);
    canvas.draw(8, 8, wall());
    return "four rooms round a cross of walls";
}

std::string switchbacks(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::None;
    const bool fromLeft = rng.chance(50);
    const int rows[] = {5, 9, 13};
    for (int i = 0; i < 3; ++i) {
        const bool left = (i % 2 == 0) == fromLeft;
        canvas.hline(left ? 1 : 4, rows[i], 12, wall());
    }
    return "a corridor that winds down in switchbacks";
}

std::string spiral(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::None;
    const int turn = rng.below(4);
    const int ring[] = {3, 6};
    for (int i = 0; i < 2; ++i) {
        const int a = ring[i], b = 16 - ring[i];
        canvas.box(a, a, b, b, wall());
        const int side = (turn + 2 * i) % 4;
        // a doorway of two cells, on a different side for each ring
        if (side == 0) {
            canvas.clear(8, a);
            canvas.clear(9, a);
        }
        if (side == 1) {
            canvas.clear(b, 8);
            canvas.clear(b, 9);
        }
        if (side == 2) {
            canvas.clear(7, b);
            canvas.clear(8, b);
        }
        if (side == 3) {
            canvas.clear(a, 7);
            canvas.clear(a, 8);
        }
    }
    return "rings of walls with their doorways turned against each other";
}

std::string maze(Canvas& canvas, Rng& rng) {
    // A maze on the left half, mirrored: walls on even cells, passages on odd.
    canvas.symmetry = Symmetry::MirrorX;
    for (int r = 2; r <= 14; r += 4) {
        for (int c = 2; c <= 7; ++c) canvas.draw(c, r, wall());
    }
    for (int r = 2; r <= 14; r += 4) {
        const int gap = 2 + 2 * rng.below(3);
        canvas.clear(gap, r);
        canvas.clear(gap + 1, r);
        if (r + 2 <= 14) {
            const int post = 3 + 2 * rng.below(3);
            canvas.vline(post, r + 1, 2, wall());
        }
    }
    return "a mirrored maze of short walls";
}

std::string funnels(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::MirrorX;
    const int start = rng.between(3, 5);
    for (int i = 0; i < 5; ++i) canvas.draw(1 + i, start + i, wall());
    for (int i = 0; i < 3; ++i) canvas.draw(4 + i, start + 6 + i, wall());
    return "diagonal funnels";
}

std::string diamond(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::Turn4;
    const int size = rng.between(5, 6);
    for (int i = 0; i < size; ++i) {
        if (i == size / 2) continue;  // a doorway in each face
        canvas.draw(8 + i, 8 - size + i, wall());
    }
    return "a diamond of walls with four doorways";
}

std::string bumpers(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::MirrorXY;
    const int c = rng.between(4, 5), r = rng.between(4, 5);
    for (const auto [pc, pr] : {std::array<int, 2>{c, r}, std::array<int, 2>{8, r - 1}, std::array<int, 2>{c - 1, 8}}) {
        canvas.draw(pc, pr, wall());
        canvas.draw(pc + 1, pr, wall());
        canvas.draw(pc - 1, pr, wall());
        canvas.draw(pc, pr + 1, wall());
        canvas.draw(pc, pr - 1, wall());
    }
    return "cross-shaped bumpers";
}

std::string lanes(Canvas& canvas, Rng& rng) {
    canvas.symmetry = Symmetry::MirrorX;
    const int column = rng.between(4, 5);
    const int top = rng.between(3, 5);
    canvas.vline(column, top, 16 - 2 * top + 1, wall());
    return "three lanes between long walls";
}

}  // namespace

std::string drawLayout(Canvas& canvas, Layout layout, Rng& rng) {
    const Symmetry kept = canvas.symmetry;
    std::string phrase;
    switch (layout) {
        case Layout::Pillars:
            phrase = pillars(canvas, rng);
            break;
        case Layout::TwinRooms:
            phrase = twinRooms(canvas, rng);
            break;
        case Layout::FourRooms:
            phrase = fourRooms(canvas, rng);
            break;
        case Layout::Switchbacks:
            phrase = switchbacks(canvas, rng);
            break;
        case Layout::Spiral:
            phrase = spiral(canvas, rng);
            break;
        case Layout::Maze:
            phrase = maze(canvas, rng);
            break;
        case Layout::Funnels:
            phrase = funnels(canvas, rng);
            break;
        case Layout::Diamond:
            phrase = diamond(canvas, rng);
            break;
        case Layout::Bumpers:
            phrase = bumpers(canvas, rng);
            break;
        case Layout::Lanes:
            phrase = lanes(canvas, rng);
            break;
        case Layout::Open:
            phrase = "an open floor";
            break;
    }
    canvas.symmetry = kept;
    return phrase;
}

}  // namespace corvale::design
