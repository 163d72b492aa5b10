// Times a typical frame (cached board, 10 balls, 10 strokes) and a present at
// 1x and 2x, with the performance counter. Prints microseconds per call.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "renderer.h"
#include "surfaces.h"

using namespace corvale;

namespace {

Game typicalGame() {
    Level level;
    level.timeLimit = 120;
    level.launchInterval = 4;
    level.minSpeed = 50;
    level.maxSpeed = 150;
    for (int i = 0; i < boardCellCount; ++i) {
        const int column = i % boardColumns;
        const int row = i / boardColumns;
        if (column == 0 || row == 0 || column == 16 || row == 16)
            level.cells[static_cast<std::size_t>(i)].code = 0x3000;
    }
    level.cells[8 + 17 * 8].code = 0x2000;
    std::vector<Level> levels{level};
    Game game(std::move(levels));
    game.queue = {1, 2, 3, 4, 0, 1, 2};
    game.balls.clear();
    for (int b = 0; b < 10; ++b) {
        Ball ball;
        ball.color = b % 5;
        ball.x = 60.0 + 45.0 * b;
        ball.y = 100.0 + 30.0 * b;
        game.balls.push_back(ball);
    }
    game.strokes.clear();
    for (int s = 0; s < 10; ++s) {
        InkStroke stroke;
        for (int p = 0; p < 40; ++p)
            stroke.points.push_back(BoardPoint{40.0 + 10.0 * p, 50.0 + 45.0 * s + 10.0 * std::sin(p * 0.3)});
        game.strokes.push_back(stroke);
    }
    return game;
}

double microseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency, int runs) {
    return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart) / runs;
}

template <typename F>
void time(const char* name, int runs, F&& body) {
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < runs / 10; ++i) body(i);  // warm up
    std::vector<double> batches;
    for (int batch = 0; batch < 10; ++batch) {
        GdiFlush();
        QueryPerformanceCounter(&from);
        for (int i = 0; i < runs / 10; ++i) body(i);
        GdiFlush();
        QueryPerformanceCounter(&to);
        batches.push_back(microseconds(from, to, frequency, runs / 10));
    }
    std::sort(batches.begin(), batches.end());
    std::printf("%-34s median %8.1f us   best %8.1f us   worst %8.1f us\n", name, batches[5], batches[0], batches[9]);
}

}  // namespace

int main() {
    Renderer renderer(GetModuleHandleW(nullptr));
    Game game = typicalGame();
    renderer.render(game);

    time("render, typical frame", 2000, [&](int i) {
        game.boardAge += 0.015;
        game.balls[static_cast<std::size_t>(i % 10)].x = 60.0 + (i % 400);
        renderer.render(game);
    });

    Game noInk = game;
    noInk.strokes.clear();
    time("render, balls but no ink", 2000, [&](int) { renderer.render(noInk); });
    Game bare = noInk;
    bare.balls.clear();
    time("render, no balls or ink", 2000, [&](int) { renderer.render(bare); });

    MemoryDc screenDc(CreateCompatibleDC(nullptr));
    for (int scale : {1, 2}) {
        std::uint32_t* bits = nullptr;
        GdiBitmap screen(createTopDownBitmap(screenDc.get(), 544 * scale, 586 * scale, &bits));
        SelectedObject selected(screenDc.get(), screen.get());
        const RECT rect{0, 0, 544 * scale, 586 * scale};
        renderer.present(screenDc.get(), rect);
        // Only the present after each new frame is timed, not the render.
        LARGE_INTEGER frequency, from, to;
        QueryPerformanceFrequency(&frequency);
        std::vector<double> samples;
        for (int i = 0; i < 2000; ++i) {
            renderer.render(game);
            GdiFlush();
            QueryPerformanceCounter(&from);
            renderer.present(screenDc.get(), rect);
            GdiFlush();
            QueryPerformanceCounter(&to);
            samples.push_back(microseconds(from, to, frequency, 1));
        }
        std::sort(samples.begin(), samples.end());
        std::printf("present %dx after a new frame      median %8.1f us   p99  %8.1f us   worst %8.1f us\n", scale,
                    samples[1000], samples[1980], samples[1999]);
        char name[64];
        std::snprintf(name, sizeof name, "present %dx, repaint (copy only)", scale);
        time(name, 2000, [&](int) { renderer.present(screenDc.get(), rect); });
    }
    return 0;
}
