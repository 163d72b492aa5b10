// Drawing a stroke as a hand does: the pen goes down, then moves toward the
// end point no faster than the drawing speed, one point per tick.
#include <cmath>
#include <limits>

#include "planner.h"

namespace corvale {
namespace {

// Quarter pixels keep the recording short and its numbers exact.
double quarter(double v) {
    return std::round(v * 4.0) / 4.0;
}

}  // namespace

bool MoveDriver::apply(Player& player) {
    if (complete) return true;
    if (move.kind == Move::Kind::None || player.finished()) {
        finish(player);
        return true;
    }
    if (move.kind == Move::Kind::Block) {
        player.placeBlock(move.from);
        complete = true;
        return true;
    }
    if (!started) {
        started = true;
        at = {quarter(move.from.x), quarter(move.from.y)};
        if (!player.beginStroke(at)) complete = true;
        return complete;
    }
    const BoardPoint to{quarter(move.to.x), quarter(move.to.y)};
    const double dx = to.x - at.x;
    const double dy = to.y - at.y;
    const double length = std::hypot(dx, dy);
    // Half a pixel of room so that rounding to quarters never outruns the hand.
    const double reach = player.limits().enabled ? player.limits().drawSpeed * tickSeconds - 0.5
                                                 : std::numeric_limits<double>::infinity();
    BoardPoint next = to;
    if (length > reach) next = {quarter(at.x + dx / length * reach), quarter(at.y + dy / length * reach)};
    if (!player.extendStroke(next)) {
        finish(player);
        return true;
    }
    at = next;
    if (next == to) finish(player);
    return complete;
}

void MoveDriver::finish(Player& player) {
    if (started && !complete && player.drawing()) player.endStroke();
    complete = true;
}

}  // namespace corvale
