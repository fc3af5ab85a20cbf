#include "support/still_mouse.h"

namespace test {

StillMouse* StillMouse::Install(const math::Vector2& at) {
    StillMouse* mouse = new StillMouse;
    mouse->position = at;
    input::Mouse::instance()->SetImplementation(mouse);
    return mouse;
}

void StillMouse::SetPosition(int x, int y) {
    position = math::Vector2(static_cast<float>(x), static_cast<float>(y));
}

}  // namespace test
