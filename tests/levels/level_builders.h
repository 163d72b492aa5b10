// Small builders for test boards and resources: a plain valid board, cells
// by column and row, whole holes, and the full 551-record resource.
#pragma once

#include <cstdint>
#include <vector>

#include "level.h"

namespace corvale::test {

// A valid normal board: 120 s, 4 s interval, 50..150 px/s, one red ball
// queued, all floor.
inline Level plainLevel() {
    Level level;
    level.timeLimit = 120;
    level.launchInterval = 4;
    level.minSpeed = 50;
    level.maxSpeed = 150;
    level.queue = {1};
    return level;
}

inline TileCell& cellAt(Level& level, int column, int row) {
    return level.cells[static_cast<std::size_t>(column + boardColumns * row)];
}

inline const TileCell& cellAt(const Level& level, int column, int row) {
    return level.cells[static_cast<std::size_t>(column + boardColumns * row)];
}

inline void addHole(Level& level, int column, int row, int color) {
    for (int q = 0; q < 4; ++q) cellAt(level, column + q % 2, row + q / 2).code = makeTileCode(2, color, q);
}

// A board the set's rules accept: the plain board with a launcher and a red hole.
inline Level playableLevel() {
    Level level = plainLevel();
    cellAt(level, 8, 2).code = 0x1FFF;
    addHole(level, 7, 10, 1);
    return level;
}

// 551 copies of `level` with ids, difficulties and kinds of their places.
inline std::vector<Level> levelSet(const Level& level) {
    std::vector<Level> levels(levelCount, level);
    for (int id = 0; id < levelCount; ++id) {
        levels[static_cast<std::size_t>(id)].id = id;
        classifyLevelId(id, levels[static_cast<std::size_t>(id)].difficulty, levels[static_cast<std::size_t>(id)].bonus);
    }
    return levels;
}

inline std::vector<std::uint8_t> resourceOf(const std::vector<Level>& levels) { return serializeLevelResource(levels); }

}  // namespace corvale::test
