// The order of a stretch of boards, sorted from the easiest, with boards of
// one motif moved apart: two of one shape within a few places read as one
// board twice.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvale::design {

// A motif at most once in any three neighbours, where a board of another
// motif at most six places away can take the place; the empty motif (a
// hand-drawn board) is never a repeat. Returns the new order as indices
// into `motifs`.
std::vector<std::size_t> spreadOrder(const std::vector<std::string>& motifs);

}  // namespace corvale::design
