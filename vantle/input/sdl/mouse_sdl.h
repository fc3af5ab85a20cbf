#pragma once

#include "vantle/input/mouse.h"

namespace input {

// The mouse as SDL reports it, sampled at every Update: a click that starts and ends between two
// updates is not seen.
class MouseSDL : public IMouse {
public:
    void Update() override;
    int GetPositionX() override { return _x; }
    int GetPositionY() override { return _y; }
    math::Vector2 GetPosition() override;
    // Indices 0 to 7 of SDL's button mask (3 and 4 are the wheel); any other index reads as released.
    int GetButtonState(int button) override;
    // The cursor is not moved.
    void SetPosition(int, int) override {}

private:
    unsigned char _buttons = 0;
    int _x = 0;
    int _y = 0;
};

}  // namespace input
