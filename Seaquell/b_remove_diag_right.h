#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Clears its falling diagonal. Bonus kinds never join a group.
class RemoveDiagonalRight : public Ball {
public:
    RemoveDiagonalRight(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                        unsigned int color);

    void OnClick(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;
};

}  // namespace cm
