// Compiles the board sources into the level resource the game embeds:
//   corvale_board_compile BOARD_FOLDER OUTPUT_FILE
// The output depends on the sources alone, so a rebuild is byte for byte equal.
#include <cstdio>
#include <exception>

#include "board_files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvale_board_compile BOARD_FOLDER OUTPUT_FILE\n");
        return 2;
    }
    try {
        const std::vector<corvale::Level> levels = corvale::loadBoardSources(argv[1]);
        const std::vector<std::uint8_t> bytes = corvale::serializeLevelResource(levels);
        // Whatever the game could not read must never be written.
        corvale::parseLevelResource(bytes);
        corvale::writeBinaryFile(argv[2], bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_compile: %s\n", error.what());
        return 1;
    }
    return 0;
}
