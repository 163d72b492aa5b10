// Boards drawn by hand: the first board of the set, the boards whose
// bytes other documents quote, and a few showcases. One character a cell:
//   .  floor          #  gray wall        L  launcher
//   o r b g y   hole of gray, red, blue, green, gold (quadrants follow from the 2 x 2 block)
//   R B G Y     recolouring wall of that colour
//   % x z q k   breakable wall (gray, red, blue, green, gold) that leaves floor
// Other characters come from each board's own legend.
#include <cstring>
#include <map>
#include <stdexcept>

#include "ideas.h"

namespace corvale::design {
namespace {

struct Legend {
    char symbol;
    std::uint16_t code;
    std::uint16_t revealed;
};

struct HandBoard {
    int id;
    const char* idea;
    std::vector<int> queue;
    std::vector<Legend> legend;
    const char* rows[17];
};

int holeColorOf(char c) {
    switch (c) {
        case 'o':
            return Gray;
        case 'r':
            return Red;
        case 'b':
            return Blue;
        case 'g':
            return Green;
        case 'y':
            return Gold;
        default:
            return -1;
    }
}

TileCell cellOf(const HandBoard& board, int column, int row) {
    const char c = board.rows[row][column];
    for (const Legend& entry : board.legend) {
        if (entry.symbol == c) return {entry.code, entry.revealed};
    }
    if (const int color = holeColorOf(c); color >= 0) {
        const bool right = column > 0 && board.rows[row][column - 1] == c;
        const bool lower = row > 0 && board.rows[row - 1][column] == c;
        return {holeQuadrant(color, (right ? 1 : 0) + (lower ? 2 : 0)), 0};
    }
    switch (c) {
        case '.':
            return {};
        case '#':
            return {wall(), 0};
        case 'L':
            return {launcher(), 0};
        case 'R':
            return {wall(Red), 0};
        case 'B':
            return {wall(Blue), 0};
        case 'G':
            return {wall(Green), 0};
        case 'Y':
            return {wall(Gold), 0};
        case '%':
            return {makeTileCode(4, Gray), 0};
        case 'x':
            return {makeTileCode(4, Red), 0};
        case 'z':
            return {makeTileCode(4, Blue), 0};
        case 'q':
            return {makeTileCode(4, Green), 0};
        case 'k':
            return {makeTileCode(4, Gold), 0};
    }
    throw std::runtime_error("Hand-drawn board " + std::to_string(board.id) + " uses an unknown character '" +
                             std::string(1, c) + "'.");
}

// A red ball and a blue ball; each colour's hole is tucked into a pocket
// that opens downwards through a one-cell mouth, so every ball needs a bank
// shot off the floor.
const HandBoard first{
    0,
    "Two pockets open downwards: bank each ball off the floor into its own.",
    {Red, Blue},
    {},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...#.......#...#", "#...............#", "#...............#", "#.##.........##.#", "#...............#",
     "#...............#", "#.####.....####.#", "#.#rr#.....#bb#.#", "#.#rr#.....#bb#.#", "#.##.........##.#",
     "#...............#", "#################"}};

// A gray hole under blue bricks, mirrored by one under red bricks: a
// coloured ball opens a vault and then every colour may use it.
const HandBoard vaults{
    179,
    "Two brick vaults hide gray holes: crack one and any ball may drop in.",
    {Red, Blue, Red, Blue, Gray},
    {{'1', makeTileCode(4, Blue), holeQuadrant(Gray, 0)},
     {'2', makeTileCode(4, Blue), holeQuadrant(Gray, 1)},
     {'3', makeTileCode(4, Blue), holeQuadrant(Gray, 2)},
     {'4', makeTileCode(4, Blue), holeQuadrant(Gray, 3)},
     {'5', makeTileCode(4, Red), holeQuadrant(Gray, 0)},
     {'6', makeTileCode(4, Red), holeQuadrant(Gray, 1)},
     {'7', makeTileCode(4, Red), holeQuadrant(Gray, 2)},
     {'8', makeTileCode(4, Red), holeQuadrant(Gray, 3)}},
    {"#################", "#...............#", "#..zzzz...xxxx..#", "#..z12z...x56x..#", "#..z34z...x78x..#",
     "#..zzzz...xxxx..#", "#...............#", "#...............#", "#.......L.......#", "#...............#",
     "#...............#", "#...#.......#...#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#################"}};

// A mountain of bricks striped red, gray and blue; a ball of each colour
// waits below and its hole lies beyond the summit on its own side. The
// balls roll level, out to the side walls and back into each other, so
// neither climbs until a stroke lifts it: aimed up, they dug through alone
// on one seed in ten.
const HandBoard mountain{
    186,
    "A brick mountain: each ball digs up through its own flank to the hole on its side.",
    {},
    {{'1', ball(Red, 24), 0}, {'2', ball(Blue, 8), 0}},
    {"#.rr....#....bb.#", "#.rr....#....bb.#", "#.....x%%%z.....#", "#....xx%%%zz....#", "#...xxx%%%zzz...#",
     "#..xxxx%%%zzzz..#", "#.xxxxx%%%zzzzz.#", "#xxxxxx%%%zzzzzz#", "#xxxxxx%%%zzzzzz#", "#...xxx%%%zzz...#",
     "#...............#", "#...............#", "#..1.........2..#", "#...............#", "#...............#",
     "#...............#", "#################"}};

// The first waiting balls: each rolls back and forth along its own row and
// never reaches a hole unless a stroke turns it.
const HandBoard waiting{
    35,
    "Two balls pace their rows for ever: one stroke each turns them up to their holes.",
    {},
    {{'1', ball(Red, 8), 0}, {'2', ball(Blue, 24), 0}},
    {"#################", "#...............#", "#..bb.......rr..#", "#..bb.......rr..#", "#...............#",
     "#....#######....#", "#...............#", "#1..............#", "#...............#", "#...............#",
     "#..............2#", "#...............#", "#....#######....#", "#...............#", "#...............#",
     "#...............#", "#################"}};

// The first paint: only blue holes, only red balls.
const HandBoard paintShop{
    69,
    "Red balls, blue holes: bank every ball off the blue paint before it goes home.",
    {Red, Red},
    {},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#.......B.......#",
     "#...............#", "#...............#", "#...#.......#...#", "#...............#", "#...............#",
     "#...............#", "#.####.....####.#", "#.#bb#.....#bb#.#", "#.#bb#.....#bb#.#", "#.##.........##.#",
     "#...............#", "#################"}};

// The first bricks: a door that only its own colour can break.
const HandBoard brickDoors{
    100,
    "Brick doors: the red hole opens to a red ball's knock, the blue hole to a blue one's.",
    {Red, Blue},
    {},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#..#.........#..#", "#...............#", "#...............#", "#...............#", "#.####.....####.#",
     "#.#rr#.....#bb#.#", "#.#rr#.....#bb#.#", "#.#xx#.....#zz#.#", "#...............#", "#...............#",
     "#...............#", "#################"}};

// The first one-way walls: rooms that let their own colour in and keep it.
const HandBoard valves{
    187,
    "Valves: each room takes its own colour in through a one-way door, and keeps it.",
    {Red, Blue, Red, Blue},
    {{'1', oneWay(Red, Down), 0}, {'2', oneWay(Blue, Down), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...............#", "#...............#", "#..#.........#..#", "#...............#", "#...............#",
     "#####11###22#####", "#......#........#", "#..rr..#..bb....#", "#..rr..#..bb....#", "#......#........#",
     "#......#........#", "#################"}};

// The first second launcher: two mouths, one on each side.
const HandBoard crossfire{
    188,
    "Crossfire: balls come from either side, and each colour's room lies past the middle.",
    {Red, Blue, Blue, Red},
    {{'1', oneWay(Red, Up), 0}, {'2', oneWay(Blue, Up), 0}},
    {"#################", "#......#.#......#", "#..rr..#.#..bb..#", "#..rr..#.#..bb..#", "#......#.#......#",
     "###11###.###22###", "#...............#", "#...............#", "#.L...........L.#", "#...............#",
     "#...............#", "#......###......#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#################"}};

// The first block: the gold ball is worth one, and the right-hand gap in
// the shelf is where it pays. Without a block the board is still won with
// ink, as a run may arrive here with none.
const HandBoard goldForABlock{
    189,
    "Gold pays for a block: plug the right-hand gap and no ball strays into the dead end.",
    {Gold, Red, Blue, Red, Blue},
    {{'1', oneWay(Gold, Left), 0},
     {'2', oneWay(Gold, Right), 0},
     {'3', oneWay(Red, Down), 0},
     {'4', oneWay(Blue, Down), 0}},
    {"#################", "#####.......#####", "#yy.1...L...2.yy#", "#yy.1.......2.yy#", "#####.......#####",
     "#...............#", "#...............#", "#...............#", "####.#######.####", "#.......#.......#",
     "#.......#.......#", "#.......#.......#", "#.......#.......#", "#33##44##.......#", "#rr##bb##.......#",
     "#rr##bb##.......#", "#################"}};

// Bonus boards that pay in blocks: gold balls buy them, and the open field
// is where they are spent, as funnels the player builds.
const HandBoard goldShower{
    370,
    "A shower of gold: every gold ball sunk buys a block, so build your own funnels.",
    {Gold, Red, Gold, Gold, Red, Gold, Gold, Red},
    {{'1', oneWay(Gold, Down), 0}, {'2', oneWay(Red, Down), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...............#", "#...............#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#...............#", "##11###22###11###", "##yy###rr###yy###", "##yy###rr###yy###",
     "#################", "#################"}};

const HandBoard goldRain{
    534,
    "Gold rain: each gold ball sunk is a block to spend on walls that sort the rest.",
    {Gold, Red, Gold, Blue, Gold, Green, Gold, Red, Gold, Blue, Green, Red},
    {{'1', oneWay(Gold, Down), 0},
     {'2', oneWay(Red, Down), 0},
     {'3', oneWay(Blue, Down), 0},
     {'4', oneWay(Green, Down), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...............#", "#...............#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#...............#", "##11##22##33##44#", "##yy##rr##bb##gg#", "##yy##rr##bb##gg#",
     "#################", "#################"}};

// The first filters: a sorting machine along the floor.
const HandBoard sorter{
    292,
    "A sorting machine: three bins along the floor, each behind a filter of its colour.",
    {Red, Blue, Green, Red, Blue, Green},
    {{'1', filter(Red, false), 0}, {'2', filter(Blue, false), 0}, {'3', filter(Green, false), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...#.......#...#", "#...............#", "#...............#", "#...............#", "#...............#",
     "#...............#", "###11###22##33###", "#.....#...#.....#", "#.rr..#.bb#..gg.#", "#.rr..#.bb#..gg.#",
     "#.....#...#.....#", "#################"}};

// The first ramps: a river that sweeps balls to the sides.
const HandBoard river{
    293,
    "A river of ramps runs outwards: cross it with ink, or ride it to the far rooms.",
    {Red, Blue, Blue, Red, Red, Blue},
    {{'<', ramp(Left), 0}, {'>', ramp(Right), 0}, {'1', oneWay(Red, Down), 0}, {'2', oneWay(Blue, Down), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...............#", "#...............#", "#<<<<<<<.>>>>>>>#", "#...............#", "#...............#",
     "#...............#", "####11#####22####", "#.......#.......#", "#..rr...#...bb..#", "#..rr...#...bb..#",
     "#.......#.......#", "#################"}};

// The first timed walls: a gate that opens on a beat.
const HandBoard beat{
    395,
    "Doors on a beat: each gate opens for a second now and then; time every ball.",
    {Gold, Green, Gold, Green},
    {{'1', timed(4, 1, 7), 0}, {'2', timed(4, 1, 9), 0}, {'3', oneWay(Gold, Down), 0}, {'4', oneWay(Green, Down), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...#.......#...#", "#...............#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#####11###22#####", "#####33###44#####", "#..yy..#...gg...#", "#..yy..#...gg...#",
     "#......#........#", "#################"}};

// The first keyholes: an order to sink the colours in. One red ball only:
// every red ball sunk turns the lock, so a second one would shut it again
// on a blue ball still on its way. A blue gate behind the lock keeps the
// room blue's alone once it stands open.
const HandBoard lockAndKey{
    396,
    "Lock and key: the blue hole waits behind a red lock; sink the red ball first and it opens.",
    {Red, Blue, Blue},
    {{'1', oneWay(Red, Down), 0}, {'2', oneWay(Blue, Down), 0}, {'k', keyhole(Red, 4), 0}},
    {"#################", "#...............#", "#.......L.......#", "#...............#", "#...............#",
     "#...#.......#...#", "#...............#", "#...............#", "#...............#", "#...............#",
     "#...............#", "#####11###kk#####", "#......#..22....#", "#..rr..#...bb...#", "#..rr..#...bb...#",
     "#......#........#", "#################"}};

const HandBoard* const boards[] = {&first,    &waiting, &paintShop, &brickDoors,    &vaults,
                                   &mountain, &valves,  &crossfire, &goldForABlock, &goldShower,
                                   &goldRain, &sorter,  &river,     &beat,          &lockAndKey};

}  // namespace

bool handDrawnBoard(Draft& draft, const Brief& brief) {
    for (const HandBoard* board : boards) {
        if (board->id != brief.id) continue;
        for (int row = 0; row < 17; ++row) {
            if (std::strlen(board->rows[row]) != 17) {
                throw std::runtime_error("Hand-drawn board " + std::to_string(board->id) +
                                         " has a row that is not 17 cells.");
            }
            for (int column = 0; column < 17; ++column) {
                const TileCell cell = cellOf(*board, column, row);
                draft.canvas.put(column, row, cell.code, cell.revealedCode);
            }
        }
        draft.canvas.level.queue = board->queue;
        draft.idea = board->idea;
        return true;
    }
    return false;
}

}  // namespace corvale::design
