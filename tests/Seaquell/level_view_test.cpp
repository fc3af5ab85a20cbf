#include "Seaquell/level_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Seaquell/board.h"
#include "Seaquell/level_view_frames.h"
#include "effects/effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/game/sprite.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/config.h"

namespace {

using Cell = std::pair<int, int>;
using Pieces = std::map<Cell, std::vector<unsigned int>>;
using Buffer = core::ptr<render::IVertexBuffer>;
using View = cm::LevelView;
// Pictures of 4 pixels span a small part of their page.
const float kUV = 1e-5f;

// Every picture as a small white square, and a lock tile in half-transparent red; cells are 10 x 20.
class LevelViewTest : public test::EffectKindsTest {
protected:
    void SetUp() override {
        EffectKindsTest::SetUp();
        const std::vector<std::uint8_t> png = test::EncodePng(4, 4, std::vector<std::uint8_t>(64, 0xFF));
        for (const char* name : {"board_01", "board_02", "board_03", "board_04", "t_01h", "t_02h", "t_03h"})
            dir.Write(std::string("data/gfx/board/") + name + ".png", std::string(png.begin(), png.end()));
        for (const char* file : cm::frames::kPieceFiles) dir.Write(file, std::string(png.begin(), png.end()));
        dir.Write("data/tilemaps/board.xml", "<tilemap><tile name='lock' color='FF000080'/></tilemap>");
        utils::Config::SetFilename(dir.File("config.cfg"));
        View::Unload();
    }
    void TearDown() override {
        // The textures live on this test's renderer.
        View::Unload();
        cm::Board::Unload();
        render::TextureCache::instance()->Clear();
        EffectKindsTest::TearDown();
    }

    // Rows top first: "." a cell, "1" to "3" its plate level, "#" a hole, "o" a ball, "*" a locked ball.
    std::unique_ptr<cm::Board> NewBoard(const std::vector<std::string>& rows) {
        std::unique_ptr<cm::Board> board(new cm::Board(rows[0].size(), rows.size()));
        for (int r = 0; r < board->balls.height; ++r) {
            for (int c = 0; c < board->balls.width; ++c) {
                const char code = rows[r][c];
                board->back_board.Get(c, r).exists = code != '#';
                board->back_board.Get(c, r).plate = code >= '1' && code <= '3' ? code - '0' : 0;
                if (code != 'o' && code != '*') continue;
                board->balls.Set(c, r, core::ptr<cm::Ball>(new cm::Ball(NewSprite("00FF00"), {10, 20}, 1)));
                board->balls.Get(c, r)->MoveTo(c, r);
                board->balls.Get(c, r)->locked = code == '*';
            }
        }
        view.reset(
            new View(math::Rect(0, 0, 10.0f * rows[0].size(), 20.0f * rows.size()), board.get(), false));
        view->Update();
        return board;
    }
    core::ptr<game::Sprite> NewSprite(const std::string& color) {
        return core::ptr<game::Sprite>(
            new game::Sprite(Parse("<sprite w='10' h='20'><animation name='a' default='1'><frame color='" +
                                   color + "'/></animation></sprite>")));
    }
    // What Render draws: static layers by texture, live draws by colour (the lock with its rectangle).
    std::vector<std::string> Rendered() {
        std::map<const render::ITexture*, std::string> names = {{View::back_tx.get(), "background"}};
        for (int k = 0; k < View::kPlateLevels; ++k)
            names[View::board_tx[k].get()] = "plate", names[View::borders_tx[k].get()] = "border";
        for (const auto& texture : View::frame_tx) names[texture.get()] = "frame";
        renderer.ClearRecord();
        view->Render();
        std::vector<std::string> drawn;
        for (const auto& draw : renderer.Draws()) {
            std::ostringstream text;
            if (draw.kind == test::RecordingRender::VERTICES) text << names[draw.texture];
            if (draw.color == render::Color("00FF00")) text << "ball";
            if (draw.color == render::Color("0000FF")) text << "highlight";
            if (draw.color == render::Color("FF000080"))
                text << "lock " << draw.rect.left << "," << draw.rect.top << "," << draw.rect.right << ","
                     << draw.rect.bottom;
            if (drawn.empty() || drawn.back() != text.str() || text.str() == "ball")
                drawn.push_back(text.str());
        }
        return drawn;
    }

    test::TempDir dir;
    test::WorkingDirectory cwd{dir.Path()};
    test::CaptureLog log;
    std::unique_ptr<View> view;
};

const render::VertexBufferOGL& Vertices(const Buffer& buffer) {
    return static_cast<const render::VertexBufferOGL&>(*buffer);
}

// The cell under each quad of the buffer, in writing order.
std::vector<Cell> QuadCells(const Buffer& buffer) {
    std::vector<Cell> cells;
    for (unsigned int v = 0; buffer && v < buffer->GetCount(); v += 6) {
        const math::Vector3& corner = Vertices(buffer).GetPosition(v);
        cells.emplace_back(std::floor(corner.x / 10), std::floor(corner.y / 20));
    }
    return cells;
}

Pieces FramePieces(const View& view) {
    Pieces pieces;
    for (unsigned int f = 0; f < View::kFramePieces; ++f) {
        for (const Cell& cell : QuadCells(view.frame_vb[f])) pieces[cell].push_back(f);
    }
    return pieces;
}

TEST_F(LevelViewTest, FrameMapListsThePiecesOfEachKeyAndAPatternFillsItsBlanksBothWays) {
    View::Preload();
    EXPECT_EQ(View::frame_map.size(), 254u);
    const std::map<std::string, std::vector<unsigned int>> keys = {{"11111111", {0}},
                                                                   {"00011000", {14, 15}},
                                                                   {"10100101", {9, 10, 11, 12}},
                                                                   {"10010101", {15, 11, 15, 11, 11, 15}},
                                                                   {"00000000", {}},
                                                                   {"10101110", {}}};
    for (const auto& [key, pieces] : keys) EXPECT_EQ(View::frame_map[key], pieces) << key;
    // Rows 1 and 25 alone, then malformed rows, which register nothing.
    const std::map<std::string, size_t> rows = {
        {" 1 11 1 ", 16}, {" 0110 1 ", 8}, {" 1 11 1", 0}, {"1x00000 ", 0}};
    for (const auto& [pattern, count] : rows) {
        View::frame_map.clear();
        View::FillFrameMap(pattern.c_str(), 1, 9);
        EXPECT_EQ(View::frame_map.size(), count) << pattern;
        for (const auto& [key, pieces] : View::frame_map)
            EXPECT_EQ(pieces, (std::vector<unsigned int>{1, 9})) << key;
    }
    View::frame_map.clear();
    View::FillFrameMap("1000000 ", 1, View::kFramePieces);
    EXPECT_TRUE(View::frame_map.empty()) << "a piece beyond the last";
}

TEST_F(LevelViewTest, TwoViewsShareTheStaticsLoadedOnceAndAPreviewsBallsShowNoEffects) {
    const std::unique_ptr<cm::Board> board = NewBoard({"1."});
    EXPECT_EQ(View::lock_tile.color, render::Color("FF000080"));
    EXPECT_FALSE(board->factory.no_effects);
    const int loads = renderer.Pages()[0]->LoadCount();
    log.Clear();
    View preview(math::Rect(0, 0, 40, 40), board.get(), true);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(renderer.Pages()[0]->LoadCount(), loads);
    EXPECT_TRUE(board->factory.no_effects);
    view.reset();
    preview.Update();
    EXPECT_EQ(Vertices(preview.board_vb[0]).GetPosition(2), math::Vector3(20, 40, 0)) << "in its own cells";
}

TEST_F(LevelViewTest, FrameOutlinesTheBoardOnlyOutsideItsCells) {
    for (const auto& rows : {std::vector<std::string>{"....", "....", "...."}, {"...", ".#.", "..."}}) {
        const std::unique_ptr<cm::Board> board = NewBoard(rows);
        const int w = board->balls.width, h = board->balls.height;
        Pieces expected = {{{-1, -1}, {11}}, {{w, -1}, {12}}, {{-1, h}, {9}}, {{w, h}, {10}}};
        for (int c = 0; c < w; ++c) expected[{c, -1}] = {16}, expected[{c, h}] = {13};
        for (int r = 0; r < h; ++r) expected[{-1, r}] = {14}, expected[{w, r}] = {15};
        if (w == 3) expected[{1, 1}] = {0};  // the hole
        EXPECT_EQ(FramePieces(*view), expected) << w << " x " << h;
    }
}

TEST_F(LevelViewTest, PlatesLandInTheLayersOfTheirLevelAndAHoleInNone) {
    std::unique_ptr<cm::Board> board = NewBoard({".123", "3#.."});
    EXPECT_EQ(QuadCells(view->back_vb),
              (std::vector<Cell>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {2, 1}, {3, 1}}));
    const std::vector<Cell> by_level[] = {{{1, 0}}, {{2, 0}}, {{3, 0}, {0, 1}}};
    for (int k = 0; k < View::kPlateLevels; ++k) {
        EXPECT_EQ(QuadCells(view->board_vb[k]), by_level[k]) << "level " << k + 1;
        EXPECT_EQ(QuadCells(view->borders_vb[k]), by_level[k]) << "level " << k + 1;
    }
    board = NewBoard({"##", "##"});
    ASSERT_TRUE(view->back_vb);
    EXPECT_EQ(view->back_vb->GetCount(), 0u);
    for (int k = 0; k < View::kPlateLevels; ++k) EXPECT_FALSE(view->board_vb[k] || view->borders_vb[k]);
    EXPECT_TRUE(FramePieces(*view).empty());
}

TEST_F(LevelViewTest, StaticVerticesCarryAlphaAndTheCellsShareOfTheBackgroundOrAWholeBorder) {
    const std::unique_ptr<cm::Board> board = NewBoard({"11o", "1#1"});
    for (float alpha : {0.5f, 0.25f}) {
        view->alpha = alpha;
        view->Update();
        std::vector<Buffer> buffers = {view->back_vb, view->board_vb[0], view->borders_vb[0]};
        buffers.insert(buffers.end(), std::begin(view->frame_vb), std::end(view->frame_vb));
        for (const Buffer& buffer : buffers) {
            for (unsigned int v = 0; buffer && v < buffer->GetCount(); ++v)
                ASSERT_EQ(Vertices(buffer).GetColor(v), render::Color(1, 1, 1, alpha)) << v;
        }
        EXPECT_EQ(Rendered().back(), "ball") << "the ball keeps its colour";
    }
    // The background shows cell (c, r) its part from (c / 3, r / 2) to ((c + 1) / 3, (r + 1) / 2); a border
    // all.
    const math::Rect back = View::back_tx->get_abs_trect({0, 0, 1, 1});
    const math::Rect border = View::borders_tx[0]->get_abs_trect({0, 0, 1, 1});
    const std::vector<Cell> cells = QuadCells(view->back_vb);
    for (size_t n = 0; n < cells.size(); ++n) {
        const float w = back.Width() / 3, h = back.Height() / 2;
        const float u = back.left + w * cells[n].first, v = back.top + h * cells[n].second;
        EXPECT_TRUE(test::NearPoint(Vertices(view->back_vb).GetUV(6 * n), u, v, kUV));
        EXPECT_TRUE(test::NearPoint(Vertices(view->back_vb).GetUV(6 * n + 2), u + w, v + h, kUV));
        if (6 * n >= view->borders_vb[0]->GetCount()) continue;
        EXPECT_TRUE(
            test::NearPoint(Vertices(view->borders_vb[0]).GetUV(6 * n), border.left, border.top, kUV));
        EXPECT_TRUE(test::NearPoint(Vertices(view->borders_vb[0]).GetUV(6 * n + 2), border.right,
                                    border.bottom, kUV));
    }
}

TEST_F(LevelViewTest, RenderDrawsFrameBackgroundPlatesBordersThenHighlightsUnlessPausedThenBallsWithLocks) {
    for (bool paused : {false, true}) {
        const std::unique_ptr<cm::Board> board = NewBoard({"o*3", "12o"});
        board->highlights.Set(2, 1, NewSprite("0000FF"));
        board->highlight_on = true;
        board->paused = paused;
        renderer.SetFilteringMode(render::IRender::FILTER_LINEAR);
        std::vector<std::string> expected = {"frame", "background", "plate", "border"};
        if (!paused) expected.push_back("highlight");
        expected.insert(expected.end(), {"ball", "ball", "lock 10,0,20,20", "ball"});
        EXPECT_EQ(Rendered(), expected) << (paused ? "paused" : "running");
        EXPECT_EQ(renderer.GetFilteringMode(), render::IRender::FILTER_POINT);
    }
}

TEST_F(LevelViewTest, AMissingPictureIsLoggedOnceAndLeavesOnlyItsOwnLayerOut) {
    for (const char* file : {"board_01.png", "t_02h.png", "outside_top.png"})
        std::remove(dir.File(std::string("data/gfx/board/") + file).c_str());
    const std::unique_ptr<cm::Board> board = NewBoard({"22o", "..."});
    View::Preload();
    size_t missing = 0;
    for (const std::string& line : log.Lines()) missing += line.find("can't load") != std::string::npos;
    EXPECT_EQ(missing, 3u);
    EXPECT_FALSE(view->back_vb || view->borders_vb[1] || view->frame_vb[16]);
    EXPECT_EQ(Rendered(), (std::vector<std::string>{"frame", "plate", "ball"}));
}

}  // namespace
