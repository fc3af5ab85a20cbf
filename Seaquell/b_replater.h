#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Restores plates on a timer, from the first update after it reached the board and then once per period
// (setting "replater_action_period", 5000 ms when unset): its own cell, then its eight neighbours, in turn.
// Nothing is restored while the board is paused or its level has ended. Bonus kinds never join a group.
class ReplaterBall : public Ball {
public:
    ReplaterBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    void Update(unsigned int now) override;
    // Keeps the board; the timer runs on.
    void OnMove(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

private:
    void RestoreNeighbours() const;

    Board* _board = nullptr;
    unsigned int _last_action = 0;
    unsigned int _period;
    // The neighbours' turn comes next.
    bool _toggle = false;
};

}  // namespace cm
