// Renders boards with the game's own Renderer into small BMP files: one
// picture per board for the contact sheets, or the frames of a board being
// played for the README's animation. Everything happens in one process
// because each Wine start costs a second or more.
//
//   corvale_board_pictures boards --out DIR [--levels FILE] [--first N] [--last N]
//                                 [--seed N] [--advance SECONDS] [--shrink F]
//   corvale_board_pictures play --out DIR --board N [--seed N] [--levels FILE]
//                               [--fps F] [--max-seconds S] [--tail S] [--shrink F]
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded_levels.h"
#include "headless_advance.h"
#include "launch_options.h"
#include "picture_image.h"
#include "recorded_play.h"
#include "renderer.h"

using namespace corvale;

namespace {

struct PictureOptions {
    std::wstring mode;        // "boards" or "play"
    std::wstring outFolder;   // where the BMP files go; must exist
    std::wstring levelsPath;  // a level resource file; empty = the embedded one
    int first = 0;            // boards: first level index
    int last = -1;            // boards: last level index; -1 = the last one
    std::uint32_t seed = 1;
    double advance = 0.0;      // boards: seconds simulated before the picture
    int shrink = 3;            // 544 x 586 shrinks to 181 x 195
    BoardRecording recording;  // play: the board and its inputs
    FramePlan plan;
};

PictureOptions parseOptions(int argc, wchar_t** argv) {
    if (argc < 2) throw std::runtime_error("Say what to make: boards or play.");
    PictureOptions options;
    options.mode = argv[1];
    if (options.mode != L"boards" && options.mode != L"play")
        throw std::runtime_error("The first argument must be boards or play.");
    bool boardGiven = false;
    for (int i = 2; i < argc; i += 2) {
        const std::wstring name = argv[i];
        if (i + 1 >= argc) throw std::runtime_error("An option is missing its value.");
        const std::wstring value = argv[i + 1];
        if (name == L"--out")
            options.outFolder = value;
        else if (name == L"--levels")
            options.levelsPath = value;
        else if (name == L"--first")
            options.first = stringToInt(value);
        else if (name == L"--last")
            options.last = stringToInt(value);
        else if (name == L"--seed")
            options.seed = stringToUnsigned32(value);
        else if (name == L"--advance")
            options.advance = stringToDouble(value);
        else if (name == L"--shrink")
            options.shrink = stringToInt(value);
        else if (name == L"--board")
            options.recording.board = stringToInt(value), boardGiven = true;
        else if (name == L"--fps")
            options.plan.fps = stringToDouble(value);
        else if (name == L"--max-seconds")
            options.plan.maxSeconds = stringToDouble(value);
        else if (name == L"--tail")
            options.plan.tailSeconds = stringToDouble(value);
        else
            throw std::runtime_error("Unknown option.");
    }
    if (options.outFolder.empty()) throw std::runtime_error("--out FOLDER is required.");
    if (options.mode == L"play" && !boardGiven) throw std::runtime_error("play needs --board N.");
    if (options.shrink < 1 || options.shrink > 8) throw std::runtime_error("--shrink must be 1 to 8.");
    if (!(options.advance >= 0.0 && options.advance <= 600.0)) throw std::runtime_error("--advance must be 0 to 600.");
    if (!(options.plan.fps > 0.0 && options.plan.fps <= 120.0))
        throw std::runtime_error("--fps must be above 0, at most 120.");
    options.recording.seed = options.seed;
    return options;
}

std::vector<Level> loadLevels(const std::wstring& path) {
    if (path.empty()) return loadEmbeddedLevels(GetModuleHandleW(nullptr));
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file) throw std::runtime_error("The level resource file could not be opened.");
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return parseLevelResource(bytes);
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
        startRecordedBoard(game, BoardRecording{index, options.seed, {}});
        advanceHeadless(game, options.advance);
        renderSettled(renderer, game);
        writePicture(renderer, options.shrink, numbered(options.outFolder, L"%03d.bmp", index));
    }
    std::printf("%d board pictures written\n", last - options.first + 1);
    return 0;
}

int makeFrames(PictureOptions& options, Game& game, Renderer& renderer) {
    startRecordedBoard(game, options.recording);
    RecordingCursor cursor{&options.recording, 0};
    const auto play = [&](Game& g, double age) { playRecordingUntil(g, cursor, age); };
    const int frames = playFrames(game, play, options.plan, [&](const Game& g, int number) {
        renderer.render(g);
        writePicture(renderer, options.shrink, numbered(options.outFolder, L"frame-%04d.bmp", number));
    });
    const char* outcome = game.phase == GamePhase::BoardComplete ? "cleared"
                          : game.phase == GamePhase::GameOver    ? "lost"
                                                                 : "still in play";
    std::printf("%d frames written; board %lld %s at %.2f s\n", frames, static_cast<long long>(options.recording.board),
                outcome, game.boardAge);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        PictureOptions options = parseOptions(argc, argv);
        Game game(loadLevels(options.levelsPath));
        Renderer renderer(GetModuleHandleW(nullptr));
        return options.mode == L"boards" ? makeBoards(options, game, renderer) : makeFrames(options, game, renderer);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvale_board_pictures: %s\n", error.what());
        return 1;
    }
}
