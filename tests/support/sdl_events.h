#pragma once

#include <SDL.h>

#include "vantle/platform/sdl/platform_sdl.h"

namespace test {

// The real SDL platform with a clock that can be frozen, so the main loop's timing is predictable.
class ClockedPlatformSDL : public platform::PlatformSDL {
public:
    // Freezes GetTicks at the value until Thaw.
    void Freeze(unsigned int ticks) {
        _frozen = true;
        _ticks = ticks;
    }
    void Thaw() { _frozen = false; }
    unsigned int GetTicks() override { return _frozen ? _ticks : PlatformSDL::GetTicks(); }

private:
    bool _frozen = false;
    unsigned int _ticks = 0;
};

// The ClockedPlatformSDL installed in platform::Platform (installed on the first call; SDL starts once
// per process). Fails the test when another implementation was installed first.
ClockedPlatformSDL* InstallPlatformSDL();

// Events as the window system would queue them. Each returns whether SDL took the event.
bool PushKeyDown(SDLKey symbol, Uint16 unicode = 0);
bool PushKeyUp(SDLKey symbol);
bool PushFocus(bool gain, Uint8 state);
bool PushQuit();
bool PushMouseMotion(Uint16 x, Uint16 y);
// SDL numbers its buttons from SDL_BUTTON_LEFT (1).
bool PushMouseButton(bool down, Uint8 button, Uint16 x, Uint16 y);
// Empties SDL's event queue.
void DrainEvents();

}  // namespace test
