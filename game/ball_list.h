// The balls of a board live in fixed storage: a board never holds more than
// 64, and keeping them inline means a Game copies without allocating and the
// simulation never allocates for a ball.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvale {

struct Ball {
    std::int32_t id = 0;     // from nextBallId; unique on the board
    std::int32_t color = 0;  // BallColor 0..4
    double x = 0.0;          // centre, board pixels
    double y = 0.0;          // centre, board pixels
    double vx = 0.0;         // velocity, px/s
    double vy = 0.0;         // velocity, px/s
    double radius = 12.0;    // board pixels; shrinks while a hole pulls the ball in
    std::int32_t pull = 0;   // 0, or the negative whole-pixel radius reduction while pulled
    bool active = true;      // on the board; false once sunk
    bool nearHole = false;   // within 42 px of the centre of the hole last tested against

    friend bool operator==(const Ball&, const Ball&) = default;
};

inline constexpr std::size_t maxBalls = 64;

// A vector-like list with a fixed capacity of 64; push_back beyond it is
// ignored (the game checks the size first).
class BallList {
public:
    using value_type = Ball;
    using iterator = Ball*;
    using const_iterator = const Ball*;

    std::size_t size() const { return count; }
    static constexpr std::size_t capacity() { return maxBalls; }
    bool empty() const { return count == 0; }
    bool full() const { return count == maxBalls; }

    Ball& operator[](std::size_t i) { return items[i]; }
    const Ball& operator[](std::size_t i) const { return items[i]; }
    Ball& front() { return items[0]; }
    Ball& back() { return items[count - 1]; }
    const Ball& back() const { return items[count - 1]; }

    Ball* begin() { return items.data(); }
    Ball* end() { return items.data() + count; }
    const Ball* begin() const { return items.data(); }
    const Ball* end() const { return items.data() + count; }

    void push_back(const Ball& ball) {
        if (count < maxBalls) items[count++] = ball;
    }
    void clear() { count = 0; }

    friend bool operator==(const BallList& a, const BallList& b) {
        if (a.count != b.count) return false;
        for (std::size_t i = 0; i < a.count; ++i)
            if (!(a.items[i] == b.items[i])) return false;
        return true;
    }

private:
    std::array<Ball, maxBalls> items{};
    std::size_t count = 0;
};

}  // namespace corvale
