#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/recording_application.h"
#include "support/sdl_events.h"

namespace {

using Strings = std::vector<std::string>;

// Guards every run against a loop that never ends.
const int kTurnLimit = 2000;

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override {
        sdl = test::InstallPlatformSDL();
        ASSERT_NE(sdl, nullptr);
        test::DrainEvents();
        sdl->PopChars();
        sdl->Thaw();
        app.stop_after = kTurnLimit;
    }

    void Run() { platform::Platform::instance()->Run(&app); }

    test::ClockedPlatformSDL* sdl = nullptr;
    test::RecordingApplication app;
};

TEST_F(MainLoop, QueuedKeyPressesAreTakenOnePerTurn) {
    for (char c : std::string("abcde")) test::PushKeyDown(static_cast<SDLKey>(c), c);
    Strings typed;
    app.on_loop = [&](test::RecordingApplication& a, int) {
        typed.push_back(sdl->PopChars());
        if (typed.size() == 6) a.Stop();
    };
    Run();
    EXPECT_EQ(typed, (Strings{"a", "b", "c", "d", "e", ""}));
    EXPECT_EQ(app.Count("Loop"), 6);
    for (char c : std::string("abcde")) {
        EXPECT_EQ(sdl->KeyState(c), 1);
        test::PushKeyUp(static_cast<SDLKey>(c));
    }
    test::RecordingApplication releases;
    releases.stop_after = 5;
    platform::Platform::instance()->Run(&releases);
    for (char c : std::string("abcde")) EXPECT_EQ(sdl->KeyState(c), 0);
}

TEST_F(MainLoop, QuitClosesAfterTheSameTurnsLoopThenDestroys) {
    test::CaptureLog log;
    app.on_loop = [](test::RecordingApplication&, int turn) {
        if (turn == 2) test::PushQuit();
    };
    Run();
    EXPECT_EQ(app.calls, (Strings{"Init", "Loop", "Loop", "OnClose", "Loop", "Destroy"}));
    EXPECT_TRUE(log.Contains("average fps: "));
    EXPECT_FALSE(log.Contains("nan"));
}

TEST_F(MainLoop, InitThatStopsSkipsEveryTurn) {
    test::CaptureLog log;
    app.on_init = [](test::RecordingApplication& a) { a.Stop(); };
    test::PushQuit();
    Run();
    EXPECT_EQ(app.calls, (Strings{"Init", "Destroy"}));
    EXPECT_TRUE(log.Contains("average fps: 0.000000"));
}

TEST_F(MainLoop, RunWithoutApplicationReturnsAtOnce) {
    test::CaptureLog log;
    test::PushQuit();
    platform::Platform::instance()->Run(nullptr);
    EXPECT_FALSE(log.Contains("average fps"));
}

TEST_F(MainLoop, AverageFpsIsZeroWhenNoTimePassed) {
    test::CaptureLog log;
    sdl->Freeze(1000);
    app.stop_after = 3;
    Run();
    EXPECT_TRUE(log.Contains("average fps: 0.000000"));
}

TEST_F(MainLoop, AverageFpsCountsFramesPerSecondOfTicks) {
    test::CaptureLog log;
    sdl->Freeze(1000);
    app.on_loop = [&](test::RecordingApplication&, int turn) { sdl->Freeze(1000 + 250 * turn); };
    app.stop_after = 4;
    Run();
    EXPECT_TRUE(log.Contains("average fps: 4.000000"));
}

struct KeyCase {
    SDLKey symbol;
    Uint16 unicode;
    int code;  // -1: no entry of the table changes
    std::string typed;
};

TEST_F(MainLoop, KeyPressesSetTheTableAndQueuePrintableCharacters) {
    const KeyCase cases[] = {
        {SDLK_LEFT, 0, 37, ""},    {SDLK_UP, 0, 38, ""},        {SDLK_RIGHT, 0, 39, ""},
        {SDLK_DOWN, 0, 40, ""},    {SDLK_QUOTE, '\'', 39, "'"}, {SDLK_a, 'a', 'a', "a"},
        {SDLK_a, 'A', 'a', "A"},   {SDLK_1, '1', '1', "1"},     {SDLK_SPACE, ' ', 32, " "},
        {SDLK_RETURN, 13, 13, ""}, {SDLK_BACKSPACE, 8, 8, ""},  {SDLK_TAB, 9, 9, ""},
        {SDLK_ESCAPE, 27, 27, ""}, {SDLK_DELETE, 127, 127, ""}, {SDLK_F1, '~', -1, "~"},
        {SDLK_LSHIFT, 0, -1, ""},  {SDLK_KP5, '5', -1, "5"},    {SDLK_HOME, 0, -1, ""},
        {SDLK_a, 0x00E9, 'a', ""},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "symbol " << c.symbol << " unicode " << c.unicode);
        std::vector<int> before, held, after;
        auto snapshot = [&](std::vector<int>* table) {
            table->clear();
            for (int k = 0; k < platform::PlatformSDL::kKeyCount; ++k) table->push_back(sdl->KeyState(k));
        };
        snapshot(&before);
        std::string typed;
        test::PushKeyDown(c.symbol, c.unicode);
        test::RecordingApplication app;
        app.on_loop = [&](test::RecordingApplication& a, int turn) {
            if (turn == 1) {
                snapshot(&held);
                typed = sdl->PopChars();
                test::PushKeyUp(c.symbol);
            } else {
                snapshot(&after);
                a.Stop();
            }
        };
        platform::Platform::instance()->Run(&app);
        std::vector<int> expected = before;
        if (c.code >= 0) expected[c.code] = 1;
        EXPECT_EQ(held, expected);
        EXPECT_EQ(after, before);
        EXPECT_EQ(typed, c.typed);
    }
}

TEST_F(MainLoop, KeyPressesAreLogged) {
    test::CaptureLog log;
    test::PushKeyDown(SDLK_b, 'B');
    test::PushKeyUp(SDLK_b);
    app.stop_after = 2;
    Run();
    EXPECT_TRUE(log.Contains("SDL_KEYDOWN 98"));
    EXPECT_TRUE(log.Contains("B B (0x0042)"));
    EXPECT_TRUE(log.Contains("SDL_KEYUP"));
}

TEST_F(MainLoop, OnlyInputFocusChangesReachTheApplication) {
    test::PushFocus(false, SDL_APPINPUTFOCUS);
    test::PushFocus(false, SDL_APPMOUSEFOCUS);
    test::PushFocus(false, SDL_APPACTIVE);
    test::PushFocus(true, SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS);
    test::PushFocus(true, SDL_APPMOUSEFOCUS);
    app.stop_after = 6;
    Run();
    Strings without_loops;
    for (const auto& call : app.calls)
        if (call != "Loop") without_loops.push_back(call);
    EXPECT_EQ(without_loops, (Strings{"Init", "OnDeactivate", "OnActivate", "Destroy"}));
}

TEST_F(MainLoop, AKeyHeldThroughLostFocusStaysSetUntilReleased) {
    test::PushKeyDown(SDLK_LEFT);
    test::PushFocus(false, SDL_APPINPUTFOCUS);
    Strings seen;
    app.on_loop = [&](test::RecordingApplication& a, int turn) {
        seen.push_back(std::to_string(sdl->KeyState(37)));
        if (turn == 2) test::PushKeyUp(SDLK_LEFT);
        if (turn == 3) a.Stop();
    };
    Run();
    EXPECT_EQ(seen, (Strings{"1", "1", "0"}));
    EXPECT_EQ(app.Count("OnDeactivate"), 1);
}

// Mouse motion arrives faster than frames are drawn; the releases and the quit behind it must not be
// pushed out of SDL's bounded queue.
TEST_F(MainLoop, AFloodOfMouseMotionLosesNoReleaseOrQuit) {
    const int kFloodTurns = 300;
    test::PushKeyDown(SDLK_SPACE, ' ');
    bool release_queued = false, quit_queued = false;
    app.on_loop = [&](test::RecordingApplication&, int turn) {
        if (turn < kFloodTurns) {
            test::PushMouseMotion(static_cast<Uint16>(turn % 800), 10);
            test::PushMouseMotion(static_cast<Uint16>(turn % 800), 11);
        } else if (turn == kFloodTurns) {
            release_queued = test::PushKeyUp(SDLK_SPACE);
            quit_queued = test::PushQuit();
        }
    };
    Run();
    EXPECT_TRUE(release_queued);
    EXPECT_TRUE(quit_queued);
    EXPECT_EQ(sdl->KeyState(' '), 0);
    EXPECT_EQ(app.Count("OnClose"), 1);
    EXPECT_LT(app.Turns(), kTurnLimit);
}

}  // namespace
