// corvale_soak LEVELS_BIN [--seeds N] [--seconds S] [--boards FIRST-LAST] [--ink random|solver|both]
// Plays every board with random ink, with the solver's ink, or both, and
// reports what broke, if anything.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "soak.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: corvale_soak LEVELS_BIN [--seeds N] [--seconds S] [--boards FIRST-LAST] "
                     "[--ink random|solver|both]\n");
        return 2;
    }
    int seeds = 3;
    double seconds = 120.0;
    int first = 0, last = corvale::levelCount - 1;
    std::string ink = "both";
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seeds")
            seeds = std::stoi(argv[i + 1]);
        else if (option == "--seconds")
            seconds = std::stod(argv[i + 1]);
        else if (option == "--boards")
            std::sscanf(argv[i + 1], "%d-%d", &first, &last);
        else if (option == "--ink")
            ink = argv[i + 1];
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
        corvale::Game game(corvale::parseLevelResource(bytes));
        bool failed = false;
        for (const char* kind : {"random", "solver"}) {
            if (ink != "both" && ink != kind) continue;
            const bool solver = std::string(kind) == "solver";
            corvale::SoakResult result;
            const auto started = std::chrono::steady_clock::now();
            for (int seed = 1; seed <= seeds; ++seed) {
                for (int board = first; board <= last; ++board) {
                    const auto s = static_cast<std::uint32_t>(seed);
                    if (solver)
                        corvale::soakBoardWithSolver(game, board, s, seconds, result);
                    else
                        corvale::soakBoard(game, board, s, seconds, result);
                }
            }
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            std::printf(
                "%s ink: %.0f board-seconds in %llu sub-steps (boards %d-%d, %d seeds, %.0f s each), %llu boards "
                "cleared, %llu lost; %.0f s wall\n",
                kind, result.boardSeconds, static_cast<unsigned long long>(result.subSteps), first, last, seeds,
                seconds, static_cast<unsigned long long>(result.boardsCleared),
                static_cast<unsigned long long>(result.gamesOver), wall);
            if (solver)
                std::printf(
                    "  %.0f board-seconds with the solver's input; %llu recordings played to their finish "
                    "(%llu won), %llu of them in the solver's own state at the finish\n",
                    result.solverSeconds, static_cast<unsigned long long>(result.solverReplays),
                    static_cast<unsigned long long>(result.solverWins),
                    static_cast<unsigned long long>(result.solverReplaysMatching));
            for (const std::string& f : result.failures) std::printf("FAILED %s\n", f.c_str());
            failed = failed || !result.failures.empty();
        }
        return failed ? 1 : 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
