// Text for people and spreadsheets; numbers always in the classic "C" form.
#include "solve_report.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace corvale {
namespace {

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string limitText(int limit) {
    return limit > 0 ? std::to_string(limit) : "none";
}

std::string tableRow(const BoardOutcome& o) {
    const SolveResult& r = o.result;
    char line[256];
    std::snprintf(line, sizeof line, "%5d %10u %-4s %7.1f %5s %7d %6d %8llu %5d %6.2f  %s\n", r.boardId, r.seed,
                  r.won ? "won" : "lost", r.timeUsed, limitText(r.timeLimit).c_str(), r.strokes, r.blocks,
                  static_cast<unsigned long long>(r.points), o.seedsTried, r.difficulty, r.reason.c_str());
    return line;
}

}  // namespace

std::string resultTable(const std::vector<BoardOutcome>& outcomes) {
    std::string text = "board       seed      time limit strokes blocks   points seeds  diff.  reason\n";
    for (const BoardOutcome& o : outcomes) text += tableRow(o);
    return text;
}

std::string resultCsv(const std::vector<BoardOutcome>& outcomes) {
    std::string text =
        "board,seed,won,reason,end_time,time_used,time_limit,strokes,blocks,points,balls,saves,tightest_slack,seeds_"
        "tried,"
        "difficulty\n";
    for (const BoardOutcome& o : outcomes) {
        const SolveResult& r = o.result;
        text += std::to_string(r.boardId) + "," + std::to_string(r.seed) + "," + (r.won ? "1" : "0") + ",\"" +
                r.reason + "\"," + format("%.3f", r.endTime) + "," + format("%.3f", r.timeUsed) + "," +
                std::to_string(r.timeLimit) + "," + std::to_string(r.strokes) + "," + std::to_string(r.blocks) + "," +
                std::to_string(r.points) + "," + std::to_string(r.balls) + "," + std::to_string(r.saves) + "," +
                format("%.3f", r.tightestSlack) + "," + std::to_string(o.seedsTried) + "," +
                format("%.3f", r.difficulty) + "\n";
    }
    return text;
}

std::string difficultySummary(const std::vector<BoardOutcome>& outcomes, const LevelList& levels) {
    struct Tally {
        int boards = 0, won = 0, firstSeed = 0, strokes = 0, balls = 0;
        double difficulty = 0.0;
    };
    std::map<int, Tally> tallies;
    for (const BoardOutcome& o : outcomes) {
        const int d = levels[static_cast<std::size_t>(o.result.boardId)].difficulty;
        Tally& t = tallies[d];
        ++t.boards;
        if (!o.result.won) continue;
        ++t.won;
        if (o.seedsTried == 1) ++t.firstSeed;
        t.strokes += o.result.strokes;
        t.balls += o.result.balls;
        t.difficulty += o.result.difficulty;
    }
    std::string text = "difficulty     boards  won  won%  first-seed  strokes/ball  mean diff.\n";
    for (const auto& [d, t] : tallies) {
        char line[160];
        std::snprintf(line, sizeof line, "%-13s %7d %4d %5.1f %11d %13.2f %11.2f\n", difficultyName(d).c_str(),
                      t.boards, t.won, t.boards ? 100.0 * t.won / t.boards : 0.0, t.firstSeed,
                      t.balls ? static_cast<double>(t.strokes) / t.balls : 0.0, t.won ? t.difficulty / t.won : 0.0);
        text += line;
    }
    return text;
}

std::string solverReport(const std::vector<BoardOutcome>& outcomes, const LevelList& levels, bool humanLimits,
                         const std::string& seeds) {
    std::string text = "# Solver report\n\n";
    text += "Made by `corvale-solve` in " + std::string(humanLimits ? "human" : "free") + " mode (" +
            (humanLimits ? "one stroke at a time, at most 1500 px/s, 0.3 s between strokes, no input in the first "
                           "0.5 s of a board or after a ball appears, one block per 0.5 s"
                         : "no limits on input") +
            "), seeds " + seeds + ": a board lost on a seed is tried on the next.\n\n";
    int won = 0;
    for (const BoardOutcome& o : outcomes) won += o.result.won ? 1 : 0;
    text += "Won " + std::to_string(won) + " of " + std::to_string(outcomes.size()) + " boards.\n\n";
    text += "## Per difficulty\n\n```\n" + difficultySummary(outcomes, levels) + "```\n\n";
    text += "## Boards not won\n\n";
    if (won == static_cast<int>(outcomes.size())) {
        text += "None.\n\n";
    } else {
        text +=
            "| board | difficulty | kind | last seed | reason | lost at (s after set-up) | clock used / limit (s) "
            "|\n|---|---|---|---|---|---|---|\n";
        for (const BoardOutcome& o : outcomes) {
            if (o.result.won) continue;
            const Level& level = levels[static_cast<std::size_t>(o.result.boardId)];
            text += "| " + std::to_string(o.result.boardId) + " | " + difficultyName(level.difficulty) + " | " +
                    (level.bonus ? "bonus" : "normal") + " | " + std::to_string(o.result.seed) + " | " +
                    o.result.reason + " | " + format("%.2f", o.result.endTime) + " | " +
                    format("%.1f", o.result.timeUsed) + " / " + limitText(o.result.timeLimit) + " |\n";
        }
        text += "\n";
    }
    text += "## Boards won only on a later seed\n\n";
    bool any = false;
    for (const BoardOutcome& o : outcomes) {
        if (!o.result.won || o.earlierLosses.empty()) continue;
        if (!any)
            text +=
                "| board | difficulty | won on seed | earlier seeds: reason, lost at (s after set-up) |\n"
                "|---|---|---|---|\n";
        any = true;
        std::string losses;
        for (const SolveResult& lost : o.earlierLosses)
            losses += (losses.empty() ? "" : "; ") + std::to_string(lost.seed) + ": " + lost.reason + ", " +
                      format("%.2f", lost.endTime);
        text += "| " + std::to_string(o.result.boardId) + " | " +
                difficultyName(levels[static_cast<std::size_t>(o.result.boardId)].difficulty) + " | " +
                std::to_string(o.result.seed) + " | " + losses + " |\n";
    }
    text += any ? "\n" : "None.\n\n";
    // Saves a person could hardly make: the danger was less than a quarter second away.
    text += "## Boards won only by a save less than 0.25 s ahead of a wrong hole\n\n";
    std::string tight;
    for (const BoardOutcome& o : outcomes)
        if (o.result.won && o.result.saves > 0 && o.result.tightestSlack < 0.25)
            tight += (tight.empty() ? "" : ", ") + std::to_string(o.result.boardId) + " (" +
                     format("%.2f", o.result.tightestSlack) + " s)";
    text += (tight.empty() ? "None." : tight) + "\n\n";
    std::vector<const BoardOutcome*> hardest;
    for (const BoardOutcome& o : outcomes)
        if (o.result.won) hardest.push_back(&o);
    std::stable_sort(hardest.begin(), hardest.end(), [](const BoardOutcome* a, const BoardOutcome* b) {
        return a->result.difficulty > b->result.difficulty;
    });
    if (hardest.size() > 20) hardest.resize(20);
    text +=
        "## Hardest boards won\n\nDifficulty = strokes and blocks per ball, plus the part of a second missing "
        "from the tightest save, plus 3 per seed lost before the win.\n\n| board | difficulty | seed | strokes "
        "| saves | tightest slack (s) |\n|---|---|---|---|---|---|\n";
    for (const BoardOutcome* o : hardest)
        text += "| " + std::to_string(o->result.boardId) + " | " + format("%.2f", o->result.difficulty) + " | " +
                std::to_string(o->result.seed) + " | " + std::to_string(o->result.strokes) + " | " +
                std::to_string(o->result.saves) + " | " + format("%.2f", o->result.tightestSlack) + " |\n";
    return text;
}

}  // namespace corvale
