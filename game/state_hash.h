// A 64-bit FNV-1a hash over every field of a Game, doubles by their bit
// patterns, so two runs agree only when they agree exactly. Replays and the
// determinism tests compare games by it.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

#include "game.h"

namespace corvale {

class StateHasher {
   public:
    std::uint64_t value = 14695981039346656037ull;

    void bytes(std::uint64_t word, int count = 8) {
        for (int i = 0; i < count; ++i) {
            value ^= (word >> (8 * i)) & 0xFF;
            value *= 1099511628211ull;
        }
    }
    void add(double v) { bytes(std::bit_cast<std::uint64_t>(v)); }
    void add(bool v) { bytes(v ? 1 : 0, 1); }
    void add(std::int32_t v) { bytes(static_cast<std::uint32_t>(v), 4); }
    void add(std::uint32_t v) { bytes(v, 4); }
    void add(std::uint16_t v) { bytes(v, 2); }
    void add(std::uint64_t v) { bytes(v); }
    void add(GamePhase v) { add(static_cast<std::int32_t>(v)); }
    void add(const std::string& s) {
        bytes(s.size());
        for (char c : s) bytes(static_cast<unsigned char>(c), 1);
    }
    template <typename Container>
    void addAll(const Container& items) {
        bytes(items.size());
        for (const auto& item : items) add(item);
    }
    void add(const BoardCell& c) {
        add(c.code), add(c.revealedCode), add(c.wallFrame), add(c.wallState), add(c.phaseTime), add(c.frameTime);
    }
    void add(const Ball& b) {
        add(b.id), add(b.color), add(b.x), add(b.y), add(b.vx), add(b.vy), add(b.radius), add(b.pull);
        add(b.active), add(b.nearHole);
    }
    void add(const BoardPoint& p) { add(p.x), add(p.y); }
    void add(const InkStroke& s) { add(s.id), addAll(s.points); }
    void add(const Mechanics& m) {
        add(m.timeLimit), add(m.launchInterval), add(m.minSpeed), add(m.maxSpeed);
        add(m.ballSpeedMultiplier), add(m.chevronBoost), add(m.chevronSpeedLimit);
    }
    void add(const PlayCounters& c) {
        add(c.inkDrawn), add(c.playTime), add(c.completionTime), add(c.timeLeftAtCompletion);
        add(c.timedBoards), add(c.strokesDrawn), add(c.inkHits), add(c.wallHits), add(c.ballHits);
        add(c.ballsSunk), add(c.boardsCleared);
    }
    void add(const CompletedBoard& b) {
        add(b.boardId), add(b.time), add(b.timeLimit), add(b.points), add(b.possiblePoints), add(b.inkLength);
    }
};

// Everything but the level list, which never changes.
inline std::uint64_t hashGame(const Game& g) {
    StateHasher h;
    h.addAll(g.cells), h.addAll(g.balls), h.addAll(g.strokes), h.addAll(g.queue);
    h.add(g.difficulty), h.add(g.boardId), h.add(g.boardNumber), h.add(g.bonusBoard), h.add(g.score);
    h.add(g.highScore), h.add(g.blockTokens), h.add(g.timeRemaining), h.add(g.unlimitedTime);
    h.add(g.clockRunning), h.add(g.clockVisible), h.add(g.launchCountdown), h.add(g.nextBallBlink);
    h.add(g.paused), h.add(g.phase), h.add(g.message), h.add(g.completeTime), h.add(g.boardAge);
    h.add(g.boardsStarted), h.add(g.mechanics), h.add(g.rngState), h.addAll(g.recentNormal);
    h.addAll(g.recentBonus), h.addAll(g.launchers), h.add(g.drawingStrokeId), h.add(g.nextStrokeId);
    h.add(g.blockThreshold), h.add(g.nextBallId), h.add(g.boardsCleared), h.add(g.levelIndex);
    h.add(g.bonusTick), h.add(g.advanceTimer), h.add(g.launchBlinkTimer), h.add(g.clockBlinkTimer);
    h.add(g.boardCounters), h.add(g.runCounters), h.add(g.lastBoardCounters), h.add(g.lastRunCounters);
    h.add(g.lifetimeCounters), h.add(g.lastBoardValid), h.add(g.lastRunValid), h.add(g.runTimeBefore);
    h.add(g.elapsed), h.add(g.boardCommitted), h.add(g.lifetimeLoaded), h.addAll(g.completedBoards);
    h.add(g.strokeLimit), h.add(g.scoreAtBoardStart);
    return h.value;
}

}  // namespace corvale
