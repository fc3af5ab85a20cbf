#include "support/gl_window.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cmath>

#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/render.h"

namespace test {

namespace {

const int kColorBits = 32;

// The window stays until the process ends: SDL_Quit would unload the GL driver before the leak check,
// leaving its allocations without a module name for the suppressions.
bool g_open = false;

// The game's own mode set, so that the tests draw into the buffers the game gets.
bool SetMode(bool fullscreen) {
    return platform::PlatformSDL::SetOpenGLVideoMode(GLWindow::kWidth, GLWindow::kHeight, kColorBits,
                                                     fullscreen);
}

}  // namespace

bool GLWindow::Open() {
    if (g_open) return true;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    if (!SetMode(false)) {
        SDL_Quit();
        return false;
    }
    g_open = true;
    return true;
}

bool GLWindow::SwitchMode(bool fullscreen) {
    return Open() && SetMode(fullscreen);
}

void GLWindow::ReadPixel(int x, int y, std::uint8_t rgba[4]) {
    // GL leaves the buffer untouched outside the window: a test would read whatever the stack held.
    rgba[0] = rgba[1] = rgba[2] = rgba[3] = 0;
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
        ADD_FAILURE() << "pixel " << x << "," << y << " lies outside the window";
        return;
    }
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void DamagePage(const render::BaseTextureOGL& page) {
    const GLsizei side = static_cast<GLsizei>(page.GetSide());
    const std::vector<std::uint32_t> magenta(static_cast<std::size_t>(side) * side,
                                             render::Bitmap::Pack(255, 0, 255, 255));
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, page.GetHandle());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, magenta.data());
    glDisable(GL_TEXTURE_2D);
}

void GLTest::SetUp() {
    ASSERT_TRUE(GLWindow::Open()) << "no OpenGL window: " << SDL_GetError();
    _renderer = new render::RenderOGL();
    render::Render::instance()->SetImplementation(_renderer);
    _renderer->Init(GLWindow::kWidth, GLWindow::kHeight, kColorBits, false);
    _renderer->SetOrtho(static_cast<float>(GLWindow::kWidth), static_cast<float>(GLWindow::kHeight));
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    _renderer->BeginScene();
}

void GLTest::TearDown() {
    if (_renderer) glDisable(GL_STENCIL_TEST);
    render::Render::instance()->SetImplementation(nullptr);
    delete _renderer;
    _renderer = nullptr;
}

render::Color GLTest::PixelAt(int x, int y) {
    std::uint8_t rgba[4];
    GLWindow::ReadPixel(x, y, rgba);
    return render::Color(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void GLTest::ExpectPixels(const std::vector<PixelSample>& samples) {
    for (const PixelSample& s : samples)
        EXPECT_TRUE(NearColor(PixelAt(s.x, s.y), s.r, s.g, s.b)) << "at " << s.x << "," << s.y;
}

::testing::AssertionResult NearColor(const render::Color& actual, int r, int g, int b, int tolerance) {
    const float expected[3] = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
    const float got[3] = {actual.r, actual.g, actual.b};
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(expected[i] - got[i]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "got (" << actual.r << ", " << actual.g << ", " << actual.b << "), expected (" << r
                   << ", " << g << ", " << b << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace test
