#include "mechanics_dialog.h"

#include <windows.h>

#include <functional>

#include "app_fixture.h"
#include "resource_ids.h"

namespace corvale::testing {
namespace {

// The dialog runs its own loop, so each test hands it a script that runs
// from a thread timer once the window is up. A step may set the next step,
// which runs after the messages it posted; after the last step the window is
// closed, so a failed expectation cannot hang the loop.
std::function<void(HWND)> pendingScript;

void CALLBACK runPendingScript(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(mechanicsWindowClass, nullptr);
    if (!dialog) return;
    KillTimer(nullptr, id);
    auto script = std::move(pendingScript);
    pendingScript = nullptr;
    script(dialog);
    if (pendingScript) {
        SetTimer(nullptr, 0, 1, runPendingScript);  // a next step, after what the step posted
        return;
    }
    if (IsWindow(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
}

HWND field(HWND dialog, int index) {
    return GetDlgItem(GetDlgItem(dialog, mechanicsPanelId), mechanicsFirstFieldId + index);
}

std::wstring textOf(HWND control) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return text;
}

void setField(HWND dialog, int index, const wchar_t* text) {
    SetWindowTextW(field(dialog, index), text);
}

void click(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring status(HWND dialog) {
    return textOf(GetDlgItem(GetDlgItem(dialog, mechanicsPanelId), mechanicsStatusId));
}

class MechanicsDialogTest : public AppFixture {
   protected:
    bool runWith(std::function<void(HWND)> script) {
        pendingScript = std::move(script);
        SetTimer(nullptr, 0, 1, runPendingScript);
        return runMechanicsDialog(app->hwnd, GetModuleHandleW(nullptr), app->game, recordBox);
    }
};

TEST_F(MechanicsDialogTest, OkWithoutEditsClosesAndReportsNothingApplied) {
    const Mechanics before = app->game.mechanics;
    bool ownerDisabled = false;
    const bool applied = runWith([&](HWND dialog) {
        ownerDisabled = !IsWindowEnabled(app->hwnd);
        EXPECT_EQ(SendMessageW(dialog, WM_USER, 0, 0), 0x534B0001);
        EXPECT_EQ(textOf(dialog), L"Board Mechanics - Corvale");
        EXPECT_EQ(status(dialog), L"No changes have been applied.");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, mechanicsApplyId)));
        EXPECT_EQ(textOf(field(dialog, 6)), L"400");
        click(dialog, IDOK);
        EXPECT_FALSE(IsWindow(dialog));
    });
    EXPECT_FALSE(applied);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(app->hwnd));
    EXPECT_EQ(app->game.mechanics, before);
    EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(MechanicsDialogTest, ApplyThenCancelKeepsTheAppliedValuesAndReportsThem) {
    const bool applied = runWith([&](HWND dialog) {
        setField(dialog, 0, L" 42 ");
        setField(dialog, 4, L"1.50");
        setField(dialog, 7, L"33");
        EXPECT_EQ(status(dialog), L"Pending edits. Apply uses these settings; Cancel discards these edits.");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, mechanicsApplyId)));
        click(dialog, mechanicsApplyId);
        EXPECT_EQ(status(dialog), L"Applied. Ink storage is saved across boards; Cancel keeps the applied values.");
        EXPECT_EQ(textOf(field(dialog, 0)), L"42");
        EXPECT_EQ(textOf(field(dialog, 4)), L"1.5");
        setField(dialog, 1, L"9");  // discarded by Cancel
        EXPECT_EQ(status(dialog), L"Pending edits. Cancel keeps the last applied settings.");
        click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(applied);
    EXPECT_EQ(app->game.mechanics.timeLimit, 42);
    EXPECT_EQ(app->game.mechanics.ballSpeedMultiplier, 1.5);
    EXPECT_NE(app->game.mechanics.launchInterval, 9);
    EXPECT_EQ(app->game.strokeLimit, 33);
    EXPECT_EQ(app->game.timeRemaining, 42.0);
}

TEST_F(MechanicsDialogTest, RestoreThenCancelChangesNothing) {
    std::string message;
    Mechanics changed = app->game.mechanics;
    changed.chevronBoost = 3;
    ASSERT_TRUE(app->game.applyMechanics(changed, message));
    const bool applied = runWith([&](HWND dialog) {
        EXPECT_EQ(textOf(field(dialog, 5)), L"3");
        click(dialog, mechanicsRestoreId);
        EXPECT_EQ(textOf(field(dialog, 5)), L"1");
        EXPECT_EQ(status(dialog), L"Original defaults loaded into the form. Choose Apply or OK to use them.");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, mechanicsApplyId)));
        click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(applied);
    EXPECT_EQ(app->game.mechanics, changed);
}

TEST_F(MechanicsDialogTest, BadInputWarnsFocusesTheFieldAndKeepsTheWindowOpen) {
    const Mechanics before = app->game.mechanics;
    runWith([&](HWND dialog) {
        setField(dialog, 2, L"12abc");
        click(dialog, IDOK);
        ASSERT_TRUE(IsWindow(dialog));
        ASSERT_EQ(shownBoxes.size(), 1u);
        EXPECT_EQ(shownBoxes[0].caption, L"Check Mechanics Settings");
        EXPECT_EQ(shownBoxes[0].text,
                  L"Enter a whole number from 1 to 1000 for minimum initial speed.\n\n"
                  L"Use a decimal point for fractional values.");
        EXPECT_EQ(GetFocus(), field(dialog, 2));
        EXPECT_EQ(textOf(field(dialog, 2)), L"12abc");  // the edit is kept for correcting

        click(dialog, IDCANCEL);
    });
    EXPECT_EQ(app->game.mechanics, before);
}

TEST_F(MechanicsDialogTest, AltLettersScrollTheirFieldIntoView) {
    runWith([](HWND dialog) {
        SetWindowPos(dialog, nullptr, 0, 0, 600, 420, SWP_NOZORDER | SWP_NOMOVE);
        PostMessageW(dialog, WM_SYSKEYDOWN, 'I', 1 << 29);  // Alt+I: stored ink strokes, far down
        pendingScript = [](HWND d) {
            HWND panel = GetDlgItem(d, mechanicsPanelId);
            HWND edit = field(d, 7);
            RECT panelRect{}, editRect{};
            GetClientRect(panel, &panelRect);
            GetWindowRect(edit, &editRect);
            MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&editRect), 2);
            EXPECT_EQ(GetFocus(), edit);
            EXPECT_GE(editRect.top, 0);
            EXPECT_LE(editRect.bottom, panelRect.bottom);
            EXPECT_GT(GetScrollPos(panel, SB_VERT), 0);
            // Back to the top with the scroll bar.
            SendMessageW(panel, WM_VSCROLL, SB_TOP, 0);
            EXPECT_EQ(GetScrollPos(panel, SB_VERT), 0);
            GetWindowRect(edit, &editRect);
            MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&editRect), 2);
            EXPECT_EQ(editRect.top, MulDiv(426, static_cast<int>(Application::windowDpi(d)), 96));
        };
    });
}

TEST_F(MechanicsDialogTest, CommandSavesTheStrokeLimitAndWarnsWhenItCannot) {
    pendingScript = [](HWND dialog) {
        setField(dialog, 7, L"64");
        click(dialog, IDOK);
    };
    SetTimer(nullptr, 0, 1, runPendingScript);
    app->settings.settingsPath.clear();  // no data folder: the save fails
    command(IDC_BOARD_MECHANICS);
    EXPECT_EQ(app->settings.strokeLimit, 64);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text, L"The ink storage setting could not be saved. It will still apply to this session.");
    EXPECT_FALSE(app->modalOpen);
    EXPECT_FALSE(app->game.paused);
}

TEST_F(MechanicsDialogTest, AQuitMessageEndsTheDialogAndReachesTheOuterLoop) {
    const bool applied = runWith([](HWND) { PostQuitMessage(7); });
    EXPECT_FALSE(applied);
    EXPECT_TRUE(IsWindowEnabled(app->hwnd));
    EXPECT_EQ(FindWindowW(mechanicsWindowClass, nullptr), nullptr);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

LRESULT CALLBACK refuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return FALSE;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(MechanicsDialogTest, AFormThatCannotBeBuiltThrowsWithTheOwnerEnabled) {
    // A class already registered counts as ours: this one refuses to create.
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof(refusing);
    refusing.lpfnWndProc = refuseCreation;
    refusing.hInstance = GetModuleHandleW(nullptr);
    refusing.lpszClassName = mechanicsPanelClass;
    UnregisterClassW(mechanicsPanelClass, GetModuleHandleW(nullptr));  // an earlier dialog registered the real one
    ASSERT_TRUE(RegisterClassExW(&refusing));
    try {
        runMechanicsDialog(app->hwnd, GetModuleHandleW(nullptr), app->game, recordBox);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Windows could not create the settings form.");
    }
    UnregisterClassW(mechanicsPanelClass, GetModuleHandleW(nullptr));
    EXPECT_TRUE(IsWindowEnabled(app->hwnd));
    EXPECT_EQ(FindWindowW(mechanicsWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace corvale::testing
