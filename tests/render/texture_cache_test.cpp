#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/png_writer.h"
#include "support/texture_files.h"
#include "vantle/i18n/mtable.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/proxy_texture.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/render/tile.h"

namespace {

int Count(const std::vector<std::string>& lines, const std::string& line) {
    int n = 0;
    for (const std::string& l : lines) n += l == line ? 1 : 0;
    return n;
}

// Textures come from PNG files in a temporary folder, decoded onto the memory pages of a recording
// renderer installed in the facade.
class TextureCacheTest : public test::TextureFilesTest {
protected:
    void SetUp() override {
        TextureFilesTest::SetUp();
        WritePng("red.png", 255, 0, 0);
        WritePng("blue.png", 0, 0, 255);
    }

    void WritePng(const std::string& name, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::vector<std::uint8_t> rgba;
        for (int i = 0; i < 4 * 3; ++i) rgba.insert(rgba.end(), {r, g, b, 255});
        ASSERT_TRUE(test::WriteFile(dir.File(name), test::EncodePng(4, 3, rgba)));
    }

    // The first pixel inside the frame of the texture's block.
    std::uint32_t InnerPixel(const core::ptr<render::ITexture>& texture) {
        const render::ProxyTexture* proxy = dynamic_cast<const render::ProxyTexture*>(texture.get());
        const math::Rect& block = proxy->GetBlock()->rect;
        const test::MemoryPage* page = static_cast<const test::MemoryPage*>(proxy->GetPage());
        return page->Pixel(static_cast<unsigned int>(block.left) + 1,
                           static_cast<unsigned int>(block.top) + 1);
    }

    render::TextureCache* cache = render::TextureCache::instance();
};

TEST_F(TextureCacheTest, LoadsOnceAndSharesTheTexture) {
    test::CaptureLog log;
    EXPECT_TRUE(cache->GetKeyList().empty());
    core::ptr<render::ITexture> first = cache->Get("red.png");
    core::ptr<render::ITexture> again = cache->Get("red.png");
    ASSERT_TRUE(first);
    EXPECT_EQ(first, again);
    EXPECT_EQ(InnerPixel(first), render::Bitmap::Pack(255, 0, 0, 255));
    EXPECT_EQ(Count(log.Lines(), "Loading texture red.png"), 1);
    EXPECT_EQ(renderer.Pages().size(), 1u);
    cache->Get("blue.png");
    EXPECT_EQ(cache->GetKeyList(), (std::list<std::string>{"blue.png", "red.png"}));
}

TEST_F(TextureCacheTest, RemembersFailuresUntilCleared) {
    test::CaptureLog log;
    EXPECT_FALSE(cache->Get("missing.png"));
    EXPECT_FALSE(cache->Get("missing.png"));
    EXPECT_EQ(Count(log.Lines(), "Loading texture missing.png"), 1);
    ASSERT_TRUE(test::WriteFile(dir.File("not_an_image.png"), {'h', 'e', 'l', 'l', 'o'}));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(cache->Get("not_an_image.png"));
    testing::internal::GetCapturedStderr();

    cache->Clear();
    WritePng("missing.png", 0, 255, 0);
    EXPECT_TRUE(cache->Get("missing.png"));
    EXPECT_EQ(Count(log.Lines(), "Loading texture missing.png"), 2);
}

TEST_F(TextureCacheTest, ClearingKeepsTexturesOthersHoldAndFreesThePagesOfTheRest) {
    core::ptr<render::ITexture> held = cache->Get("red.png");
    core::ptr<render::ITexture> dropped = cache->Get("blue.png");
    dropped.reset();
    cache->Clear();
    renderer.ClearTextures();
    ASSERT_EQ(renderer.Pages().size(), 1u);
    EXPECT_EQ(renderer.Pages()[0]->GetBlocks().size(), 1u);
    EXPECT_EQ(InnerPixel(held), render::Bitmap::Pack(255, 0, 0, 255));
    core::ptr<render::ITexture> reloaded = cache->Get("red.png");
    EXPECT_NE(reloaded, held);
    held.reset();
    reloaded.reset();
    cache->Clear();
    renderer.ClearTextures();
    EXPECT_TRUE(renderer.Pages().empty());
}

TEST_F(TextureCacheTest, NeverCachedNamesAreMadeAnewEachTime) {
    cache->AddNeverCached("blue.png");
    core::ptr<render::ITexture> a = cache->Get("blue.png");
    core::ptr<render::ITexture> b = cache->Get("blue.png");
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_TRUE(cache->GetKeyList().empty());
}

TEST_F(TextureCacheTest, LocalisedNamesLoadTheirFileUnderTheAskedKey) {
    TiXmlDocument document;
    document.Parse("<textures><t key=\"logo.png\" name=\"blue.png\"/></textures>");
    i18n::MessageTable::instance()->LoadTextureMap(document.FirstChildElement("textures"));
    test::CaptureLog log;
    core::ptr<render::ITexture> logo = cache->Get("logo.png");
    ASSERT_TRUE(logo);
    EXPECT_EQ(InnerPixel(logo), render::Bitmap::Pack(0, 0, 255, 255));
    EXPECT_TRUE(log.Contains("Loading texture blue.png"));
    EXPECT_EQ(cache->GetKeyList(), (std::list<std::string>{"logo.png"}));
}

TEST_F(TextureCacheTest, WithoutRendererNothingLoads) {
    render::Render::instance()->SetImplementation(nullptr);
    EXPECT_FALSE(cache->Get("red.png"));
}

TEST_F(TextureCacheTest, TileElementsReadColourTextureAndRect) {
    TiXmlDocument document;
    document.Parse(
        "<tiles>"
        "<a><rect right=\"0.5\" left=\"0\" top=\"0\" bottom=\"0.5\"/></a>"
        "<b texture=\"red.png\" color=\"00FF0080\" width=\"9\"/>"
        "<c texture=\"red.png\"/>"
        "<d color=\"FFF\"/>"
        "<e texture=\"missing.png\"/>"
        "<f/>"
        "</tiles>");
    TiXmlElement* root = document.FirstChildElement("tiles");
    const render::Tile a(root->FirstChildElement("a"));
    EXPECT_FLOAT_EQ(a.rect.right, 0.5f);
    EXPECT_FLOAT_EQ(a.rect.bottom, 0.5f);
    EXPECT_EQ(a.color, render::Color(1, 1, 1, 1));
    EXPECT_FALSE(a.GetTexture());

    const render::Tile b(root->FirstChildElement("b"));
    const render::Tile c(root->FirstChildElement("c"));
    EXPECT_EQ(b.color, render::Color(0, 1, 0, 128 / 255.0f));
    ASSERT_TRUE(b.GetTexture());
    EXPECT_EQ(b.GetTexture(), c.GetTexture());
    EXPECT_FLOAT_EQ(b.rect.right, 1.0f);

    EXPECT_EQ(render::Tile(root->FirstChildElement("d")).color, render::Color(0, 0, 0, 0));
    EXPECT_FALSE(render::Tile(root->FirstChildElement("e")).GetTexture());
    const render::Tile f(root->FirstChildElement("f"));
    EXPECT_EQ(f.color, render::Color(1, 1, 1, 1));
    EXPECT_FLOAT_EQ(f.rect.left, 0);
    EXPECT_FLOAT_EQ(f.rect.right, 1);
    EXPECT_FALSE(f.GetTexture());
    EXPECT_FALSE(render::Tile(static_cast<TiXmlElement*>(nullptr)).GetTexture());
}

}  // namespace
