#pragma once

#include "vantle/math/position.h"

namespace cm {

// One position of the back board: whether it is part of the playing field, whether new balls enter
// there, how many plate levels still lie on it, and the direction a ball on it falls.
class BoardCell {
public:
    // A cell that exists, emits nothing and has no plate, at (0, 0).
    BoardCell() = default;
    // No plate.
    BoardCell(unsigned int col_, unsigned int row_, bool exists_, bool emitter_, const math::Position& fall_)
        : col(col_), row(row_), exists(exists_), emitter(emitter_), fall(fall_) {}
    virtual ~BoardCell() = default;

    // Cells have nothing to do over time.
    virtual void Update() {}

    unsigned int col = 0;
    unsigned int row = 0;
    // False for a hole that never holds a ball.
    bool exists = true;
    // New balls are generated here.
    bool emitter = false;
    // 0 to 3 as loaded; 0 means no plate left.
    int plate = 0;
    math::Position fall;
};

}  // namespace cm
