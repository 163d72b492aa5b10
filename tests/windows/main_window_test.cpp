#include <windows.h>

#include "app_fixture.h"
#include "resource_ids.h"

namespace corvale::testing {
namespace {

using MainWindow = AppFixture;

TEST_F(MainWindow, ClientAreaIsTheGameImageAtNinetySixDpi) {
    RECT client{};
    GetClientRect(app->hwnd, &client);
    EXPECT_EQ(client.right - client.left, MulDiv(544, static_cast<int>(Application::windowDpi(app->hwnd)), 96));
    EXPECT_EQ(client.bottom - client.top, MulDiv(586, static_cast<int>(Application::windowDpi(app->hwnd)), 96));
    wchar_t className[64] = {};
    GetClassNameW(app->hwnd, className, 64);
    EXPECT_STREQ(className, L"Corvale.Reconstructed.Window");
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_MAXIMIZE, 0), 0);
    EXPECT_FALSE(IsZoomed(app->hwnd));
}

TEST_F(MainWindow, GameMenuHasTheInsertedItemsInOrder) {
    HMENU gameMenu = GetSubMenu(GetMenu(app->hwnd), 0);
    const UINT expected[] = {
        IDC_NEW_GAME, IDC_RESTART_BOARD, IDC_PAUSE, IDC_STATISTICS, IDC_BROWSE_BOARDS, IDC_BOARD_MECHANICS,
        IDC_SHOW_FPS, IDC_CLEAR_INK,     0,         IDC_EXIT};
    ASSERT_EQ(GetMenuItemCount(gameMenu), static_cast<int>(std::size(expected)));
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
        EXPECT_EQ(GetMenuItemID(gameMenu, i), expected[i]) << "position " << i;
    }
}

TEST_F(MainWindow, EveryPauseInputStopsAndRestartsTheTimer) {
    ASSERT_FALSE(app->game.paused);
    ASSERT_TRUE(app->timerRunning);
    struct Input {
        UINT on;
        WPARAM onW;
        UINT off;
        WPARAM offW;
    };
    const Input inputs[] = {
        {WM_ACTIVATEAPP, FALSE, WM_ACTIVATEAPP, TRUE},
        {WM_ENTERMENULOOP, 0, WM_EXITMENULOOP, 0},
        {WM_ENTERSIZEMOVE, 0, WM_EXITSIZEMOVE, 0},
        {WM_SIZE, SIZE_MINIMIZED, WM_SIZE, SIZE_RESTORED},
    };
    for (const Input& input : inputs) {
        send(input.on, input.onW, 0);
        EXPECT_TRUE(app->game.paused) << "message " << input.on;
        EXPECT_FALSE(app->timerRunning) << "message " << input.on;
        send(input.off, input.offW, 0);
        EXPECT_FALSE(app->game.paused) << "message " << input.off;
        EXPECT_TRUE(app->timerRunning) << "message " << input.off;
    }
    command(IDC_PAUSE);
    EXPECT_TRUE(app->userPaused);
    EXPECT_TRUE(app->game.paused);
    EXPECT_FALSE(app->timerRunning);
    EXPECT_EQ(GetMenuState(GetMenu(app->hwnd), IDC_PAUSE, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    command(IDC_PAUSE);
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(app->timerRunning);
}

TEST_F(MainWindow, ALateTickAdvancesAtMostATenthOfASecond) {
    const double before = app->game.boardAge;
    app->lastTickCounter -= app->counterFrequency / 2;  // the tick arrives 0.5 s late
    send(WM_TIMER, gameTimerId, 0);
    EXPECT_NEAR(app->game.boardAge - before, 0.1, 1e-9);
    const double afterFirst = app->game.boardAge;
    send(WM_TIMER, 2, 0);  // not our timer
    EXPECT_EQ(app->game.boardAge, afterFirst);
}

TEST_F(MainWindow, TitleShowsPauseAndFrameRate) {
    EXPECT_EQ(windowTitle(), L"Corvale");
    command(IDC_SHOW_FPS);
    EXPECT_EQ(windowTitle(), L"Corvale  |  FPS: measuring");
    app->measuredFps = 63.5;
    app->updateTitle();
    EXPECT_EQ(windowTitle(), L"Corvale  |  FPS: 64");
    command(IDC_PAUSE);
    EXPECT_EQ(windowTitle(), L"Corvale (Paused)  |  FPS: paused");
    command(IDC_SHOW_FPS);
    EXPECT_EQ(windowTitle(), L"Corvale (Paused)");
    command(IDC_PAUSE);
    send(WM_ENTERMENULOOP, 0, 0);
    command(IDC_SHOW_FPS);
    EXPECT_EQ(windowTitle(), L"Corvale  |  FPS: paused");
}

TEST_F(MainWindow, DragOffTheBoardDropsPointsAndGoesOn) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, boardPoint(100, 100));
    ASSERT_TRUE(app->mouseDrawing);
    EXPECT_EQ(GetCapture(), app->hwnd);
    send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 10));  // over the header strip
    send(WM_MOUSEMOVE, MK_LBUTTON, boardPoint(200, 100));
    send(WM_LBUTTONUP, 0, boardPoint(200, 100));
    EXPECT_FALSE(app->mouseDrawing);
    EXPECT_NE(GetCapture(), app->hwnd);
    ASSERT_EQ(app->game.strokes.size(), 1u);
    for (const BoardPoint& point : app->game.strokes[0].points) EXPECT_DOUBLE_EQ(point.y, 100.0);
    EXPECT_DOUBLE_EQ(app->game.strokes[0].points.back().x, 200.0);
}

TEST_F(MainWindow, PressOverTheHeaderStartsNothing) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 20));
    EXPECT_FALSE(app->mouseDrawing);
    EXPECT_TRUE(app->game.strokes.empty());
    EXPECT_NE(GetCapture(), app->hwnd);
}

TEST_F(MainWindow, LosingTheCaptureEndsTheStroke) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, boardPoint(100, 100));
    ASSERT_NE(app->game.drawingStrokeId, 0u);
    send(WM_CAPTURECHANGED, 0, 0);
    EXPECT_FALSE(app->mouseDrawing);
    EXPECT_EQ(app->game.drawingStrokeId, 0u);
    send(WM_MOUSEMOVE, MK_LBUTTON, boardPoint(150, 150));
    EXPECT_EQ(app->game.strokes[0].points.size(), 1u);
}

TEST_F(MainWindow, GameOverNoticeWaitsForAnActiveUnblockedWindow) {
    app->game.phase = GamePhase::GameOver;
    app->game.message = timeOutMessage;
    app->appActive = false;  // without the pause rule, so only the notice rule is tested
    send(WM_TIMER, gameTimerId, 0);
    EXPECT_FALSE(app->gameOverPending);
    app->appActive = true;
    app->modalOpen = true;
    send(WM_TIMER, gameTimerId, 0);
    EXPECT_FALSE(app->gameOverPending);
    app->modalOpen = false;
    send(WM_TIMER, gameTimerId, 0);
    EXPECT_TRUE(app->gameOverPending);
    MSG notice;
    ASSERT_TRUE(PeekMessageW(&notice, app->hwnd, gameOverNotice, gameOverNotice, PM_NOREMOVE));
    drainMessages();
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].caption, L"Game over!");
    EXPECT_EQ(shownBoxes[0].text, L"You ran out of time.");
    EXPECT_EQ(shownBoxes[0].style, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(app->game.phase, GamePhase::Playing);
    EXPECT_FALSE(app->modalOpen);
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(std::filesystem::exists(localAppData.dataFolder() / L"settings.ini"));
}

TEST_F(MainWindow, WrongHoleGameOverClearsThePlayersPause) {
    command(IDC_PAUSE);
    app->game.phase = GamePhase::GameOver;
    app->game.message = wrongHoleMessage;
    send(gameOverNotice, 0, 0);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text, L"A ball entered a hole of the wrong color.");
    EXPECT_FALSE(app->userPaused);
    EXPECT_TRUE(app->timerRunning);
}

TEST_F(MainWindow, HelpAndAboutBoxesPauseWhileOpen) {
    command(IDC_HELP_TOPICS);
    command(IDC_ABOUT);
    ASSERT_EQ(shownBoxes.size(), 2u);
    EXPECT_EQ(shownBoxes[0].caption, L"Corvale Help");
    EXPECT_EQ(shownBoxes[0].text.substr(0, 54), L"Guide each colored ball into a hole of the same color.");
    EXPECT_EQ(std::count(shownBoxes[0].text.begin(), shownBoxes[0].text.end(), L'\n'), 23);
    EXPECT_EQ(shownBoxes[1].caption, L"About Corvale");
    EXPECT_FALSE(app->modalOpen);
    EXPECT_FALSE(app->game.paused);
}

TEST_F(MainWindow, EscapeClosesAndSaves) {
    MSG escape{app->hwnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    ASSERT_TRUE(TranslateAcceleratorW(app->hwnd, app->accelerators.handle, &escape));
    EXPECT_EQ(app->hwnd, nullptr);
    EXPECT_TRUE(shownBoxes.empty());
    const std::filesystem::path folder = localAppData.dataFolder();
    EXPECT_TRUE(std::filesystem::exists(folder / L"settings.ini"));
    EXPECT_TRUE(std::filesystem::exists(folder / L"statistics-v1.dat"));
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(MainWindow, ClosingWithoutADataFolderWarnsButStillCloses) {
    app->settings.settingsPath.clear();
    send(WM_CLOSE, 0, 0);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text,
              L"The game could not save your high score and difficulty in your local settings folder.");
    EXPECT_EQ(shownBoxes[0].style, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(app->hwnd, nullptr);
}

TEST_F(MainWindow, AnErrorInAHandlerShowsOneBoxAndExitsWithOne) {
    app->game.levelIndex = 100000;  // restarting now has no board to set up
    command(IDC_RESTART_BOARD);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].caption, L"Corvale Error");
    EXPECT_TRUE(app->failed);
    EXPECT_EQ(app->hwnd, nullptr);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 1u);
}

}  // namespace
}  // namespace corvale::testing

namespace corvale::testing {
namespace {

TEST_F(MainWindow, ADpiChangeTakesTheSuggestedRectangleAndRebuildsTheCursor) {
    // Wine reports the system DPI for every window, so the tracking size stays
    // that of 96 DPI: the suggestion keeps the size and moves the window.
    RECT before{};
    GetWindowRect(app->hwnd, &before);
    RECT suggested{37, 41, 37 + before.right - before.left, 41 + before.bottom - before.top};
    send(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(app->penCursor.dpi(), 144u);
    RECT window{};
    GetWindowRect(app->hwnd, &window);
    EXPECT_EQ(window.left, 37);
    EXPECT_EQ(window.top, 41);
}

TEST_F(MainWindow, TrackingSizeIsFixed) {
    MINMAXINFO info{};
    send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT window{};
    GetWindowRect(app->hwnd, &window);
    EXPECT_EQ(info.ptMinTrackSize.x, window.right - window.left);
    EXPECT_EQ(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
    EXPECT_EQ(info.ptMinTrackSize.y, window.bottom - window.top);
    EXPECT_EQ(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
    EXPECT_EQ(send(WM_SYSCOMMAND, SC_SIZE, 0), 0);
}

TEST_F(MainWindow, ChoosingTheSameDifficultySavesTheLeftGameAndStartsANewOne) {
    const std::uint64_t started = app->game.boardsStarted;
    command(IDC_PAUSE);
    command(IDC_BEGINNER + app->game.difficulty);
    EXPECT_GT(app->game.boardsStarted, started);
    EXPECT_FALSE(app->userPaused);
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(std::filesystem::exists(localAppData.dataFolder() / L"settings.ini"));
    command(IDC_EXPERT);
    EXPECT_EQ(app->game.difficulty, 4);
    EXPECT_EQ(GetMenuState(GetMenu(app->hwnd), IDC_EXPERT, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    wchar_t saved[16] = {};
    GetPrivateProfileStringW(L"Game", L"Difficulty", L"", saved, 16,
                             (localAppData.dataFolder() / L"settings.ini").c_str());
    EXPECT_STREQ(saved, L"0");  // the game being left, not the new one
}

TEST_F(MainWindow, RestartKeepsTheBoardAndMeasuresAgain) {
    const std::int32_t board = app->game.boardId;
    command(IDC_SHOW_FPS);
    app->measuredFps = 60.0;
    command(IDC_RESTART_BOARD);
    EXPECT_EQ(app->game.boardId, board);
    EXPECT_EQ(app->measuredFps, 0.0);
    EXPECT_EQ(windowTitle(), L"Corvale  |  FPS: measuring");
}

TEST_F(MainWindow, ClearInkEndsTheStrokeAndRemovesAllInk) {
    send(WM_LBUTTONDOWN, MK_LBUTTON, boardPoint(100, 100));
    send(WM_MOUSEMOVE, MK_LBUTTON, boardPoint(150, 100));
    command(IDC_CLEAR_INK);
    EXPECT_FALSE(app->mouseDrawing);
    EXPECT_TRUE(app->game.strokes.empty());
    EXPECT_NE(GetCapture(), app->hwnd);
}

TEST_F(MainWindow, RightClickPlacesABlockOnlyWhilePlaying) {
    int cell = -1;
    for (int i = 0; i < boardCellCount && cell < 0; ++i) {
        if (app->game.cells[i].code == 0 && !app->game.cellOccupied(i % 17, i / 17)) cell = i;
    }
    ASSERT_GE(cell, 0);
    app->game.blockTokens = 1;
    command(IDC_PAUSE);
    send(WM_RBUTTONDOWN, MK_RBUTTON, boardPoint(32 * (cell % 17) + 16, 32 * (cell / 17) + 16));
    EXPECT_EQ(app->game.blockTokens, 1);
    command(IDC_PAUSE);
    send(WM_RBUTTONDOWN, MK_RBUTTON, boardPoint(32 * (cell % 17) + 16, 32 * (cell / 17) + 16));
    EXPECT_EQ(app->game.blockTokens, 0);
    EXPECT_NE(app->game.cells[cell].code, 0);
}

}  // namespace
}  // namespace corvale::testing
