#include "entry_point.h"

#include <exception>

#include "command_line.h"
#include "embedded_levels.h"
#include "text.h"
#include "win32_api.h"

namespace corvale {
namespace {

void messageBoxChannel(const std::wstring& text) { MessageBoxW(nullptr, text.c_str(), L"Corvale Error", MB_ICONERROR); }

void debugOutputChannel(const std::wstring& line) { OutputDebugStringW(line.c_str()); }

}  // namespace

ErrorChannels defaultErrorChannels() { return {messageBoxChannel, debugOutputChannel}; }

int reportFatalError(const ErrorChannels& channels, const std::string& what, bool headless) {
    const std::wstring text = utf8ToWide(what);
    if (!headless) channels.showErrorBox(text);
    channels.writeDebugLine(L"Corvale: " + text + L"\n");
    return 1;
}

int runEntryPoint(HINSTANCE instance, int showCommand, const ErrorChannels& channels) {
    bool headless = false;  // known only once the command line has been read
    try {
        makeProcessDpiAware();
        LaunchOptions options = parseCommandLine();
        headless = isHeadless(options);
        (void)showCommand;
        const std::vector<Level> levels = loadEmbeddedLevels(instance);
        (void)levels;
        return 0;
    } catch (const std::exception& error) {
        return reportFatalError(channels, error.what(), headless);
    }
}

}  // namespace corvale
