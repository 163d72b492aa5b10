#include <cmath>
#include <stdexcept>

#include "application.h"
#include "resource_ids.h"

namespace corvale {

void Application::updatePauseState() {
    const bool mustPause = userPaused || !appActive || inMenuLoop || inSizeMove || minimized || modalOpen;
    const bool wasPaused = game.paused;
    if (mustPause) endPointerStroke();
    game.setPaused(mustPause);
    // Reset on every call, changed or not, so time spent paused is never simulated.
    lastTickCounter = readCounter();
    if (mustPause != wasPaused) restartFpsMeasurement();
    updateGameTimer();
    updateMenuChecks();
}

void Application::restartFpsMeasurement() {
    fpsWindowStart = readCounter();
    fpsFrameCount = 0;
    measuredFps = 0.0;
}

void Application::updateGameTimer() {
    if (!hwnd) return;
    const bool shouldRun = !game.paused && !failed;
    if (shouldRun == timerRunning) return;
    if (shouldRun) {
        if (!SetTimer(hwnd, gameTimerId, gameTimerMilliseconds, nullptr)) {
            throw std::runtime_error("Windows could not start the game timer.");
        }
    } else {
        KillTimer(hwnd, gameTimerId);
    }
    timerRunning = shouldRun;
}

void Application::onGameTimer(WPARAM timerId) {
    if (timerId != gameTimerId || !timerRunning || failed || game.paused) return;
    const std::int64_t now = readCounter();
    double seconds = counterFrequency != 0
                         ? static_cast<double>(now - lastTickCounter) / static_cast<double>(counterFrequency)
                         : 0.016;
    lastTickCounter = now;
    // A stall slows the game down instead of letting balls jump.
    if (seconds > 0.1) seconds = 0.1;
    if (seconds < 0.0) seconds = 0.0;
    game.step(seconds);
    redraw();
    if (game.phase == GamePhase::GameOver && !gameOverPending && !modalOpen && appActive && !inMenuLoop) {
        gameOverPending = true;
        PostMessageW(hwnd, gameOverNotice, 0, 0);
    }
}

void Application::countPaint() {
    if (!settings.showFps || game.paused) return;
    ++fpsFrameCount;
    const std::int64_t now = readCounter();
    const double length =
        counterFrequency != 0 ? static_cast<double>(now - fpsWindowStart) / static_cast<double>(counterFrequency) : 0.0;
    if (length >= 1.0) {
        measuredFps = fpsFrameCount / length;
        fpsFrameCount = 0;
        fpsWindowStart = now;
        updateTitle();
    }
}

void Application::updateMenuChecks() {
    if (!hwnd) return;
    if (HMENU menu = GetMenu(hwnd)) {
        CheckMenuRadioItem(menu, IDC_BEGINNER, IDC_EXPERT, static_cast<UINT>(IDC_BEGINNER + game.difficulty),
                           MF_BYCOMMAND);
        CheckMenuItem(menu, IDC_PAUSE, MF_BYCOMMAND | (userPaused ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(menu, IDC_SHOW_FPS, MF_BYCOMMAND | (settings.showFps ? MF_CHECKED : MF_UNCHECKED));
    }
    updateTitle();
}

void Application::updateTitle() {
    if (!hwnd) return;
    std::wstring text = title;
    if (userPaused) text += L" (Paused)";
    if (settings.showFps) {
        text += L"  |  FPS: ";
        if (game.paused) {
            text += L"paused";
        } else if (measuredFps > 0.0) {
            text += std::to_wstring(static_cast<long long>(std::llround(measuredFps)));
        } else {
            text += L"measuring";
        }
    }
    if (text == lastTitle) return;
    SetWindowTextW(hwnd, text.c_str());
    lastTitle = text;
}

}  // namespace corvale
