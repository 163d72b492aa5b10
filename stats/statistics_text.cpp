#include "statistics_text.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace corvale {
namespace {

void writeSection(std::wostringstream& out, const wchar_t* title, const PlayCounters& c) {
    out << title << L"\r\n";
    out << L"Active play: " << c.playTime << L" seconds\r\n";
    out << L"Ink drawn: " << c.inkDrawn << L" board pixels\r\n";
    out << L"Strokes drawn: " << c.strokesDrawn << L"\r\n";
    out << L"Hits on ink: " << c.inkHits << L"\r\n";
    out << L"Hits on wall tiles: " << c.wallHits << L"\r\n";
    out << L"Ball-to-ball hits: " << c.ballHits << L"\r\n";
    out << L"Balls sunk: " << c.ballsSunk << L"\r\n";
    out << L"Boards cleared: " << c.boardsCleared << L"\r\n";
    if (c.boardsCleared != 0) out << L"Completion active time (total): " << c.completionTime << L" seconds\r\n";
    if (c.timedBoards != 0) {
        out << L"Time remaining at completion (total): " << c.timeLeftAtCompletion << L" seconds across "
            << c.timedBoards << L" timed boards\r\n";
    }
    out << L"\r\n";
}

}  // namespace

std::wstring composeStatisticsText(const StatisticsSnapshot& snapshot) {
    std::wostringstream out;
    out.imbue(std::locale::classic());  // a period and no grouping, whatever the user's locale
    out << std::fixed << std::setprecision(1);
    out << L"The table covers completed boards in the current game/run and resets on\r\n"
           L"New Game, Restart, or Play Selected Board. Paused time is excluded.\r\n"
           L"Ink length uses board pixels, independent of screen scaling.\r\n"
           L"Hits count successful deflections. Lifetime totals are saved across launches.\r\n\r\n"
           L"Play continues while this page is open. Updates every second; Refresh updates now.\r\n"
           L"Completion times are captured before the celebration; unlimited boards have no remaining-time "
           L"value.\r\n\r\n";
    writeSection(out, L"CURRENT BOARD ATTEMPT", snapshot.boardCounters);
    writeSection(out, L"CURRENT GAME / RUN", snapshot.runCounters);
    writeSection(out, L"LIFETIME", snapshot.lifetimeCounters);
    if (snapshot.lastBoardValid) writeSection(out, L"PREVIOUS BOARD ATTEMPT", snapshot.lastBoardCounters);
    if (snapshot.lastRunValid) writeSection(out, L"PREVIOUS GAME / RUN", snapshot.lastRunCounters);
    return out.str();
}

}  // namespace corvale
