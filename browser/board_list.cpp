#include "board_list.h"

#include <algorithm>
#include <cstdint>

namespace corvale {
namespace {

// Unlimited boards sort after every timed board when shortest come first.
std::int64_t timeKey(const Level& level) {
    return level.timeLimit == 0 ? INT32_MAX : level.timeLimit;
}

bool passes(const Level& level, int difficulty, TypeFilter type) {
    if (difficulty != -1 && level.difficulty != difficulty) return false;
    switch (type) {
        case TypeFilter::NormalOnly:
            return !level.bonus;
        case TypeFilter::BonusOnly:
            return level.bonus;
        default:
            return true;
    }
}

}  // namespace

std::string formatTimeAllowed(std::int32_t timeLimit) {
    if (timeLimit == 0) return "Unlimited";
    return std::to_string(timeLimit) + " s";
}

int preplacedBallCount(const Level& level) {
    return static_cast<int>(std::count_if(level.cells.begin(), level.cells.end(), [](const TileCell& cell) {
        return tileKindOf(cell.code) == static_cast<int>(TileKind::PreplacedBall);
    }));
}

std::wstring widenAscii(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    std::transform(text.begin(), text.end(), wide.begin(),
                   [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); });
    return wide;
}

BrowserRow makeBrowserRow(const Level& level) {
    BrowserRow row;
    row.columns[0] = std::to_wstring(level.id);
    row.columns[1] = widenAscii(difficultyName(level.difficulty));
    row.columns[2] = level.bonus ? L"Bonus" : L"Normal";
    row.columns[3] = widenAscii(formatTimeAllowed(level.timeLimit));
    row.columns[4] = std::to_wstring(level.queue.size());
    row.columns[5] = std::to_wstring(preplacedBallCount(level));
    return row;
}

std::vector<BrowserRow> makeBrowserRows(const std::vector<Level>& levels) {
    std::vector<BrowserRow> rows;
    rows.reserve(levels.size());
    for (const Level& level : levels) rows.push_back(makeBrowserRow(level));
    return rows;
}

std::vector<std::size_t> filterLevels(const std::vector<Level>& levels, int difficulty, TypeFilter type,
                                      SortOrder order) {
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (passes(levels[i], difficulty, type)) kept.push_back(i);
    }
    std::stable_sort(kept.begin(), kept.end(), [&](std::size_t a, std::size_t b) {
        const Level& la = levels[a];
        const Level& lb = levels[b];
        if (order != SortOrder::ById) {
            const std::int64_t ka = timeKey(la);
            const std::int64_t kb = timeKey(lb);
            if (ka != kb) return order == SortOrder::TimeShortestFirst ? ka < kb : ka > kb;
        }
        return la.id < lb.id;
    });
    return kept;
}

int findTypeAhead(const std::vector<BrowserRow>& rows, const std::vector<std::size_t>& shown, const std::wstring& text,
                  int start, bool partial, bool wrap) {
    const int count = static_cast<int>(shown.size());
    start = std::max(start, 0);
    auto matches = [&](int row) {
        const std::wstring& id = rows[shown[static_cast<std::size_t>(row)]].columns[0];
        return partial ? id.starts_with(text) : id == text;
    };
    for (int row = start; row < count; ++row) {
        if (matches(row)) return row;
    }
    if (wrap) {
        for (int row = 0; row < std::min(start, count); ++row) {
            if (matches(row)) return row;
        }
    }
    return -1;
}

}  // namespace corvale
