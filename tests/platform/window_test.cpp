#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/recording_application.h"
#include "support/recording_render.h"
#include "support/sdl_events.h"
#include "vantle/render/render.h"

namespace {

TEST(Window, OpensAnOpenGLWindowWithStencilAndDrawsFrames) {
    test::ClockedPlatformSDL* sdl = test::InstallPlatformSDL();
    ASSERT_NE(sdl, nullptr);
    test::RecordingApplication app;
    bool created = false;
    GLint stencil_bits = 0, depth_bits = 0;
    unsigned char pixel[4] = {0, 0, 0, 0};
    app.on_init = [&](test::RecordingApplication&) {
        created = platform::Platform::instance()->WindowCreate(800, 600, 32, false, "Moravane");
        platform::Platform::instance()->SetTitle("Moravane");
    };
    app.on_loop = [&](test::RecordingApplication& a, int turn) {
        if (!created) return a.Stop();
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glGetIntegerv(GL_STENCIL_BITS, &stencil_bits);
        glGetIntegerv(GL_DEPTH_BITS, &depth_bits);
        glReadPixels(400, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        SDL_GL_SwapBuffers();
        if (turn == 3) test::PushQuit();
    };
    platform::Platform::instance()->Run(&app);
    ASSERT_TRUE(created);
    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 800);
    EXPECT_EQ(screen->h, 600);
    EXPECT_TRUE(screen->flags & SDL_OPENGL);
    EXPECT_GE(stencil_bits, 8);
    EXPECT_GE(depth_bits, 16);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(app.Count("OnClose"), 1);
}

TEST(Window, SwitchingModesTellsTheRunningApplicationOncePerSwitch) {
    test::ClockedPlatformSDL* sdl = test::InstallPlatformSDL();
    ASSERT_NE(sdl, nullptr);
    test::RecordingRender renderer;
    render::Render::instance()->SetImplementation(&renderer);
    test::RecordingApplication app;
    bool created = false;
    std::vector<bool> fullscreen;
    app.on_init = [&](test::RecordingApplication&) {
        created = platform::Platform::instance()->WindowCreate(800, 600, 32, false, "Moravane");
    };
    app.on_loop = [&](test::RecordingApplication& a, int turn) {
        if (turn == 1) platform::Platform::instance()->SetFullscreen(true);
        if (turn == 2) platform::Platform::instance()->SetFullscreen(true);
        if (turn == 3) platform::Platform::instance()->SetFullscreen(false);
        SDL_Surface* screen = SDL_GetVideoSurface();
        fullscreen.push_back(screen && (screen->flags & SDL_FULLSCREEN));
        if (turn == 3) a.Stop();
    };
    platform::Platform::instance()->Run(&app);
    ASSERT_TRUE(created);
    render::Render::instance()->SetImplementation(nullptr);
    EXPECT_EQ(app.Count("OnFullscreenToggle"), 2);
    EXPECT_EQ(fullscreen, (std::vector<bool>{true, true, false}));
    // Any back end hears of each completed switch, not only the OpenGL one.
    EXPECT_EQ(std::count(renderer.Calls().begin(), renderer.Calls().end(), "ResizeWindowFullscreen"), 2);
}

}  // namespace
