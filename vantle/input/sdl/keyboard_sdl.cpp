#include "vantle/input/sdl/keyboard_sdl.h"

#include "vantle/platform/sdl/platform_sdl.h"

namespace input {

int KeyboardSDL::KeyState(int code) {
    auto* sdl = dynamic_cast<platform::PlatformSDL*>(platform::Platform::instance()->GetImplementation());
    return sdl ? sdl->KeyState(code) : 0;
}

std::string KeyboardSDL::PopChars() {
    platform::IPlatform* implementation = platform::Platform::instance()->GetImplementation();
    return implementation ? implementation->PopChars() : std::string();
}

}  // namespace input
