#include <gtest/gtest.h>

#include <cstdlib>

#include "support/capture_log.h"
#include "support/recording_application.h"
#include "support/scoped_env.h"
#include "vantle/platform/sdl/platform_sdl.h"

namespace {

TEST(PlatformWithoutVideo, WithoutADisplayNoDriverThatMakesNoWindowStarts) {
    // With a terminal named, SDL's own choice would fall back on its text-mode driver here.
    test::ScopedEnv term("TERM", "xterm");
    test::ScopedEnv display("DISPLAY", nullptr);
    test::ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    test::CaptureLog log;
    {
        platform::PlatformSDL sdl;
        EXPECT_FALSE(sdl.IsStarted());
        EXPECT_FALSE(sdl.WindowCreate(800, 600, 32, false, "Moravane"));
    }
    EXPECT_TRUE(log.Contains("SDL_Init: "));
    EXPECT_EQ(std::getenv("SDL_VIDEODRIVER"), nullptr) << "the environment is left as it was";
}

TEST(PlatformWithoutVideo, StartFailureIsLoggedAndTheWindowRefused) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    test::CaptureLog log;
    platform::Platform* facade = platform::Platform::instance();
    facade->SetImplementation(new platform::PlatformSDL);
    auto* sdl = dynamic_cast<platform::PlatformSDL*>(facade->GetImplementation());
    ASSERT_NE(sdl, nullptr);
    EXPECT_FALSE(sdl->IsStarted());
    EXPECT_TRUE(log.Contains("SDL_Init: "));

    log.Clear();
    EXPECT_FALSE(facade->WindowCreate(800, 600, 32, false, "Moravane"));
    EXPECT_FALSE(log.Lines().empty());

    // The application can still be run to its end, so it can shut down in order.
    test::RecordingApplication app;
    app.stop_after = 2;
    facade->Run(&app);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"Init", "Loop", "Loop", "Destroy"}));
}

}  // namespace
