#include "entry_point.h"

#include <exception>
#include <memory>

#include "application.h"
#include "command_line.h"
#include "text.h"
#include "win32_api.h"

namespace corvale {
namespace {

void messageBoxChannel(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), L"Corvale Error", MB_ICONERROR);
}

void debugOutputChannel(const std::wstring& line) {
    OutputDebugStringW(line.c_str());
}

}  // namespace

ErrorChannels defaultErrorChannels() {
    return {messageBoxChannel, debugOutputChannel};
}

int reportFatalError(const ErrorChannels& channels, const std::string& what, bool headless) {
    const std::wstring text = utf8ToWide(what);
    if (!headless) channels.showErrorBox(text);
    channels.writeDebugLine(L"Corvale: " + text + L"\n");
    return 1;
}

int runEntryPoint(HINSTANCE instance, int showCommand, const ErrorChannels& channels) {
    return runEntryPoint(instance, showCommand, channels, parseCommandLine, systemShellHooks());
}

int runEntryPoint(HINSTANCE instance, int showCommand, const ErrorChannels& channels, CommandLineReader readCommandLine,
                  const ShellHooks& hooks) {
    bool headless = false;  // known only once the command line has been read
    std::unique_ptr<Application> app;
    try {
        makeProcessDpiAware();
        LaunchOptions options = readCommandLine();
        headless = isHeadless(options);
        app = std::make_unique<Application>(instance, std::move(options), hooks);
        if (headless) return app->runHeadless();
        app->createMainWindow(showCommand);
        return app->runMessageLoop();
    } catch (const std::exception& error) {
        if (app && app->hwnd) {
            // The game must not run on behind the box, and a pending quit
            // message would dismiss the box at once.
            app->failed = true;
            DestroyWindow(app->hwnd);
        }
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        return reportFatalError(channels, error.what(), headless);
    }
}

}  // namespace corvale
