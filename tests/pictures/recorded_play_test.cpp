#include "recorded_play.h"

#include <gtest/gtest.h>

#include "board_builder.h"
#include "state_hash.h"

namespace corvale {
namespace {

using testing::buildLevel;
using testing::cellCentre;
using testing::gameWith;
using testing::putBall;

// A blue ball rolls right along row 8 into a red hole at columns 10-11
// (about 2.6 s after the start) unless ink across its path turns it back.
Game wrongHoleBoard() {
    Level level = buildLevel(R"(
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . . . . . . . .
. . . . . . . . . . h10 h11 . . . . .
. . . . . . . . . . h12 h13 . . . . .
)");
    return gameWith(level);
}

BoardRecording deflection() {
    BoardRecording recording;
    recording.seed = 12345;
    recording.inputs = {{120, PlayerInputKind::BeginStroke, 250, 200},
                        {126, PlayerInputKind::ExtendStroke, 250, 270},
                        {132, PlayerInputKind::ExtendStroke, 250, 340},
                        {138, PlayerInputKind::EndStroke, 0, 0}};
    return recording;
}

Game startedWithBall(const BoardRecording& recording) {
    Game game = wrongHoleBoard();
    startRecordedBoard(game, recording);
    putBall(game, 2, cellCentre(3), cellCentre(8) + 16, 100, 0);
    return game;
}

TEST(RecordedPlay, InputsReachTheGameAtTheirTimes) {
    const BoardRecording none{0, 12345, {}};
    Game lost = startedWithBall(none);
    RecordingCursor idle{&none};
    playRecordingUntil(lost, idle, 4.0);
    EXPECT_EQ(lost.phase, GamePhase::GameOver);

    const BoardRecording recording = deflection();
    Game saved = startedWithBall(recording);
    RecordingCursor cursor{&recording};
    playRecordingUntil(saved, cursor, 1.0);
    EXPECT_EQ(saved.strokes.size(), 1u) << "the stroke begins at 1.0 s, not later";
    playRecordingUntil(saved, cursor, 4.0);
    EXPECT_EQ(saved.phase, GamePhase::Playing);
    EXPECT_EQ(cursor.next, recording.inputs.size());
    EXPECT_LT(saved.balls[0].x, cellCentre(8)) << "the ball was turned back";
}

TEST(RecordedPlay, FramesAtAnyRateLeaveThePlayUnchanged) {
    const BoardRecording recording = deflection();
    Game whole = startedWithBall(recording);
    RecordingCursor wholeCursor{&recording};
    playRecordingUntil(whole, wholeCursor, 6.0);

    for (double fps : {15.0, 7.0, 50.0}) {
        Game framed = startedWithBall(recording);
        RecordingCursor cursor{&recording};
        FramePlan plan;
        plan.fps = fps;
        plan.maxSeconds = 6.0;
        playFrames(
            framed, [&](Game& g, double age) { playRecordingUntil(g, cursor, age); }, plan, [](const Game&, int) {});
        EXPECT_EQ(testing::hashGame(framed), testing::hashGame(whole)) << fps << " fps";
    }
}

TEST(PlayFrames, StopsAtTheLimitOrAfterTheTailOfAnEndedBoard) {
    const BoardRecording none{0, 12345, {}};
    FramePlan plan;
    plan.fps = 10.0;
    plan.maxSeconds = 2.0;
    plan.tailSeconds = 0.5;
    std::vector<GamePhase> phases;
    const auto keep = [&](const Game& g, int number) {
        EXPECT_EQ(number, static_cast<int>(phases.size()));
        phases.push_back(g.phase);
    };
    Game early = startedWithBall(none);
    RecordingCursor idle{&none};
    const auto play = [&](Game& g, double age) { playRecordingUntil(g, idle, age); };
    EXPECT_EQ(playFrames(early, play, plan, keep), 21);  // 0.0, 0.1, ... 2.0 s
    EXPECT_EQ(phases.back(), GamePhase::Playing);

    phases.clear();
    plan.maxSeconds = 30.0;
    Game lost = startedWithBall(none);
    idle = RecordingCursor{&none};
    const int frames = playFrames(lost, play, plan, keep);
    ASSERT_GE(frames, 6);
    EXPECT_EQ(std::count(phases.begin(), phases.end(), GamePhase::GameOver), 6);  // the end and 0.5 s after
}

TEST(PlayFrames, NeverShowsTheNextBoard) {
    // One gray ball dropped straight into a gray hole clears the board; the
    // game then sets up another board after a pause, which is not this play.
    Level level = buildLevel(R"(
. . . . . . . . . . . . . . . . .
. h00 h01 . . . . . . . . . . . . . .
. h02 h03 . . . . . . . . . . . . . .
)");
    level.timeLimit = 0;
    Game game = gameWith(level);
    const BoardRecording none{0, 12345, {}};
    startRecordedBoard(game, none);
    putBall(game, 0, 64, 40, 0, 30);
    const std::uint64_t board = game.boardsStarted;
    RecordingCursor idle{&none};
    FramePlan plan;
    plan.tailSeconds = 10.0;
    GamePhase last = GamePhase::Playing;
    playFrames(
        game, [&](Game& g, double age) { playRecordingUntil(g, idle, age); }, plan,
        [&](const Game& g, int) {
            EXPECT_EQ(g.boardsStarted, board);
            last = g.phase;
        });
    EXPECT_EQ(last, GamePhase::BoardComplete);
}

}  // namespace
}  // namespace corvale
