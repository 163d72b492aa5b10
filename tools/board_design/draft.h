// A board as the designer builds it: the canvas, the one-line idea that a
// player should read from it, and the pieces that ideas share (pockets
// around holes, the layouts of walls the ideas are drawn over).
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace corvale::design {

// What the plan asks of one board.
struct Brief {
    int id = 0;
    int difficulty = 0;
    bool bonus = false;
    double stage = 0;            // 0..1: place within its difficulty
    std::vector<int> colors;     // ball colours in play, lead colour first
    int balls = 2;               // balls in all, queued and preplaced
    bool preplacedOnly = false;  // no queue: every ball waits on the board
    bool safeDoors = false;      // every coloured pocket shut to other colours
    int attempt = 0;             // how many drawings of this board came out wrong before
    std::vector<std::string> avoid;  // motifs its stretch already has enough of
};

struct Draft {
    Canvas canvas;
    std::string idea;         // one line, what the board is about
    bool fixedOrder = false;  // the queue's order is part of the idea: never shuffled
    std::string motif;        // the whole-board shape; empty for a hand-drawn board
};

// How a pocket's doorway is closed.
enum class Door { Open, Filter, Valve, Breakable, Timed, Keyhole, Paint };

struct Pocket {
    int column = 0;  // upper left quadrant of the hole
    int row = 0;
    int side = Up;  // side of the ring the doorway is in
};

// A hole in a ring of walls with a two-cell doorway on one side, drawn with
// the canvas symmetry. `key` is the keyhole's colour for Door::Keyhole.
// A narrow pocket keeps one cell of its doorway: a ball drifting by finds it
// half as often, and a steered one still fits. A `guard` (Door::Valve or
// Door::Filter) keeps a door that can open for every colour (a keyhole, a
// timed wall, bricks) shut to the others: the bricks hide it, the others get
// it in a vestibule before the door.
void pocket(Canvas& canvas, const Pocket& where, int color, Door door, int key = Gray, std::uint16_t ringWall = 0x3000,
            bool narrow = false, Door guard = Door::Open);

// The queue: `count` balls over the colours, evenly, in a designed order.
std::vector<int> spreadColors(const std::vector<int>& colors, int count, Rng& rng);

// Layouts of plain walls. Each leaves the listed pockets' rings and the
// launcher's neighbourhood to the idea and returns a phrase for the idea line.
enum class Layout { Pillars, TwinRooms, FourRooms, Switchbacks, Spiral, Maze, Funnels, Diamond, Bumpers, Lanes, Open };
std::string drawLayout(Canvas& canvas, Layout layout, Rng& rng);
std::vector<Layout> allLayouts();

// What a motif leaves to the ideas drawn over it: where the holes go, where
// launchers stand, and the floor kept free for a river, a paint bar or a dam.
struct Cell {
    int column = 0;
    int row = 0;
};
struct Scene {
    std::string motif;            // names the motif for the idea line
    std::vector<Pocket> pockets;  // every hole site, in the order colours are dealt
    std::vector<int> pair;        // the two sites a two-colour board may keep alone
    Cell launcher;                // the one launcher
    std::vector<Cell> launchers;  // where they stand when there are several
    int riverRow = 8;             // floor row for a river of ramps or a dam
    int paintRow = 5;             // floor row for a paint bar
    bool fixedColors = false;     // the motif deals its own colours (the sites are not interchangeable)
};

// Motifs: whole-board shapes the holes belong to (a vault, a rack of bins,
// rooms off a corridor, ...). Draws the walls and returns the sites; the
// pockets themselves are drawn by the caller with their doors.
enum class Motif { Vault, Rack, Rooms, Spine, Pillars, Diagonals, Pinball, Spiral };
std::vector<Motif> motifsFor(int colors);

// The motifs a board tries in turn, three drawings each: neighbouring ids
// start on different motifs, and a motif that fails hands on to a shuffled
// order of the rest, so no one motif gathers the failures of another.
// Motifs named in `avoid` are left out (all are tried if that leaves none).
std::vector<Motif> motifOrder(int id, int colors, const std::vector<std::string>& avoid);
std::string motifName(Motif motif);
Scene drawMotif(Canvas& canvas, Motif motif, int colors, Rng& rng);

// Removes gray wall cells that stand alone with floor all round: specks
// read as noise, not as design.
void removeSpecks(Canvas& canvas);
// Turns or mirrors the whole drawing, tiles and all.
void transformCanvas(Canvas& canvas, const Image& image);

// Clears the 3 x 3 around a cell and puts a launcher there.
void placeLauncher(Canvas& canvas, int column, int row);

std::string colorName(int color);
std::string colorList(const std::vector<int>& colors);

}  // namespace corvale::design
