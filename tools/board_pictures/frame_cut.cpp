#include "frame_cut.h"

#include <stdexcept>

namespace corvale {

bool offerTick(FrameCut& cut, const Game& game, const std::function<void(const Game&, int)>& frame) {
    if (cut.finished) return false;
    if (!(cut.plan.fps > 0.0)) throw std::invalid_argument("The frame rate must be above 0.");
    if (cut.frames == 0) cut.board = game.boardsStarted;
    // A tick is 1/120 s; comparing with a little slack keeps a frame that is
    // due exactly on a tick from slipping to the next one by rounding.
    constexpr double slack = 1e-6;
    const double due = cut.frames / cut.plan.fps;
    if (game.boardsStarted != cut.board || due > cut.plan.maxSeconds + slack) {
        cut.finished = true;
        return false;
    }
    if (game.boardAge + slack < due) return true;
    if (cut.endFrame < 0 && game.phase != GamePhase::Playing) cut.endFrame = cut.frames;
    if (cut.endFrame >= 0 && (cut.frames - cut.endFrame) / cut.plan.fps > cut.plan.tailSeconds + slack) {
        cut.finished = true;
        return false;
    }
    frame(game, cut.frames);
    ++cut.frames;
    return true;
}

}  // namespace corvale
