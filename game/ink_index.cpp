// A per-cell index of the strokes, so the cost of the ink test stays nearly
// flat as strokes are added: a ball only looks at the strokes whose box
// comes near its cell.
#include "ink_index.h"

#include <algorithm>
#include <cmath>
#include <span>

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

CellSpan spanOf(const BoardRect& b) {
    return {cellOf(b.left - inkIndexMargin), cellOf(b.right + inkIndexMargin), cellOf(b.top - inkIndexMargin),
            cellOf(b.bottom + inkIndexMargin)};
}

template <typename Each>
void forEachCell(const CellSpan& span, Each each) {
    for (int row = span.firstRow; row <= span.lastRow; ++row)
        for (int column = span.firstColumn; column <= span.lastColumn; ++column) each(column + boardColumns * row);
}

BoardRect boxOf(std::span<const BoardPoint> points) {
    if (points.empty()) return {};
    BoardRect b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const BoardPoint& p : points) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

// A stroke with a point off any number must never be ruled out by its box,
// so a NaN in any run spreads to the whole box, which then rejects nothing.
double stickyMin(double whole, double run) { return run < whole || run != run ? run : whole; }
double stickyMax(double whole, double run) { return run > whole || run != run ? run : whole; }

}  // namespace

void Game::buildInkIndex() {
    // Measured afresh every step: a box kept from an earlier step would miss
    // points moved in place and let a ball pass through them.
    inkIndex.boxes.resize(strokes.size());
    inkIndex.chunkSpans.resize(strokes.size());
    inkIndex.chunks.clear();
    for (std::size_t s = 0; s < strokes.size(); ++s) {
        const std::vector<BoardPoint>& points = strokes[s].points;
        if (points.size() < 2) {
            inkIndex.boxes[s] = boxOf(points);
            inkIndex.chunkSpans[s] = {0, 0};
            continue;
        }
        // Run k holds segments 8k+1..8k+8, that is points 8k..8k+8; the
        // stroke's box is the runs' boxes together.
        inkIndex.chunkSpans[s][0] = static_cast<std::uint32_t>(inkIndex.chunks.size());
        BoardRect& whole = inkIndex.boxes[s];
        for (std::size_t first = 0; first + 1 < points.size(); first += strokeChunk) {
            const std::size_t end = std::min(first + strokeChunk + 1, points.size());
            const BoardRect run = boxOf(std::span(points).subspan(first, end - first));
            inkIndex.chunks.push_back(run);
            if (first == 0) {
                whole = run;
            } else {
                whole = {stickyMin(whole.left, run.left), stickyMin(whole.top, run.top),
                         stickyMax(whole.right, run.right), stickyMax(whole.bottom, run.bottom)};
            }
        }
        inkIndex.chunkSpans[s][1] = static_cast<std::uint32_t>(inkIndex.chunks.size());
    }
    inkIndex.boxesValid = true;
    // A handful of strokes is quicker to scan than to index; a stroke with
    // a point off the number line cannot be placed in cells.
    const auto finite = [](const BoardRect& b) {
        return std::isfinite(b.left) && std::isfinite(b.top) && std::isfinite(b.right) && std::isfinite(b.bottom);
    };
    if (strokes.size() < minIndexedStrokes || !std::all_of(inkIndex.boxes.begin(), inkIndex.boxes.end(), finite)) {
        inkIndex.valid = false;
        return;
    }
    // Counting sort by cell: counts, then offsets, then the stroke indices
    // in list order. The item list keeps its capacity from step to step.
    inkIndex.start.fill(0);
    for (std::uint32_t s = 0; s < strokes.size(); ++s)
        if (!strokes[s].points.empty())
            forEachCell(spanOf(inkIndex.boxes[s]),
                        [&](int cell) { inkIndex.start[static_cast<std::size_t>(cell) + 1] += 1; });
    for (int cell = 0; cell < boardCellCount; ++cell)
        inkIndex.start[static_cast<std::size_t>(cell) + 1] += inkIndex.start[static_cast<std::size_t>(cell)];
    inkIndex.items.resize(inkIndex.start[boardCellCount]);
    std::array<std::uint32_t, boardCellCount> next{};
    std::copy(inkIndex.start.begin(), inkIndex.start.end() - 1, next.begin());
    for (std::uint32_t s = 0; s < strokes.size(); ++s) {
        if (strokes[s].points.empty()) continue;
        forEachCell(spanOf(inkIndex.boxes[s]),
                    [&](int cell) { inkIndex.items[next[static_cast<std::size_t>(cell)]++] = s; });
    }
    // Erasing renumbers this short list rather than every item.
    inkIndex.current.resize(strokes.size());
    for (std::uint32_t s = 0; s < strokes.size(); ++s) inkIndex.current[s] = s;
    inkIndex.valid = true;
}

void Game::dropInkIndex() {
    inkIndex.valid = false;
    inkIndex.boxesValid = false;
}

}  // namespace corvale
