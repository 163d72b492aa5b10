#include "launch_options.h"

#include <cmath>
#include <stdexcept>

namespace corvale {

bool isHeadless(const LaunchOptions& options) {
    return options.smokeTest || !options.screenshotPath.empty();
}

LaunchOptions parseLaunchArguments(const std::vector<std::wstring>& arguments) {
    LaunchOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& option = arguments[i];
        const bool known = option == L"--smoke-test" || option == L"--screenshot" || option == L"--difficulty" ||
                           option == L"--level" || option == L"--seed" || option == L"--advance";
        if (!known) {
            throw std::runtime_error(
                "Unknown option. Supported: --smoke-test, --screenshot FILE.bmp, --difficulty 0..4, --level INDEX, "
                "--seed NUMBER, --advance SECONDS.");
        }
        if (option == L"--smoke-test") {
            options.smokeTest = true;
            continue;
        }
        if (i + 1 >= arguments.size()) throw std::runtime_error("A command-line option is missing its value.");
        const std::wstring& value = arguments[++i];
        if (option == L"--screenshot") {
            options.screenshotPath = value;
        } else if (option == L"--difficulty") {
            options.difficulty = stringToInt(value);
        } else if (option == L"--level") {
            options.level = stringToInt(value);
        } else if (option == L"--seed") {
            options.seed = stringToUnsigned32(value);
        } else {
            options.advanceSeconds = stringToDouble(value);
        }
    }
    const bool inRange = options.difficulty >= -1 && options.difficulty <= 4 && options.level >= -1 &&
                         std::isfinite(options.advanceSeconds) && options.advanceSeconds >= 0.0 &&
                         options.advanceSeconds <= 600.0;
    if (!inRange) throw std::runtime_error("Command-line values are outside the supported range.");
    if (isHeadless(options) && options.seed == 0) options.seed = 1;
    return options;
}

}  // namespace corvale
