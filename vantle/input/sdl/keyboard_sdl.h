#pragma once

#include "vantle/input/keyboard.h"

namespace input {

// The keyboard as the SDL platform's main loop records it: the key table and the typed characters
// live in platform::PlatformSDL, read through platform::Platform. Without that platform no key is held.
class KeyboardSDL : public IKeyboard {
public:
    // The main loop keeps the table current.
    void Update() override {}
    int KeyState(int code) override;
    std::string PopChars() override;
};

}  // namespace input
