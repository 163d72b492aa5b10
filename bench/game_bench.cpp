// Cost of the rules of play: one 60 Hz frame with many balls and strokes,
// and the headless smoke pass over every shipped board.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "game.h"
#include "level.h"

namespace {

using corvale::Game;
using corvale::Level;

Level openBoard() {
    Level level;
    level.timeLimit = 0;
    level.launchInterval = 4;
    level.minSpeed = 100;
    level.maxSpeed = 250;
    // A few wall blocks so tile collisions happen too.
    for (int cell : {40, 44, 48, 108, 112, 116, 176, 180, 184, 244, 248})
        level.cells[static_cast<std::size_t>(cell)].code = corvale::makeTileCode(3);
    return level;
}

// A board with `balls` balls spread over it and `strokes` strokes of 50 points.
Game frameBoard(int balls, int strokes) {
    std::vector<Level> levels{openBoard()};
    Game game(std::move(levels));
    game.newGame(0, 2024);
    game.setStrokeLimit(4096);
    for (int i = 0; i < balls; ++i) {
        const double x = 40.0 + (i % 8) * 62.0;
        const double y = 40.0 + (i / 8) * 62.0;
        game.addBall(i % 5, x, y, -1);
    }
    for (int s = 0; s < strokes; ++s) {
        double x = 20.0 + game.randomBelow(500);
        double y = 20.0 + game.randomBelow(500);
        game.beginStroke(x, y);
        for (int p = 1; p < 50; ++p) {
            x += game.randomBelow(7) - 3;
            y += game.randomBelow(7) - 3;
            game.extendStroke(x, y);
        }
        game.endStroke();
    }
    return game;
}

void BM_StepFrame(benchmark::State& state) {
    Game game = frameBoard(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const corvale::BallList balls = game.balls;
    const std::vector<corvale::InkStroke> strokes = game.strokes;
    const std::uint64_t hitsBefore = game.boardCounters.inkHits;
    for (auto _ : state) {
        // Balls erase the strokes they hit; restore the scene so every frame costs the same.
        state.PauseTiming();
        game.balls = balls;
        game.strokes = strokes;
        state.ResumeTiming();
        game.step(1.0 / 60.0);
        benchmark::DoNotOptimize(game.balls[0].x);
    }
    // Ink hits per frame: each one is real work (a bounce and an erasure).
    state.counters["inkHits"] = benchmark::Counter(static_cast<double>(game.boardCounters.inkHits - hitsBefore),
                                                   benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StepFrame)
    ->ArgNames({"balls", "strokes"})
    ->ArgsProduct({{1, 8, 16, 32, 64}, {0, 20, 200}})
    ->Unit(benchmark::kMicrosecond);

std::vector<Level> shippedLevels() {
    std::ifstream file(CORVALE_LEVEL_RESOURCE, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " CORVALE_LEVEL_RESOURCE);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return corvale::parseLevelResource(bytes);
}

// The headless smoke pass: every board set up and stepped 12 x 1/120 s.
void BM_SmokeAllBoards(benchmark::State& state) {
    Game game(shippedLevels());
    game.newGame(0, 1);
    const auto count = static_cast<std::int64_t>(game.levels.size());
    for (auto _ : state) {
        for (std::int64_t i = 0; i < count; ++i) {
            game.startLevel(i, true);
            for (int s = 0; s < 12; ++s) game.step(1.0 / 120.0);
        }
        benchmark::DoNotOptimize(game.score);
    }
}
BENCHMARK(BM_SmokeAllBoards)->Unit(benchmark::kMillisecond);

// A copy of a Game in play (the solver copies one per trial), level list included.
void BM_GameCopy(benchmark::State& state) {
    Game game(shippedLevels());
    game.newGame(0, 1);
    game.startLevel(420, true);
    game.step(5.0);
    for (auto _ : state) {
        Game copy = game;
        benchmark::DoNotOptimize(copy.balls.size());
    }
}
BENCHMARK(BM_GameCopy)->Unit(benchmark::kMicrosecond);

// Reading the whole level resource, as start-up does.
void BM_LevelParse(benchmark::State& state) {
    std::ifstream file(CORVALE_LEVEL_RESOURCE, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (auto _ : state) benchmark::DoNotOptimize(corvale::parseLevelResource(bytes).size());
}
BENCHMARK(BM_LevelParse)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
