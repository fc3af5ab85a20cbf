#pragma once

#include "Seaquell/ball.h"

namespace cm {

// Holds a cleared cell for its lifetime: nothing falls into the cell meanwhile and the ghost never moves.
// It draws nothing and does nothing when clicked.
class Ghost : public Ball {
public:
    static constexpr unsigned int kColor = 9999;

    Ghost(unsigned int start_, unsigned int lifetime_, const math::Vector2& cell_size);

    void Update(unsigned int now) override;
    void Render() override;
    void OnClick(Board* board) override;
    // Up to and including start + lifetime.
    bool IsAlive(unsigned int now) override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

    unsigned int lifetime;
    unsigned int start;
};

}  // namespace cm
