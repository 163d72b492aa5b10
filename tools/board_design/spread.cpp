#include "spread.h"

#include <algorithm>
#include <numeric>

namespace corvale::design {
namespace {

constexpr std::size_t reach = 6;

std::size_t distance(std::size_t a, std::size_t b) {
    return a > b ? a - b : b - a;
}

}  // namespace

std::vector<std::size_t> spreadOrder(const std::vector<std::string>& motifs) {
    const std::size_t n = motifs.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto same = [&](std::size_t a, std::size_t b) {
        return !motifs[order[a]].empty() && motifs[order[a]] == motifs[order[b]];
    };
    // Neighbours alike cost most, alike with one board between them less.
    auto cost = [&] {
        int c = 0;
        for (std::size_t k = 0; k + 1 < n; ++k) c += 3 * same(k, k + 1) + (k + 2 < n && same(k, k + 2));
        return c;
    };
    // Moves that lower the cost, every board kept within `reach` places of
    // where the measure put it, until none is left: the curve holds at
    // both ends, and a motif too common to keep apart everywhere is kept
    // apart where it can be. A move swaps two boards or takes one board
    // out and puts it back a few places on or back.
    auto withinReach = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = std::min(from, to); k <= std::max(from, to); ++k) {
            if (distance(order[k], k) > reach) return false;
        }
        return true;
    };
    int best = cost();
    for (bool improved = best > 0; improved;) {
        improved = false;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n && j <= i + reach; ++j) {
                for (int move = 0; move < 3; ++move) {
                    const std::vector<std::size_t> kept = order;
                    const auto first = order.begin() + static_cast<std::ptrdiff_t>(i);
                    const auto last = order.begin() + static_cast<std::ptrdiff_t>(j);
                    if (move == 0) std::iter_swap(first, last);
                    if (move == 1) std::rotate(first, first + 1, last + 1);  // i to j
                    if (move == 2) std::rotate(first, last, last + 1);       // j to i
                    const int c = withinReach(i, j) ? cost() : best;
                    if (c < best) {
                        best = c;
                        improved = true;
                    } else {
                        order = kept;
                    }
                }
            }
        }
    }
    return order;
}

}  // namespace corvale::design
