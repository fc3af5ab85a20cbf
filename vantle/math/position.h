#pragma once

namespace math {

// A cell on a grid: column x, row y.
struct Position {
    int x = 0;
    int y = 0;

    Position() = default;
    Position(int x_, int y_) : x(x_), y(y_) {}

    Position operator+(const Position& o) const { return Position(x + o.x, y + o.y); }
    Position operator-(const Position& o) const { return Position(x - o.x, y - o.y); }
    bool operator==(const Position& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Position& o) const { return !(*this == o); }
    // Row-major order, so positions can key ordered containers.
    bool operator<(const Position& o) const { return y != o.y ? y < o.y : x < o.x; }
};

}  // namespace math
