#include "vantle/input/sdl/mouse_sdl.h"

#include <SDL.h>

namespace input {

namespace {

const int kButtonBits = 8;
const Uint32 kButtonEvents = SDL_MOUSEBUTTONDOWNMASK | SDL_MOUSEBUTTONUPMASK;
const int kEventsPerPeek = 16;

}  // namespace

void MouseSDL::Update() {
    for (const ButtonChange& change : _arrived) _changes.push_back(change);
    _arrived.clear();
    SDL_PumpEvents();
    SDL_Event events[kEventsPerPeek];
    int taken = 0;
    while ((taken = SDL_PeepEvents(events, kEventsPerPeek, SDL_GETEVENT, kButtonEvents)) > 0)
        for (int i = 0; i < taken; ++i) Append(_changes, events[i]);
    while (_changes.size() > kMaxChanges) _changes.pop_front();
    _buttons = SDL_GetMouseState(&_x, &_y);
    _inside = (SDL_GetAppState() & SDL_APPMOUSEFOCUS) != 0;
}

math::Vector2 MouseSDL::GetPosition() {
    return math::Vector2(static_cast<float>(_x), static_cast<float>(_y));
}

int MouseSDL::GetButtonState(int button) {
    if (button < 0 || button >= kButtonBits) return 0;
    return (_buttons >> button) & 1;
}

std::vector<ButtonChange> MouseSDL::TakeButtonChanges() {
    std::vector<ButtonChange> taken(_changes.begin(), _changes.end());
    _changes.clear();
    return taken;
}

void MouseSDL::Keep(const SDL_Event& event) {
    Append(_arrived, event);
}

void MouseSDL::Append(std::deque<ButtonChange>& changes, const SDL_Event& event) {
    if (event.type != SDL_MOUSEBUTTONDOWN && event.type != SDL_MOUSEBUTTONUP) return;
    // SDL counts its buttons from 1, the state mask from bit 0.
    if (event.button.button < SDL_BUTTON_LEFT) return;
    ButtonChange change;
    change.button = event.button.button - SDL_BUTTON_LEFT;
    change.down = event.type == SDL_MOUSEBUTTONDOWN;
    change.x = event.button.x;
    change.y = event.button.y;
    if (changes.size() >= kMaxChanges) changes.pop_front();
    changes.push_back(change);
}

}  // namespace input
