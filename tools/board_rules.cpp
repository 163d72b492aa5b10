#include "board_rules.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace corvale {
namespace {

constexpr int maxQueue = 18;
constexpr int maxBalls = 64;
constexpr int usualInterval = 4;

bool isKind(std::uint16_t code, TileKind kind) {
    return tileKindOf(code) == static_cast<int>(kind);
}

std::string place(int index) {
    return "column " + std::to_string(index % boardColumns) + ", row " + std::to_string(index / boardColumns);
}

// The hole quadrant a cell holds or reveals when its wall breaks.
std::optional<std::uint16_t> holeCode(const TileCell& cell) {
    if (isKind(cell.code, TileKind::HoleQuadrant)) return cell.code;
    if (isKind(cell.code, TileKind::BreakableWall) && isKind(cell.revealedCode, TileKind::HoleQuadrant)) {
        return cell.revealedCode;
    }
    return std::nullopt;
}

void checkTiming(const Level& level, std::vector<std::string>& faults) {
    if (level.bonus && level.timeLimit != 0) {
        faults.push_back("A bonus board has unlimited time, not " + std::to_string(level.timeLimit) + " s.");
    }
    if (!level.bonus && (level.timeLimit < 34 || level.timeLimit > 200)) {
        faults.push_back("The time limit " + std::to_string(level.timeLimit) + " s is outside 34..200 s.");
    }
    if (level.minSpeed < 50 || level.maxSpeed > 300 || level.minSpeed > level.maxSpeed) {
        faults.push_back("The speeds " + std::to_string(level.minSpeed) + ".." + std::to_string(level.maxSpeed) +
                         " px/s are not an ascending range within 50..300.");
    }
}

void checkCodes(const Level& level, std::vector<std::string>& faults) {
    for (int i = 0; i < boardCellCount; ++i) {
        const TileCell& cell = level.cells[static_cast<std::size_t>(i)];
        if (!isValidTileCode(cell.code)) faults.push_back("The tile code at " + place(i) + " is invalid.");
        if (isKind(cell.code, TileKind::BreakableWall)) {
            if (!isValidTileCode(cell.revealedCode)) {
                faults.push_back("The revealed tile code at " + place(i) + " is invalid.");
            }
        } else if (cell.revealedCode != 0) {
            faults.push_back("The cell at " + place(i) + " is no breakable wall but has a revealed code.");
        }
    }
}

void checkBalls(const Level& level, std::vector<std::string>& faults) {
    const int queued = static_cast<int>(level.queue.size());
    int preplaced = 0;
    int launchers = 0;
    for (const TileCell& cell : level.cells) {
        preplaced += isKind(cell.code, TileKind::PreplacedBall);
        launchers += isKind(cell.code, TileKind::Launcher);
    }
    if (queued > maxQueue) faults.push_back("The queue holds " + std::to_string(queued) + " balls; at most 18.");
    if (queued + preplaced < 1) faults.push_back("The board has no ball.");
    if (queued + preplaced > maxBalls) {
        faults.push_back("The board has " + std::to_string(queued + preplaced) + " balls; at most 64.");
    }
    if (queued > 0 && launchers == 0) faults.push_back("The board has a queue but no launcher.");
}

void checkHoles(const Level& level, std::vector<std::string>& faults) {
    for (int i = 0; i < boardCellCount; ++i) {
        const auto code = holeCode(level.cells[static_cast<std::size_t>(i)]);
        if (!code) continue;
        const int quadrant = tileP1(*code);
        const int left = i % boardColumns - quadrant % 2;
        const int top = i / boardColumns - quadrant / 2;
        bool complete = left >= 0 && top >= 0 && left + 1 < boardColumns && top + 1 < boardRows;
        for (int q = 0; q < 4 && complete; ++q) {
            const auto other =
                holeCode(level.cells[static_cast<std::size_t>(left + q % 2 + boardColumns * (top + q / 2))]);
            complete = other && tileP0(*other) == tileP0(*code) && tileP1(*other) == q;
        }
        if (!complete) faults.push_back("The hole quadrant at " + place(i) + " is not part of a complete 2 x 2 hole.");
    }
}

// Every colour a ball can have (queued, preplaced, or given by a recolouring
// wall) needs a hole that accepts it, directly or after a recolouring wall
// has repainted the ball.
void checkHoleColors(const Level& level, std::vector<std::string>& faults) {
    std::array<bool, ballColorCount> ballColors{};
    std::array<bool, ballColorCount> holeColors{};
    std::array<bool, ballColorCount> paints{};  // colours recolouring walls give
    bool anyHole = false;
    for (const std::int32_t color : level.queue) {
        if (color >= 0 && color < ballColorCount) ballColors[static_cast<std::size_t>(color)] = true;
    }
    for (const TileCell& cell : level.cells) {
        for (const std::uint16_t code : {cell.code, cell.revealedCode}) {
            const auto color = static_cast<std::size_t>(tileP0(code));
            if (color >= ballColorCount) continue;
            if (isKind(code, TileKind::PreplacedBall) && code == cell.code) ballColors[color] = true;
            if (isKind(code, TileKind::Wall) && color != 0) ballColors[color] = paints[color] = true;
        }
        if (const auto hole = holeCode(cell); hole && tileP0(*hole) < ballColorCount) {
            holeColors[static_cast<std::size_t>(tileP0(*hole))] = true;
            anyHole = true;
        }
    }
    auto accepts = [&](std::size_t color) { return color == 0 ? anyHole : holeColors[color] || holeColors[0]; };
    for (std::size_t color = 0; color < ballColors.size(); ++color) {
        if (!ballColors[color]) continue;
        // A ball may also take the hole of a colour a recolouring wall gives it.
        bool accepted = accepts(color);
        for (std::size_t paint = 1; paint < paints.size() && !accepted; ++paint)
            accepted = paints[paint] && accepts(paint);
        if (!accepted) {
            faults.push_back("No hole accepts a " + ballColorName(static_cast<int>(color)) + " ball.");
        }
    }
}

}  // namespace

bool boardConnected(const Level& level) {
    // Mechanism tiles open or let some ball through, so only plain and
    // recolouring walls divide the board.
    auto blocks = [&](int i) { return isKind(level.cells[static_cast<std::size_t>(i)].code, TileKind::Wall); };
    std::vector<int> targets;
    for (int i = 0; i < boardCellCount; ++i) {
        const TileCell& cell = level.cells[static_cast<std::size_t>(i)];
        if (isKind(cell.code, TileKind::Launcher) || isKind(cell.code, TileKind::PreplacedBall) || holeCode(cell)) {
            targets.push_back(i);
        }
    }
    if (targets.empty()) return true;
    std::array<bool, boardCellCount> seen{};
    std::vector<int> pending{targets.front()};
    seen[static_cast<std::size_t>(targets.front())] = true;
    while (!pending.empty()) {
        const int i = pending.back();
        pending.pop_back();
        const int column = i % boardColumns, row = i / boardColumns;
        const int next[4][2] = {{column - 1, row}, {column + 1, row}, {column, row - 1}, {column, row + 1}};
        for (const auto& [c, r] : next) {
            if (c < 0 || r < 0 || c >= boardColumns || r >= boardRows) continue;
            const int n = c + boardColumns * r;
            if (seen[static_cast<std::size_t>(n)] || blocks(n)) continue;
            seen[static_cast<std::size_t>(n)] = true;
            pending.push_back(n);
        }
    }
    return std::all_of(targets.begin(), targets.end(), [&](int i) { return seen[static_cast<std::size_t>(i)]; });
}

std::vector<std::string> checkBoard(const Level& level) {
    std::vector<std::string> faults;
    checkTiming(level, faults);
    checkCodes(level, faults);
    checkBalls(level, faults);
    checkHoles(level, faults);
    checkHoleColors(level, faults);
    if (!boardConnected(level)) {
        faults.push_back("Walls cut a hole, a launcher or a waiting ball off from the others.");
    }
    return faults;
}

std::string layoutKey(const Level& level) {
    std::string key;
    key.reserve(2 * level.cells.size());
    for (const TileCell& cell : level.cells) {
        key.push_back(static_cast<char>(cell.code >> 8));
        key.push_back(static_cast<char>(cell.code & 0xFF));
    }
    return key;
}

std::vector<std::pair<int, int>> repeatedLayouts(const std::vector<Level>& levels) {
    std::map<std::string, int> first;
    std::vector<std::pair<int, int>> repeats;
    for (const Level& level : levels) {
        const auto [at, added] = first.emplace(layoutKey(level), level.id);
        if (!added) repeats.emplace_back(at->second, level.id);
    }
    return repeats;
}

std::vector<std::string> checkBoardSet(const std::vector<Level>& levels) {
    std::vector<std::string> faults;
    if (levels.size() != static_cast<std::size_t>(levelCount)) {
        faults.push_back("The set: it holds " + std::to_string(levels.size()) + " boards, not 551.");
    }
    int usual = 0;
    for (std::size_t index = 0; index < levels.size(); ++index) {
        const Level& level = levels[index];
        const std::string prefix = "Board " + std::to_string(index) + ": ";
        std::int32_t difficulty = 0;
        bool bonus = false;
        classifyLevelId(static_cast<int>(index), difficulty, bonus);
        if (level.id != static_cast<std::int32_t>(index) || level.difficulty != difficulty || level.bonus != bonus) {
            faults.push_back(prefix + "its id, difficulty or kind does not match its place in the set.");
        }
        for (const std::string& fault : checkBoard(level)) faults.push_back(prefix + fault);
        usual += level.launchInterval == usualInterval;
    }
    // A board that only differs from an earlier one in its queue or times is
    // the same board to a player flipping through the set.
    for (const auto& [earlier, id] : repeatedLayouts(levels)) {
        faults.push_back("Board " + std::to_string(id) + ": its layout repeats board " + std::to_string(earlier) +
                         " cell for cell.");
    }
    if (usual * 2 <= static_cast<int>(levels.size())) {
        faults.push_back("The set: only " + std::to_string(usual) + " boards launch every 4 s; most should.");
    }
    return faults;
}

}  // namespace corvale
