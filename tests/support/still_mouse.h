#pragma once

#include "vantle/input/mouse.h"
#include "vantle/math/vec2.h"

namespace test {

// A mouse that stands where the test puts it, with no button down.
class StillMouse : public input::IMouse {
public:
    // A new mouse at the point, installed in the mouse facade, which owns it from then on.
    static StillMouse* Install(const math::Vector2& at = math::Vector2());

    void Update() override {}
    int GetPositionX() override { return static_cast<int>(position.x); }
    int GetPositionY() override { return static_cast<int>(position.y); }
    math::Vector2 GetPosition() override { return position; }
    int GetButtonState(int) override { return 0; }
    void SetPosition(int x, int y) override;

    math::Vector2 position;
};

}  // namespace test
