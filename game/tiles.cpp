// What wall tiles do to a ball: solidity by kind, side and colour, the
// bounce, recolouring, breaking, and ramps.
#include <algorithm>
#include <array>

#include "game.h"
#include "geometry.h"

namespace corvale {
namespace {

constexpr int kindOf(const BoardCell& cell) { return tileKindOf(cell.code); }
constexpr int kindValue(TileKind kind) { return static_cast<int>(kind); }

bool oneWaySolid(const BoardCell& cell, const BoardRect& r, const Ball& ball, BoardPoint p) {
    const BoardPoint t = truncatedCentre(ball);
    BoardRect band;
    bool blocks = false;
    switch (tileP1(cell.code)) {
        case 0:  // passes upwards
            band = {r.left, r.top, r.right, r.top + 12};
            blocks = t.y < r.top + 6 && ball.vy > 0;
            break;
        case 1:  // passes downwards
            band = {r.left, r.top + 20, r.right, r.bottom};
            blocks = t.y > r.top + 26 && ball.vy < 0;
            break;
        case 2:  // passes to the left
            band = {r.left, r.top, r.left + 12, r.bottom};
            blocks = t.x < r.left + 6 && ball.vx > 0;
            break;
        case 3:  // passes to the right
            band = {r.left + 20, r.top, r.right, r.bottom};
            blocks = t.x > r.left + 26 && ball.vx < 0;
            break;
        default: return false;
    }
    const int color = tileP0(cell.code);
    return blocks || (color != 0 && color != ball.color && rectContains(band, p));
}

bool filterSolid(const BoardCell& cell, const BoardRect& r, const Ball& ball, BoardPoint p) {
    const int color = tileP0(cell.code);
    if (color == 0 || color == ball.color) return false;
    const BoardRect bar = tileP1(cell.code) == 0 ? BoardRect{r.left, r.top + 10, r.right, r.bottom - 10}
                                                 : BoardRect{r.left + 10, r.top, r.right - 10, r.bottom};
    return rectContains(bar, p);
}

BoardPoint holeCentre(const BoardCell& cell, const BoardRect& r) {
    switch (tileP1(cell.code)) {
        case 0: return {r.left + 32, r.top + 32};  // upper-left quadrant
        case 1: return {r.left, r.top + 32};       // upper right
        case 2: return {r.left + 32, r.top};       // lower left
        default: return {r.left, r.top};           // lower right
    }
}

void accelerateOnRamp(Ball& ball, const BoardCell& cell, const Mechanics& mechanics) {
    const double a = 3.0 * mechanics.chevronBoost;
    const double limit = mechanics.chevronSpeedLimit;
    auto limited = [limit](double v) { return std::min(std::max(v, -limit), limit); };
    switch (tileP1(cell.code)) {
        case 0: ball.vy = limited(ball.vy - a); break;
        case 1: ball.vy = limited(ball.vy + a); break;
        case 2: ball.vx = limited(ball.vx - a); break;
        case 3: ball.vx = limited(ball.vx + a); break;
        default: break;
    }
}

bool breaksFor(const BoardCell& cell, const Ball& ball) {
    const int color = tileP0(cell.code);
    return color == 0 || color == ball.color;
}

// Column (or row) of a pixel coordinate; -1 off the board.
int lineOf(double pixel) {
    if (!(pixel >= 0 && pixel < boardPixels)) return -1;
    return static_cast<int>(static_cast<unsigned>(pixel)) / cellSize;
}

// The bounding-box corners share two x and two y coordinates, so their
// cells come from two column and two row lookups instead of a board test
// and a cell lookup per corner; a corner is on the board exactly when both
// its column and its row are.
struct CornerCells {
    std::array<BoardPoint, 4> corners;
    std::array<int, 4> cells;  // -1 for a corner off the board
};

CornerCells cornerCells(const Ball& ball) {
    CornerCells result{boundingCorners(ball), {}};
    const int columns[2] = {lineOf(result.corners[0].x), lineOf(result.corners[1].x)};
    const int rows[2] = {lineOf(result.corners[0].y), lineOf(result.corners[2].y)};
    for (std::size_t k = 0; k < 4; ++k) {
        const int column = columns[k & 1];
        const int row = rows[k >> 1];
        result.cells[k] = column < 0 || row < 0 ? -1 : row * boardColumns + column;
    }
    return result;
}

// The touched cell nearest the ball's centre among the cells under its
// bounding-box corners that pass `qualifies`; -1 when there is none. Ties go
// to the corner tested first.
template <typename Qualifies>
int nearestTouchedCell(const Game& game, const Ball& ball, Qualifies qualifies) {
    const CornerCells under = cornerCells(ball);
    int winner = -1;
    double winnerDistance = 0.0;
    for (std::size_t k = 0; k < 4; ++k) {
        const int index = under.cells[k];
        if (index < 0 || !qualifies(index, under.corners[k])) continue;
        const BoardRect rect = cellRect(index);
        if (!game.ballTouchesRect(ball, rect)) continue;
        const double d = distanceSquared({rect.left + 16, rect.top + 16}, truncatedCentre(ball));
        if (winner < 0 || d < winnerDistance) {
            winner = index;
            winnerDistance = d;
        }
    }
    return winner;
}

}  // namespace

bool Game::cellSolidFor(const BoardCell& cell, int index, const Ball& ball, BoardPoint p) const {
    switch (kindOf(cell)) {
        case kindValue(TileKind::Wall):
        case kindValue(TileKind::BreakableWall): return true;
        case kindValue(TileKind::TimedWall):
        case kindValue(TileKind::KeyholeWall): return cell.wallFrame > 0;
        case kindValue(TileKind::TwoWayFilter): return filterSolid(cell, cellRect(index), ball, p);
        case kindValue(TileKind::OneWayWall): return oneWaySolid(cell, cellRect(index), ball, p);
        default: return false;
    }
}

void Game::collideTiles(Ball& ball) {
    const int winner = nearestTouchedCell(*this, ball, [&](int index, BoardPoint corner) {
        return cellSolidFor(cells[static_cast<std::size_t>(index)], index, ball, corner);
    });
    if (winner < 0) return;

    BoardCell& cell = cells[static_cast<std::size_t>(winner)];
    const int kind = kindOf(cell);
    if (kind == kindValue(TileKind::Wall) && tileP0(cell.code) != 0) {
        ball.color = tileP0(cell.code);
        ball.nearHole = false;
    }
    if (bounceOffTiles(ball)) addCount(&PlayCounters::wallHits);
    // A breakable wall of the ball's colour breaks on contact, bounce or not.
    if (kind == kindValue(TileKind::BreakableWall) && breaksFor(cell, ball)) {
        breakWall(cell);
        awardPoints(10);
    }
}

void Game::breakWall(BoardCell& cell) {
    const std::uint16_t revealed = cell.revealedCode;
    cell = {};
    cell.code = revealed;
    initWallCell(cell);
}

bool Game::bounceOffTiles(Ball& ball) const {
    Outline scratch;
    const Outline& outline = outlineOf(ball.radius, scratch);
    const BoardPoint centre = truncatedCentre(ball);
    const int leading = leadingOutlineIndex(outline, ball.vx, ball.vy);
    const int m = contactIndex(outline, centre, leading, [&](BoardPoint p, int) {
        if (!onBoard(p)) return false;
        const int index = cellIndexAt(p);
        return cellSolidFor(cells[static_cast<std::size_t>(index)], index, ball, p);
    });
    if (m < 0) return false;
    return reflectVelocity(ball, outline[static_cast<std::size_t>(m)]);
}

void Game::applyHolesAndRamps(Ball& ball) {
    const int winner = nearestTouchedCell(*this, ball, [&](int index, BoardPoint) {
        const int kind = kindOf(cells[static_cast<std::size_t>(index)]);
        return kind == kindValue(TileKind::HoleQuadrant) || kind == kindValue(TileKind::Ramp) ||
               (ball.pull != 0 && (kind == kindValue(TileKind::Floor) || kind == kindValue(TileKind::Launcher)));
    });
    if (winner < 0) return;

    const BoardCell& cell = cells[static_cast<std::size_t>(winner)];
    switch (kindOf(cell)) {
        case kindValue(TileKind::Floor):
        case kindValue(TileKind::Launcher):
            // Rolled out of a hole's pull: full size again.
            ball.pull = 0;
            ball.radius = 12.0;
            clampToBoard(ball);
            break;
        case kindValue(TileKind::Ramp): accelerateOnRamp(ball, cell, mechanics); break;
        default: captureOrPull(ball, holeCentre(cell, cellRect(winner)), tileP0(cell.code)); break;
    }
}

}  // namespace corvale
