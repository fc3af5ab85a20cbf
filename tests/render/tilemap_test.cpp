#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/png_writer.h"
#include "support/texture_files.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/tilemap.h"
#include "vantle/xml/xmlcache.h"

namespace {

class TileMapTest : public test::TextureFilesTest {
protected:
    void SetUp() override {
        TextureFilesTest::SetUp();
        std::vector<std::uint8_t> rgba(4 * 4 * 4, 255);
        ASSERT_TRUE(test::WriteFile(dir.File("board.png"), test::EncodePng(4, 4, rgba)));
    }

    void Write(const std::string& name, const std::string& text) { dir.Write(name, text); }
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
