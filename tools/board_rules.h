// The rules our board set keeps beyond what the level reader enforces:
// time limits by kind, speeds, queue sizes, enough holes for every ball,
// complete holes, one connected board.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "level.h"

namespace corvale {

// Every hole, launcher and waiting ball lies in one region that walls do
// not divide (other tiles count as passable: they open or let some ball by).
bool boardConnected(const Level& level);

// What is wrong with one board, one sentence per fault; empty when it keeps the rules.
std::vector<std::string> checkBoard(const Level& level);

// The 289 tile codes of a board, as a key: two boards with one key look the
// same to a player whatever their queues, speeds and limits.
std::string layoutKey(const Level& level);

// For each board whose layout an earlier board of `levels` already has, the
// pair (earlier id, its id).
std::vector<std::pair<int, int>> repeatedLayouts(const std::vector<Level>& levels);

// The faults of a whole set, each prefixed "Board N: " (or "The set: "), the
// per-board rules included.
std::vector<std::string> checkBoardSet(const std::vector<Level>& levels);

}  // namespace corvale
