#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>

#include "support/capture_log.h"
#include "support/png_writer.h"
#include "support/recording_render.h"
#include "support/temp_dir.h"
#include "vantle/io/loader.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/tilemap.h"
#include "vantle/xml/xmlcache.h"

namespace {

class TileMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        render::Render::instance()->SetImplementation(&renderer);
        io::Loader::instance()->ClearSources();
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(dir.Path() + "/")));
        std::vector<std::uint8_t> rgba(4 * 4 * 4, 255);
        ASSERT_TRUE(test::WriteFile(dir.File("board.png"), test::EncodePng(4, 4, rgba)));
    }
    void TearDown() override {
        render::TextureCache::instance()->Clear();
        render::Render::instance()->SetImplementation(nullptr);
    }

    void Write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(test::WriteFile(dir.File(name), std::vector<std::uint8_t>(text.begin(), text.end())));
    }

    test::TempDir dir;
    test::RecordingRender renderer;
};

const char* const kMap =
    "<tilemap>"
    "<tile name=\"board\" texture=\"board.png\"><rect left=\"0\" top=\"0\" right=\"0.5\" "
    "bottom=\"1\"/></tile>"
    "<tile name=\"lock\" texture=\"board.png\" color=\"FF000080\"/>"
    "<piece name=\"lock\" color=\"00FF00\"/>"
    "<tile texture=\"board.png\"/>"
    "<tile color=\"0000FF\"/>"
    "</tilemap>";

TEST_F(TileMapTest, ReadsNamedTilesFromAFile) {
    Write("map.xml", kMap);
    utils::TileMap map("map.xml");
    core::ptr<render::Tile> board = map.Get("board");
    ASSERT_TRUE(board);
    EXPECT_FLOAT_EQ(board->rect.right, 0.5f);
    EXPECT_TRUE(board->GetTexture());
    EXPECT_EQ(map.Get("board"), board);

    // The later of two same-named children stays, whatever its element name.
    ASSERT_TRUE(map.Get("lock"));
    EXPECT_EQ(map.Get("lock")->color, render::Color(0, 1, 0, 1));
    EXPECT_FALSE(map.Get("lock")->GetTexture());
    // Unnamed children share the empty name; the last one stays.
    ASSERT_TRUE(map.Get(""));
    EXPECT_EQ(map.Get("")->color, render::Color(0, 0, 1, 1));
    EXPECT_FALSE(map.Get("plate1"));
}

TEST_F(TileMapTest, GetWhiteCopiesTheTileOrGivesPlainWhite) {
    Write("map.xml", kMap);
    utils::TileMap map("map.xml");
    render::Tile copy = map.GetWhite("lock");
    EXPECT_EQ(copy.color, render::Color(0, 1, 0, 1));
    copy.SetColor(render::Color(1, 1, 1, 1));
    EXPECT_EQ(map.Get("lock")->color, render::Color(0, 1, 0, 1));
    EXPECT_EQ(map.GetWhite("board").GetTexture(), map.Get("board")->GetTexture());

    const render::Tile missing = map.GetWhite("nothing");
    EXPECT_EQ(missing.color, render::Color(1, 1, 1, 1));
    EXPECT_FALSE(missing.GetTexture());
    EXPECT_FLOAT_EQ(missing.rect.right, 1.0f);
}

TEST_F(TileMapTest, MapsFromOneFileShareTheDocumentButNotTheTiles) {
    Write("shared.xml", kMap);
    utils::TileMap first("shared.xml");
    utils::TileMap second("shared.xml");
    EXPECT_NE(first.Get("board"), second.Get("board"));
    EXPECT_EQ(first.Get("board")->GetTexture(), second.Get("board")->GetTexture());
    EXPECT_EQ(xml::XmlCache::instance()->Get("shared.xml"), xml::XmlCache::instance()->Get("shared.xml"));
}

TEST_F(TileMapTest, MissingBrokenOrRootlessFilesGiveEmptyMaps) {
    Write("broken.xml", "<tilemap><tile name=\"a\"></tilemap>");
    Write("other.xml", "<tiles><tile name=\"a\"/></tiles>");
    test::CaptureLog log;
    EXPECT_FALSE(utils::TileMap("absent.xml").Get(""));
    EXPECT_FALSE(utils::TileMap("other.xml").Get("a"));
    EXPECT_FALSE(log.Contains("Error loading tilemap"));
    EXPECT_FALSE(utils::TileMap("broken.xml").Get("a"));
    EXPECT_TRUE(log.Contains("Error loading tilemap: broken.xml : "));
}

TEST_F(TileMapTest, LoadingAnElementAddsToTheMap) {
    TiXmlDocument document;
    document.Parse("<a><t name=\"x\" color=\"FF0000\"/></a>");
    utils::TileMap map(document.FirstChildElement("a"));
    TiXmlDocument more;
    more.Parse("<b><t name=\"y\"/><t name=\"x\" color=\"00FF00\"/></b>");
    map.Load(more.FirstChildElement("b"));
    map.Load(nullptr);
    EXPECT_TRUE(map.Get("y"));
    EXPECT_EQ(map.Get("x")->color, render::Color(0, 1, 0, 1));
    EXPECT_FALSE(utils::TileMap().Get("x"));
}

}  // namespace
