// A person's limits on input, checked at the one place input enters a game.
#include "player.h"

#include <algorithm>
#include <cmath>

#include "state_hash.h"

namespace corvale {
namespace {

std::int64_t ticksOf(double seconds) {
    return static_cast<std::int64_t>(std::ceil(seconds * ticksPerSecond - 1e-9));
}

}  // namespace

Player::Player(const LevelList& levels, int boardId, std::uint32_t seed, const HumanLimits& limits)
    : play(levels), rules(limits) {
    // The headless run of corvale.exe: settings' difficulty (0), then the level.
    play.newGame(0, seed);
    play.startLevel(boardId, true);
    ballsSeen = play.balls.size();
    quietUntil = rules.enabled ? ticksOf(std::max(rules.boardQuiet, ballsSeen > 0 ? rules.ballQuiet : 0.0)) : 0;
    log.boardId = boardId;
    log.seed = seed;
    log.humanLimits = rules.enabled;
}

std::int64_t Player::firstInputTick() const {
    return rules.enabled ? ticksOf(std::max(rules.boardQuiet, rules.ballQuiet)) : 0;
}

bool Player::quiet() const {
    return rules.enabled && ticks < quietUntil;
}

std::int64_t Player::firstStrokeTick() const {
    if (!rules.enabled) return ticks;
    return std::max({ticks, quietUntil, strokeEndTick + ticksOf(rules.strokeGap)});
}

std::int64_t Player::firstBlockTick() const {
    if (!rules.enabled) return ticks;
    return std::max({ticks, quietUntil, lastBlockTick + ticksOf(rules.blockGap)});
}

bool Player::refuse(const char* why) {
    refused = why;
    return false;
}

void Player::note(InputKind kind, BoardPoint p) {
    if (recordingOn) log.inputs.push_back({kind, ticks, p});
}

bool Player::beginStroke(BoardPoint p) {
    if (rules.enabled) {
        if (strokeOpen) return refuse("a stroke is already being drawn");
        if (quiet()) return refuse("no input is allowed yet (the board or a ball has just appeared)");
        if (ticks < strokeEndTick + ticksOf(rules.strokeGap)) return refuse("too soon after the previous stroke");
    }
    play.beginStroke(p.x, p.y);
    strokeOpen = true;
    lastPoint = p;
    lastPointTick = ticks;
    note(InputKind::BeginStroke, p);
    return true;
}

bool Player::extendStroke(BoardPoint p) {
    if (rules.enabled) {
        if (!strokeOpen) return refuse("no stroke is being drawn");
        if (quiet()) return refuse("no input is allowed yet (the board or a ball has just appeared)");
        const double reach = rules.drawSpeed * static_cast<double>(ticks - lastPointTick) * tickSeconds;
        if (std::hypot(p.x - lastPoint.x, p.y - lastPoint.y) > reach + 1e-6)
            return refuse("the point is farther than the drawing speed allows");
    }
    play.extendStroke(p.x, p.y);
    lastPoint = p;
    lastPointTick = ticks;
    note(InputKind::ExtendStroke, p);
    return true;
}

bool Player::endStroke() {
    if (rules.enabled && !strokeOpen) return refuse("no stroke is being drawn");
    play.endStroke();
    strokeOpen = false;
    strokeEndTick = ticks;
    note(InputKind::EndStroke, {});
    return true;
}

bool Player::placeBlock(BoardPoint p) {
    if (rules.enabled) {
        if (quiet()) return refuse("no input is allowed yet (the board or a ball has just appeared)");
        if (ticks < lastBlockTick + ticksOf(rules.blockGap)) return refuse("too soon after the previous block");
    }
    play.placeBlock(p.x, p.y);
    lastBlockTick = ticks;
    note(InputKind::PlaceBlock, p);
    return true;
}

void Player::advance() {
    play.step(tickSeconds);
    ++ticks;
    if (play.balls.size() > ballsSeen) {
        ballsSeen = play.balls.size();
        if (rules.enabled) quietUntil = std::max(quietUntil, ticks + ticksOf(rules.ballQuiet));
    }
}

void Player::startRecording() {
    recordingOn = true;
    log.inputs.clear();
}

Recording Player::finishRecording() {
    log.finishTick = ticks;
    log.finalHash = hashGame(play);
    return log;
}

}  // namespace corvale
