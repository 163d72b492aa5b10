// The one Application of the process: the loaded boards inside the Game, the
// Renderer, the player's settings, the parsed command line and, in a windowed
// run, the main window with its input, frame clock and pause rule.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "game.h"
#include "launch_options.h"
#include "pen_cursor.h"
#include "renderer.h"
#include "settings.h"
#include "shell_hooks.h"

namespace corvale {

inline constexpr UINT_PTR gameTimerId = 1;
inline constexpr UINT gameTimerMilliseconds = 15;
inline constexpr UINT gameOverNotice = WM_APP + 1;
inline constexpr wchar_t mainWindowClass[] = L"Corvale.Reconstructed.Window";

// The accelerator table of the main window, destroyed with it.
struct AcceleratorTable {
    HACCEL handle = nullptr;
    AcceleratorTable() = default;
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    ~AcceleratorTable() {
        if (handle) DestroyAcceleratorTable(handle);
    }
};

class Application {
   public:
    Application(HINSTANCE module, LaunchOptions launchOptions, ShellHooks shellHooks = systemShellHooks());
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    int runHeadless();

    // ---- Main window ----
    void createMainWindow(int showCommand);
    int runMessageLoop();
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK staticWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void startNewGame(int newDifficulty);
    void showStatistics();
    void browseBoards();
    static UINT windowDpi(HWND window);

    // ---- Input ----
    bool handlePointerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void endPointerStroke();

    // ---- Frame clock, pause and title ----
    void updatePauseState();
    void updateGameTimer();
    void updateMenuChecks();
    void updateTitle();
    void onGameTimer(WPARAM timerId);
    void countPaint();
    void restartFpsMeasurement();

    // ---- Settings and messages ----
    bool saveSettings();
    void showGameOver();
    void showHelp();
    void showAbout();

    // ---- State (declaration order is release order, reversed) ----
    HINSTANCE instance = nullptr;
    HWND hwnd = nullptr;               // the main window, set in WM_CREATE, cleared at WM_NCDESTROY
    std::optional<Renderer> renderer;  // built after the Game, as start-up requires
    Game game;
    Settings settings;
    LaunchOptions options;
    std::wstring title;              // string 15000, or "Corvale"
    bool mouseDrawing = false;       // a stroke is drawn with the left button; we hold the capture
    std::uint32_t penPointerId = 0;  // the pen drawing the current stroke (valid while penDrawing)
    bool penDrawing = false;         // a stroke is drawn with that pen
    bool userPaused = false;         // the player chose Pause
    bool appActive = true;           // the application is the active one
    bool inMenuLoop = false;         // a menu is open
    bool inSizeMove = false;         // the window is being moved
    bool minimized = false;
    bool modalOpen = false;        // a modal box or dialog of ours is showing
    bool gameOverPending = false;  // the game-over notice is posted and not yet handled
    bool failed = false;           // an error escaped the window procedure
    bool timerRunning = false;     // timer 1 is set
    bool frameDirty = true;        // render again at the next paint
    PenCursor penCursor;
    std::wstring lastTitle;             // text last given to SetWindowTextW
    std::uint32_t fpsFrameCount = 0;    // paints in the current measuring window
    double measuredFps = 0.0;           // last measured paints per second; 0 = none yet
    std::int64_t counterFrequency = 0;  // performance-counter ticks per second; 0 = none
    std::int64_t lastTickCounter = 0;   // reading at the last tick or clock reset
    std::int64_t fpsWindowStart = 0;    // reading at the start of the measuring window
    ShellHooks hooks;                   // message boxes and pen look-ups
    AcceleratorTable accelerators;
    int headlessSteps = 0;  // steps taken by the last advance (observable by tests)

   private:
    void runCommand(int id);
    void openModal();
    void closeModal();
    void redraw();
    void invalidate();
    LRESULT onCreate();
    LRESULT onClose();
    LRESULT onPaint();
    LRESULT onSetCursor(WPARAM wParam, LPARAM lParam);
    void onMinMaxInfo(MINMAXINFO& info);
    void addMenuItems();
    void onLeftButtonDown(LPARAM lParam);
    void onMouseMove(WPARAM wParam, LPARAM lParam);
    void onLeftButtonUp(LPARAM lParam);
    void onRightButtonDown(LPARAM lParam);
    void onCaptureChanged();
    void addPenPoint(POINT screenPoint);
    RECT clientRect() const;
    std::int64_t readCounter() const;
    int showBox(const std::wstring& text, const std::wstring& caption, UINT style);
};

// The three texts the shell shows besides errors.
std::wstring helpText();
std::wstring aboutText();
std::wstring loadStringOr(HINSTANCE module, UINT id, const wchar_t* fallback);

}  // namespace corvale
