// The command line is typed by anyone: any argument list is either refused
// with one of the documented messages or gives options in range that,
// written back out as arguments, parse to the same options. The number
// conversions also turn their own written values back into the same numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "launch_options.h"

namespace {

using corvale::LaunchOptions;
using corvale::fuzz::check;
using corvale::fuzz::oneOf;

// Arguments are separated by NUL bytes; bytes become characters one for one,
// and 0xFF takes the next two bytes as one character beyond Latin-1.
std::vector<std::wstring> argumentsFrom(const std::uint8_t* data, std::size_t size) {
    std::vector<std::wstring> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else if (data[i] == 0xFF && i + 2 < size) {
            arguments.back().push_back(static_cast<wchar_t>(data[i + 1] << 8 | data[i + 2]));
            i += 2;
        } else {
            arguments.back().push_back(static_cast<wchar_t>(data[i]));
        }
    }
    if (size == 0) arguments.clear();
    return arguments;
}

std::wstring doubleText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return std::wstring(buffer, buffer + std::strlen(buffer));
}

std::vector<std::wstring> argumentsOf(const LaunchOptions& o) {
    std::vector<std::wstring> a;
    if (o.smokeTest) a.push_back(L"--smoke-test");
    if (!o.screenshotPath.empty()) a.insert(a.end(), {L"--screenshot", o.screenshotPath});
    if (o.difficulty != -1) a.insert(a.end(), {L"--difficulty", std::to_wstring(o.difficulty)});
    if (o.level != -1) a.insert(a.end(), {L"--level", std::to_wstring(o.level)});
    if (o.seed != 0) a.insert(a.end(), {L"--seed", std::to_wstring(o.seed)});
    a.insert(a.end(), {L"--advance", doubleText(o.advanceSeconds)});
    return a;
}

bool same(const LaunchOptions& a, const LaunchOptions& b) {
    return a.smokeTest == b.smokeTest && a.screenshotPath == b.screenshotPath && a.difficulty == b.difficulty &&
           a.level == b.level && a.seed == b.seed && a.advanceSeconds == b.advanceSeconds;
}

void checkConversions(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return;
    std::int32_t i;
    std::uint32_t u;
    std::uint64_t bits;
    std::memcpy(&i, data, 4);
    std::memcpy(&u, data + 4, 4);
    std::memcpy(&bits, data + (size >= 16 ? 8 : 0), 8);
    check(corvale::stringToInt(std::to_wstring(i)) == i, "stoi reads its written value");
    check(corvale::stringToUnsigned32(std::to_wstring(u)) == u, "stoul reads its written value");
    check(corvale::stringToUnsigned32(L"-" + std::to_wstring(u)) == 0u - u, "stoul negates like strtoul");
    double d;
    std::memcpy(&d, &bits, 8);
    if (std::isnormal(d) || d == 0) {
        check(corvale::stringToDouble(doubleText(d)) == d, "stod reads its written value");
    } else if (std::isfinite(d)) {
        // Like strtod and std::stod: a result that underflows is out of range.
        try {
            corvale::stringToDouble(doubleText(d));
            corvale::fuzz::fail("a subnormal value is refused as out of range");
        } catch (const std::out_of_range&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkConversions(data, size);
    LaunchOptions options;
    try {
        options = corvale::parseLaunchArguments(argumentsFrom(data, size));
    } catch (const std::invalid_argument& error) {
        check(oneOf(error.what(), {"invalid stoi argument", "invalid stoul argument", "invalid stod argument"}),
              "a bad number says which conversion refused it");
        return 0;
    } catch (const std::out_of_range& error) {
        check(oneOf(error.what(),
                    {"stoi argument out of range", "stoul argument out of range", "stod argument out of range"}),
              "a number out of range says which conversion refused it");
        return 0;
    } catch (const std::runtime_error& error) {
        check(oneOf(error.what(), {"Unknown option. Supported: --smoke-test, --screenshot FILE.bmp, --difficulty "
                                   "0..4, --level INDEX, --seed NUMBER, --advance SECONDS.",
                                   "A command-line option is missing its value.",
                                   "Command-line values are outside the supported range."}),
              "a refused command line uses one of the documented messages");
        return 0;
    }
    check(options.difficulty >= -1 && options.difficulty <= 4, "difficulty in range");
    check(options.level >= -1, "level not below -1");
    check(std::isfinite(options.advanceSeconds) && options.advanceSeconds >= 0 && options.advanceSeconds <= 600,
          "advance in range");
    check(!corvale::isHeadless(options) || options.seed != 0, "a headless run has a seed");
    check(same(corvale::parseLaunchArguments(argumentsOf(options)), options), "written back, parses the same");
    return 0;
}
