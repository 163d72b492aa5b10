// The command line as the program understands it. The parsing is portable
// so it can be tested natively; parseCommandLine (Windows) only splits the
// process's own command line and hands the arguments here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvale {

struct LaunchOptions {
    bool smokeTest = false;        // "--smoke-test"
    std::wstring screenshotPath;   // "--screenshot FILE"; empty = no screenshot
    std::int32_t difficulty = -1;  // "--difficulty 0..4"; -1 = not given
    std::int32_t level = -1;       // "--level INDEX"; -1 = not given
    std::uint32_t seed = 0;        // "--seed NUMBER"; 0 = not given
    double advanceSeconds = 0.0;   // "--advance SECONDS" of headless simulation
};

// A run without a window: a smoke test or a screenshot was asked for.
bool isHeadless(const LaunchOptions& options);

// Arguments after the program name, left to right. Throws std::runtime_error
// (unknown option, missing value, values out of range) or the conversion
// errors std::invalid_argument / std::out_of_range with their usual texts.
LaunchOptions parseLaunchArguments(const std::vector<std::wstring>& arguments);

// The standard conversions with the messages callers rely on on every
// platform ("invalid stoi argument", "stoul argument out of range", ...).
// stringToUnsigned32 behaves like a 32-bit strtoul: "-1" is 4294967295.
std::int32_t stringToInt(const std::wstring& text);
std::uint32_t stringToUnsigned32(const std::wstring& text);
double stringToDouble(const std::wstring& text);

}  // namespace corvale
