// Turns a level resource back into board sources, one file per board:
//   corvale_board_decompile LEVEL_FILE BOARD_FOLDER
#include <cstdio>
#include <exception>

#include "board_files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvale_board_decompile LEVEL_FILE BOARD_FOLDER\n");
        return 2;
    }
    try {
        const std::vector<std::uint8_t> bytes = corvale::readBinaryFile(argv[1]);
        corvale::writeBoardSources(argv[2], corvale::parseLevelResource(bytes));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_decompile: %s\n", error.what());
        return 1;
    }
    return 0;
}
