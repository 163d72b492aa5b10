// The player's ink: strokes drawn point by point, the stored-stroke limit
// with oldest-first eviction.
#include <algorithm>
#include <cmath>

#include "game.h"

namespace corvale {
namespace {

constexpr double lastPixel = boardPixels - 1;
constexpr double minPointSpacingSquared = 0.25;  // points at least 0.5 px apart

BoardPoint clampToBoardPixels(double x, double y) {
    return {std::clamp(x, 0.0, lastPixel), std::clamp(y, 0.0, lastPixel)};
}

}  // namespace

void Game::beginStroke(double x, double y) {
    drawingStrokeId = 0;  // a refused press still ends the previous drag
    if (paused || phase != GamePhase::Playing) return;
    if (!std::isfinite(x) || !std::isfinite(y) || x < 0 || x >= boardPixels || y < 0 || y >= boardPixels) return;
    if (static_cast<std::int64_t>(strokes.size()) >= strokeLimit) strokes.erase(strokes.begin());

    InkStroke stroke;
    stroke.id = nextStrokeId;
    nextStrokeId += 1;
    drawingStrokeId = stroke.id;
    const BoardPoint p = clampToBoardPixels(x, y);
    stroke.points.push_back(p);
    strokes.push_back(std::move(stroke));
    addCount(&PlayCounters::strokesDrawn);
}

void Game::extendStroke(double x, double y) {
    if (drawingStrokeId == 0 || paused || phase != GamePhase::Playing) return;
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    // Evicted or erased by a ball: the rest of the drag draws nothing.
    auto it =
        std::find_if(strokes.begin(), strokes.end(), [this](const InkStroke& s) { return s.id == drawingStrokeId; });
    if (it == strokes.end() || it->points.size() >= maxStrokePoints) return;

    const BoardPoint p = clampToBoardPixels(x, y);
    const BoardPoint last = it->points.back();
    const double d2 = (last.x - p.x) * (last.x - p.x) + (last.y - p.y) * (last.y - p.y);
    if (d2 < minPointSpacingSquared) return;
    addTime(&PlayCounters::inkDrawn, std::sqrt(d2));
    it->points.push_back(p);
}

void Game::endStroke() {
    drawingStrokeId = 0;
}

void Game::clearInk() {
    strokes.clear();
    drawingStrokeId = 0;
}

bool Game::setStrokeLimit(int n) {
    if (n < minStrokeLimit || n > maxStrokeLimit) return false;
    strokeLimit = n;
    const std::size_t keep = static_cast<std::size_t>(n);
    if (strokes.size() > keep) strokes.erase(strokes.begin(), strokes.end() - static_cast<std::ptrdiff_t>(keep));
    return true;
}

}  // namespace corvale
