// Browse Boards from the main window: the game pauses while the browser is
// open, and a chosen board starts as a new run.
#include <windows.h>

#include "app_fixture.h"
#include "browser_script.h"
#include "resource_ids.h"

namespace corvale::testing {
namespace {

using BrowseCommand = AppFixture;

TEST_F(BrowseCommand, PlayStartsTheChosenBoardAsANewRun) {
    app->game.startLevel(15, true);
    app->game.score = 1234;
    app->game.boardsCleared = 3;
    app->userPaused = true;
    app->updatePauseState();
    bool pausedMeanwhile = false;
    BrowserScript script({
        [&](BoardBrowser& b) {
            pausedMeanwhile = app->game.paused && app->modalOpen && !app->timerRunning && !IsWindowEnabled(app->hwnd);
            EXPECT_EQ(b.selection, 15u);
            command(IDC_BROWSE_BOARDS);  // ignored while the browser is open
            PostMessageW(b.controls[boardList], WM_CHAR, L'4', 1);
            PostMessageW(b.controls[boardList], WM_CHAR, L'2', 1);
        },
        [](BoardBrowser& b) {
            EXPECT_EQ(b.selection, 42u);
            pressKey(b, VK_RETURN);
        },
    });
    script.during([&] { command(IDC_BROWSE_BOARDS); });
    EXPECT_TRUE(pausedMeanwhile);
    EXPECT_EQ(app->game.boardId, 42);
    EXPECT_EQ(app->game.score, 0u);
    EXPECT_EQ(app->game.boardsCleared, 0);
    EXPECT_FALSE(app->userPaused);
    EXPECT_FALSE(app->modalOpen);
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(app->timerRunning);
    EXPECT_TRUE(IsWindowEnabled(app->hwnd));
    EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(BrowseCommand, EscClosesOnlyTheBrowserAndTheGameGoesOn) {
    app->game.startLevel(15, true);
    app->game.score = 1234;
    app->game.step(5.0);
    const Game before = app->game;
    BrowserScript script({[](BoardBrowser& b) {
        selectListRow(b, 300);
        pressKey(b, VK_ESCAPE);  // Exit's key in the main window
    }});
    script.during([&] { command(IDC_BROWSE_BOARDS); });
    ASSERT_TRUE(IsWindow(app->hwnd));
    EXPECT_EQ(app->game.boardId, 15);
    EXPECT_EQ(app->game.score, 1234u);
    EXPECT_EQ(app->game.boardAge, before.boardAge);
    EXPECT_EQ(app->game.balls.size(), before.balls.size());
    EXPECT_FALSE(app->modalOpen);
    EXPECT_FALSE(app->game.paused);
    EXPECT_TRUE(app->timerRunning);
}

}  // namespace
}  // namespace corvale::testing
