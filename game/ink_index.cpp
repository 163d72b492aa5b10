// A per-cell index of the strokes, so the cost of the ink test stays nearly
// flat as strokes are added: a ball only looks at the strokes whose box
// comes near its cell.
#include "ink_index.h"

#include <algorithm>
#include <cmath>

#include "game.h"

namespace corvale {
namespace {

constexpr std::size_t minIndexedStrokes = 12;

struct CellSpan {
    int firstColumn, lastColumn, firstRow, lastRow;
};

int cellOf(double pixel) {
    return std::clamp(static_cast<int>(std::floor(pixel / cellSize)), 0, boardColumns - 1);
}

CellSpan spanOf(const InkStroke& stroke) {
    const BoardRect& b = stroke.bounds;
    return {cellOf(b.left - inkIndexMargin), cellOf(b.right + inkIndexMargin), cellOf(b.top - inkIndexMargin),
            cellOf(b.bottom + inkIndexMargin)};
}

template <typename Each>
void forEachCell(const CellSpan& span, Each each) {
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) each(column + boardColumns * row);
}

void refreshBounds(InkStroke& stroke) {
    stroke.boundedPoints = stroke.points.size();
    if (stroke.points.empty()) return;
    BoardRect& b = stroke.bounds;
    b = {stroke.points[0].x, stroke.points[0].y, stroke.points[0].x, stroke.points[0].y};
    for (const BoardPoint& p : stroke.points) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
}

}  // namespace

void Game::buildInkIndex() {
    // Strokes put into the list directly carry no box; give them one, since
    // the index and the quick rejection both rely on it.
    for (InkStroke& stroke : strokes)
        if (stroke.boundedPoints != stroke.points.size()) refreshBounds(stroke);
    // A handful of strokes is quicker to scan than to index.
    if (strokes.size() < minIndexedStrokes) {
        inkIndex.valid = false;
        return;
    }
    // Counting sort by cell: counts, then offsets, then the stroke indices
    // in list order. The item list keeps its capacity from step to step.
    inkIndex.start.fill(0);
    for (const InkStroke& stroke : strokes)
        if (!stroke.points.empty())
            forEachCell(spanOf(stroke), [&](int cell) { inkIndex.start[static_cast<std::size_t>(cell) + 1] += 1; });
    for (int cell = 0; cell < boardCellCount; ++cell)
        inkIndex.start[static_cast<std::size_t>(cell) + 1] += inkIndex.start[static_cast<std::size_t>(cell)];
    inkIndex.items.resize(inkIndex.start[boardCellCount]);
    std::array<std::uint32_t, boardCellCount> next{};
    std::copy(inkIndex.start.begin(), inkIndex.start.end() - 1, next.begin());
    for (std::uint32_t s = 0; s < strokes.size(); ++s) {
        if (strokes[s].points.empty()) continue;
        forEachCell(spanOf(strokes[s]), [&](int cell) { inkIndex.items[next[static_cast<std::size_t>(cell)]++] = s; });
    }
    inkIndex.valid = true;
}

}  // namespace corvale
