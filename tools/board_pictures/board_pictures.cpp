// Renders boards with the game's own Renderer into small BMP files: one
// picture per board for the contact sheets, or the frames of a board being
// played for the README's animation. Everything happens in one process
// because each Wine start costs a second or more.
//
//   corvale_board_pictures boards --out DIR [--levels FILE] [--first N] [--last N]
//                                 [--seed N] [--advance SECONDS] [--shrink F]
//   corvale_board_pictures play --out DIR (--recording FILE | --board N [--seed N])
//                               [--levels FILE] [--fps F] [--max-seconds S] [--tail S] [--shrink F]
//
// play replays a solver recording through the same operations (and checks
// that it ends in the recorded state); with --board instead, the board is
// played without ink.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded_levels.h"
#include "frame_cut.h"
#include "headless_advance.h"
#include "launch_options.h"
#include "picture_image.h"
#include "renderer.h"
#include "solver.h"

using namespace corvale;

namespace {

struct PictureOptions {
    std::wstring mode;           // "boards" or "play"
    std::wstring outFolder;      // where the BMP files go; must exist
    std::wstring levelsPath;     // a level resource file; empty = the embedded one
    int first = 0;               // boards: first level index
    int last = -1;               // boards: last level index; -1 = the last one
    std::uint32_t seed = 1;      // boards, and play without a recording
    double advance = 0.0;        // boards: seconds simulated before the picture
    int shrink = 3;              // 544 x 586 shrinks to 181 x 195
    std::wstring recordingPath;  // play: a solver recording
    int board = -1;              // play without a recording: this board, no ink
    FramePlan plan;
};

// Option names are ASCII; anything else is shown as '?'.
std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c > 0 && c < 128 ? static_cast<char>(c) : '?';
    return out;
}

PictureOptions parseOptions(int argc, wchar_t** argv) {
    if (argc < 2) throw std::runtime_error("Say what to make: boards or play.");
    PictureOptions o;
    o.mode = argv[1];
    if (o.mode != L"boards" && o.mode != L"play")
        throw std::runtime_error("The first argument must be boards or play.");
    using Setter = std::function<void(const std::wstring&)>;
    const std::map<std::wstring, Setter> setters{
        {L"--out", [&](const std::wstring& v) { o.outFolder = v; }},
        {L"--levels", [&](const std::wstring& v) { o.levelsPath = v; }},
        {L"--first", [&](const std::wstring& v) { o.first = stringToInt(v); }},
        {L"--last", [&](const std::wstring& v) { o.last = stringToInt(v); }},
        {L"--seed", [&](const std::wstring& v) { o.seed = stringToUnsigned32(v); }},
        {L"--advance", [&](const std::wstring& v) { o.advance = stringToDouble(v); }},
        {L"--shrink", [&](const std::wstring& v) { o.shrink = stringToInt(v); }},
        {L"--recording", [&](const std::wstring& v) { o.recordingPath = v; }},
        {L"--board", [&](const std::wstring& v) { o.board = stringToInt(v); }},
        {L"--fps", [&](const std::wstring& v) { o.plan.fps = stringToDouble(v); }},
        {L"--max-seconds", [&](const std::wstring& v) { o.plan.maxSeconds = stringToDouble(v); }},
        {L"--tail", [&](const std::wstring& v) { o.plan.tailSeconds = stringToDouble(v); }},
    };
    for (int i = 2; i < argc; i += 2) {
        const auto setter = setters.find(argv[i]);
        if (setter == setters.end()) throw std::runtime_error("Unknown option " + narrow(argv[i]) + ".");
        if (i + 1 >= argc) throw std::runtime_error("The option " + narrow(argv[i]) + " is missing its value.");
        setter->second(argv[i + 1]);
    }
    if (o.outFolder.empty()) throw std::runtime_error("--out FOLDER is required.");
    if (o.mode == L"play" && o.recordingPath.empty() == (o.board < 0))
        throw std::runtime_error("play needs either --recording FILE or --board N.");
    if (o.shrink < 1 || o.shrink > 8) throw std::runtime_error("--shrink must be 1 to 8.");
    if (!(o.advance >= 0.0 && o.advance <= 600.0)) throw std::runtime_error("--advance must be 0 to 600.");
    if (!(o.plan.fps > 0.0 && o.plan.fps <= 120.0)) throw std::runtime_error("--fps must be above 0, at most 120.");
    if (!(o.plan.maxSeconds > 0.0 && o.plan.maxSeconds <= 600.0))
        throw std::runtime_error("--max-seconds must be above 0, at most 600.");
    if (!(o.plan.tailSeconds >= 0.0 && o.plan.tailSeconds <= 60.0)) throw std::runtime_error("--tail must be 0 to 60.");
    return o;
}

std::string readFile(const std::wstring& path, const char* what) {
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file) throw std::runtime_error(std::string("The ") + what + " could not be opened.");
    return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<Level> loadLevels(const std::wstring& path) {
    if (path.empty()) return loadEmbeddedLevels(GetModuleHandleW(nullptr));
    const std::string text = readFile(path, "level resource file");
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return parseLevelResource(bytes);
}

// A board set up as `corvale.exe --seed S --level ID` does.
void startBoard(Game& game, int board, std::uint32_t seed) {
    game.newGame(0, seed);
    game.startLevel(board, true);
}

void writeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) throw std::runtime_error("A picture file could not be written.");
}

void writePicture(const Renderer& renderer, int shrink, const std::wstring& path) {
    GdiFlush();  // the pixels are read directly
    const std::span<const std::uint32_t> pixels(renderer.gameImagePixels(),
                                                static_cast<std::size_t>(gameImageWidth) * gameImageHeight);
    writeFile(path, encodeBmp(shrinkPicture(pixels, gameImageWidth, gameImageHeight, shrink)));
}

std::wstring numbered(const std::wstring& folder, const wchar_t* pattern, int number) {
    wchar_t name[32];
    swprintf(name, 32, pattern, number);
    return folder + L"\\" + name;
}

// The header's queue balls slide in over the first second of a board; a
// picture of the board shows them at rest. The renderer animates the queue
// by the board age it sees, so one render a few seconds "later" settles
// them, and the real render (time does not run backwards) keeps them there.
void renderSettled(Renderer& renderer, Game& game) {
    const double age = game.boardAge;
    game.boardAge = age + 5.0;
    renderer.render(game);
    game.boardAge = age;
    renderer.render(game);
}

int makeBoards(const PictureOptions& options, Game& game, Renderer& renderer) {
    const int count = static_cast<int>(game.levels.size());
    const int last = options.last < 0 ? count - 1 : options.last;
    if (options.first < 0 || options.first > last || last >= count)
        throw std::runtime_error("The board range is outside the level set.");
    for (int index = options.first; index <= last; ++index) {
        startBoard(game, index, options.seed);
        advanceHeadless(game, options.advance);
        renderSettled(renderer, game);
        writePicture(renderer, options.shrink, numbered(options.outFolder, L"%03d.bmp", index));
    }
    std::printf("%d board pictures written\n", last - options.first + 1);
    return 0;
}

// Without a recording the board is played without ink for maxSeconds.
Recording recordingToPlay(const PictureOptions& options) {
    if (!options.recordingPath.empty()) return readRecording(readFile(options.recordingPath, "recording"));
    Recording idle;
    idle.boardId = options.board;
    idle.seed = options.seed;
    idle.finishTick = static_cast<std::int64_t>(options.plan.maxSeconds * ticksPerSecond) + 1;
    return idle;
}

int makeFrames(const PictureOptions& options, const LevelList& levels, Renderer& renderer) {
    const Recording recording = recordingToPlay(options);
    FrameCut cut{options.plan};
    const auto writeFrame = [&](const Game& game, int number) {
        renderer.render(game);
        writePicture(renderer, options.shrink, numbered(options.outFolder, L"frame-%04d.bmp", number));
    };
    // The replay stops at the recording's finish; a copy of the last tick's
    // game plays on for the frames after it (the cleared board's sweep).
    std::optional<Game> last;
    const ReplayResult replay = replayRecording(levels, recording, [&](const Game& game) {
        offerTick(cut, game, writeFrame);
        last = game;
    });
    if (!last) throw std::runtime_error("The recording has no play to show.");
    while (offerTick(cut, *last, writeFrame)) {
        // A lost game no longer steps; its clock is moved on by hand so the
        // last picture is held for the tail like a cleared board's.
        const double before = last->boardAge;
        last->step(tickSeconds);
        if (last->boardAge == before) last->boardAge += tickSeconds;
    }

    const bool checked = !options.recordingPath.empty();
    if (checked && !replay.matches) throw std::runtime_error("The replay did not end in the recorded state.");
    const char* outcome = replay.won ? "cleared" : last->phase == GamePhase::GameOver ? "lost" : "not cleared";
    std::printf("%d frames written; board %d %s%s\n", cut.frames, recording.boardId, outcome,
                checked ? "; the replay matches the recording" : "");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const PictureOptions options = parseOptions(argc, argv);
        const LevelList levels(loadLevels(options.levelsPath));
        Renderer renderer(GetModuleHandleW(nullptr));
        if (options.mode == L"play") return makeFrames(options, levels, renderer);
        Game game(levels);
        return makeBoards(options, game, renderer);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_pictures: %s\n", error.what());
        return 1;
    }
}
