#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/recording_application.h"
#include "support/scoped_env.h"
#include "vantle/platform/sdl/platform_sdl.h"

namespace {

// A window that cannot open is logged and refused, the environment is left as found, and the application
// can still be run to its end, so it can shut down in order.
TEST(PlatformWithoutVideo, AStartWithoutAWindowIsLoggedAndTheApplicationStillRunsToItsEnd) {
    struct Case {
        const char* name;
        const char* term;
        const char* driver;
    };
    // With a terminal named and no driver, SDL's own choice would fall back on its text-mode driver.
    const Case cases[] = {{"a driver that does not exist", nullptr, "no-such-driver"},
                          {"no display, no driver named, a terminal", "xterm", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScopedEnv term("TERM", c.term);
        test::ScopedEnv display("DISPLAY", nullptr);
        test::ScopedEnv driver("SDL_VIDEODRIVER", c.driver);
        test::CaptureLog log;
        platform::PlatformSDL sdl;
        EXPECT_FALSE(sdl.IsStarted());
        EXPECT_TRUE(log.Contains("SDL_Init: "));
        EXPECT_EQ(std::string(std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : ""),
                  c.driver ? c.driver : "");

        log.Clear();
        EXPECT_FALSE(sdl.WindowCreate(800, 600, 32, false, "Moravane"));
        EXPECT_FALSE(log.Lines().empty());
        test::RecordingApplication app;
        app.stop_after = 2;
        sdl.Run(&app);
        EXPECT_EQ(app.calls, (std::vector<std::string>{"Init", "Loop", "Loop", "Destroy"}));
    }
}

}  // namespace
