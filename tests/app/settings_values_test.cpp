// The rules that turn what "settings.ini" holds into settings.
#include "settings_values.h"

#include <gtest/gtest.h>

#include <utility>

namespace corvale {
namespace {

TEST(SettingsValues, HighScoreIsAWholeUnsignedNumberOrTheDefault) {
    const std::pair<const wchar_t*, std::uint64_t> cases[] = {
        {L"", 0},
        {L"42", 42},
        {L"+42", 42},
        {L" \t7", 7},
        {L"-1", 5000},
        {L" -5", 5000},
        {L"\t-0", 5000},
        {L"7 ", 5000},
        {L"0x10", 5000},
        {L"18446744073709551615", 18446744073709551615ull},
        {L"18446744073709551616", 5000},
        {L"   ", 5000},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(highScoreSetting(text), expected) << text;
}

TEST(SettingsValues, DifficultyAndStrokeLimitRanges) {
    EXPECT_EQ(difficultySetting(-7), 0);
    EXPECT_EQ(difficultySetting(3), 3);
    EXPECT_EQ(difficultySetting(5), 4);
    EXPECT_EQ(strokeLimitSetting(0), 20);
    EXPECT_EQ(strokeLimitSetting(1), 1);
    EXPECT_EQ(strokeLimitSetting(4096), 4096);
    EXPECT_EQ(strokeLimitSetting(4097), 20);
}

}  // namespace
}  // namespace corvale
