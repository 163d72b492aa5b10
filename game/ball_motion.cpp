// Ball against board edge and ball against ball, and the occupancy tests
// that keep launchers, walls and blocks from landing on a ball.
#include <bit>
#include <cmath>

#include "game.h"
#include "geometry.h"

namespace corvale {

bool Game::clampToBoard(Ball& ball) const {
    const double r = ball.radius;
    bool bounced = false;
    if (ball.x < r) {
        ball.x = r;
        ball.vx = -ball.vx;
        bounced = true;
    } else if (ball.x > boardPixels - r) {
        ball.x = boardPixels - 1 - r;
        ball.vx = -ball.vx;
        bounced = true;
    }
    if (ball.y < r) {
        ball.y = r;
        ball.vy = -ball.vy;
        bounced = true;
    } else if (ball.y > boardPixels - r) {
        ball.y = boardPixels - 1 - r;
        ball.vy = -ball.vy;
        bounced = true;
    }
    return bounced;
}

void Game::collideBalls(std::size_t i) {
    Ball& ball = balls[i];
    // Only velocities change below, so the position, radius and count are
    // read once; otherwise every store through `other` forces a reload.
    const double x = ball.x;
    const double y = ball.y;
    const double radius = ball.radius;
    // In index order, as the velocity changes below depend on it.
    for (std::uint64_t around = ballsAround(i); around != 0; around &= around - 1) {
        const auto j = static_cast<std::size_t>(std::countr_zero(around));
        // Cheap rejection on the packed positions; exact, since |dx| >= reach
        // implies dx^2 + dy^2 >= reach^2.
        const double reach = positions.radius[j] + radius;
        if (std::fabs(x - positions.x[j]) >= reach || std::fabs(y - positions.y[j]) >= reach) continue;
        Ball& other = balls[j];
        if (!other.active || other.id == ball.id) continue;
        const double dx = ball.x - other.x;
        const double dy = ball.y - other.y;
        const double s = dx * dx + dy * dy;
        if (s >= reach * reach || s <= 1e-12) continue;
        const double length = std::sqrt(s);
        const double nx = dx / length;
        const double ny = dy / length;
        const double closing = (ball.vx - other.vx) * nx + (ball.vy - other.vy) * ny;
        if (closing >= 0) continue;  // already separating
        addCount(&PlayCounters::ballHits);
        ball.vx -= closing * nx;
        ball.vy -= closing * ny;
        other.vx += closing * nx;
        other.vy += closing * ny;
    }
}

std::uint64_t Game::ballsAround(std::size_t i) const {
    const std::size_t count = balls.size();
    const std::uint64_t all = count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    if (bands.row[i] < 0) return all;  // wide: it may touch anyone
    const auto r = static_cast<std::size_t>(bands.row[i]) + 1;
    const auto c = static_cast<std::size_t>(bands.column[i]) + 1;
    const std::uint64_t near = (bands.rows[r - 1] | bands.rows[r] | bands.rows[r + 1]) &
                               (bands.columns[c - 1] | bands.columns[c] | bands.columns[c + 1]);
    return (near | bands.wide) & all;
}

bool Game::cellOccupied(int column, int row) const {
    if (column < 0 || column >= boardColumns || row < 0 || row >= boardRows) return false;
    const double left = cellSize * column;
    const double top = cellSize * row;
    const double right = left + cellSize;
    const double bottom = top + cellSize;
    for (const Ball& ball : balls) {
        if (!ball.active) continue;
        const double r = ball.radius;
        if (ball.x + r > left && right > ball.x - r && ball.y + r > top && bottom > ball.y - r) return true;
    }
    return false;
}

bool Game::ballTouchesRect(const Ball& ball, const BoardRect& rect) const {
    const BoardPoint centre = truncatedCentre(ball);
    // Every outline point lies within the radius of the truncated centre.
    const double r = ball.radius;
    if (centre.x + r < rect.left || centre.x - r >= rect.right || centre.y + r < rect.top || centre.y - r >= rect.bottom)
        return false;
    Outline scratch;
    const Outline& outline = outlineOf(ball.radius, scratch);
    for (int a = 0; a < outlinePoints; ++a)
        if (rectContains(rect, outlinePoint(centre, outline, a))) return true;
    return false;
}

}  // namespace corvale
