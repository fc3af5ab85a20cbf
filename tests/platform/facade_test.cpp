#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/recording_application.h"
#include "vantle/platform/platform.h"

namespace {

// One test: the facade is bare until the implementation goes in, and it goes in only once per process.
TEST(PlatformFacade, ForwardsOnlyOnceAnImplementationIsInstalled) {
    platform::Platform* facade = platform::Platform::instance();
    ASSERT_EQ(facade->GetImplementation(), nullptr);

    EXPECT_EQ(facade->GetDir(platform::IPlatform::USER_DIR, "Moravane"), "./Moravane");
    EXPECT_FALSE(facade->WindowCreate(800, 600, 32, false, "title"));
    facade->Sleep(10);
    facade->SetFullscreen(true);
    facade->WindowClose();
    facade->SetIcon("icon.png");
    facade->SetTitle("title");
    facade->SetWallpaper("/tmp/none.png", platform::IPlatform::WALLPAPER_CENTERED);
    facade->ShowSystemCursor(true);
    EXPECT_TRUE(facade->IsSystemCursorShown());
    facade->ShowSystemCursor(false);
    EXPECT_FALSE(facade->IsSystemCursorShown());
    test::RecordingApplication idle;
    facade->Run(&idle);
    EXPECT_TRUE(idle.calls.empty());

    test::FakePlatform* first = test::FakePlatform::Install();
    ASSERT_NE(first, nullptr);
    test::FakePlatform second;
    EXPECT_FALSE(facade->SetImplementation(&second));
    EXPECT_EQ(facade->GetImplementation(), first);

    first->SetTicks(500);
    facade->Sleep(20);
    EXPECT_EQ(facade->GetTicks(), 520u);
    EXPECT_EQ(first->Sleeps(), (std::vector<unsigned int>{20}));
}

TEST(PlatformFacade, ApplicationRunsInitLoopsUntilStoppedThenDestroy) {
    test::FakePlatform::Install();
    test::RecordingApplication app;
    app.stop_after = 3;
    platform::Platform::instance()->Run(&app);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"Init", "Loop", "Loop", "Loop", "Destroy"}));
}

}  // namespace
