// A real Application with its main window, created in-process for tests.
// Message boxes are answered by a recorder instead of a person, and the
// pointer look-ups can be replaced to stand in for a pen.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "application.h"

namespace corvale::testing {

struct ShownBox {
    std::wstring text;
    std::wstring caption;
    UINT style;
};

inline std::vector<ShownBox> shownBoxes;

inline int recordBox(HWND, const wchar_t* text, const wchar_t* caption, UINT style) {
    shownBoxes.push_back({text, caption, style});
    return IDOK;
}

// A fresh, empty LOCALAPPDATA for one test, removed afterwards.
class TemporaryLocalAppData {
   public:
    TemporaryLocalAppData() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        path = std::filesystem::path(base) / (L"corvale-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++));
        std::filesystem::create_directories(path);
        SetEnvironmentVariableW(L"LOCALAPPDATA", path.c_str());
    }
    ~TemporaryLocalAppData() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path dataFolder() const { return path / L"Corvale-Reconstructed"; }
    std::filesystem::path path;

   private:
    static inline int counter = 0;
};

class AppFixture : public ::testing::Test {
   protected:
    void SetUp() override {
        shownBoxes.clear();
        ShellHooks hooks = systemShellHooks();
        hooks.messageBox = recordBox;
        customizeHooks(hooks);
        LaunchOptions options;
        options.seed = 7;
        app = std::make_unique<Application>(GetModuleHandleW(nullptr), options, hooks);
        app->createMainWindow(SW_HIDE);  // mapping and unmapping X windows costs seconds under Wine
        // No window manager under Xvfb: make the state explicit.
        send(WM_ACTIVATEAPP, TRUE, 0);
        drainMessages();
    }
    void TearDown() override {
        if (app && app->hwnd) DestroyWindow(app->hwnd);
        drainMessages();
        app.reset();
    }
    virtual void customizeHooks(ShellHooks&) {}

    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageW(app->hwnd, message, wParam, lParam);
    }
    LRESULT command(int id) { return send(WM_COMMAND, static_cast<WPARAM>(id), 0); }
    // Client point of a board pixel (the window is exactly 544 x 586 at 96 DPI).
    static LPARAM boardPoint(int x, int y) { return MAKELPARAM(x, y + 42); }
    POINT screenPointOfBoard(int x, int y) const {
        POINT p{x, y + 42};
        ClientToScreen(app->hwnd, &p);
        return p;
    }
    std::wstring windowTitle() const {
        wchar_t text[256] = {};
        GetWindowTextW(app->hwnd, text, 256);
        return text;
    }
    // Handles what is queued (paints, posted notices), never waiting.
    void drainMessages() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            if (message.message == WM_TIMER) continue;  // ticks are driven by the tests themselves
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    TemporaryLocalAppData localAppData;
    std::unique_ptr<Application> app;
};

}  // namespace corvale::testing
