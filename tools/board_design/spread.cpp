#include "spread.h"

#include <algorithm>

namespace corvale::design {
namespace {

constexpr std::size_t apart = 3;
constexpr std::size_t reach = 6;

// Moves a later board up wherever a board repeats one just before it.
void spreadForwards(std::vector<std::size_t>& order, const std::vector<std::string>& motifs) {
    auto justBefore = [&](std::size_t i, const std::string& motif) {
        if (motif.empty()) return false;
        for (std::size_t k = 1; k < apart && k <= i; ++k) {
            if (motifs[order[i - k]] == motif) return true;
        }
        return false;
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (!justBefore(i, motifs[order[i]])) continue;
        for (std::size_t j = i + 1; j < order.size() && j <= i + reach; ++j) {
            if (justBefore(i, motifs[order[j]])) continue;
            std::rotate(order.begin() + static_cast<std::ptrdiff_t>(i), order.begin() + static_cast<std::ptrdiff_t>(j),
                        order.begin() + static_cast<std::ptrdiff_t>(j) + 1);
            break;
        }
    }
}

}  // namespace

std::vector<std::size_t> spreadOrder(const std::vector<std::string>& motifs) {
    std::vector<std::size_t> order(motifs.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    spreadForwards(order, motifs);
    // Backwards too: the hardest boards have nothing after them to move up.
    std::reverse(order.begin(), order.end());
    spreadForwards(order, motifs);
    std::reverse(order.begin(), order.end());
    return order;
}

}  // namespace corvale::design
