// Where the time of a smoke test goes: the pieces corvale.exe --smoke-test
// runs, timed one by one with the performance counter. Prints milliseconds
// to stdout (run it under Wine by hand, with a warm wineserver):
//   wine smoke_breakdown.exe [REPEATS]
// or does the smoke test's work silently, leaving pieces out, for
// launch_timer.exe to time the whole process against corvale.exe:
//   wine smoke_breakdown.exe run all|no-render|no-step|set-up-only
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "embedded_levels.h"
#include "game.h"
#include "renderer.h"
#include "shell_imports.h"

namespace {

double millisecondsBetween(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER now() {
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return t;
}

struct Pass {
    double setup = 0, step = 0, check = 0, render = 0, cells = 0;
};

// What the smoke test does, minus the pieces left out; no timing.
int runParts(HINSTANCE instance, const char* parts) {
    const bool all = std::strcmp(parts, "all") == 0;
    const bool steps = all || std::strcmp(parts, "no-render") == 0;
    const bool renders = all || std::strcmp(parts, "no-step") == 0;
    if (!steps && !renders && std::strcmp(parts, "set-up-only") != 0) return 2;
    touchShellLibraries();
    corvale::Game game(corvale::loadEmbeddedLevels(instance));
    game.newGame(0, 1);
    corvale::Renderer renderer(instance);
    for (std::size_t i = 0; i < game.levels.size(); ++i) {
        game.startLevel(static_cast<std::int64_t>(i), true);
        if (steps)
            for (int s = 0; s < 12; ++s) game.step(1.0 / 120.0);
        if (renders) renderer.render(game);
    }
    renderer.render(game);
    return 0;
}

Pass smokePass(corvale::Game& game, corvale::Renderer& renderer) {
    Pass pass;
    for (std::size_t i = 0; i < game.levels.size(); ++i) {
        const LARGE_INTEGER t0 = now();
        game.startLevel(static_cast<std::int64_t>(i), true);
        const LARGE_INTEGER t1 = now();
        for (int s = 0; s < 12; ++s) game.step(1.0 / 120.0);
        const LARGE_INTEGER t2 = now();
        for (const corvale::Ball& ball : game.balls) {
            if (!std::isfinite(ball.x) || !std::isfinite(ball.y) || static_cast<std::uint32_t>(ball.color) > 4)
                std::fputs("invalid ball\n", stderr);
        }
        const LARGE_INTEGER t3 = now();
        renderer.render(game);
        GdiFlush();
        const LARGE_INTEGER t4 = now();
        pass.setup += millisecondsBetween(t0, t1);
        pass.step += millisecondsBetween(t1, t2);
        pass.check += millisecondsBetween(t2, t3);
        pass.render += millisecondsBetween(t3, t4);
        pass.cells += renderer.cellsDrawnByLastRender();
    }
    return pass;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (__argc > 2 && std::strcmp(__argv[1], "run") == 0) return runParts(instance, __argv[2]);
    const int repeats = __argc > 1 ? std::max(1, std::atoi(__argv[1])) : 1;

    // The first memory context makes Wine start its display driver; timed
    // on its own so that the Renderer's figure is ours alone.
    const LARGE_INTEGER d0 = now();
    const HDC firstDc = CreateCompatibleDC(nullptr);
    const LARGE_INTEGER d1 = now();
    DeleteDC(firstDc);

    const LARGE_INTEGER t0 = now();
    std::vector<corvale::Level> levels = corvale::loadEmbeddedLevels(instance);
    const LARGE_INTEGER t1 = now();
    corvale::Game game(std::move(levels));
    game.newGame(0, 1);
    const LARGE_INTEGER t2 = now();
    corvale::Renderer renderer(instance);
    const LARGE_INTEGER t3 = now();

    std::printf("first memory DC  %8.2f ms\n", millisecondsBetween(d0, d1));
    std::printf("level parsing    %8.2f ms\n", millisecondsBetween(t0, t1));
    std::printf("Game + newGame   %8.2f ms\n", millisecondsBetween(t1, t2));
    std::printf("Renderer         %8.2f ms\n", millisecondsBetween(t2, t3));
    for (int r = 0; r < repeats; ++r) {
        // The first pass is what the smoke test pays; later ones show the
        // cost once caches and lazily initialised GDI state are warm.
        const Pass p = smokePass(game, renderer);
        std::printf("pass %d: setup %6.2f  step %6.2f  check %5.2f  render %7.2f ms  (%.0f cells drawn, %zu boards)\n",
                    r + 1, p.setup, p.step, p.check, p.render, p.cells, game.levels.size());
    }
    return 0;
}
