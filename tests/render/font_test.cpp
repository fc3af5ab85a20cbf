#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/png_writer.h"
#include "support/recording_render.h"
#include "support/temp_dir.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"
#include "vantle/render/render.h"

namespace {

using render::FontBMF;
using render::FontCache;
using render::IFont;

// A 32 by 32 glyph image: every pixel opaque white.
std::vector<std::uint8_t> GlyphImage() {
    return test::EncodePng(32, 32, std::vector<std::uint8_t>(32 * 32 * 4, 255));
}

// 'A' (65): 8 x 10 at (0, 0), offset (1, 2), advance 9.   'B' (66): 6 x 12 at (8, 0), advance 7.
// 200: 4 x 4 at (16, 0), advance 5.   'C' (67): a symbol of 1 x 1 pixel.   'D' (68): read after the
// scale changes to 64.   Kerning: A then B -2, B then A 3, B then B 1; every other pair 0.5.
const char* const kFontXml = R"(<?xml version="1.0"?>
<font filename="glyphs.png" size="32" default_kerning="0.5">
  <common base="10"/>
  <char id="65" x="0" y="0" w="8" h="10" xoffset="1" yoffset="2" xadvance="9"/>
  <char id="66" x="8" y="0" w="6" h="12" xadvance="7"/>
  <chars><anything id="200" x="16" y="0" w="4" h="4" xadvance="5"/></chars>
  <symbol code="67" x="20" y="0" w="1" h="1"/>
  <char id="300" x="0" y="0" w="8" h="8" xadvance="100"/>
  <char x="0" y="0" w="8" h="8" xadvance="100"/>
  <kerning first="65" second="66" amount="-2"/>
  <kernings>
    <k first="66" second="65" amount="3"/>
    <k code1="65" code2="65" value="9"/>
  </kernings>
  <kerning code1="66" code2="66" value="1"/>
  <kerning code1="66" code2="300" value="4"/>
  <common scaleW="64"/>
  <char id="68" x="0" y="0" w="16" h="16" xadvance="16"/>
</font>)";

class Fonts : public ::testing::Test {
protected:
    void SetUp() override {
        render::Render::instance()->SetImplementation(&renderer);
        std::ofstream(dir.File("font.xml")) << kFontXml;
        std::ofstream(dir.File("no_image.xml")) << R"(<font filename="missing.png" size="0">
            <char id="65" x="0" y="0" w="8" h="10" xadvance="9"/></font>)";
        std::ofstream(dir.File("broken.xml")) << "<font filename='glyphs.png'><char id='65'></font>";
        std::ofstream(dir.File("font.fnt")) << kFontXml;
        ASSERT_TRUE(test::WriteFile(dir.File("glyphs.png"), GlyphImage()));
        FontCache::instance()->SetFontDir(dir.Path() + "/");
    }
    void TearDown() override { render::Render::instance()->SetImplementation(nullptr); }

    core::ptr<IFont> Load(const std::string& name) {
        core::ptr<IFont> font = FontCache::instance()->Get(name);
        EXPECT_TRUE(font) << name;
        return font;
    }

    test::RecordingRender renderer;
    test::TempDir dir;
};

const render::VertexBufferOGL& Vertices(const core::ptr<IFont::RenderedText>& text) {
    return *dynamic_cast<const render::VertexBufferOGL*>(text->vertices);
}

struct Quad {
    float x0, y0, x1, y1;
};

Quad QuadOf(const render::VertexBufferOGL& vertices, unsigned int glyph) {
    const math::Vector3& top_left = vertices.GetPosition(glyph * 6);
    const math::Vector3& bottom_right = vertices.GetPosition(glyph * 6 + 2);
    return Quad{top_left.x, top_left.y, bottom_right.x, bottom_right.y};
}

TEST_F(Fonts, ReadsGlyphsAndKerningByByteValue) {
    core::ptr<IFont> loaded = Load("font.xml");
    ASSERT_TRUE(loaded);
    auto* font = dynamic_cast<FontBMF*>(loaded.get());
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->GetTexture(), nullptr);

    EXPECT_EQ(font->GetSymbolRect('A').right, 8.0f / 32.0f);
    EXPECT_EQ(font->GetSymbolRect('A').bottom, 10.0f / 32.0f);
    EXPECT_EQ(font->GetSymbolRect('B').left, 8.0f / 32.0f);
    EXPECT_EQ(font->GetSymbolRect('D').right, 16.0f / 64.0f);  // read after the new scale
    EXPECT_EQ(font->GetSymbolRect('C').right, 0.0f);           // too small to carry texture
    EXPECT_EQ(font->GetGlyphRect('C').right, 1.0f);
    EXPECT_EQ(font->GetSymbolRect(static_cast<char>(200)).left, 0.5f);
    EXPECT_EQ(font->GetTile(static_cast<char>(200)).GetTexture().get(), font->GetTexture());
    EXPECT_EQ(font->GetAdvance(200), 5.0f);
    EXPECT_EQ(font->GetTile('Z').GetTexture().get(), nullptr);  // undefined: the default tile
    EXPECT_EQ(font->GetTile('Z').rect.right, 1.0f);
    EXPECT_EQ(font->GetAdvance(44), 0.0f);  // ids of 256 and more are skipped, not wrapped

    EXPECT_EQ(font->GetGlyphRect('A').left, 0.0f);
    EXPECT_EQ(font->GetGlyphRect('B').right, 6.0f);
    EXPECT_EQ(font->GetGlyphOffset('A').y, 2.0f);

    struct Pair {
        unsigned char first, second;
        float kerning;
    };
    const Pair pairs[] = {{'A', 'B', -2}, {'B', 'A', 3}, {'B', 'B', 1}, {'A', 'A', 0.5f}, {200, 'A', 0.5f}};
    for (const Pair& p : pairs)
        EXPECT_EQ(font->GetKerning(p.first, p.second), p.kerning) << p.first << p.second;
}

TEST_F(Fonts, LaysTextOutWithPenAndKerningRules) {
    core::ptr<IFont> font = Load("font.xml");
    ASSERT_TRUE(font);
    struct Case {
        std::string text;
        std::vector<Quad> quads;
        float width, height;
    };
    const Case cases[] = {
        // A at (1, 2)..(9, 12); the pen moves by 9 - 1 = 8.
        {"A", {{0.5f, 1.5f, 8.5f, 11.5f}}, 8, 10},
        // B at pen 8, shifted by the A-B kerning of -2; the width ignores kerning.
        {"AB", {{0.5f, 1.5f, 8.5f, 11.5f}, {5.5f, -0.5f, 11.5f, 11.5f}}, 15, 12},
        // A glyph the font lacks takes no room; the kerning around it is the default 0.5.
        // Half a pixel snaps down: 8.5 becomes 8 - 0.5.
        {"AZA", {{0.5f, 1.5f, 8.5f, 11.5f}, {7.5f, -0.5f, 7.5f, -0.5f}, {8.5f, 1.5f, 16.5f, 11.5f}}, 16, 10},
        {"\xC8", {{-0.5f, -0.5f, 3.5f, 3.5f}}, 5, 4},
        {"", {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        core::ptr<IFont::RenderedText> text = font->RenderText(c.text, 99, render::Color(1, 0, 0, 1));
        ASSERT_TRUE(text);
        ASSERT_NE(text->vertices, nullptr);
        EXPECT_EQ(text->vertices->GetCount(), 6 * c.text.size());
        EXPECT_EQ(text->texture.get(), font->GetTexture());
        EXPECT_EQ(text->size.x, c.width);
        EXPECT_EQ(text->size.y, c.height);
        EXPECT_EQ(font->GetTextWidth(c.text), c.width);
        const render::VertexBufferOGL& vertices = Vertices(text);
        for (unsigned int i = 0; i < c.quads.size(); ++i) {
            SCOPED_TRACE(i);
            Quad quad = QuadOf(vertices, i);
            EXPECT_EQ(quad.x0, c.quads[i].x0);
            EXPECT_EQ(quad.y0, c.quads[i].y0);
            EXPECT_EQ(quad.x1, c.quads[i].x1);
            EXPECT_EQ(quad.y1, c.quads[i].y1);
        }
    }
}

TEST_F(Fonts, GlyphQuadsAreTwoTrianglesWithTheGlyphsTexturePlace) {
    core::ptr<IFont> font = Load("font.xml");
    ASSERT_TRUE(font);
    core::ptr<IFont::RenderedText> text = font->RenderText("B", 0, render::Color(0, 1, 0, 0.5f));
    const render::VertexBufferOGL& vertices = Vertices(text);
    math::Rect uv = font->GetTexture()->get_abs_trect(font->GetSymbolRect('B'));
    // top-left, top-right, bottom-right; top-left, bottom-right, bottom-left
    const float us[6] = {uv.left, uv.right, uv.right, uv.left, uv.right, uv.left};
    const float vs[6] = {uv.top, uv.top, uv.bottom, uv.top, uv.bottom, uv.bottom};
    const float xs[6] = {-0.5f, 5.5f, 5.5f, -0.5f, 5.5f, -0.5f};
    const float ys[6] = {-0.5f, -0.5f, 11.5f, -0.5f, 11.5f, 11.5f};
    for (unsigned int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(vertices.GetUV(i).x, us[i]);
        EXPECT_EQ(vertices.GetUV(i).y, vs[i]);
        EXPECT_EQ(vertices.GetPosition(i).x, xs[i]);
        EXPECT_EQ(vertices.GetPosition(i).y, ys[i]);
        EXPECT_EQ(vertices.GetPosition(i).z, 0.5f);
        EXPECT_EQ(vertices.GetColor(i), render::Color(0, 1, 0, 0.5f));
    }
    EXPECT_GT(uv.right, uv.left);
}

TEST_F(Fonts, BrokenFontsGiveEmptyOrTexturelessFonts) {
    test::CaptureLog log;
    core::ptr<IFont> no_image = Load("no_image.xml");
    ASSERT_TRUE(no_image);
    EXPECT_TRUE(log.Contains("Error: font texture is not properly loaded"));
    EXPECT_EQ(no_image->GetTexture(), nullptr);
    // A size of 0 is refused: the scale stays 512 and no coordinate is infinite.
    EXPECT_TRUE(log.Contains("Error: font texture size must be positive, keeping 512"));
    EXPECT_EQ(no_image->GetSymbolRect('A').right, 8.0f / 512.0f);
    core::ptr<IFont::RenderedText> text = no_image->RenderText("AA", 0, render::Color(1, 1, 1, 1));
    const render::VertexBufferOGL& vertices = Vertices(text);
    EXPECT_EQ(Vertices(text).GetPosition(8).x, 16.5f);  // the second glyph still takes its place
    for (unsigned int i = 0; i < 12; ++i) {
        EXPECT_EQ(vertices.GetUV(i).x, 0.0f);
        EXPECT_EQ(vertices.GetUV(i).y, 0.0f);
    }
    EXPECT_FALSE(text->texture);

    log.Clear();
    core::ptr<IFont> broken = Load("broken.xml");
    EXPECT_TRUE(log.Contains("Error loading font: font : "));
    core::ptr<IFont> missing = Load("missing.xml");
    EXPECT_TRUE(log.Contains("Error: definition is empty"));
    for (const core::ptr<IFont>& empty : {broken, missing}) {
        ASSERT_TRUE(empty);
        EXPECT_EQ(empty->GetTexture(), nullptr);
        EXPECT_EQ(empty->GetTextWidth("AB"), 0.0f);
        core::ptr<IFont::RenderedText> nothing = empty->RenderText("AB", 0, render::Color(1, 1, 1, 1));
        EXPECT_EQ(nothing->size.x, 0.0f);
        EXPECT_EQ(Vertices(nothing).GetPosition(0).x, Vertices(nothing).GetPosition(1).x);
    }

    EXPECT_FALSE(FontCache::instance()->Get("font.fnt"));  // only ".xml" descriptions make fonts
}

TEST_F(Fonts, ADeeplyNestedFontIsRefusedNotAStackOverflow) {
    std::string deep = "<font filename='glyphs.png'>";
    for (int i = 0; i < 40000; ++i) deep += "<char>";
    std::ofstream(dir.File("deep.xml")) << deep;
    test::CaptureLog log;
    core::ptr<IFont> font = Load("deep.xml");
    ASSERT_TRUE(font);
    EXPECT_TRUE(log.Contains("XML nested too deeply: font"));
    EXPECT_TRUE(log.Contains("Error loading font: font : "));
    EXPECT_EQ(font->GetTexture(), nullptr);
}

TEST_F(Fonts, NumbersThatAreNotFiniteKeepTheirDefaults) {
    std::ofstream(dir.File("not_finite.xml"))
        << R"(<font filename="glyphs.png" size="nan" default_kerning="2">
        <char id="65" x="0" y="0" w="8" h="10" xoffset="inf" yoffset="3" xadvance="-inf"/>
        <kerning first="65" second="65" amount="nan"/></font>)";
    test::CaptureLog log;
    core::ptr<IFont> loaded = Load("not_finite.xml");
    auto* font = dynamic_cast<FontBMF*>(loaded.get());
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(log.Contains("must be positive"));
    EXPECT_EQ(font->GetSymbolRect('A').right, 8.0f / 512.0f);
    EXPECT_EQ(font->GetGlyphOffset('A'), math::Vector2(0, 3));
    EXPECT_EQ(font->GetAdvance('A'), 0.0f);
    EXPECT_EQ(font->GetKerning('A', 'A'), 2.0f);
}

TEST_F(Fonts, EachFontNameIsLoadedOnce) {
    test::CaptureLog log;
    core::ptr<IFont> first = FontCache::instance()->Get("once.xml");
    core::ptr<IFont> second = FontCache::instance()->Get("once.xml");
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(std::count(log.Lines().begin(), log.Lines().end(), "Loading font once.xml"), 1);
}

TEST(FontRounding, HalfGoesDown) {
    struct Case {
        float value, rounded;
    };
    const Case cases[] = {{2.5f, 2.0f},   {2.51f, 3.0f}, {2.49f, 2.0f},
                          {-0.5f, -1.0f}, {-0.4f, 0.0f}, {3.0f, 3.0f}};
    for (const Case& c : cases) EXPECT_EQ(render::_round(c.value), c.rounded) << c.value;
}

}  // namespace
