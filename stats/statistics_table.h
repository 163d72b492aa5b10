// The completed-boards table of the statistics page, as display text.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "completed_board.h"

namespace corvale {

inline constexpr int statisticsTableColumnCount = 6;

struct StatisticsTable {
    using Row = std::array<std::wstring, statisticsTableColumnCount>;
    Row columns;            // column titles
    std::vector<Row> rows;  // one row per completed board, oldest first

    friend bool operator==(const StatisticsTable&, const StatisticsTable&) = default;
};

// Numbers are formatted in the classic convention (period, no grouping)
// whatever the process locale is.
StatisticsTable buildStatisticsTable(std::span<const CompletedBoard> boards);

}  // namespace corvale
