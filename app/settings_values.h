// How the values read from "settings.ini" become settings: the ranges and
// fallbacks, apart from the profile functions that fetch the text, so the
// rules can be tested and fuzzed on any platform.
#pragma once

#include <cstdint>
#include <string>

namespace corvale {

inline constexpr std::uint64_t settingsDefaultHighScore = 5000;
inline constexpr std::int32_t settingsDefaultStrokeLimit = 20;

// "Difficulty": 5 or more reads as 4, below 0 as 0.
std::int32_t difficultySetting(std::int32_t stored);

// "StrokeLimit": 1..4096 is kept, anything else reads as 20.
std::int32_t strokeLimitSetting(std::int32_t stored);

// "HighScore": an unsigned decimal number (wcstoull's rules, base 10) that
// fills the whole text and does not begin with "-"; anything else keeps
// 5000. An empty text reads as 0.
std::uint64_t highScoreSetting(const std::wstring& text);

}  // namespace corvale
