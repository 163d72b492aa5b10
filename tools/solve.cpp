// corvale-solve: plays boards as a person could, over many boards at once,
// and reports which it won, how hard they were, and records the input.
//
//   corvale-solve [--levels FILE] [--boards 0-550] [--seeds 1,2,3] [--threads N]
//                 [--csv FILE] [--report FILE] [--free] [--record DIR] [--quiet]
//   corvale-solve [--levels FILE] --replay FILE
#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "board_files.h"
#include "solve_report.h"
#include "solver.h"

namespace {

struct Arguments {
    std::string levels = "resources/levels.bin";
    std::vector<int> boards;
    std::vector<std::uint32_t> seeds{1};
    std::string seedText = "1";
    int threads = 2;
    std::string csv, report, recordDir, replay;
    bool free = false;
    bool quiet = false;
};

long wholeNumber(const std::string& text, const std::string& what) {
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty())
        throw std::runtime_error(what + " \"" + text + "\" is not a whole number.");
    return value;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

// "0-10,20,30-32"
std::vector<int> parseBoards(const std::string& text) {
    std::vector<int> boards;
    for (const std::string& part : split(text, ',')) {
        const std::size_t dash = part.find('-', 1);
        const long first = wholeNumber(part.substr(0, dash), "The board");
        const long last = dash == std::string::npos ? first : wholeNumber(part.substr(dash + 1), "The board");
        if (first < 0 || last < first)
            throw std::runtime_error("The board range \"" + part + "\" is empty or negative.");
        for (long b = first; b <= last; ++b) boards.push_back(static_cast<int>(b));
    }
    return boards;
}

Arguments parseArguments(int argc, char** argv) {
    Arguments a;
    bool boardsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::runtime_error(option + " needs a value.");
            return argv[++i];
        };
        if (option == "--levels")
            a.levels = value();
        else if (option == "--boards")
            a.boards = parseBoards(value()), boardsGiven = true;
        else if (option == "--seeds") {
            a.seedText = value();
            a.seeds.clear();
            for (const std::string& s : split(a.seedText, ',')) {
                const long seed = wholeNumber(s, "The seed");
                if (seed < 1 || seed > 4294967295L) throw std::runtime_error("A seed must be from 1 to 4294967295.");
                a.seeds.push_back(static_cast<std::uint32_t>(seed));
            }
            if (a.seeds.empty()) throw std::runtime_error("--seeds needs at least one seed.");
        } else if (option == "--threads") {
            a.threads = static_cast<int>(wholeNumber(value(), "The thread count"));
            if (a.threads < 1 || a.threads > 64) throw std::runtime_error("--threads must be from 1 to 64.");
        } else if (option == "--csv")
            a.csv = value();
        else if (option == "--report")
            a.report = value();
        else if (option == "--record")
            a.recordDir = value();
        else if (option == "--replay")
            a.replay = value();
        else if (option == "--free")
            a.free = true;
        else if (option == "--quiet")
            a.quiet = true;
        else
            throw std::runtime_error("Unknown option \"" + option + "\".");
    }
    if (!boardsGiven) a.boards = parseBoards("0-550");
    return a;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("The file \"" + path + "\" could not be read.");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int replay(const corvale::LevelList& levels, const std::string& path) {
    const corvale::Recording recording = corvale::readRecording(readText(path));
    const corvale::ReplayResult r = corvale::replayRecording(levels, recording);
    std::printf("board %d seed %u: %s, hash %016llx %s the recording's\n", recording.boardId, recording.seed,
                r.won ? "cleared" : "not cleared", static_cast<unsigned long long>(r.hash),
                r.matches ? "matches" : "does NOT match");
    return r.matches ? 0 : 1;
}

void progress(std::size_t done, std::size_t total, int won, double seconds) {
    const double eta = done > 0 ? seconds / static_cast<double>(done) * static_cast<double>(total - done) : 0.0;
    std::fprintf(stderr, "\r%zu/%zu boards, %d won, %zu not, %.0f s, about %.0f s to go   ", done, total, won,
                 done - static_cast<std::size_t>(won), seconds, eta);
    std::fflush(stderr);
}

int solveAll(const corvale::LevelList& levels, const Arguments& a) {
    for (int b : a.boards)
        if (b >= static_cast<int>(levels.size()))
            throw std::runtime_error("Board " + std::to_string(b) + " is not in " + a.levels + ".");
    corvale::SolveOptions options;
    options.limits.enabled = !a.free;
    std::vector<corvale::BoardOutcome> outcomes(a.boards.size());
    std::atomic<std::size_t> next{0}, done{0};
    std::atomic<int> won{0};
    std::atomic<double> simulated{0.0};
    // Each worker takes the next board; a board's result depends on nothing
    // but the board, its seeds and the options, so the thread count changes
    // only how long it takes.
    auto work = [&] {
        for (std::size_t i = next++; i < a.boards.size(); i = next++) {
            corvale::BoardOutcome& o = outcomes[i];
            double simulatedHere = 0.0;
            for (std::size_t s = 0; s < a.seeds.size(); ++s) {
                if (s > 0) {
                    o.earlierLosses.push_back(std::move(o.result));
                    o.earlierLosses.back().recording = {};
                }
                o.result = corvale::solveBoard(levels, a.boards[i], a.seeds[s], options);
                o.seedsTried = static_cast<int>(s) + 1;
                simulatedHere += o.result.simulatedSeconds;
                if (o.result.won) break;
            }
            o.result.difficulty = corvale::solveDifficulty(o.result, o.seedsTried - 1);
            if (o.result.won) ++won;
            double old = simulated.load();
            while (!simulated.compare_exchange_weak(old, old + simulatedHere)) {
            }
            ++done;
        }
    };
    const auto start = std::chrono::steady_clock::now();
    auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    std::vector<std::thread> workers;
    for (int t = 0; t < a.threads; ++t) workers.emplace_back(work);
    while (done < a.boards.size()) {
        if (!a.quiet) progress(done, a.boards.size(), won, seconds());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (std::thread& t : workers) t.join();
    const double wall = seconds();
    if (!a.quiet) progress(done, a.boards.size(), won, wall), std::fprintf(stderr, "\n");

    std::printf("%s\n%s", corvale::resultTable(outcomes).c_str(), corvale::difficultySummary(outcomes, levels).c_str());
    std::printf(
        "%d of %zu boards won; %.1f s wall, %.1f boards/min, %.0f simulated s per wall s (%s mode, %d threads)\n",
        won.load(), outcomes.size(), wall, 60.0 * static_cast<double>(outcomes.size()) / wall, simulated.load() / wall,
        a.free ? "free" : "human", a.threads);
    if (!a.csv.empty()) corvale::writeTextFile(a.csv, corvale::resultCsv(outcomes));
    if (!a.report.empty())
        corvale::writeTextFile(a.report, corvale::solverReport(outcomes, levels, !a.free, a.seedText));
    if (!a.recordDir.empty()) {
        std::filesystem::create_directories(a.recordDir);
        for (const corvale::BoardOutcome& o : outcomes)
            corvale::writeTextFile(
                std::filesystem::path(a.recordDir) / (corvale::boardFileName(o.result.boardId).substr(0, 3) + ".rec"),
                corvale::writeRecording(o.result.recording));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Arguments a = parseArguments(argc, argv);
        const corvale::LevelList levels(corvale::parseLevelResource(corvale::readBinaryFile(a.levels)));
        if (!a.replay.empty()) return replay(levels, a.replay);
        return solveAll(levels, a);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvale-solve: %s\n", e.what());
        return 1;
    }
}
