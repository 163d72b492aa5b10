// The order of a stretch of boards, sorted from the easiest, with boards of
// one motif moved apart: two of one shape within a few places read as one
// board twice.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvale::design {

// Neighbours of one motif, and two of one motif with a single board between
// them, as few as boards moved at most six places can make; the empty motif
// (a hand-drawn board) is never a repeat, and an order with no such pair is
// kept as it is. Returns the new order as indices into `motifs`.
std::vector<std::size_t> spreadOrder(const std::vector<std::string>& motifs);

}  // namespace corvale::design
