#include "application.h"

#include <cmath>
#include <stdexcept>

#include "embedded_levels.h"
#include "headless_advance.h"
#include "resource_ids.h"

namespace corvale {
namespace {

std::int64_t counterFrequencyNow() {
    LARGE_INTEGER frequency{};
    return QueryPerformanceFrequency(&frequency) ? frequency.QuadPart : 0;
}

}  // namespace

std::wstring loadStringOr(HINSTANCE module, UINT id, const wchar_t* fallback) {
    wchar_t buffer[2048];
    const int length = LoadStringW(module, id, buffer, static_cast<int>(std::size(buffer)));
    if (length <= 0) return fallback;
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

Application::Application(HINSTANCE module, LaunchOptions launchOptions, ShellHooks shellHooks)
    : instance(module),
      game(loadEmbeddedLevels(module, shellHooks.startupFaults)),
      options(std::move(launchOptions)),
      hooks(shellHooks) {
    title = loadStringOr(instance, IDS_TITLE, L"Corvale");
    renderer.emplace(instance, hooks.startupFaults);
    if (!isHeadless(options)) loadSettings(settings);
    const int difficulty = options.difficulty >= 0 ? options.difficulty : settings.difficulty;
    game.loadLifetimeStatistics(settings.lifetime);
    game.setHighScore(settings.highScore);
    game.setStrokeLimit(settings.strokeLimit);
    game.newGame(difficulty, options.seed);
    if (options.level >= 0) {
        if (static_cast<std::size_t>(options.level) >= game.levels.size()) {
            throw std::runtime_error("The requested level index does not exist.");
        }
        game.startLevel(options.level, true);
    }
    counterFrequency = counterFrequencyNow();
    lastTickCounter = readCounter();
    fpsWindowStart = lastTickCounter;
    fpsFrameCount = 0;
    measuredFps = 0.0;
}

std::int64_t Application::readCounter() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

int Application::runHeadless() {
    if (options.smokeTest) {
        for (std::size_t i = 0; i < game.levels.size(); ++i) {
            game.startLevel(static_cast<std::int64_t>(i), true);
            for (int s = 0; s < 12; ++s) game.step(headlessStep);
            for (const Ball& ball : game.balls) {
                if (!std::isfinite(ball.x) || !std::isfinite(ball.y) || static_cast<std::uint32_t>(ball.color) > 4) {
                    throw std::runtime_error("A recovered board produced an invalid ball state.");
                }
            }
            renderer->render(game);
        }
        game.newGame(std::max(options.difficulty, 0), options.seed);
        if (options.level >= 0) game.startLevel(options.level, true);
    }
    headlessSteps = advanceHeadless(game, options.advanceSeconds);
    renderer->render(game);
    if (!options.screenshotPath.empty() && !renderer->writeScreenshot(options.screenshotPath)) {
        throw std::runtime_error("The screenshot file could not be written.");
    }
    return 0;
}

}  // namespace corvale
