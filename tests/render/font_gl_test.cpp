#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "support/gl_window.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/math/mat4.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/font_cache.h"

namespace {

// 16 x 16 glyph image: a white 8 x 8 block at (0, 0) for 'A' and a red one at (8, 0) for 'B'.
std::vector<std::uint8_t> Glyphs() {
    std::vector<std::uint8_t> rgba(16 * 16 * 4, 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* pixel = &rgba[(y * 16 + x) * 4];
            pixel[0] = 255;
            pixel[1] = pixel[2] = x < 8 ? 255 : 0;
            pixel[3] = 255;
        }
    }
    return test::EncodePng(16, 16, rgba);
}

using TextOnScreen = test::GLTest;

TEST_F(TextOnScreen, DrawsLaidOutGlyphsWhereTheTextIsPlaced) {
    test::TempDir dir;
    ASSERT_TRUE(test::WriteFile(dir.File("glyphs.png"), Glyphs()));
    std::ofstream(dir.File("gl_font.xml")) << R"(<font filename="glyphs.png" size="16">
        <char id="65" x="0" y="0" w="8" h="8" xadvance="10"/>
        <char id="66" x="8" y="0" w="8" h="8" xadvance="10"/>
    </font>)";
    render::FontCache::instance()->SetFontDir(dir.Path() + "/");
    core::ptr<render::IFont> font = render::FontCache::instance()->Get("gl_font.xml");
    ASSERT_TRUE(font);
    ASSERT_NE(font->GetTexture(), nullptr);
    core::ptr<render::IFont::RenderedText> text = font->RenderText("AB", 0, render::Color(1, 1, 1, 1));
    ASSERT_TRUE(text);

    Renderer().BeginScene();
    Renderer().PushWorldMatrix();
    math::Matrix4 place;
    place.Move(100.0f, 200.0f, 0.0f);
    Renderer().MultWorldMatrix(place);
    Renderer().DrawVertexBuffer(text->vertices, text->texture.get());
    Renderer().PopWorldMatrix();

    EXPECT_TRUE(test::NearColor(PixelAt(103, 203), 255, 255, 255, 12));  // inside 'A'
    EXPECT_TRUE(test::NearColor(PixelAt(113, 203), 255, 0, 0, 12));      // inside 'B'
    EXPECT_TRUE(test::NearColor(PixelAt(108, 203), 0, 0, 0, 12));        // between the glyphs
    EXPECT_TRUE(test::NearColor(PixelAt(103, 215), 0, 0, 0, 12));        // below the text
}

}  // namespace
