// Start-up made to fail at every step that asks Windows for something: the
// error must reach the entry point with its own message and exit code 1, and
// every handle taken before it must be given back.
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "entry_point.h"
#include "handle_counts.h"
#include "text.h"

namespace corvale::testing {
namespace {

constexpr const char* surfaces = "Windows could not allocate the drawing surfaces.";
constexpr const char* ballArtwork = "Windows could not prepare transparent ball artwork.";
constexpr const char* gameControls = "The game controls could not be created.";

// Every step of a headless start-up, in order: the level resource, then the
// Renderer (one step for each of its five memory contexts).
const std::vector<std::string> headlessSteps = {
    "The original level resource is missing from this executable.",
    "The original level resource could not be read.",
    "The embedded original sprite atlas could not be loaded.",
    "The embedded sprite atlas has unexpected dimensions.",
    surfaces,
    surfaces,
    surfaces,
    surfaces,
    surfaces,
    ballArtwork,
    ballArtwork,
    "Windows could not allocate the game image.",
    "Windows could not allocate the board background.",
    "Windows could not create the ink pen.",
};

// What a windowed start-up adds: the window and, inside its creation, the
// menu items and the pen cursor; then the shortcuts and the message loop.
const std::vector<std::string> windowSteps = {
    "The Corvale window class could not be registered.",
    "The Corvale window could not be created.",
    "The statistics menu could not be created.",
    "The board browser menu could not be created.",
    gameControls,
    gameControls,
    gameControls,
    "Windows could not create the pen cursor.",
    "Windows could not create the pen cursor mask.",
    "Windows could not create the pen pointer.",
    "The Corvale keyboard shortcuts could not be loaded.",
    "The Windows message loop failed.",
};

std::vector<std::wstring> errorBoxes;
std::vector<std::wstring> debugLines;
LaunchOptions launchOptions;

void recordErrorBox(const std::wstring& text) {
    errorBoxes.push_back(text);
}
void recordDebugLine(const std::wstring& line) {
    debugLines.push_back(line);
}
LaunchOptions givenOptions() {
    return launchOptions;
}

// Closes the main window from inside its own message loop, so a start-up
// that succeeds also ends.
void CALLBACK closeMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = FindWindowW(mainWindowClass, nullptr);
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
    KillTimer(nullptr, timer);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

class StartupFaultsTest : public ::testing::Test {
   protected:
    void SetUp() override { shownBoxes.clear(); }

    // Runs the entry point in-process with step `failAt` refused (0: none).
    int start(const LaunchOptions& options, int failAt) {
        errorBoxes.clear();
        debugLines.clear();
        launchOptions = options;
        faults = StartupFaults{failAt, 0};
        ShellHooks hooks = systemShellHooks();
        hooks.messageBox = recordBox;
        hooks.startupFaults = &faults;
        if (failAt == 0 && !isHeadless(options)) SetTimer(nullptr, 0, 20, closeMainWindow);
        return runEntryPoint(GetModuleHandleW(nullptr), SW_HIDE, {recordErrorBox, recordDebugLine}, givenOptions,
                             hooks);
    }

    // Each step refused in turn must fail with its message, as the entry
    // point reports it, and leave the handle counts where they were.
    void expectEveryStepFailsCleanly(const LaunchOptions& options, const std::vector<std::string>& steps,
                                     bool windowed) {
        const HandleCounts before = countHandles();
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const int step = static_cast<int>(i) + 1;
            // Not SCOPED_TRACE: its first use starts a thread with handles of its own.
            const std::string where = "step " + std::to_string(step) + ": " + steps[i];
            EXPECT_EQ(start(options, step), 1) << where;
            EXPECT_EQ(faults.reached, step) << where;
            const std::wstring message = utf8ToWide(steps[i]);
            EXPECT_EQ(debugLines, std::vector<std::wstring>{L"Corvale: " + message + L"\n"}) << where;
            EXPECT_EQ(errorBoxes, windowed ? std::vector<std::wstring>{message} : std::vector<std::wstring>{}) << where;
            EXPECT_TRUE(shownBoxes.empty()) << where << ": the window procedure showed a second box";
            const HandleCounts after = countHandlesExpecting(before);
            EXPECT_EQ(after, before) << where << ": before " << describe(before) << ", after " << describe(after);
        }
    }

    StartupFaults faults;
    TemporaryLocalAppData localAppData;
};

TEST_F(StartupFaultsTest, HeadlessStartUpFailsAtEveryStepWithItsMessageAndNothingHeld) {
    LaunchOptions smoke;
    smoke.smokeTest = true;
    smoke.seed = 1;
    // The first runs take what lasts for the process (stock objects, caches,
    // the thread's message queue that the error path looks into).
    ASSERT_EQ(start(smoke, 0), 0);
    EXPECT_EQ(faults.reached, static_cast<int>(headlessSteps.size())) << "a step without a failure test";
    ASSERT_EQ(start(smoke, 1), 1);
    const HandleCounts settled = countHandles();

    expectEveryStepFailsCleanly(smoke, headlessSteps, false);

    ASSERT_EQ(start(smoke, 0), 0);
    EXPECT_EQ(countHandlesExpecting(settled), settled) << "a whole headless run holds on to something";
    // Printed last: Wine's first output to a pipe opens handles of its own.
    std::cout << "handle counts (" << handleCountSource() << "): " << describe(settled) << std::endl;
}

TEST_F(StartupFaultsTest, WindowedStartUpFailsAtEveryStepWithOneBoxAndNothingHeld) {
    const LaunchOptions windowed;  // no options: the window and its loop
    ASSERT_EQ(start(windowed, 0), 0);
    const HandleCounts settled = countHandles();

    std::vector<std::string> steps = headlessSteps;
    steps.insert(steps.end(), windowSteps.begin(), windowSteps.end());
    expectEveryStepFailsCleanly(windowed, steps, true);

    ASSERT_EQ(start(windowed, 0), 0);
    EXPECT_GE(faults.reached, static_cast<int>(steps.size()));
    EXPECT_EQ(countHandlesExpecting(settled), settled) << "a whole windowed run holds on to something";
}

// The counts must see a leak, or the tests above prove nothing.
TEST(HandleCounts, SeeOneMoreObjectOfEachKind) {
    const HandleCounts before = countHandles();
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HMENU menu = CreateMenu();
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HandleCounts oneMore{before.gdi + 1, before.user + 1, before.kernel + 1};
    const HandleCounts held = countHandlesExpecting(oneMore);
    DeleteObject(bitmap);
    DestroyMenu(menu);
    CloseHandle(event);
    EXPECT_EQ(held, oneMore) << "before " << describe(before) << ", held " << describe(held);
    EXPECT_EQ(countHandlesExpecting(before), before);
}

}  // namespace
}  // namespace corvale::testing
