// The rules our board set keeps beyond what the level reader enforces:
// time limits by kind, speeds, queue sizes, enough holes for every ball.
#pragma once

#include <string>
#include <vector>

#include "level.h"

namespace corvale {

// What is wrong with one board, one sentence per fault; empty when it keeps the rules.
std::vector<std::string> checkBoard(const Level& level);

// The faults of a whole set, each prefixed "Board N: " (or "The set: "), the
// per-board rules included.
std::vector<std::string> checkBoardSet(const std::vector<Level>& levels);

}  // namespace corvale
