#include <gtest/gtest.h>
#include <tinyxml.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/render/animation.h"
#include "vantle/render/atlas.h"

namespace {

using render::Animation;
using render::Atlas;

// XML files written by the test into a private folder, removed afterwards.
class TileFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        _dir.Write(name, text);
        return _dir / name;
    }

private:
    test::TempDir _dir;
};

Animation FramesOf(const std::vector<unsigned int>& lengths, bool loop) {
    Animation animation;
    for (unsigned int length : lengths) animation.AddFrame(Animation::Frame(render::Tile(), length));
    animation.SetLoop(loop);
    return animation;
}

TEST(FrameAnimation, PicksTheFrameShownAtEachTime) {
    struct Case {
        std::vector<unsigned int> lengths;
        bool loop;
        unsigned int time;
        size_t frame;
    };
    const std::vector<unsigned int> three{100, 50, 200};
    const Case cases[] = {
        {three, true, 0, 0},        {three, true, 99, 0},     {three, true, 100, 1},
        {three, true, 149, 1},      {three, true, 150, 2},    {three, true, 349, 2},
        {three, true, 350, 0},      {three, true, 351, 0},    {three, true, 450, 1},
        {three, false, 349, 2},     {three, false, 350, 2},   {three, false, 351, 2},
        {three, false, 10000, 2},   {three, false, 0, 0},     {{0, 0, 0}, true, 0, 0},
        {{0, 0, 0}, true, 5000, 0}, {{0, 0, 0}, false, 0, 2}, {{0, 0, 0}, false, 7, 2},
        {{0, 30}, true, 0, 1},      {{0, 30}, true, 30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "time " << c.time << (c.loop ? " looping" : " once"));
        Animation animation = FramesOf(c.lengths, c.loop);
        EXPECT_EQ(animation.GetFrameIndex(c.time), c.frame);
        EXPECT_EQ(&animation.GetTile(c.time), &animation.GetFrames()[c.frame].tile);
    }
}

TEST(FrameAnimation, LoadingAppendsFramesToThoseAlreadyThere) {
    TiXmlDocument document;
    document.Parse(R"(<animation loop="no"><frame length="5"/><frame/></animation>)");
    Animation animation = FramesOf({100}, true);
    animation.Load(document.FirstChildElement("animation"));
    EXPECT_EQ(animation.GetFrames().size(), 3u);
    EXPECT_EQ(animation.GetLength(), 115u);
    EXPECT_FALSE(animation.IsLooping());
    EXPECT_EQ(animation.GetFrameIndex(104), 1u);
}

TEST(FrameAnimation, WithoutFramesGivesAnEmptyTile) {
    Animation animation;
    EXPECT_EQ(animation.GetTile(123).GetTexture().get(), nullptr);
    EXPECT_EQ(animation.GetFrameIndex(123), 0u);
}

TEST_F(TileFiles, AnimationFilesGiveFramesWithTheirLengthsAndRectangles) {
    std::string path = Write("walk.xml", R"(<?xml version="1.0"?>
<animation loop="yes">
  <frame length="40" x="0" y="0" w="0.5" h="0.25" color="ff000080"><rect right="1" bottom="1"/></frame>
  <note/>
  <frame left="0.5" top="0.25" right="0.75" bottom="0.5"/>
  <frame/>
</animation>)");
    Animation animation(path);
    EXPECT_TRUE(animation.IsLooping());
    ASSERT_EQ(animation.GetFrames().size(), 3u);
    EXPECT_EQ(animation.GetLength(), 60u);
    EXPECT_EQ(animation.GetSpeedScale(), 1.0f);

    const render::Tile& first = animation.GetFrames()[0].tile;
    EXPECT_EQ(animation.GetFrames()[0].length, 40u);
    EXPECT_EQ(first.rect.right, 0.5f);  // the frame's own geometry replaces the "rect" child
    EXPECT_EQ(first.rect.bottom, 0.25f);
    EXPECT_NEAR(first.color.a, 128.0f / 255.0f, 1e-6);
    EXPECT_EQ(animation.GetFrames()[1].length, 10u);
    EXPECT_EQ(animation.GetFrames()[1].tile.rect.left, 0.5f);
    EXPECT_EQ(animation.GetFrames()[2].tile.rect.right, 0.0f);  // no geometry: an empty rectangle
    EXPECT_EQ(&animation.GetTile(45), &animation.GetFrames()[1].tile);
}

TEST_F(TileFiles, BrokenOrMissingAnimationFilesStayEmpty) {
    std::string broken = Write("broken.xml", "<animation><frame></animation>");
    test::CaptureLog log;
    Animation bad(broken);
    EXPECT_TRUE(bad.GetFrames().empty());
    EXPECT_TRUE(log.Contains("Error loading animation: " + broken + " : "));

    Animation missing(std::string("/tmp/vantle_no_such_dir/none.xml"));
    EXPECT_TRUE(missing.GetFrames().empty());
    EXPECT_FALSE(missing.IsLooping());
}

// The 2 by 2 test atlas: every cell has a tile, each with its own texture rectangle and a red colour.
const char* const kGrid = R"(<?xml version="1.0"?>
<atlas size_x="2" size_y="2">
  <tiles>
    <tile x="0" y="0" color="ff0000"><rect right="0.5" bottom="0.5"/></tile>
    <tile x="0" y="1"><rect top="0.5" right="0.5" bottom="1"/></tile>
    <tile x="1" y="0"><rect left="0.5" right="1" bottom="0.5"/></tile>
    <tile x="1" y="1"><rect left="0.5" top="0.5" right="1" bottom="1"/></tile>
    <tile x="1" y="1"><rect left="0.25" top="0.25" right="0.75" bottom="0.75"/></tile>
    <tile x="2" y="0"/>
    <tile y="0"/>
    <other x="0" y="0"/>
  </tiles>
</atlas>)";

struct Expected {
    float left, top, right, bottom;
};

void ExpectCells(const Atlas::Part& part, const std::vector<Expected>& expected) {
    ASSERT_EQ(part.cells.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(part.cells[i].rect.left, expected[i].left);
        EXPECT_FLOAT_EQ(part.cells[i].rect.top, expected[i].top);
        EXPECT_FLOAT_EQ(part.cells[i].rect.right, expected[i].right);
        EXPECT_FLOAT_EQ(part.cells[i].rect.bottom, expected[i].bottom);
    }
}

TEST_F(TileFiles, AtlasesCutTheirGridColumnByColumn) {
    Atlas atlas(Write("grid.xml", kGrid));
    EXPECT_EQ(atlas.GetColumns(), 2u);
    EXPECT_EQ(atlas.GetRows(), 2u);

    struct Case {
        math::Rect cut;
        std::vector<Expected> cells;
    };
    const Case cases[] = {
        {math::Rect(0, 0, 1, 1), {{0, 0, 0.5, 0.5}, {0, 0.5, 0.5, 1}, {0.5, 0, 1, 0.5}, {0.5, 0.5, 1, 1}}},
        // Cells that only touch the cut come out with zero width or height.
        {math::Rect(0.5, 0, 1, 0.5), {{0, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {0, 1, 1, 1}}},
        {math::Rect(0.25, 0.25, 0.5, 0.75), {{0, 0, 1, 0.5}, {0, 0.5, 1, 1}, {1, 0, 1, 0.5}, {1, 0.5, 1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.cut.left << "," << c.cut.top << "," << c.cut.right << "," << c.cut.bottom);
        Atlas::Part part = atlas.GetPart(c.cut);
        EXPECT_EQ(part.rect.left, c.cut.left);
        ExpectCells(part, c.cells);
    }

    Atlas::Part whole = atlas.GetPart(math::Rect(0, 0, 1, 1));
    // The tile's texture rectangle comes along, its colour does not; the later of two tiles wins.
    EXPECT_EQ(whole.cells[0].tile.rect.right, 0.5f);
    EXPECT_EQ(whole.cells[0].tile.color.g, 1.0f);
    EXPECT_EQ(whole.cells[3].tile.rect.left, 0.25f);
}

TEST_F(TileFiles, AtlasesWithoutUsableCells) {
    test::CaptureLog log;
    struct Case {
        const char* name;
        const char* text;
        unsigned int columns;
    };
    const Case cases[] = {
        {"broken.xml", "<atlas size_x='2'><tiles></atlas>", 0},
        {"no_tiles.xml", "<atlas size_x='3' size_y='1'/>", 3},
        {"no_size.xml", "<atlas><tiles><tile x='0' y='0'/></tiles></atlas>", 0},
        {"wrong_root.xml", "<tiles><tile x='0' y='0'/></tiles>", 0},
        {"huge.xml", "<atlas size_x='100000' size_y='100000'><tiles><tile x='0' y='0'/></tiles></atlas>", 0},
        {"endless.xml", "<atlas size_x='4000000000' size_y='0'/>", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Write(c.name, c.text);
        Atlas atlas(path);
        EXPECT_EQ(atlas.GetColumns(), c.columns);
        EXPECT_TRUE(atlas.GetPart(math::Rect(0, 0, 1, 1)).cells.empty());
    }
    EXPECT_TRUE(log.Contains("Error loading atlas: "));
    EXPECT_TRUE(log.Contains("huge.xml : too many cells"));
    EXPECT_TRUE(log.Contains("endless.xml : too many cells"));

    Atlas grid(Write("grid.xml", kGrid));
    EXPECT_TRUE(grid.GetPart(math::Rect(0.5f, 0.5f, 0.5f, 1.0f)).cells.empty());  // no width: nothing to map
    EXPECT_FALSE(grid.GetCell(5, 0));
}

}  // namespace
