// corvale_soak LEVELS_BIN [--seeds N] [--seconds S] [--boards FIRST-LAST]
// Plays every board with random ink and reports what broke, if anything.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "soak.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: corvale_soak LEVELS_BIN [--seeds N] [--seconds S] [--boards FIRST-LAST]\n");
        return 2;
    }
    int seeds = 3;
    double seconds = 120.0;
    int first = 0, last = corvale::levelCount - 1;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seeds")
            seeds = std::stoi(argv[i + 1]);
        else if (option == "--seconds")
            seconds = std::stod(argv[i + 1]);
        else if (option == "--boards")
            std::sscanf(argv[i + 1], "%d-%d", &first, &last);
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        corvale::Game game(corvale::parseLevelResource(bytes));
        corvale::SoakResult result;
        const auto started = std::chrono::steady_clock::now();
        for (int seed = 1; seed <= seeds; ++seed)
            for (int board = first; board <= last; ++board)
                corvale::soakBoard(game, board, static_cast<std::uint32_t>(seed), seconds, result);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf(
            "%.0f board-seconds in %llu sub-steps (boards %d-%d, %d seeds, %.0f s each), %llu boards "
            "cleared, %llu lost; %.0f s wall\n",
            result.boardSeconds, static_cast<unsigned long long>(result.subSteps), first, last, seeds, seconds,
            static_cast<unsigned long long>(result.boardsCleared), static_cast<unsigned long long>(result.gamesOver),
            wall);
        for (const std::string& f : result.failures) std::printf("FAILED %s\n", f.c_str());
        return result.failures.empty() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
