#include "launch_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace corvale {
namespace {

LaunchOptions parse(std::vector<std::wstring> arguments) {
    return parseLaunchArguments(arguments);
}

template <typename Error>
std::string messageOf(std::vector<std::wstring> arguments) {
    try {
        parse(arguments);
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error of the expected type)";
}

const std::string rangeMessage = "Command-line values are outside the supported range.";

TEST(LaunchOptions, DefaultsWithoutArguments) {
    const LaunchOptions options = parse({});
    EXPECT_FALSE(options.smokeTest);
    EXPECT_TRUE(options.screenshotPath.empty());
    EXPECT_EQ(options.difficulty, -1);
    EXPECT_EQ(options.level, -1);
    EXPECT_EQ(options.seed, 0u);  // a windowed run keeps the clock seed
    EXPECT_EQ(options.advanceSeconds, 0.0);
    EXPECT_FALSE(isHeadless(options));
}

TEST(LaunchOptions, ValuesAreTakenWhateverTheyLookLike) {
    const LaunchOptions options = parse({L"--screenshot", L"--seed", L"--level", L"7abc", L"--difficulty", L" 4"});
    EXPECT_EQ(options.screenshotPath, L"--seed");
    EXPECT_EQ(options.level, 7);
    EXPECT_EQ(options.difficulty, 4);
    EXPECT_TRUE(isHeadless(options));
    EXPECT_EQ(options.seed, 1u);  // headless runs never keep seed 0
}

TEST(LaunchOptions, LastValueWinsAndEmptyScreenshotIsNotHeadless) {
    const LaunchOptions options = parse({L"--level", L"3", L"--level", L"9", L"--screenshot", L""});
    EXPECT_EQ(options.level, 9);
    EXPECT_FALSE(isHeadless(options));
    EXPECT_EQ(options.seed, 0u);
}

TEST(LaunchOptions, SmokeTestWithSeedZeroRunsWithSeedOne) {
    EXPECT_EQ(parse({L"--smoke-test", L"--seed", L"0"}).seed, 1u);
    EXPECT_EQ(parse({L"--smoke-test", L"--seed", L"7"}).seed, 7u);
}

TEST(LaunchOptions, UnknownOptionsAreRejectedExactly) {
    const std::string unknown =
        "Unknown option. Supported: --smoke-test, --screenshot FILE.bmp, --difficulty 0..4, --level INDEX, "
        "--seed NUMBER, --advance SECONDS.";
    EXPECT_EQ(messageOf<std::runtime_error>({L"--Seed", L"1"}), unknown);
    EXPECT_EQ(messageOf<std::runtime_error>({L"-seed", L"1"}), unknown);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--SMOKE-TEST"}), unknown);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--smoke-test", L"extra"}), unknown);
}

TEST(LaunchOptions, MissingValue) {
    EXPECT_EQ(messageOf<std::runtime_error>({L"--screenshot"}), "A command-line option is missing its value.");
    EXPECT_EQ(messageOf<std::runtime_error>({L"--seed", L"3", L"--advance"}),
              "A command-line option is missing its value.");
}

TEST(LaunchOptions, RangeChecks) {
    EXPECT_EQ(messageOf<std::runtime_error>({L"--difficulty", L"5"}), rangeMessage);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--difficulty", L"-2"}), rangeMessage);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--level", L"-2"}), rangeMessage);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--advance", L"600.5"}), rangeMessage);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--advance", L"-1"}), rangeMessage);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--advance", L"nan"}), rangeMessage);
    EXPECT_EQ(messageOf<std::runtime_error>({L"--advance", L"inf"}), rangeMessage);
    EXPECT_EQ(parse({L"--difficulty", L"-1", L"--level", L"-1"}).difficulty, -1);
    EXPECT_EQ(parse({L"--advance", L"600"}).advanceSeconds, 600.0);
    EXPECT_EQ(parse({L"--level", L"100000"}).level, 100000);  // existence is checked at start-up
}

TEST(LaunchOptions, ConversionMessages) {
    EXPECT_EQ(messageOf<std::invalid_argument>({L"--difficulty", L"x"}), "invalid stoi argument");
    EXPECT_EQ(messageOf<std::invalid_argument>({L"--level", L""}), "invalid stoi argument");
    EXPECT_EQ(messageOf<std::out_of_range>({L"--level", L"2147483648"}), "stoi argument out of range");
    EXPECT_EQ(messageOf<std::invalid_argument>({L"--seed", L"--"}), "invalid stoul argument");
    EXPECT_EQ(messageOf<std::out_of_range>({L"--seed", L"4294967296"}), "stoul argument out of range");
    EXPECT_EQ(messageOf<std::invalid_argument>({L"--advance", L"."}), "invalid stod argument");
    EXPECT_EQ(messageOf<std::out_of_range>({L"--advance", L"1e999"}), "stod argument out of range");
}

TEST(NumberConversions, UnsignedBehavesAsThirtyTwoBitStrtoul) {
    EXPECT_EQ(stringToUnsigned32(L"-1"), 4294967295u);
    EXPECT_EQ(stringToUnsigned32(L"-4294967295"), 1u);
    EXPECT_EQ(stringToUnsigned32(L"4294967295"), 4294967295u);
    EXPECT_EQ(stringToUnsigned32(L"  +12z"), 12u);
    EXPECT_THROW(stringToUnsigned32(L"-4294967296"), std::out_of_range);
    EXPECT_THROW(stringToUnsigned32(L"99999999999999999999999"), std::out_of_range);
    EXPECT_THROW(stringToUnsigned32(L"+-1"), std::invalid_argument);
}

TEST(NumberConversions, DoublesFollowTheCRules) {
    EXPECT_EQ(stringToDouble(L" 2.5s"), 2.5);
    EXPECT_EQ(stringToDouble(L"0x10"), 16.0);
    EXPECT_TRUE(std::isnan(stringToDouble(L"nan")));
    EXPECT_EQ(stringToDouble(L"1e2"), 100.0);
    EXPECT_THROW(stringToDouble(L"\u00e9"), std::invalid_argument);
    EXPECT_EQ(stringToInt(L"\t-42"), -42);
}

}  // namespace
}  // namespace corvale
