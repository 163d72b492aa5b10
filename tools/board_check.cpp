// Checks a level resource against the rules of our board set:
//   corvale_board_check LEVEL_FILE
// Prints every fault and exits 1 when there is one.
#include <cstdio>
#include <exception>

#include "board_files.h"
#include "board_rules.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvale_board_check LEVEL_FILE\n");
        return 2;
    }
    try {
        const std::vector<corvale::Level> levels = corvale::parseLevelResource(corvale::readBinaryFile(argv[1]));
        const std::vector<std::string> faults = corvale::checkBoardSet(levels);
        for (const std::string& fault : faults) std::printf("%s: %s\n", argv[1], fault.c_str());
        if (!faults.empty()) return 1;
        std::printf("%s: all %zu boards keep the rules.\n", argv[1], levels.size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_check: %s\n", error.what());
        return 1;
    }
    return 0;
}
