#pragma once

#include <string>
#include <vector>

#include "vantle/input/keyboard.h"
#include "vantle/input/mouse.h"
#include "vantle/math/vec2.h"

namespace test {

// A mouse whose position, buttons and kept button changes the test sets.
class FakeMouse : public input::IMouse {
public:
    // The one installed in the mouse facade, which owns it; installed on the first call.
    static FakeMouse* Install();

    void Update() override {}
    int GetPositionX() override { return static_cast<int>(position.x); }
    int GetPositionY() override { return static_cast<int>(position.y); }
    math::Vector2 GetPosition() override { return position; }
    int GetButtonState(int button) override;
    void SetPosition(int x, int y) override;
    std::vector<input::ButtonChange> TakeButtonChanges() override;
    bool IsInside() override { return inside; }

    // Back to the origin inside the window, with no button held and no change kept.
    void Release();

    static constexpr int kButtons = 3;
    math::Vector2 position;
    int buttons[kButtons] = {0, 0, 0};
    // Handed out, oldest first, at the next take.
    std::vector<input::ButtonChange> changes;
    // False once the pointer has left the program's window.
    bool inside = true;
};

// A keyboard whose held keys and typed characters the test sets.
class FakeKeyboard : public input::IKeyboard {
public:
    // The one installed in the keyboard facade, which owns it; installed on the first call.
    static FakeKeyboard* Install();

    void Update() override {}
    int KeyState(int code) override;
    std::string PopChars() override;

    // No key held, nothing typed.
    void Release();

    static constexpr int kKeys = 256;
    int keys[kKeys] = {};
    std::string typed;
};

}  // namespace test
