// Balls against ink: ink is about 6 px thick on each side of its line for
// the bounce, and a stroke that deflects a ball is used up.
#include <algorithm>
#include <bitset>
#include <cmath>

#include "game.h"
#include "geometry.h"
#include "ink_index.h"

namespace corvale {
namespace {

constexpr double inkReachBeyondRadius = 5.0;
constexpr double inkThickness = 6.0;

// True when p is certainly farther than reach from every point of the box.
// The extra pixel keeps the rejection exact despite rounding in the full test.
bool farFromBox(double left, double top, double right, double bottom, BoardPoint p, double reach) {
    const double margin = reach + 1.0;
    return p.x < left - margin || p.x > right + margin || p.y < top - margin || p.y > bottom + margin;
}

bool segmentNear(BoardPoint a, BoardPoint b, BoardPoint p, double reachSquared) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double dd = dx * dx + dy * dy;
    BoardPoint closest = a;
    if (dd > 1e-18) {
        const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / dd, 0.0, 1.0);
        closest = {a.x + t * dx, a.y + t * dy};
    }
    return distanceSquared(p, closest) <= reachSquared;
}

// Segments first..last-1 ending at points[first..last-1]; first >= 1.
bool segmentsNear(const std::vector<BoardPoint>& points, std::size_t first, std::size_t last, BoardPoint p,
                  double reach) {
    const double reachSquared = reach * reach;
    for (std::size_t i = first; i < last; ++i) {
        const BoardPoint a = points[i - 1];
        const BoardPoint b = points[i];
        if (farFromBox(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), p, reach))
            continue;
        if (segmentNear(a, b, p, reachSquared)) return true;
    }
    return false;
}

}  // namespace

bool Game::strokeNear(const InkStroke& stroke, BoardPoint p, double reach) const {
    const std::vector<BoardPoint>& points = stroke.points;
    if (points.empty()) return false;
    if (points.size() == 1) return distanceSquared(p, points[0]) <= reach * reach;
    return segmentsNear(points, 1, points.size(), p, reach);
}

bool Game::strokeNearAt(std::uint32_t s, BoardPoint p, double reach) const {
    if (!inkIndex.boxesValid) return strokeNear(strokes[s], p, reach);
    const BoardRect& box = inkIndex.boxes[s];
    if (farFromBox(box.left, box.top, box.right, box.bottom, p, reach)) return false;
    const std::vector<BoardPoint>& points = strokes[s].points;
    if (points.size() <= 1) return strokeNear(strokes[s], p, reach);
    // A run's box holds every segment's box in it, so a far run has no near segment.
    const auto [firstChunk, endChunk] = inkIndex.chunkSpans[s];
    for (std::uint32_t c = firstChunk; c < endChunk; ++c) {
        const BoardRect& run = inkIndex.chunks[c];
        if (farFromBox(run.left, run.top, run.right, run.bottom, p, reach)) continue;
        const std::size_t first = 1 + (c - firstChunk) * strokeChunk;
        if (segmentsNear(points, first, std::min(first + strokeChunk, points.size()), p, reach)) return true;
    }
    return false;
}

bool Game::inkBounce(Ball& ball) const {
    Outline scratch;
    const Outline& outline = outlineOf(ball.radius, scratch);
    const BoardPoint centre = truncatedCentre(ball);
    const double reach = ball.radius + inkReachBeyondRadius;
    const int leading = leadingOutlineIndex(outline, ball.vx, ball.vy);

    // Which of the 17 scanned points lie on ink near the ball; stroke by
    // stroke, which gives the same points as testing point by point.
    std::bitset<17> onInk;
    forEachStrokeAround(centre, reach, [&](std::uint32_t s) {
        if (!strokeNearAt(s, centre, reach)) return true;
        for (int k = 0; k < 17; ++k) {
            if (onInk[static_cast<std::size_t>(k)]) continue;
            const int a = (leading + k - 8 + outlinePoints) % outlinePoints;
            if (strokeNearAt(s, outlinePoint(centre, outline, a), inkThickness)) onInk.set(static_cast<std::size_t>(k));
        }
        return !onInk.all();
    });
    const int m = contactIndex(outline, centre, leading, [&](BoardPoint, int scanPosition) {
        return onInk[static_cast<std::size_t>(scanPosition)];
    });
    if (m < 0) return false;
    return reflectVelocity(ball, outline[static_cast<std::size_t>(m)]);
}

void Game::collideInk(Ball& ball) {
    const BoardPoint centre = truncatedCentre(ball);
    const double reach = ball.radius + inkReachBeyondRadius;
    bool near = false;
    forEachStrokeAround(centre, reach, [&](std::uint32_t s) {
        near = strokeNearAt(s, centre, reach);
        return !near;
    });
    if (!near || !inkBounce(ball)) return;
    addCount(&PlayCounters::inkHits);
    removeStrokesNear(centre, reach);
}

void Game::removeStrokesNear(BoardPoint centre, double reach) {
    // Mark the strokes to erase (only those around the ball can be near),
    // then compact the list in order and renumber what the index points
    // to: cheaper than rebuilding it when many balls meet ink in one frame.
    std::vector<std::uint32_t>& remap = inkIndex.remap;
    remap.assign(strokes.size(), 0);
    forEachStrokeAround(centre, reach, [&](std::uint32_t s) {
        if (strokeNearAt(s, centre, reach)) remap[s] = noStroke;
        return true;
    });
    std::uint32_t kept = 0;
    for (std::uint32_t s = 0; s < strokes.size(); ++s) {
        if (remap[s] == noStroke) {
            if (strokes[s].id == drawingStrokeId) drawingStrokeId = 0;
            continue;
        }
        if (kept != s) {
            strokes[kept] = std::move(strokes[s]);
            if (inkIndex.boxesValid) {
                inkIndex.boxes[kept] = inkIndex.boxes[s];
                inkIndex.chunkSpans[kept] = inkIndex.chunkSpans[s];
            }
        }
        remap[s] = kept++;
    }
    strokes.erase(strokes.begin() + kept, strokes.end());
    if (inkIndex.boxesValid) {
        inkIndex.boxes.resize(kept);
        inkIndex.chunkSpans.resize(kept);
    }
    if (!inkIndex.valid) return;
    for (std::uint32_t& s : inkIndex.current)
        if (s != noStroke) s = remap[s];
}

}  // namespace corvale
