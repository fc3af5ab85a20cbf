#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/recording_application.h"
#include "support/sdl_events.h"
#include "vantle/input/keyboard.h"
#include "vantle/input/mouse.h"
#include "vantle/input/sdl/keyboard_sdl.h"
#include "vantle/input/sdl/mouse_sdl.h"

namespace {

using Strings = std::vector<std::string>;

class InputSDL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(test::InstallPlatformSDL(), nullptr);
        test::DrainEvents();
        keyboard()->PopChars();
        if (!keyboard()->GetImplementation()) keyboard()->SetImplementation(new input::KeyboardSDL);
    }
    static input::Keyboard* keyboard() { return input::Keyboard::instance(); }

    // Runs the main loop for `turns` turns, calling `each` at every turn.
    void RunTurns(int turns, std::function<void(int)> each) {
        test::RecordingApplication app;
        app.stop_after = turns;
        app.on_loop = [&](test::RecordingApplication&, int turn) { each(turn); };
        platform::Platform::instance()->Run(&app);
    }
};

TEST_F(InputSDL, TypedCharactersArriveOnePerTurnAndArePoppedOnce) {
    test::PushKeyDown(SDLK_a, 'a');
    test::PushKeyUp(SDLK_a);
    test::PushKeyDown(SDLK_b, 'b');
    Strings popped;
    RunTurns(3, [&](int turn) {
        keyboard()->Update();
        popped.push_back(keyboard()->PopChars());
        if (turn == 1) popped.push_back(keyboard()->PopChars());
    });
    EXPECT_EQ(popped, (Strings{"a", "", "", "b"}));
    test::PushKeyUp(SDLK_b);
    RunTurns(1, [](int) {});
}

TEST_F(InputSDL, KeyStateFollowsPressAndRelease) {
    struct Case {
        SDLKey symbol;
        int code;
    };
    const Case cases[] = {
        {SDLK_RIGHT, 39}, {SDLK_QUOTE, 39}, {SDLK_LEFT, 37}, {SDLK_z, 'z'}, {SDLK_ESCAPE, 27}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::vector<int> states;
        test::PushKeyDown(c.symbol);
        test::PushKeyUp(c.symbol);
        RunTurns(2, [&](int) { states.push_back(keyboard()->KeyState(c.code)); });
        EXPECT_EQ(states, (std::vector<int>{1, 0}));
    }
    for (int code : {-1, 256, 1000}) EXPECT_EQ(keyboard()->KeyState(code), 0);
}

TEST_F(InputSDL, MouseIsSampledAtUpdateWithTheButtonChangesUpToIt) {
    input::MouseSDL mouse;
    EXPECT_EQ(mouse.GetPositionX(), 0);
    EXPECT_EQ(mouse.GetPositionY(), 0);
    for (int button = 0; button < 8; ++button) EXPECT_EQ(mouse.GetButtonState(button), 0);

    // The dummy video driver moves its cursor only through SDL itself.
    ASSERT_NE(SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE), nullptr);
    SDL_WarpMouse(120, 340);
    EXPECT_EQ(mouse.GetPositionX(), 0);
    mouse.Update();
    EXPECT_EQ(mouse.GetPositionX(), 120);
    EXPECT_EQ(mouse.GetPositionY(), 340);
    EXPECT_EQ(mouse.GetPosition(), math::Vector2(120.0f, 340.0f));
    mouse.SetPosition(5, 5);
    mouse.Update();
    EXPECT_EQ(mouse.GetPosition(), math::Vector2(120.0f, 340.0f));
    for (int button : {-1, 0, 1, 2, 8, 31, 64}) EXPECT_EQ(mouse.GetButtonState(button), 0);

    input::Mouse::instance()->SetImplementation(new input::MouseSDL);
    input::Mouse::instance()->Update();
    EXPECT_EQ(input::Mouse::instance()->GetPositionY(), 340);
    test::DrainEvents();

    // Button changes come in order, whether the main loop met them or the update took them from SDL's
    // queue, and only once the state has been sampled with them.
    ASSERT_TRUE(test::PushMouseButton(true, SDL_BUTTON_LEFT, 10, 20));
    RunTurns(1, [](int) {});
    ASSERT_TRUE(test::PushMouseButton(false, SDL_BUTTON_LEFT, 11, 21));
    ASSERT_TRUE(test::PushMouseButton(true, SDL_BUTTON_RIGHT, 30, 40));
    EXPECT_TRUE(input::Mouse::instance()->TakeButtonChanges().empty());
    input::Mouse::instance()->Update();
    Strings changes;
    for (const input::ButtonChange& c : input::Mouse::instance()->TakeButtonChanges())
        changes.push_back(std::to_string(c.button) + (c.down ? " down " : " up ") + std::to_string(c.x) +
                          "," + std::to_string(c.y));
    EXPECT_EQ(changes, (Strings{"0 down 10,20", "0 up 11,21", "2 down 30,40"}));
}

}  // namespace
