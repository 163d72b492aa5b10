// Checks a level resource against the rules of our board set and plays
// every board with no ink to see that it is fair:
//   corvale_board_check LEVEL_FILE [--rules | --full]
// --rules skips the play; --full sweeps every launch direction at more
// speeds and launch moments and plays 300 seeds a board (minutes, not
// seconds). Prints every fault and exits 1 when there is one.
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

#include "board_fairness.h"
#include "board_files.h"
#include "board_rules.h"
#include "two_threads.h"

int main(int argc, char** argv) {
    const bool rulesOnly = argc == 3 && std::strcmp(argv[2], "--rules") == 0;
    const bool full = argc == 3 && std::strcmp(argv[2], "--full") == 0;
    if (argc < 2 || argc > 3 || (argc == 3 && !rulesOnly && !full)) {
        std::fprintf(stderr, "usage: corvale_board_check LEVEL_FILE [--rules | --full]\n");
        return 2;
    }
    try {
        const std::vector<corvale::Level> levels = corvale::parseLevelResource(corvale::readBinaryFile(argv[1]));
        std::vector<std::string> faults = corvale::checkBoardSet(levels);
        int selfCleared = 0, runs = 0;
        if (!rulesOnly) {
            const corvale::FairnessOptions options = full ? corvale::fullFairness() : corvale::quickFairness();
            // Boards play apart from each other: two threads halve a full check.
            std::vector<corvale::FairnessReport> reports(levels.size());
            corvale::forEachOnTwoThreads(levels.size(), [&](std::size_t i) {
                reports[i] = corvale::checkFairness(levels[i], options);
            });
            for (const corvale::Level& level : levels) {
                const corvale::FairnessReport& report = reports[static_cast<std::size_t>(level.id)];
                for (const std::string& fault : report.faults) {
                    faults.push_back("Board " + std::to_string(level.id) + ": " + fault);
                }
                if (!level.bonus) {
                    selfCleared += report.selfCleared;
                    runs += report.runs;
                }
            }
        }
        for (const std::string& fault : faults) std::printf("%s: %s\n", argv[1], fault.c_str());
        if (!faults.empty()) return 1;
        std::printf("%s: all %zu boards keep the rules", argv[1], levels.size());
        if (!rulesOnly)
            std::printf(" and play fair (normal boards cleared themselves in %d of %d runs)", selfCleared, runs);
        std::printf(".\n");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_check: %s\n", error.what());
        return 1;
    }
    return 0;
}
