// What the board browser lists: one row of column texts per level, the
// filtered and sorted view of the level list, and the type-ahead search of
// the "ID" column. Portable, so the ordering rules are tested natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "level.h"

namespace corvale {

enum class SortOrder : int { ById = 0, TimeShortestFirst = 1, TimeLongestFirst = 2 };
enum class TypeFilter : int { AllTypes = 0, NormalOnly = 1, BonusOnly = 2 };

inline constexpr int browserColumnCount = 6;

// The six column texts of one level (ID, Difficulty, Type, Time allowed,
// Queued, On board), built once when the browser opens and handed to the
// list view by pointer, hence wide.
struct BrowserRow {
    std::array<std::wstring, browserColumnCount> columns;
};

// "Unlimited" for 0, else the seconds followed by " s".
std::string formatTimeAllowed(std::int32_t timeLimit);

// Cells whose primary code is a preplaced ball.
int preplacedBallCount(const Level& level);

BrowserRow makeBrowserRow(const Level& level);
std::vector<BrowserRow> makeBrowserRows(const std::vector<Level>& levels);

// Indices into `levels` of the levels passing the filters, in display order.
// difficulty -1 = all. Unlimited time (0) sorts as if it were infinite; equal
// times keep ascending ID order.
std::vector<std::size_t> filterLevels(const std::vector<Level>& levels, int difficulty, TypeFilter type,
                                      SortOrder order);

// The first shown row at or after `start` (negative = 0) whose "ID" text is
// `text` (or begins with it when `partial`), continuing from the top when
// `wrap`; -1 when none matches.
int findTypeAhead(const std::vector<BrowserRow>& rows, const std::vector<std::size_t>& shown, const std::wstring& text,
                  int start, bool partial, bool wrap);

// ASCII text widened character by character, as the window system wants it.
std::wstring widenAscii(const std::string& text);

}  // namespace corvale
