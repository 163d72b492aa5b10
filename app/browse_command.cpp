// Browse Boards: the modal board browser, and the board it hands back
// started as a new run.
#include "application.h"
#include "board_browser.h"

namespace corvale {

void Application::browseBoards() {
    openModal();
    BrowserChoice choice;
    try {
        choice = runBoardBrowser(hwnd, instance, game, game.boardId);
    } catch (...) {
        closeModal();
        throw;
    }
    if (choice.chosen) {
        saveSettings();  // keeps the high score and statistics of the run being left; failure is not fatal here
        game.startLevel(static_cast<std::int64_t>(choice.levelIndex), true);
        userPaused = false;
        gameOverPending = false;
        // The Game unpaused itself, so the pause rule sees no change to restart the measurement.
        restartFpsMeasurement();
    }
    closeModal();
    redraw();
}

}  // namespace corvale
