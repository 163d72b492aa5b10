#include "application.h"
#include "resource_ids.h"

namespace corvale {

std::wstring helpText() {
    static constexpr const wchar_t* lines[] = {
        L"Guide each colored ball into a hole of the same color.",
        L"Gray balls may enter any hole; gray holes accept any ball.",
        L"",
        L"Drag with the left mouse button or a pen to draw an ink barrier.",
        L"A ball bounces off the ink, and the whole struck stroke disappears.",
        L"Right-click an empty square to place a block when one is available.",
        L"",
        L"Orange, blue, green and gold balls score 200, 400, 800 and 1600.",
        L"Gray balls score no points. Clear a board for a remaining-time bonus.",
        L"A wrong-color hole or an expired timer ends the game.",
        L"",
        L"Colored walls recolor balls. Cracked blocks break on a matching hit;",
        L"gray cracked blocks accept any ball. Arrow gates require the matching",
        L"color and arrow direction (gray gates accept any color). Draining a",
        L"matching colored ball toggles walls of that color. Clock walls cycle",
        L"automatically. Chevrons accelerate balls in their arrow direction.",
        L"",
        L"F2: New game     Space: Pause/resume     F1: Help",
        L"Ctrl+B: Browse, filter, preview and play any original board.",
        L"Ctrl+R: Restart this board, keeping its current mechanics settings.",
        L"Ctrl+M: Current-board mechanics, speeds and chevron settings.",
        L"Game > Show FPS displays measured game paints/second in the title.",
        L"Game > Clear Ink removes all strokes. Difficulty selects a new game.",
        L"The game pauses while its window is inactive or a menu is open.",
    };
    std::wstring text;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        if (i > 0) text += L'\n';
        text += lines[i];
    }
    return text;
}

std::wstring aboutText() {
    return L"Corvale - a puzzle game of rolling balls and ink\n"
           L"\n"
           L"A Windows desktop game that you can build from its source code.\n"
           L"Its boards, bitmap artwork and icon are made by the project's own asset tools.\n"
           L"\n"
           L"The game engine, the Win32/GDI front end and the assets are the project's\n"
           L"own work, offered under the MIT licence as the source package states.\n"
           L"No third-party code or artwork is included.\n"
           L"\n"
           L"See README.md and the notices in the source package for details.";
}

void Application::showHelp() {
    showBox(helpText(), title + L" Help", MB_ICONINFORMATION);
}

void Application::showAbout() {
    showBox(aboutText(), L"About " + title, MB_ICONINFORMATION);
}

void Application::showGameOver() {
    gameOverPending = false;
    if (game.phase != GamePhase::GameOver || modalOpen) return;
    modalOpen = true;
    endPointerStroke();
    const bool wasPaused = game.paused;
    game.setPaused(true);
    lastTickCounter = readCounter();
    if (!wasPaused) restartFpsMeasurement();
    updateGameTimer();
    updateMenuChecks();
    const bool outOfTime =
        game.message.find("time") != std::string::npos || game.message.find("Time") != std::string::npos;
    const std::wstring text =
        outOfTime ? loadStringOr(instance, IDS_OUT_OF_TIME, L"You ran out of time.")
                  : loadStringOr(instance, IDS_WRONG_HOLE, L"A ball entered a hole of the wrong color.");
    showBox(text, loadStringOr(instance, IDS_GAME_OVER_CAPTION, L"Game over!"), MB_ICONINFORMATION);
    saveSettings();
    game.restartBoard();
    modalOpen = false;
    userPaused = false;
    // The restart clears the game's pause itself, so the pause rule sees no
    // change: the frame-rate window is restarted here explicitly.
    restartFpsMeasurement();
    updatePauseState();
    redraw();
}

}  // namespace corvale
