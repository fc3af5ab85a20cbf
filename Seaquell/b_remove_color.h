#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Removes every ball of its colour (1 to 8), which its animations carry in their names: "default_3",
// "over_3". Its sprite's own default animation is the rainbow of no colour, so a hover that ends and an
// idle animation that plays out come back to the colour's animation instead. Bonus kinds never join a
// group.
class RemoveColor : public Ball {
public:
    RemoveColor(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    void Update(unsigned int now) override;
    void Over(bool over_) override;
    void MouseOver(bool mouse_over_) override;
    void OnClick(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

private:
    // "over_" or "default_" and the colour, as the highlight stands.
    std::string ColorAnimation() const;
};

}  // namespace cm
