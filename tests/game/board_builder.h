// Builds a Level from a small text map, so tests read as pictures of the
// board instead of tile-code literals.
//
// One token per cell, separated by spaces, one board row per line; rows and
// cells left out are floor. Digits are parameters (colours 0 gray, 1 red,
// 2 blue, 3 green, 4 gold):
//   .        floor                      L        launcher
//   #  #c    gray / coloured wall        Bc       breakable wall of colour c (reveals floor)
//   Bc=TOK   breakable wall revealing the tile TOK
//   hcq      hole quadrant, colour c, quadrant q (0 UL, 1 UR, 2 LL, 3 LR)
//   ^c vc <c >c   one-way wall permitting up / down / left / right, colour c (optional)
//   Tabc     timed wall, hex digits p0 (frame) p1 (open code) p2 (shut code)
//   Kcf      keyhole wall, key colour c, initial frame f
//   R^ Rv R< R>   ramp accelerating up / down / left / right
//   oc  oc@h ball of colour c preplaced, random heading / heading h (0..31)
//   Fco      two-way filter, colour c, orientation o (0 horizontal, 1 vertical)
//   xHHHH    any tile code in hex
#pragma once

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game.h"
#include "level.h"

namespace corvale::testing {

inline int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument(std::string("bad digit in board map: ") + c);
}

// Digit at position i of the token, or the fallback when the token is shorter.
inline int tokenDigit(std::string_view token, std::size_t i, int fallback = 0) {
    return i < token.size() ? hexDigit(token[i]) : fallback;
}

inline int directionOf(char c) {
    switch (c) {
        case '^': return 0;
        case 'v': return 1;
        case '<': return 2;
        case '>': return 3;
        default: throw std::invalid_argument(std::string("bad direction in board map: ") + c);
    }
}

inline TileCell tileFromToken(std::string_view token) {
    auto code = [](TileKind kind, int p0 = 0, int p1 = 0, int p2 = 0) {
        return makeTileCode(static_cast<int>(kind), p0, p1, p2);
    };
    if (token == ".") return {};
    if (const auto eq = token.find('='); eq != std::string_view::npos) {
        TileCell wall = tileFromToken(token.substr(0, eq));
        wall.revealedCode = tileFromToken(token.substr(eq + 1)).code;
        return wall;
    }
    switch (token[0]) {
        case 'L': return {code(TileKind::Launcher, 0xF, 0xF, 0xF), 0};
        case '#': return {code(TileKind::Wall, tokenDigit(token, 1)), 0};
        case 'B': return {code(TileKind::BreakableWall, tokenDigit(token, 1)), 0};
        case 'h': return {code(TileKind::HoleQuadrant, tokenDigit(token, 1), tokenDigit(token, 2)), 0};
        case '^':
        case 'v':
        case '<':
        case '>': return {code(TileKind::OneWayWall, tokenDigit(token, 1), directionOf(token[0])), 0};
        case 'T':
            return {code(TileKind::TimedWall, tokenDigit(token, 1), tokenDigit(token, 2), tokenDigit(token, 3)), 0};
        case 'K': return {code(TileKind::KeyholeWall, tokenDigit(token, 1), tokenDigit(token, 2)), 0};
        case 'R': return {code(TileKind::Ramp, 0, directionOf(token.at(1))), 0};
        case 'F': return {code(TileKind::TwoWayFilter, tokenDigit(token, 1), tokenDigit(token, 2)), 0};
        case 'o': {
            int heading = 255;
            if (const auto at = token.find('@'); at != std::string_view::npos)
                heading = std::stoi(std::string(token.substr(at + 1)));
            const auto c = static_cast<std::uint16_t>(static_cast<int>(TileKind::PreplacedBall) << 12 |
                                                      heading << 4 | tokenDigit(token, 1));
            return {c, 0};
        }
        case 'x': return {static_cast<std::uint16_t>(std::stoi(std::string(token.substr(1)), nullptr, 16)), 0};
        default: throw std::invalid_argument("unknown board map token: " + std::string(token));
    }
}

// A normal Beginner level: 120 s, launch interval 4 s, every ball at
// 100 px/s, empty queue. Tests change the header fields they care about.
inline Level buildLevel(std::string_view map) {
    Level level;
    level.timeLimit = 120;
    level.launchInterval = 4;
    level.minSpeed = 100;
    level.maxSpeed = 100;
    std::istringstream lines{std::string(map)};
    std::string line;
    int row = 0;
    while (std::getline(lines, line)) {
        std::istringstream tokens(line);
        std::string token;
        int column = 0;
        bool any = false;
        while (tokens >> token) {
            if (row >= boardRows || column >= boardColumns) throw std::invalid_argument("board map is too large");
            level.cells[static_cast<std::size_t>(column + boardColumns * row)] = tileFromToken(token);
            ++column;
            any = true;
        }
        if (any) ++row;
    }
    return level;
}

// A Game whose only level is the given one, seeded for repeatable play.
inline Game gameWith(Level level, std::uint32_t seed = 12345) {
    level.id = 0;
    std::vector<Level> levels;
    levels.push_back(std::move(level));
    Game game(std::move(levels));
    game.newGame(game.levels[0].difficulty, seed);
    return game;
}

// Puts a ball on the board directly, bypassing launch speeds and headings.
inline Ball& putBall(Game& game, int color, double x, double y, double vx, double vy) {
    Ball ball;
    ball.id = game.nextBallId++;
    ball.color = color;
    ball.x = x;
    ball.y = y;
    ball.vx = vx;
    ball.vy = vy;
    game.balls.push_back(ball);
    return game.balls.back();
}

// Centre of cell (column, row) in board pixels.
inline double cellCentre(int index) { return cellSize * index + 16.0; }

}  // namespace corvale::testing
