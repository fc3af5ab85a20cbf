#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "vantle/render/color.h"
#include "vantle/render/ogl/base_texture_ogl.h"
#include "vantle/render/ogl/render_ogl.h"

namespace test {

// The one 800 x 600 OpenGL window of a test executable (with a stencil buffer), opened on first use and
// kept until the process ends. Needs DISPLAY.
class GLWindow {
public:
    static const int kWidth = 800;
    static const int kHeight = 600;

    // Whether the window is open; opens it the first time.
    static bool Open();
    // Sets the video mode again, windowed or full screen, as the platform's mode switch does; the GL
    // context may be replaced.
    static bool SwitchMode(bool fullscreen);
    // The pixel at window coordinates (origin top left) of the back buffer: red, green, blue, alpha.
    static void ReadPixel(int x, int y, std::uint8_t rgba[4]);
};

// Overwrites every pixel of the page's GL texture with magenta, as a lost GL context would leave it
// unusable: only pixels kept elsewhere can bring the pictures back.
void DamagePage(const render::BaseTextureOGL& page);

// The colour expected at a logical position, as bytes.
struct PixelSample {
    int x, y, r, g, b;
};

// A fixture with the window open, a fresh RenderOGL installed in the renderer facade, the logical space
// set to 800 x 600 and the frame cleared to black.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    render::RenderOGL& Renderer() { return *_renderer; }
    // The colour at a logical position, as bytes 0..255 in a Color (r, g, b, a).
    render::Color PixelAt(int x, int y);
    // Checks each sample with NearColor, naming the position of any that fails.
    void ExpectPixels(const std::vector<PixelSample>& samples);

    render::RenderOGL* _renderer = nullptr;
};

// Components as bytes, within tolerance of the expectation given in bytes.
::testing::AssertionResult NearColor(const render::Color& actual, int r, int g, int b, int tolerance = 3);

}  // namespace test
