#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Removes every ball of its colour (1 to 8), which every look carries in its name: "default_3", "over_3",
// "mouse_over_3", "random_3"; its sprite's own default is the rainbow of no colour, and a ball of no colour
// keeps the plain names. Bonus kinds never join a group.
class RemoveColor : public Ball {
public:
    RemoveColor(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    void OnClick(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

protected:
    std::string Look(const std::string& name) const override;
};

}  // namespace cm
