#include "vantle/input/sdl/mouse_sdl.h"

#include <SDL.h>

namespace input {

namespace {
const int kButtonBits = 8;
}

void MouseSDL::Update() {
    SDL_PumpEvents();
    _buttons = SDL_GetMouseState(&_x, &_y);
}

math::Vector2 MouseSDL::GetPosition() {
    return math::Vector2(static_cast<float>(_x), static_cast<float>(_y));
}

int MouseSDL::GetButtonState(int button) {
    if (button < 0 || button >= kButtonBits) return 0;
    return (_buttons >> button) & 1;
}

}  // namespace input
