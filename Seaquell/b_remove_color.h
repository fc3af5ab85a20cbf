#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Removes every ball of its colour (1 to 8), which its resting animations carry in their names:
// "default_3", "over_3"; its sprite's own default is the rainbow of no colour. Bonus kinds never join a
// group.
class RemoveColor : public Ball {
public:
    RemoveColor(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    void OnClick(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

protected:
    std::string RestingAnimation(bool highlighted) const override;
};

}  // namespace cm
