#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Once per period (setting "makebadball_action_period", 5000 ms when unset) after it last came to rest,
// restores its own plate and turns one random neighbouring colour ball into another of its kind. Nothing
// happens while the board is paused or its level has ended. Bonus kinds never join a group.
class MakeBadBall : public Ball {
public:
    MakeBadBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    void Update(unsigned int now) override;
    // Keeps the board and restarts the timer.
    void OnMove(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

private:
    void Spread(unsigned int now) const;

    Board* _board = nullptr;
    unsigned int _last_action = 0;
    unsigned int _period;
};

}  // namespace cm
