// Writes the first board set as sources, one file per board:
//   corvale_board_generate BOARD_FOLDER
// Deterministic: each board comes from its own seeded generator, so running
// it again gives the same files. The boards are simple by design: holes in
// the colours of the balls, a launcher, some wall segments, and more kinds of
// mechanism as the difficulty rises. Every obstacle that would cut a launcher,
// a preplaced ball or a hole off from the others is taken back, so no board
// needs a mechanism to be won.
#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <vector>

#include "board_files.h"

namespace corvale {
namespace {

struct Rng {
    std::uint32_t state;
    int below(int n) {
        state = state * 1664525u + 1013904223u;
        return n <= 0 ? 0 : static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
};

struct Area {
    int first;  // first free column and row: 1 inside a border wall, else 0
    int last;
};

enum class Obstacle { Wall, RecolorWall, Breakable, OneWay, Ramp, Timed, Filter, Keyhole };

struct Builder {
    Level& level;
    Rng& rng;
    Area area;
    std::array<bool, boardCellCount> reserved{};  // kept free so balls can always reach what matters
    std::vector<int> anchors;                      // launchers, preplaced balls, one cell of each hole
    std::vector<int> holeColors;                   // colours of the coloured holes

    TileCell& cell(int column, int row) { return level.cells[static_cast<std::size_t>(column + boardColumns * row)]; }
    bool inArea(int column, int row) const {
        return column >= area.first && column <= area.last && row >= area.first && row <= area.last;
    }

    // A free block of w x h cells with a free ring around it, inside the area.
    bool blockIsFree(int column, int row, int width, int height) const {
        for (int r = row - 1; r <= row + height; ++r) {
            for (int c = column - 1; c <= column + width; ++c) {
                if (!inArea(c, r) || reserved[static_cast<std::size_t>(c + boardColumns * r)]) return false;
            }
        }
        return true;
    }
    void reserveBlock(int column, int row, int width, int height) {
        for (int r = row - 1; r <= row + height; ++r) {
            for (int c = column - 1; c <= column + width; ++c) {
                if (c >= 0 && r >= 0 && c < boardColumns && r < boardRows) {
                    reserved[static_cast<std::size_t>(c + boardColumns * r)] = true;
                }
            }
        }
    }
    // Finds a place for a w x h block; false when a few hundred tries found none.
    bool findBlock(int width, int height, int& column, int& row) {
        for (int attempt = 0; attempt < 400; ++attempt) {
            column = rng.between(area.first + 1, area.last - width);
            row = rng.between(area.first + 1, area.last - height);
            if (blockIsFree(column, row, width, height)) return true;
        }
        return false;
    }

    bool placeHole(int color) {
        int column = 0, row = 0;
        if (!findBlock(2, 2, column, row)) return false;
        for (int q = 0; q < 4; ++q) {
            cell(column + q % 2, row + q / 2).code = makeTileCode(2, color, q);
        }
        reserveBlock(column, row, 2, 2);
        anchors.push_back(column + boardColumns * row);
        return true;
    }
    bool placeSingle(std::uint16_t code) {
        int column = 0, row = 0;
        if (!findBlock(1, 1, column, row)) return false;
        cell(column, row).code = code;
        reserveBlock(column, row, 1, 1);
        anchors.push_back(column + boardColumns * row);
        return true;
    }

    // Passable for the reachability test: what no ball ever needs to open.
    bool passable(int index) const {
        const int kind = tileKindOf(level.cells[static_cast<std::size_t>(index)].code);
        return kind == 0 || kind == 1 || kind == 2 || kind == 8 || kind == 9;
    }
    bool anchorsConnected() const {
        std::array<bool, boardCellCount> seen{};
        std::vector<int> pending{anchors.front()};
        seen[static_cast<std::size_t>(anchors.front())] = true;
        while (!pending.empty()) {
            const int index = pending.back();
            pending.pop_back();
            const int column = index % boardColumns, row = index / boardColumns;
            const int next[4][2] = {{column - 1, row}, {column + 1, row}, {column, row - 1}, {column, row + 1}};
            for (const auto& [c, r] : next) {
                if (c < 0 || r < 0 || c >= boardColumns || r >= boardRows) continue;
                const int n = c + boardColumns * r;
                if (seen[static_cast<std::size_t>(n)] || !passable(n)) continue;
                seen[static_cast<std::size_t>(n)] = true;
                pending.push_back(n);
            }
        }
        for (const int anchor : anchors) {
            if (!seen[static_cast<std::size_t>(anchor)]) return false;
        }
        return true;
    }

    int ballColor() { return holeColors[static_cast<std::size_t>(rng.below(static_cast<int>(holeColors.size())))]; }

    // One tile of an obstacle segment; `horizontal` is the segment's run.
    TileCell obstacleTile(Obstacle kind, bool horizontal, int direction) {
        switch (kind) {
            case Obstacle::Wall: return {makeTileCode(3), 0};
            case Obstacle::RecolorWall: return {makeTileCode(3, ballColor()), 0};
            case Obstacle::Breakable: return {makeTileCode(4, rng.chance(50) ? 0 : ballColor()), 0};
            case Obstacle::OneWay: return {makeTileCode(5, rng.chance(70) ? 0 : ballColor(), direction), 0};
            case Obstacle::Ramp: return {makeTileCode(8, 0, direction), 0};
            case Obstacle::Timed: {
                static constexpr int timings[][2] = {{5, 5}, {1, 15}, {3, 7}, {7, 3}, {11, 5}};
                const auto& timing = timings[rng.below(5)];
                return {makeTileCode(6, rng.chance(50) ? 0 : 4, timing[0], timing[1]), 0};
            }
            case Obstacle::Filter: return {makeTileCode(10, ballColor(), horizontal ? 0 : 1), 0};
            case Obstacle::Keyhole: return {makeTileCode(7, ballColor(), rng.chance(50) ? 0 : 4), 0};
        }
        return {};
    }

    // Places one straight segment, or nothing when it would not fit or would
    // cut the board apart; true when it placed one.
    bool placeSegment(Obstacle kind) {
        const bool horizontal = rng.chance(50);
        const int length = rng.between(2, 6);
        const int column = rng.between(area.first, area.last - (horizontal ? length - 1 : 0));
        const int row = rng.between(area.first, area.last - (horizontal ? 0 : length - 1));
        // One-way walls stand across the run, ramps push along it.
        int direction = horizontal ? rng.below(2) : 2 + rng.below(2);
        if (kind == Obstacle::Ramp) direction = horizontal ? 2 + rng.below(2) : rng.below(2);
        // One colour per segment reads as one gate; breakable rows may mix.
        const TileCell tile = obstacleTile(kind, horizontal, direction);
        std::vector<int> placed;
        for (int i = 0; i < length; ++i) {
            const int c = column + (horizontal ? i : 0), r = row + (horizontal ? 0 : i);
            const int index = c + boardColumns * r;
            if (reserved[static_cast<std::size_t>(index)] || cell(c, r).code != 0) break;
            cell(c, r) = kind == Obstacle::Breakable ? obstacleTile(kind, horizontal, direction) : tile;
            placed.push_back(index);
        }
        if (placed.size() < 2 || !anchorsConnected()) {
            for (const int index : placed) level.cells[static_cast<std::size_t>(index)] = TileCell{};
            return false;
        }
        return true;
    }
};

std::vector<Obstacle> obstaclesFor(int difficulty) {
    std::vector<Obstacle> kinds{Obstacle::Wall, Obstacle::Wall};
    if (difficulty >= 1) kinds.push_back(Obstacle::Breakable);
    if (difficulty >= 2) kinds.insert(kinds.end(), {Obstacle::OneWay, Obstacle::Ramp});
    if (difficulty >= 3) kinds.insert(kinds.end(), {Obstacle::Timed, Obstacle::Filter, Obstacle::RecolorWall});
    if (difficulty >= 4) kinds.insert(kinds.end(), {Obstacle::Keyhole, Obstacle::Breakable});
    return kinds;
}

void writeHeader(Level& level, Rng& rng, int ballCount) {
    const int d = level.difficulty;
    if (level.bonus) {
        level.timeLimit = 0;
    } else {
        level.timeLimit = std::clamp(40 + 12 * ballCount - 4 * d + 5 * rng.below(4), 34, 200);
    }
    static constexpr int otherIntervals[] = {2, 3, 5, 6, 8};
    level.launchInterval = rng.chance(75) ? 4 : otherIntervals[rng.below(5)];
    level.minSpeed = 50 + 25 * d + rng.below(31);
    level.maxSpeed = std::min(300, level.minSpeed + 30 + rng.below(61));
    level.randomizeQueue = rng.chance(50);
}

Level generateBoard(int id) {
    Level level;
    level.id = id;
    classifyLevelId(id, level.difficulty, level.bonus);
    const int d = level.difficulty;
    Rng rng{static_cast<std::uint32_t>(id) * 2654435761u + 12345u};
    const bool border = rng.chance(55);
    Builder board{level, rng, border ? Area{1, 15} : Area{0, 16}, {}, {}, {}};
    if (border) {
        for (int i = 0; i < boardColumns; ++i) {
            board.cell(i, 0).code = board.cell(i, 16).code = board.cell(0, i).code = board.cell(16, i).code =
                makeTileCode(3);
        }
    }

    const int colorCount = std::min(4, rng.between(1 + d / 2, 2 + d / 2 + (d > 2)));
    std::vector<int> palette{1, 2, 3, 4};
    for (int i = 0; i < colorCount; ++i) {
        const int pick = rng.below(4 - i);
        std::swap(palette[static_cast<std::size_t>(i)], palette[static_cast<std::size_t>(i + pick)]);
        if (board.placeHole(palette[static_cast<std::size_t>(i)])) {
            board.holeColors.push_back(palette[static_cast<std::size_t>(i)]);
        }
    }
    if (rng.chance(15)) board.placeHole(0);
    if (d >= 3 && rng.chance(30)) board.placeHole(board.ballColor());

    const bool queueless = rng.chance(d == 0 ? 10 : 25);
    if (!queueless) {
        board.placeSingle(0x1FFF);
        if (d >= 2 && rng.chance(25)) board.placeSingle(0x1FFF);
        const int length = std::min(18, rng.between(1 + d, 4 + 3 * d) + (level.bonus ? 2 : 0));
        for (int i = 0; i < length; ++i) level.queue.push_back(rng.chance(8) ? 0 : board.ballColor());
    }
    int preplaced = 0;
    const int wanted = queueless ? rng.between(2, 4 + d) : (d == 0 ? rng.below(2) : rng.below(3 + d / 2));
    for (int i = 0; i < wanted; ++i) {
        const int heading = rng.chance(50) ? 255 : rng.below(32);
        preplaced += board.placeSingle(makeTileCode(9, board.ballColor(), heading & 0xF, heading >> 4));
    }
    if (level.queue.empty() && preplaced == 0) {
        board.placeSingle(0x1FFF);
        level.queue.push_back(board.ballColor());
    }

    const std::vector<Obstacle> kinds = obstaclesFor(d);
    const int segments = rng.between(2 + d, 5 + 2 * d);
    for (int i = 0; i < segments; ++i) {
        const Obstacle kind = kinds[static_cast<std::size_t>(rng.below(static_cast<int>(kinds.size())))];
        for (int attempt = 0; attempt < 20 && !board.placeSegment(kind); ++attempt) {
        }
    }

    writeHeader(level, rng, static_cast<int>(level.queue.size()) + preplaced);
    return level;
}

}  // namespace
}  // namespace corvale

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvale_board_generate BOARD_FOLDER\n");
        return 2;
    }
    try {
        std::vector<corvale::Level> levels;
        for (int id = 0; id < corvale::levelCount; ++id) levels.push_back(corvale::generateBoard(id));
        corvale::writeBoardSources(argv[1], levels);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_generate: %s\n", error.what());
        return 1;
    }
    return 0;
}
