#include "statistics_table.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace corvale {
namespace {

// Our texts are ASCII; widening byte by byte is exact.
std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

template <typename Number>
std::wstring formatted(Number value, int decimals, const char* suffix) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    if (decimals >= 0) out << std::fixed << std::setprecision(decimals);
    out << value << suffix;
    return widen(out.str());
}

StatisticsTable::Row rowFor(const CompletedBoard& board) {
    return {formatted(board.boardId, -1, ""),
            formatted(board.time, 2, " s"),
            board.timeLimit == 0 ? std::wstring(L"Unlimited") : formatted(board.timeLimit, -1, " s"),
            formatted(board.points, -1, ""),
            formatted(board.possiblePoints, -1, ""),
            formatted(board.inkLength, 1, "")};
}

}  // namespace

StatisticsTable buildStatisticsTable(std::span<const CompletedBoard> boards) {
    StatisticsTable table;
    table.columns = {L"Board ID", L"Time used", L"Time available", L"Points obtained", L"Maximum points available",
                     L"Ink drawn (px)"};
    table.rows.reserve(boards.size());
    for (const CompletedBoard& board : boards) table.rows.push_back(rowFor(board));
    return table;
}

}  // namespace corvale
