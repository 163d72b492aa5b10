// The rules of play. A Game is the whole state of a game in play: the level
// list it draws boards from, the live 17 x 17 board, the balls, the ink, the
// queue, the clock, the score, the mechanics, its own random generator and
// the statistics counters. No threads, timers or windows: the shell calls
// step() with elapsed seconds and the input operations with board pixels,
// and the renderer reads the public fields.
//
// Geometry is in board pixels (544 x 544, x right, y down, cell index =
// column + 17 * row); times are seconds, speeds px/s. A Game is a value:
// copying it gives an independent game that plays on identically.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "ball_list.h"
#include "completed_board.h"
#include "level.h"
#include "level_list.h"
#include "play_counters.h"
#include "statistics_snapshot.h"

namespace corvale {

inline constexpr int cellSize = 32;              // board pixels per cell side
inline constexpr int boardPixels = 544;          // board side, board pixels
inline constexpr double sliceSeconds = 0.016;    // unit of clock, launcher and wall animation
inline constexpr double subStepSeconds = 0.004;  // unit of motion and collision
inline constexpr double maxStepSeconds = 600.0;  // longer step() arguments are cut to this
inline constexpr std::size_t maxStrokePoints = 32768;
inline constexpr int minStrokeLimit = 1;
inline constexpr int maxStrokeLimit = 4096;
inline constexpr int defaultStrokeLimit = 20;
inline constexpr std::uint64_t defaultHighScore = 5000;
inline constexpr std::uint64_t pointsPerBlockToken = 1600;

inline constexpr const char* wrongHoleMessage = "You put a ball in a hole of a different color. Game over.";
inline constexpr const char* timeOutMessage = "Time has run out. Game over.";

enum class GamePhase : std::int32_t { Playing = 0, BoardComplete = 1, GameOver = 2 };

struct BoardCell {
    std::uint16_t code = 0;          // current tile code; changes when a wall breaks or a block is placed
    std::uint16_t revealedCode = 0;  // what a breakable wall turns into
    std::int32_t wallFrame = 0;      // timed/keyhole animation frame 0..4; 4 = fully shut
    std::int32_t wallState = 0;      // 0 open, 1 shut requested, 2 shut
    double phaseTime = 0.0;          // seconds in the current open/shut phase
    double frameTime = 0.0;          // seconds since wallFrame last changed

    friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

struct BoardPoint {
    double x = 0.0;  // board pixels
    double y = 0.0;  // board pixels

    friend bool operator==(const BoardPoint&, const BoardPoint&) = default;
};

// Half-open rectangle: contains (x, y) when left <= x < right and top <= y < bottom.
struct BoardRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;

    friend bool operator==(const BoardRect&, const BoardRect&) = default;
};

struct InkStroke {
    std::uint64_t id = 0;            // from nextStrokeId; unique for the life of the Game
    std::vector<BoardPoint> points;  // polyline, each coordinate within 0..543; one point is a dot

    friend bool operator==(const InkStroke&, const InkStroke&) = default;
};

struct Mechanics {
    std::int32_t timeLimit = 120;      // seconds; 0 = unlimited
    std::int32_t launchInterval = 4;   // seconds between launches
    std::int32_t minSpeed = 50;        // px/s, lowest initial ball speed (before the multiplier)
    std::int32_t maxSpeed = 150;       // px/s; drawn speeds run to maxSpeed - 1
    double ballSpeedMultiplier = 1.0;  // factor on launch speeds
    double chevronBoost = 1.0;         // factor on the ramp acceleration of 3 px/s per sub-step
    double chevronSpeedLimit = 400.0;  // px/s per axis on ramps

    friend bool operator==(const Mechanics&, const Mechanics&) = default;
};

// The most points a level's balls could earn from holes and breakable walls.
std::uint64_t possiblePoints(const Level& level);

class Game {
   public:
    // Takes the list (the caller's is left empty) and sets up a Beginner
    // board. Throws std::invalid_argument when the list is empty.
    explicit Game(std::vector<Level>&& levelList);
    // Shares an existing list: many Games over one set of boards cost one copy.
    explicit Game(LevelList levelList);

    // ---- Runs and boards ----
    void newGame(int difficulty, std::uint32_t seed);  // seed 0 = keep, or take from the clock
    void startLevel(std::int64_t index, bool newRun);  // std::out_of_range on a bad index
    void restartBoard();                               // same level, new run, mechanics kept
    std::size_t pickLevel(bool bonus);                 // random level of the difficulty
    void setupBoard(std::int64_t index, bool keepMechanics);
    void endRun();  // folds the run's statistics away

    // ---- Random generator (the only source of chance in play) ----
    int nextRandom();        // 0..32767
    int randomBelow(int n);  // 0..n-1; 0 without a draw when n <= 0

    // ---- Simulation ----
    void step(double seconds);
    void setPaused(bool value);                                          // pausing also ends the stroke being drawn
    void addBall(int color, double x, double y, double headingDegrees);  // negative heading = random
    bool cellOccupied(int column, int row) const;
    bool clampToBoard(Ball& ball) const;  // true when the ball bounced off an edge
    bool ballTouchesRect(const Ball& ball, const BoardRect& rect) const;

    // ---- Tiles and walls ----
    void updateWalls(double seconds);
    bool cellSolidFor(const BoardCell& cell, int index, const Ball& ball, BoardPoint p) const;
    void collideTiles(Ball& ball);
    bool bounceOffTiles(Ball& ball) const;
    void applyHolesAndRamps(Ball& ball);

    // ---- Ink ----
    void beginStroke(double x, double y);
    void extendStroke(double x, double y);
    void endStroke();
    void clearInk();
    bool setStrokeLimit(int n);  // false (and no change) outside 1..4096
    bool strokeNear(const InkStroke& stroke, BoardPoint p, double reach) const;
    bool inkBounce(Ball& ball) const;

    // ---- Scoring ----
    void awardPoints(std::uint64_t points);
    bool placeBlock(double x, double y);
    void setHighScore(std::uint64_t value);  // highScore = max(value, score)

    // ---- Mechanics ----
    Mechanics levelMechanics() const;
    std::string validateMechanics(const Mechanics& candidate) const;  // empty = acceptable
    bool applyMechanics(const Mechanics& candidate, std::string& message);

    // ---- Statistics ----
    void loadLifetimeStatistics(const PlayCounters& counters);  // only the first call counts
    StatisticsSnapshot statisticsSnapshot() const;

    // ---- Levels and board ----
    LevelList levels;                               // never changes after construction; index = board ID
    std::array<BoardCell, boardCellCount> cells{};  // live board, row-major
    BallList balls;                                 // at most 64; sunk balls stay (inactive) until setup
    std::vector<InkStroke> strokes;                 // oldest first; never more than strokeLimit
    std::vector<std::int32_t> queue;                // BallColor of the balls still to launch; front = next

    // ---- Current board and run ----
    std::int32_t difficulty = 0;                 // 0..4 (Beginner..Expert)
    std::int32_t boardId = 0;                    // the current level's id
    std::int32_t boardNumber = 1;                // position within the run: boardsCleared + 1
    bool bonusBoard = false;                     // the current level is a bonus board
    std::uint64_t score = 0;                     // points of the current run
    std::uint64_t highScore = defaultHighScore;  // best score known
    std::int32_t blockTokens = 0;                // wall blocks the player may still place
    double timeRemaining = 0.0;                  // board clock, seconds
    bool unlimitedTime = false;                  // timeLimit was 0 at setup: the clock never runs down
    bool clockRunning = false;                   // the clock (and play time) advances
    bool clockVisible = true;                    // blink state of the clock display
    double launchCountdown = 4.0;                // seconds until the next queued ball is launched
    bool nextBallBlink = false;                  // blink state of the next-ball indicator
    bool paused = false;
    GamePhase phase = GamePhase::Playing;
    std::string message;                    // reason for the last game over; empty while playing
    double completeTime = 0.0;              // seconds spent in BoardComplete
    double boardAge = 0.0;                  // seconds simulated since setup, clock running or not
    std::uint64_t boardsStarted = 0;        // boards set up since construction
    Mechanics mechanics;                    // the settings in force
    std::uint32_t rngState = 1;             // random generator state
    std::deque<std::int32_t> recentNormal;  // recently chosen normal level indices, newest first, <= 10
    std::deque<std::int32_t> recentBonus;   // recently chosen bonus level indices, newest first, <= 10
    std::vector<std::int32_t> launchers;    // cell indices of the Launcher cells, in cell order
    std::uint64_t drawingStrokeId = 0;      // stroke the current drag extends; 0 = none
    std::uint64_t nextStrokeId = 1;         // never reset
    std::uint64_t blockThreshold = 0;       // multiple of 1600 up to which tokens were granted
    std::int32_t nextBallId = 1;            // 1 at each setup
    std::int32_t boardsCleared = 0;         // boards cleared in the current run
    std::uint64_t levelIndex = 0;           // index into levels of the board in play
    double bonusTick = 0.0;                 // time-bonus accumulator, seconds
    double advanceTimer = 0.0;              // seconds since the time bonus was paid out
    double launchBlinkTimer = 0.0;          // next-ball blink accumulator, seconds
    double clockBlinkTimer = 0.0;           // clock blink accumulator, seconds

    // ---- Statistics ----
    PlayCounters boardCounters;      // the board in play (playTime set when it ends)
    PlayCounters runCounters;        // the run in play (playTime stays 0; computed in snapshots)
    PlayCounters lastBoardCounters;  // the board folded away most recently
    PlayCounters lastRunCounters;    // the run folded away most recently
    PlayCounters lifetimeCounters;   // from the statistics file, plus all play since
    bool lastBoardValid = false;
    bool lastRunValid = false;
    double runTimeBefore = 0.0;                     // summed play time of the run's earlier boards, seconds
    double elapsed = 0.0;                           // play time of the board in play (advances while clockRunning)
    bool boardCommitted = true;                     // boardCounters already folded into the last-board set
    bool lifetimeLoaded = false;                    // loadLifetimeStatistics has run
    std::vector<CompletedBoard> completedBoards;    // one per board cleared in the run
    std::int32_t strokeLimit = defaultStrokeLimit;  // most strokes kept, 1..4096
    std::uint64_t scoreAtBoardStart = 0;            // score when the board was set up

    // ---- Watching ----
    // Called after every sub-step while set, so long unattended runs can check
    // the rules where they could break, not only where a step returns. Not part
    // of the game's state.
    void (*subStepWatch)(const Game& game, void* context) = nullptr;
    void* subStepWatchContext = nullptr;

   private:
    // Positions and radii of the balls, packed so the ball-against-ball scan
    // stays in cache; refreshed every sub-step and after each ball moves.
    // Sunk balls sit far off the board so they never match.
    struct BallPositions {
        std::array<double, maxBalls> x{};
        std::array<double, maxBalls> y{};
        std::array<double, maxBalls> radius{};
    };
    BallPositions positions;
    // Which balls lie in each 32-pixel band of rows and of columns, so a ball
    // meets only those in the 3 x 3 cells around its own: two balls that
    // touch are less than 32 pixels apart while no radius exceeds 16. A
    // ball outside those bounds (larger, or off any finite position) is
    // "wide" and meets everything, as every ball would without the bands.
    // Rebuilt every sub-step and kept by notePosition after each move.
    struct BallBands {
        std::array<std::uint64_t, boardRows + 2> rows{};  // padded by an empty band at each end
        std::array<std::uint64_t, boardColumns + 2> columns{};
        std::uint64_t wide = 0;
        std::array<std::int8_t, maxBalls> row{};     // each ball's band, -1 when in none
        std::array<std::int8_t, maxBalls> column{};
    };
    BallBands bands;
    void notePosition(std::size_t i);
    std::uint64_t ballsAround(std::size_t i) const;

    // Each stroke's box, so far strokes are skipped cheaply, and for each
    // cell the strokes whose box grown by inkIndexMargin covers it, in list
    // order, so a ball tests only the ink around it. Both are built at the
    // start of each step from the points as they are then (anyone may edit
    // the public strokes between steps), follow the strokes a ball erases,
    // and are dropped when the step returns, so they are never stale.
    struct InkIndex {
        bool boxesValid = false;       // boxes[s] holds strokes[s]; only inside step()
        std::vector<BoardRect> boxes;  // smallest box holding each stroke's points (right/bottom inclusive)
        // The same for each run of strokeChunk segments: stroke s's runs are
        // chunks[chunkSpans[s][0]..chunkSpans[s][1]), so a far run is skipped whole.
        std::vector<BoardRect> chunks;
        std::vector<std::array<std::uint32_t, 2>> chunkSpans;
        bool valid = false;            // the per-cell lists below are built
        std::array<std::uint32_t, boardCellCount + 1> start{};  // cell c's strokes: items[start[c]..start[c+1])
        std::vector<std::uint32_t> items;    // stroke indices as they were when the index was built
        std::vector<std::uint32_t> current;  // built index -> index in strokes now, or noStroke once erased
        std::vector<std::uint32_t> remap;    // scratch: old stroke index -> new
    };
    static constexpr std::uint32_t noStroke = 0xFFFFFFFFu;
    static constexpr std::size_t strokeChunk = 8;
    InkIndex inkIndex;
    void buildInkIndex();
    void dropInkIndex();
    bool strokeNearAt(std::uint32_t s, BoardPoint p, double reach) const;
    template <typename Visit>
    void forEachStrokeAround(BoardPoint centre, double reach, Visit visit) const;

    void seedFromClock();
    void resetRunScore();
    double boardPlayTime() const;
    void addCount(std::uint64_t PlayCounters::*field);
    void addTime(double PlayCounters::*field, double amount);
    void initWallCell(BoardCell& cell) const;

    bool runSlice(double slice);  // false when step must return at once
    void runLauncher(double slice);
    bool runClock(double slice);  // false on a time-out
    void runSubStep(double h);
    void moveBall(std::size_t i, double h);
    void collideBalls(std::size_t i);
    void collideInk(Ball& ball);
    void grantBlockTokens();
    void captureOrPull(Ball& ball, BoardPoint holeCentre, int holeColor);
    void captureBall(Ball& ball, int holeColor);
    void toggleKeyholes(int color);
    void endGame(const char* reason);
    void testBoardComplete();
    void runCompletionPhase(double slice);
    void breakWall(BoardCell& cell);
    void removeStrokesNear(BoardPoint c, double reach);
};

}  // namespace corvale
