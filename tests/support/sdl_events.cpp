#include "support/sdl_events.h"

#include "support/install_platform.h"

namespace test {

namespace {

bool Push(SDL_Event& event) {
    return SDL_PushEvent(&event) == 0;
}

bool PushKey(Uint8 type, SDLKey symbol, Uint16 unicode) {
    SDL_Event event{};
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = symbol;
    event.key.keysym.unicode = unicode;
    return Push(event);
}

}  // namespace

ClockedPlatformSDL* InstallPlatformSDL() {
    return InstallPlatform<ClockedPlatformSDL>();
}

bool PushKeyDown(SDLKey symbol, Uint16 unicode) {
    return PushKey(SDL_KEYDOWN, symbol, unicode);
}

bool PushKeyUp(SDLKey symbol) {
    return PushKey(SDL_KEYUP, symbol, 0);
}

bool PushFocus(bool gain, Uint8 state) {
    SDL_Event event{};
    event.active.type = SDL_ACTIVEEVENT;
    event.active.gain = gain ? 1 : 0;
    event.active.state = state;
    return Push(event);
}

bool PushQuit() {
    SDL_Event event{};
    event.quit.type = SDL_QUIT;
    return Push(event);
}

bool PushMouseMotion(Uint16 x, Uint16 y) {
    SDL_Event event{};
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return Push(event);
}

bool PushMouseButton(bool down, Uint8 button, Uint16 x, Uint16 y) {
    SDL_Event event{};
    event.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return Push(event);
}

void DrainEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

}  // namespace test
