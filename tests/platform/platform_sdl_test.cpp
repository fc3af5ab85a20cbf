#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/recording_application.h"
#include "support/scoped_env.h"
#include "support/sdl_events.h"
#include "support/temp_dir.h"

namespace {

using Strings = std::vector<std::string>;
using test::ScopedEnv;

bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

class PlatformSDLTest : public ::testing::Test {
protected:
    void SetUp() override {
        sdl = test::InstallPlatformSDL();
        ASSERT_NE(sdl, nullptr);
    }
    test::ClockedPlatformSDL* sdl = nullptr;
};

TEST_F(PlatformSDLTest, GetDirCreatesTheDotDirectoryInHome) {
    test::TempDir temp;
    const std::string& home = temp.Path();
    ScopedEnv env("HOME", home.c_str());
    test::CaptureLog log;
    std::string dir = sdl->GetDir(platform::IPlatform::USER_DIR, "Moravane");
    EXPECT_EQ(dir, home + "/.Moravane");
    EXPECT_TRUE(IsDirectory(dir));
    EXPECT_EQ(log.Lines(), (Strings{"GetDir " + dir}));

    log.Clear();
    EXPECT_EQ(platform::Platform::instance()->GetDir(platform::IPlatform::USER_DIR, "Moravane"), dir);
    EXPECT_EQ(log.Lines(), (Strings{"GetDir " + dir, "GetDir " + dir + ": mkdir failed"}));
}

TEST_F(PlatformSDLTest, GetDirWithoutHomeFallsBackToThePasswordDatabase) {
    const std::string name = "vantle-test-" + std::to_string(getpid());
    for (const char* home : {static_cast<const char*>(nullptr), ""}) {
        ScopedEnv env("HOME", home);
        test::CaptureLog log;
        std::string dir = sdl->GetDir(platform::IPlatform::USER_DIR, name);
        ASSERT_GT(dir.size(), name.size() + 2);
        EXPECT_EQ(dir.substr(dir.size() - name.size() - 2), "/." + name);
        EXPECT_EQ(dir[0], '/');
        EXPECT_TRUE(IsDirectory(dir));
        EXPECT_TRUE(log.Contains("HOME is not set"));
        rmdir(dir.c_str());
    }
}

// A fake configuration tool first on PATH writes each argument it got on a line of its own.
class Wallpaper : public PlatformSDLTest {
protected:
    void SetUp() override {
        PlatformSDLTest::SetUp();
        record = dir + "/args.txt";
        temp.Write("gconftool-2", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"" +
                                      record + "\"\necho -- >> \"" + record + "\"\n");
        chmod(temp.File("gconftool-2").c_str(), 0755);
        path.reset(new ScopedEnv("PATH", (dir + ":" + std::getenv("PATH")).c_str()));
    }
    Strings Recorded() const {
        std::ifstream in(record);
        Strings lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    test::TempDir temp;
    const std::string dir = temp.Path();
    std::string record;
    std::unique_ptr<ScopedEnv> path;
};

TEST_F(Wallpaper, RunsTheToolWithArgumentsAndNoShell) {
    const std::string canary = dir + "/canary";
    const std::string picture =
        dir + "/it's \"$(touch " + canary + ")\" `touch " + canary + "`; touch " + canary;
    sdl->SetWallpaper(picture, platform::IPlatform::WALLPAPER_CENTERED);
    platform::Platform::instance()->SetWallpaper("/pics/b.png", platform::IPlatform::WALLPAPER_STRETCHED);
    const std::string key = "/desktop/gnome/background/";
    EXPECT_EQ(Recorded(), (Strings{"-t", "str", "-s", key + "picture_filename", picture,       "--",
                                   "-t", "str", "-s", key + "picture_options",  "centered",    "--",
                                   "-t", "str", "-s", key + "picture_filename", "/pics/b.png", "--",
                                   "-t", "str", "-s", key + "picture_options",  "stretched",   "--"}));
    EXPECT_NE(access(canary.c_str(), F_OK), 0) << "a shell ran the picture path";
}

TEST_F(Wallpaper, AMissingToolIsIgnored) {
    ScopedEnv empty_path("PATH", "/nonexistent");
    sdl->SetWallpaper("/pics/a.png", platform::IPlatform::WALLPAPER_CENTERED);
    EXPECT_TRUE(Recorded().empty());
}

TEST_F(PlatformSDLTest, WindowWithoutOpenGLIsReportedAsFailure) {
    // The dummy video driver has no OpenGL.
    test::CaptureLog log;
    EXPECT_TRUE(sdl->IsStarted());
    EXPECT_FALSE(platform::Platform::instance()->WindowCreate(800, 600, 32, false, "Moravane"));
    EXPECT_TRUE(log.Contains("SDL_SetVideoMode: "));
}

TEST_F(PlatformSDLTest, SwitchingToTheModeInForceDoesNothing) {
    test::RecordingApplication app;
    app.on_loop = [&](test::RecordingApplication& a, int) {
        sdl->SetFullscreen(false);
        a.Stop();
    };
    platform::Platform::instance()->Run(&app);
    EXPECT_EQ(app.Count("OnFullscreenToggle"), 0);
}

TEST_F(PlatformSDLTest, CursorIconAndTitle) {
    test::CaptureLog log;
    sdl->ShowSystemCursor(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    sdl->ShowSystemCursor(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    sdl->SetIcon("icon.png");
    EXPECT_EQ(log.Lines(),
              (Strings{"enabling CURSOR", "disabling CURSOR", "PlatformSDL::SetIcon not implemented yet"}));
    sdl->SetTitle("Moravane");
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Moravane");
}

}  // namespace
