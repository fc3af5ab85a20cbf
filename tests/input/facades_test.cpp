#include <gtest/gtest.h>

#include "vantle/input/keyboard.h"
#include "vantle/input/mouse.h"
#include "vantle/input/sdl/keyboard_sdl.h"

namespace {

TEST(InputFacades, WithoutImplementationNothingIsHeldOrTyped) {
    input::Keyboard* keyboard = input::Keyboard::instance();
    keyboard->Update();
    for (int code : {-1, 0, 37, 97, 255, 256}) EXPECT_EQ(keyboard->KeyState(code), 0) << code;
    EXPECT_EQ(keyboard->PopChars(), "");

    input::Mouse* mouse = input::Mouse::instance();
    mouse->Update();
    mouse->SetPosition(10, 20);
    EXPECT_EQ(mouse->GetPositionX(), 0);
    EXPECT_EQ(mouse->GetPositionY(), 0);
    EXPECT_EQ(mouse->GetPosition(), math::Vector2(0.0f, 0.0f));
    for (int button = -1; button < 9; ++button) EXPECT_EQ(mouse->GetButtonState(button), 0) << button;
}

TEST(InputFacades, KeyboardSDLWithoutThePlatformReportsNothing) {
    input::Keyboard::instance()->SetImplementation(new input::KeyboardSDL);
    EXPECT_EQ(input::Keyboard::instance()->KeyState(37), 0);
    EXPECT_EQ(input::Keyboard::instance()->PopChars(), "");
}

class CountingMouse : public input::IMouse {
public:
    explicit CountingMouse(int* alive) : _alive(alive) { ++*_alive; }
    ~CountingMouse() override { --*_alive; }
    void Update() override { ++updates; }
    int GetPositionX() override { return 7; }
    int GetPositionY() override { return 9; }
    math::Vector2 GetPosition() override { return math::Vector2(7.0f, 9.0f); }
    int GetButtonState(int button) override { return button == 2 ? 1 : 0; }
    void SetPosition(int, int) override {}
    int updates = 0;

private:
    int* _alive;
};

TEST(InputFacades, MouseForwardsToTheInstalledImplementationAndOwnsIt) {
    int alive = 0;
    auto* first = new CountingMouse(&alive);
    input::Mouse::instance()->SetImplementation(first);
    input::Mouse::instance()->Update();
    EXPECT_EQ(first->updates, 1);
    EXPECT_EQ(input::Mouse::instance()->GetPosition(), math::Vector2(7.0f, 9.0f));
    EXPECT_EQ(input::Mouse::instance()->GetButtonState(2), 1);
    input::Mouse::instance()->SetImplementation(new CountingMouse(&alive));
    EXPECT_EQ(alive, 1);
    input::Mouse::instance()->SetImplementation(nullptr);
    EXPECT_EQ(alive, 0);
}

}  // namespace
