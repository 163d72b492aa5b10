// Timed and keyhole walls: their open/shut states and the five-frame
// animation that decides when they are solid.
#include "game.h"

namespace corvale {
namespace {

constexpr double frameSeconds = 0.05;

void animateDown(BoardCell& cell) {
    if (cell.wallFrame > 0 && cell.frameTime > frameSeconds) {
        cell.wallFrame -= 1;
        cell.frameTime = 0.0;
    }
}

}  // namespace

void Game::updateWalls(double seconds) {
    for (int i = 0; i < boardCellCount; ++i) {
        BoardCell& cell = cells[static_cast<std::size_t>(i)];
        const int kind = tileKindOf(cell.code);
        const bool timed = kind == static_cast<int>(TileKind::TimedWall);
        if (!timed && kind != static_cast<int>(TileKind::KeyholeWall)) continue;
        cell.phaseTime += seconds;
        cell.frameTime += seconds;
        const int column = i % boardColumns;
        const int row = i / boardColumns;

        // The first frame makes the cell solid: never take it while a ball is inside.
        auto animateUp = [&] {
            if (cell.wallFrame < 4 && cell.frameTime > frameSeconds &&
                (cell.wallFrame > 0 || !cellOccupied(column, row))) {
                cell.wallFrame += 1;
                cell.frameTime = 0.0;
            }
        };

        if (timed) {
            const double openTime = (tileP1(cell.code) + 1) * 0.5;
            const double shutTime = (tileP2(cell.code) + 1) * 0.5;
            if (cell.wallState == 0) {
                if (cell.phaseTime >= openTime) {
                    cell.wallState = 1;
                    cell.phaseTime = 0.0;
                } else {
                    animateDown(cell);
                }
            } else if (cell.wallState == 1) {
                // A wall that could not shut for a whole shut period gives up and opens again.
                if (cell.phaseTime > shutTime) {
                    cell.wallState = 0;
                    cell.phaseTime = 0.0;
                } else if (!cellOccupied(column, row)) {
                    cell.wallState = 2;
                    cell.phaseTime = 0.0;
                    cell.frameTime = 0.0;
                }
            } else if (cell.phaseTime >= shutTime) {
                cell.wallState = 0;
                cell.phaseTime = 0.0;
                cell.frameTime = 0.0;
            } else {
                animateUp();
            }
        } else if (cell.wallState == 0) {
            animateDown(cell);
        } else if (cell.wallState == 1) {
            if (!cellOccupied(column, row)) {
                cell.wallState = 2;
                cell.frameTime = 0.0;
            }
        } else {
            animateUp();
        }
    }
}

}  // namespace corvale
