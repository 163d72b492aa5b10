#include "recorded_play.h"

#include <cmath>
#include <stdexcept>

namespace corvale {
namespace {

constexpr double timeTolerance = 1e-9;

void give(Game& game, const PlayerInput& input) {
    switch (input.kind) {
        case PlayerInputKind::BeginStroke:
            game.beginStroke(input.x, input.y);
            break;
        case PlayerInputKind::ExtendStroke:
            game.extendStroke(input.x, input.y);
            break;
        case PlayerInputKind::EndStroke:
            game.endStroke();
            break;
        case PlayerInputKind::PlaceBlock:
            game.placeBlock(input.x, input.y);
            break;
    }
}

}  // namespace

void startRecordedBoard(Game& game, const BoardRecording& recording) {
    if (recording.board < 0 || static_cast<std::size_t>(recording.board) >= game.levels.size())
        throw std::runtime_error("The recording's board does not exist in this level set.");
    game.newGame(0, recording.seed);
    game.startLevel(recording.board, true);
}

void playRecordingUntil(Game& game, RecordingCursor& cursor, double boardAge) {
    const std::uint64_t board = game.boardsStarted;
    const auto& inputs = cursor.recording->inputs;
    const auto target = static_cast<std::int64_t>(std::ceil(boardAge / playTickSeconds - timeTolerance));
    for (;;) {
        while (cursor.next < inputs.size() && inputs[cursor.next].tick <= cursor.ticks)
            give(game, inputs[cursor.next++]);
        if (cursor.ticks >= target) return;
        game.step(playTickSeconds);
        ++cursor.ticks;
        if (game.boardsStarted != board) return;
    }
}

int playFrames(Game& game, const std::function<void(Game&, double)>& play, const FramePlan& plan,
               const std::function<void(const Game&, int)>& frame) {
    if (!(plan.fps > 0.0)) throw std::invalid_argument("The frame rate must be above 0.");
    const double start = game.boardAge;
    const std::uint64_t board = game.boardsStarted;
    int frames = 0;
    int endFrame = -1;  // first frame on which the board was over
    for (;;) {
        const double age = start + frames / plan.fps;
        if (age > start + plan.maxSeconds + timeTolerance) break;
        play(game, age);
        if (game.boardsStarted != board) break;
        if (endFrame < 0 && game.phase != GamePhase::Playing) endFrame = frames;
        if (endFrame >= 0 && (frames - endFrame) / plan.fps > plan.tailSeconds + timeTolerance) break;
        frame(game, frames);
        ++frames;
    }
    return frames;
}

}  // namespace corvale
