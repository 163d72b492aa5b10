// The two windows beside the game that the Game menu opens: the statistics
// page (modeless) and the board mechanics dialog (modal).
#include "application.h"
#include "mechanics_dialog.h"
#include "statistics_text.h"

namespace corvale {

void Application::showStatistics() {
    statisticsPage.messageBox = hooks.messageBox;
    statisticsPage.showLive(
        hwnd, L"Statistics - Corvale", [this] { return composeStatisticsText(game.statisticsSnapshot()); },
        [this] { return buildStatisticsTable(game.completedBoards); });
}

void Application::runBoardMechanics() {
    openModal();
    bool applied = false;
    try {
        applied = runMechanicsDialog(hwnd, instance, game, hooks.messageBox);
    } catch (...) {
        modalOpen = false;  // the error ends the game; nothing may stay marked as open
        throw;
    }
    if (applied) {
        settings.strokeLimit = game.strokeLimit;
        if (!saveSettings()) {
            showBox(L"The ink storage setting could not be saved. It will still apply to this session.", L"Corvale",
                    MB_ICONWARNING);
        }
    }
    closeModal();
    if (applied) redraw();
}

}  // namespace corvale
