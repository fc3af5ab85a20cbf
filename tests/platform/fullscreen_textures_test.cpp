#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/gl_window.h"
#include "support/recording_application.h"
#include "support/sdl_events.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/ogl/base_texture_ogl.h"
#include "vantle/render/ogl/render_ogl.h"
#include "vantle/render/render.h"
#include "vantle/render/texture.h"

namespace {

// Damages every texture page while the mode changes, as a lost context would: only the kept pixels can
// bring the pictures back.
class DamagingRenderOGL : public render::RenderOGL {
public:
    using RenderOGL::ResizeWindow;
    bool ResizeWindow(bool fullscreen) override {
        for (const render::BaseTextureOGL* page : GetPages()) test::DamagePage(*page);
        ++resizes;
        return RenderOGL::ResizeWindow(fullscreen);
    }
    int resizes = 0;
};

// The mode switch replaces the OpenGL context; the platform has the renderer keep its texture pages
// across it, so a texture loaded before the switch still draws after it.
TEST(FullscreenSwitch, TexturesLoadedBeforeTheSwitchStillDraw) {
    test::ClockedPlatformSDL* sdl = test::InstallPlatformSDL();
    ASSERT_NE(sdl, nullptr);
    DamagingRenderOGL renderer;
    std::unique_ptr<render::ITexture> green;
    bool created = false;
    unsigned char pixel[4] = {0, 0, 0, 0};
    test::RecordingApplication app;
    app.on_init = [&](test::RecordingApplication&) {
        created = platform::Platform::instance()->WindowCreate(800, 600, 32, false, "Moravane");
        if (!created) return;
        render::Render::instance()->SetImplementation(&renderer);
        renderer.Init(800, 600, 32, false);
        renderer.SetOrtho(800, 600);
        render::Bitmap bitmap(16, 16);
        bitmap.fill(render::Color(0, 1, 0, 1));
        green.reset(renderer.LoadTexture(bitmap));
    };
    app.on_loop = [&](test::RecordingApplication& a, int turn) {
        if (!created) return a.Stop();
        if (turn == 1) platform::Platform::instance()->SetFullscreen(true);
        if (turn < 2) return;
        renderer.SetOrtho(800, 600);
        renderer.BeginScene();
        renderer.DrawRect(math::Rect(100, 100, 200, 200), render::Color(1, 1, 1, 1), green.get(),
                          math::Rect(0, 0, 1, 1));
        glFinish();
        glReadPixels(150, 600 - 150, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        a.Stop();
    };
    platform::Platform::instance()->Run(&app);
    ASSERT_TRUE(created);
    ASSERT_TRUE(green);
    EXPECT_EQ(app.Count("OnFullscreenToggle"), 1);
    EXPECT_EQ(renderer.resizes, 1);
    EXPECT_LE(pixel[0], 3);
    EXPECT_GE(pixel[1], 252);
    EXPECT_LE(pixel[2], 3);
    green.reset();
    render::Render::instance()->SetImplementation(nullptr);
}

}  // namespace
