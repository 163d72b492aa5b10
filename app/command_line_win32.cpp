#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <memory>
#include <stdexcept>

#include "command_line.h"

namespace corvale {
namespace {

struct LocalFreeDeleter {
    void operator()(LPWSTR* arguments) const { LocalFree(arguments); }
};

}  // namespace

LaunchOptions parseCommandLine() {
    int count = 0;
    // Owned at once so that every path out, the throwing ones included, frees the array.
    std::unique_ptr<LPWSTR, LocalFreeDeleter> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments) throw std::runtime_error("The command line could not be read.");
    std::vector<std::wstring> values;
    for (int i = 1; i < count; ++i) values.emplace_back(arguments.get()[i]);
    return parseLaunchArguments(values);
}

}  // namespace corvale
