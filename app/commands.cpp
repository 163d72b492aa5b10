#include "application.h"
#include "resource_ids.h"

namespace corvale {

void Application::openModal() {
    modalOpen = true;
    updatePauseState();
}

void Application::closeModal() {
    modalOpen = false;
    updatePauseState();
}

void Application::runCommand(int id) {
    switch (id) {
        case IDC_EXIT:
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
            return;
        case IDC_NEW_GAME:
            startNewGame(game.difficulty);
            return;
        case IDC_BEGINNER:
        case IDC_NOVICE:
        case IDC_INTERMEDIATE:
        case IDC_ADVANCED:
        case IDC_EXPERT:
            startNewGame(id - IDC_BEGINNER);
            return;
        case IDC_PAUSE:
            userPaused = !userPaused;
            updatePauseState();
            return;
        case IDC_HELP_TOPICS:
            openModal();
            showHelp();
            closeModal();
            return;
        case IDC_ABOUT:
            openModal();
            showAbout();
            closeModal();
            return;
        case IDC_CLEAR_INK:
            endPointerStroke();
            game.clearInk();
            redraw();
            return;
        case IDC_BROWSE_BOARDS:
            if (modalOpen) return;
            browseBoards();
            return;
        case IDC_BOARD_MECHANICS:
            // The mechanics dialog is not part of this build yet; the command
            // keeps its place and its modal rule.
            return;
        case IDC_RESTART_BOARD:
            if (modalOpen) return;
            endPointerStroke();
            saveSettings();
            game.restartBoard();
            gameOverPending = false;
            restartFpsMeasurement();
            updatePauseState();
            redraw();
            return;
        case IDC_SHOW_FPS:
            settings.showFps = !settings.showFps;
            restartFpsMeasurement();
            updateMenuChecks();
            return;
        case IDC_STATISTICS:
            if (modalOpen) return;
            showStatistics();
            return;
        default:
            return;
    }
}

void Application::startNewGame(int newDifficulty) {
    endPointerStroke();
    saveSettings();  // keeps the high score and statistics of the game being left; failure is not fatal here
    game.newGame(newDifficulty, 0);
    userPaused = false;
    gameOverPending = false;
    restartFpsMeasurement();
    updatePauseState();
    redraw();
}

void Application::showStatistics() {
    // The statistics page window comes with its own change; until then the
    // command exists and does nothing.
}

}  // namespace corvale
