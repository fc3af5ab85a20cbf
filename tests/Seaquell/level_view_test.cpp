#include "Seaquell/level_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
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

const char* const kLock = "FF000080";
const char* const kBallSprite =
    "<sprite w='10' h='10'><animation name='default' default='1' loop='1'><frame color='00FF00'/>"
    "</animation></sprite>";

// Every picture of the view as a small opaque square, and the board tile map with a red lock tile.
void WriteBoardData(const test::TempDir& dir) {
    std::vector<std::string> files = {"data/gfx/board/board_01.png", "data/gfx/board/board_02.png",
                                      "data/gfx/board/board_03.png", "data/gfx/board/board_04.png",
                                      "data/gfx/board/t_01h.png",    "data/gfx/board/t_02h.png",
                                      "data/gfx/board/t_03h.png"};
    files.insert(files.end(), std::begin(cm::frames::kPieceFiles), std::end(cm::frames::kPieceFiles));
    const std::vector<std::uint8_t> png = test::EncodePng(4, 4, std::vector<std::uint8_t>(4 * 4 * 4, 0xFF));
    for (const std::string& file : files) dir.Write(file, std::string(png.begin(), png.end()));
    dir.Write("data/tilemaps/board.xml",
              std::string("<tilemap><tile name='lock' color='") + kLock + "'/></tilemap>");
}

class LevelViewTest : public test::EffectKindsTest {
protected:
    void SetUp() override {
        EffectKindsTest::SetUp();
        WriteBoardData(dir);
        utils::Config::SetFilename(dir.File("config.cfg"));
        cm::LevelView::Unload();
        cm::Board::Unload();
    }
    void TearDown() override {
        // The textures live on this test's renderer.
        cm::LevelView::Unload();
        cm::Board::Unload();
        render::TextureCache::instance()->Clear();
        EffectKindsTest::TearDown();
    }

    // A board of w x h cells of 10 x 20 units: "." a cell without plate, "1" to "3" its plate level,
    // "#" a hole; rows top first.
    std::unique_ptr<cm::Board> NewBoard(const std::vector<std::string>& rows) {
        const int w = rows.empty() ? 0 : static_cast<int>(rows[0].size());
        std::unique_ptr<cm::Board> board(new cm::Board(w, static_cast<unsigned int>(rows.size())));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            for (int c = 0; c < w; ++c) {
                cm::BoardCell& cell = board->back_board.Get(c, r);
                cell.exists = rows[r][c] != '#';
                cell.plate = rows[r][c] >= '1' && rows[r][c] <= '3' ? rows[r][c] - '0' : 0;
            }
        }
        return board;
    }

    static math::Rect ViewRect(const cm::Board& board) {
        return math::Rect(0, 0, 10.0f * board.balls.width, 20.0f * board.balls.height);
    }

    core::ptr<cm::Ball> PlaceBall(cm::Board& board, int c, int r, bool locked = false) {
        core::ptr<cm::Ball> ball(new cm::Ball(core::ptr<game::Sprite>(new game::Sprite(Parse(kBallSprite))),
                                              math::Vector2(10, 20), 1));
        ball->MoveTo(c, r);
        ball->locked = locked;
        board.balls.Set(c, r, ball);
        return ball;
    }

    test::TempDir dir;
    test::WorkingDirectory cwd{dir.Path()};
    test::CaptureLog log;
};

const render::VertexBufferOGL& Vertices(const core::ptr<render::IVertexBuffer>& buffer) {
    return static_cast<const render::VertexBufferOGL&>(*buffer);
}

// The cell under each quad of the buffer, in writing order, for cells of 10 x 20 units.
std::vector<Cell> QuadCells(const core::ptr<render::IVertexBuffer>& buffer) {
    std::vector<Cell> cells;
    if (!buffer) return cells;
    for (unsigned int v = 0; v < buffer->GetCount(); v += 6) {
        const math::Vector3& corner = Vertices(buffer).GetPosition(v);
        cells.emplace_back(static_cast<int>(std::floor(corner.x / 10)),
                           static_cast<int>(std::floor(corner.y / 20)));
    }
    return cells;
}

// Every frame piece the view's buffers place, by cell, pieces in index order.
Pieces FramePieces(const cm::LevelView& view) {
    Pieces pieces;
    for (unsigned int f = 0; f < cm::LevelView::kFramePieces; ++f) {
        for (const Cell& cell : QuadCells(view.frame_vb[f])) pieces[cell].push_back(f);
    }
    return pieces;
}

// The frame of a board whose cells all exist: sides and corners of the ring around it.
Pieces Ring(int w, int h) {
    Pieces ring;
    for (int c = 0; c < w; ++c) ring[{c, -1}] = {16}, ring[{c, h}] = {13};
    for (int r = 0; r < h; ++r) ring[{-1, r}] = {14}, ring[{w, r}] = {15};
    ring[{-1, -1}] = {11}, ring[{w, -1}] = {12}, ring[{-1, h}] = {9}, ring[{w, h}] = {10};
    return ring;
}

TEST_F(LevelViewTest, FrameMapListsThePiecesOfEachNeighbourKey) {
    cm::LevelView::Preload();
    EXPECT_EQ(cm::LevelView::frame_map.size(), 254u);
    const struct {
        const char* key;
        std::vector<unsigned int> pieces;
    } cases[] = {
        {"11111111", {0}},
        {"00011000", {14, 15}},
        {"10100101", {9, 10, 11, 12}},
        {"10010101", {15, 11, 15, 11, 11, 15}},
        {"00000000", {}},
        {"10101110", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const auto found = cm::LevelView::frame_map.find(c.key);
        const bool listed = found != cm::LevelView::frame_map.end();
        EXPECT_EQ(listed, !c.pieces.empty());
        if (listed) {
            EXPECT_EQ(found->second, c.pieces);
        }
    }
}

TEST_F(LevelViewTest, APatternRegistersItsPiecesOnceUnderEveryKeyItsBlanksMatch) {
    const struct {
        const char* name;
        const char* pattern;
        int f0, f1;
        size_t keys;
        std::vector<unsigned int> pieces;
        bool logged;
    } cases[] = {
        {"row 1, four blanks", " 1 11 1 ", 0, -1, 16, {0}, false},
        {"row 25, three blanks", " 0110 1 ", 1, 9, 8, {1, 9}, false},
        {"no blanks", "10000000", 10, -1, 1, {10}, false},
        {"a pattern too short", " 1 11 1", 0, -1, 0, {}, true},
        {"a character that is no neighbour", "1x000000", 0, -1, 0, {}, true},
        {"a piece beyond the last", "10000000", 17, -1, 0, {}, true},
        {"no first piece", "10000000", -1, 3, 0, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        cm::LevelView::frame_map.clear();
        log.Clear();
        cm::LevelView::FillFrameMap(c.pattern, c.f0, c.f1);
        EXPECT_EQ(cm::LevelView::frame_map.size(), c.keys);
        for (const auto& entry : cm::LevelView::frame_map) {
            for (size_t i = 0; i < 8; ++i) {
                if (c.pattern[i] != ' ') {
                    EXPECT_EQ(entry.first[i], c.pattern[i]) << entry.first;
                }
            }
            EXPECT_EQ(entry.second, c.pieces) << entry.first;
        }
        EXPECT_EQ(!log.Lines().empty(), c.logged);
    }
    cm::LevelView::FillFrameMap(nullptr, 0);
    EXPECT_TRUE(cm::LevelView::frame_map.empty());
}

TEST_F(LevelViewTest, TwoViewsShareTheStaticsWhichLoadOnce) {
    const std::unique_ptr<cm::Board> board = NewBoard({"1.", ".."});
    auto first = std::make_unique<cm::LevelView>(ViewRect(*board), board.get(), false);
    EXPECT_TRUE(log.Contains("LevelView::Preload"));
    EXPECT_EQ(cm::LevelView::lock_tile.color, render::Color(kLock));
    const render::ITexture* back = cm::LevelView::back_tx.get();
    ASSERT_NE(back, nullptr);
    size_t loads = 0;
    for (const test::MemoryPage* page : renderer.Pages()) loads += page->LoadCount();

    log.Clear();
    cm::LevelView second(ViewRect(*board), board.get(), true);
    EXPECT_TRUE(log.Lines().empty());
    size_t loads_after = 0;
    for (const test::MemoryPage* page : renderer.Pages()) loads_after += page->LoadCount();
    EXPECT_EQ(loads_after, loads);

    first->Update();
    first.reset();
    second.Update();
    renderer.ClearRecord();
    second.Render();
    ASSERT_FALSE(renderer.Draws().empty());
    EXPECT_EQ(cm::LevelView::back_tx.get(), back);
}

TEST_F(LevelViewTest, BallsMadeAfterConstructionFitTheCell) {
    for (bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview" : "game");
        std::unique_ptr<cm::Board> board(new cm::Board(22, 16));
        const cm::LevelView view(math::Rect(100, 50, 320, 370), board.get(), preview);
        EXPECT_FLOAT_EQ(view.cell_width, 10);
        EXPECT_FLOAT_EQ(view.cell_height, 20);
        EXPECT_FLOAT_EQ(view.alpha, 1);
        board->factory.SetProb(1, core::ptr<game::Sprite>(new game::Sprite(Parse(kBallSprite))), 1, 0);
        const core::ptr<cm::Ball> ball = board->factory.CreateBall(1u);
        ASSERT_TRUE(ball);
        EXPECT_EQ(ball->GetCellSize(), math::Vector2(10, 20));
        ball->MoveTo(2, 1);
        renderer.ClearRecord();
        ball->Render();
        ASSERT_EQ(renderer.Draws().size(), 1u);
        EXPECT_EQ(renderer.Draws()[0].rect, math::Rect(20, 20, 30, 40)) << "the sprite fills the cell";
        EXPECT_EQ(board->factory.no_effects, preview);
    }
}

TEST_F(LevelViewTest, FrameOutlinesTheBoardsShapeOutsideItsCells) {
    const struct {
        const char* name;
        std::vector<std::string> rows;
        Pieces inside;
    } cases[] = {
        {"a full board", {"....", "....", "...."}, {}},
        {"one hole", {"...", ".#.", "..."}, {{{1, 1}, {0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<cm::Board> board = NewBoard(c.rows);
        cm::LevelView view(ViewRect(*board), board.get(), false);
        view.Update();
        Pieces expected = Ring(board->balls.width, board->balls.height);
        expected.insert(c.inside.begin(), c.inside.end());
        EXPECT_EQ(FramePieces(view), expected);
    }
}

TEST_F(LevelViewTest, PlatesLandInTheLayerOfTheirLevel) {
    const std::unique_ptr<cm::Board> board = NewBoard({".123", "3#.."});
    board->back_board.Get(1, 1).plate = 2;  // a hole's plate shows nowhere
    cm::LevelView view(ViewRect(*board), board.get(), false);
    view.Update();
    EXPECT_EQ(QuadCells(view.back_vb),
              (std::vector<Cell>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {2, 1}, {3, 1}}));
    const std::vector<Cell> by_level[] = {{{1, 0}}, {{2, 0}}, {{3, 0}, {0, 1}}};
    for (int k = 0; k < cm::LevelView::kPlateLevels; ++k) {
        SCOPED_TRACE("plate level " + std::to_string(k + 1));
        EXPECT_EQ(QuadCells(view.board_vb[k]), by_level[k]);
        EXPECT_EQ(QuadCells(view.borders_vb[k]), by_level[k]);
    }

    board->back_board.Get(2, 0).plate = 0;
    view.Update();
    EXPECT_FALSE(view.board_vb[1]) << "a level no cell has any more keeps no buffer";
    EXPECT_FALSE(view.borders_vb[1]);
}

TEST_F(LevelViewTest, ABoardWithoutCellsGetsAnEmptyBackgroundAndNothingElse) {
    const std::unique_ptr<cm::Board> board = NewBoard({"##", "##"});
    cm::LevelView view(ViewRect(*board), board.get(), false);
    view.Update();
    ASSERT_TRUE(view.back_vb);
    EXPECT_EQ(view.back_vb->GetCount(), 0u);
    for (int k = 0; k < cm::LevelView::kPlateLevels; ++k)
        EXPECT_FALSE(view.board_vb[k] || view.borders_vb[k]);
    EXPECT_TRUE(FramePieces(view).empty());
}

TEST_F(LevelViewTest, SharedLayersShowEachCellItsPartAndOthersTheWholePicture) {
    const std::unique_ptr<cm::Board> board = NewBoard({"111", "111"});
    cm::LevelView view(ViewRect(*board), board.get(), false);
    view.Update();
    // Where the texture's own coordinates land on its page.
    const auto page = [](const render::ITexture& texture, float u, float v) {
        const math::Rect whole = texture.get_abs_trect(math::Rect(0, 0, 1, 1));
        return math::Vector2(whole.left + u * whole.Width(), whole.top + v * whole.Height());
    };
    const struct {
        const char* name;
        core::ptr<render::IVertexBuffer> buffer;
        const render::ITexture* texture;
        bool shared;
    } layers[] = {
        {"background", view.back_vb, cm::LevelView::back_tx.get(), true},
        {"plates", view.board_vb[0], cm::LevelView::board_tx[0].get(), true},
        {"borders", view.borders_vb[0], cm::LevelView::borders_tx[0].get(), false},
        {"frame", view.frame_vb[16], cm::LevelView::frame_tx[16].get(), false},
    };
    for (const auto& layer : layers) {
        SCOPED_TRACE(layer.name);
        const std::vector<Cell> cells = QuadCells(layer.buffer);
        ASSERT_FALSE(cells.empty());
        for (size_t n = 0; n < cells.size(); ++n) {
            const float c = static_cast<float>(cells[n].first), r = static_cast<float>(cells[n].second);
            const math::Vector2 first =
                layer.shared ? page(*layer.texture, c / 3, r / 2) : page(*layer.texture, 0, 0);
            const math::Vector2 last =
                layer.shared ? page(*layer.texture, (c + 1) / 3, (r + 1) / 2) : page(*layer.texture, 1, 1);
            const render::VertexBufferOGL& vertices = Vertices(layer.buffer);
            EXPECT_TRUE(test::NearPoint(vertices.GetUV(6 * n), first.x, first.y, 1e-5f)) << "quad " << n;
            EXPECT_TRUE(test::NearPoint(vertices.GetUV(6 * n + 2), last.x, last.y, 1e-5f)) << "quad " << n;
        }
    }
}

TEST_F(LevelViewTest, AlphaReachesEveryStaticVertexButNotTheBalls) {
    const std::unique_ptr<cm::Board> board = NewBoard({"12.", ".#3"});
    PlaceBall(*board, 0, 0);
    cm::LevelView view(ViewRect(*board), board.get(), false);
    for (float alpha : {0.5f, 0.25f, 1.0f}) {
        SCOPED_TRACE(alpha);
        view.alpha = alpha;
        view.Update();
        std::vector<core::ptr<render::IVertexBuffer>> buffers = {view.back_vb};
        buffers.insert(buffers.end(), std::begin(view.board_vb), std::end(view.board_vb));
        buffers.insert(buffers.end(), std::begin(view.borders_vb), std::end(view.borders_vb));
        buffers.insert(buffers.end(), std::begin(view.frame_vb), std::end(view.frame_vb));
        unsigned int checked = 0;
        for (const core::ptr<render::IVertexBuffer>& buffer : buffers) {
            for (unsigned int v = 0; buffer && v < buffer->GetCount(); ++v, ++checked)
                ASSERT_EQ(Vertices(buffer).GetColor(v), render::Color(1, 1, 1, alpha)) << "vertex " << v;
        }
        EXPECT_GT(checked, 100u);
        renderer.ClearRecord();
        view.Render();
        EXPECT_EQ(renderer.Draws().back().color, render::Color(0, 1, 0, 1)) << "the ball";
    }
}

// What a recorded draw shows: a static layer by its texture, or the colour of a live draw.
std::string Describe(const test::RecordingRender::Draw& draw) {
    if (draw.kind == test::RecordingRender::VERTICES) {
        for (int f = 0; f < cm::LevelView::kFramePieces; ++f)
            if (draw.texture == cm::LevelView::frame_tx[f].get()) return "frame " + std::to_string(f);
        for (int k = 0; k < cm::LevelView::kPlateLevels; ++k) {
            if (draw.texture == cm::LevelView::board_tx[k].get()) return "plate " + std::to_string(k + 1);
            if (draw.texture == cm::LevelView::borders_tx[k].get()) return "border " + std::to_string(k + 1);
        }
        if (draw.texture == cm::LevelView::back_tx.get()) return "background";
    }
    if (draw.color == render::Color(0, 1, 0, 1))
        return "ball " + std::to_string(static_cast<int>(draw.rect.left / 10));
    if (draw.color == render::Color(0, 0, 1, 1)) return "highlight";
    if (draw.color == render::Color(kLock))
        return "lock " + std::to_string(static_cast<int>(draw.rect.left)) + "," +
               std::to_string(static_cast<int>(draw.rect.top)) + "," +
               std::to_string(static_cast<int>(draw.rect.right)) + "," +
               std::to_string(static_cast<int>(draw.rect.bottom));
    return "other";
}

TEST_F(LevelViewTest, RenderDrawsTheLayersThenHighlightsUnlessPausedThenBallsWithTheirLocks) {
    const struct {
        const char* name;
        bool paused;
        std::vector<std::string> live;
    } cases[] = {
        {"running", false, {"highlight", "ball 0", "ball 1", "lock 10,0,20,20", "ball 2"}},
        {"paused", true, {"ball 0", "ball 1", "lock 10,0,20,20", "ball 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // One cell of each plate level and a hole below, so the frame has a piece on the hole's right.
        const std::unique_ptr<cm::Board> board = NewBoard({"123", "#.."});
        for (int col = 0; col < 3; ++col) PlaceBall(*board, col, 0, col == 1);
        board->highlights.Set(2, 1,
                              core::ptr<game::Sprite>(new game::Sprite(Parse(
                                  "<sprite w='10' h='20'><animation name='default' default='1' loop='1'>"
                                  "<frame color='0000FF'/></animation></sprite>"))));
        board->highlight_on = true;
        board->paused = c.paused;
        cm::LevelView view(ViewRect(*board), board.get(), false);
        view.Update();
        renderer.SetFilteringMode(render::IRender::FILTER_LINEAR);
        renderer.ClearRecord();
        view.Render();
        EXPECT_EQ(renderer.GetFilteringMode(), render::IRender::FILTER_POINT);
        std::vector<std::string> expected;
        for (int f = 0; f < cm::LevelView::kFramePieces; ++f)
            if (view.frame_vb[f]) expected.push_back("frame " + std::to_string(f));
        expected.insert(expected.end(),
                        {"background", "plate 1", "plate 2", "plate 3", "border 1", "border 2", "border 3"});
        expected.insert(expected.end(), c.live.begin(), c.live.end());
        std::vector<std::string> drawn;
        for (const auto& draw : renderer.Draws()) drawn.push_back(Describe(draw));
        EXPECT_EQ(drawn, expected);
    }
}

TEST_F(LevelViewTest, AMissingPictureLeavesOnlyItsOwnLayerOut) {
    for (const char* file :
         {"data/gfx/board/board_01.png", "data/gfx/board/t_02h.png", "data/gfx/board/outside_top.png"})
        std::remove(dir.File(file).c_str());
    const std::unique_ptr<cm::Board> board = NewBoard({"22.", "..."});
    PlaceBall(*board, 2, 1);
    cm::LevelView view(ViewRect(*board), board.get(), false);
    cm::LevelView::Preload();
    for (const char* file : {"board_01.png", "t_02h.png", "outside_top.png"}) {
        size_t mentions = 0;
        for (const std::string& line : log.Lines())
            mentions += line.find("can't load data/gfx/board/" + std::string(file)) != std::string::npos;
        EXPECT_EQ(mentions, 1u) << file;
    }
    view.Update();
    EXPECT_FALSE(view.back_vb);
    EXPECT_FALSE(view.borders_vb[1]);
    EXPECT_FALSE(view.frame_vb[16]);
    EXPECT_TRUE(view.board_vb[1]);
    EXPECT_TRUE(view.frame_vb[13]);
    renderer.ClearRecord();
    view.Render();
    std::vector<std::string> drawn;
    for (const auto& draw : renderer.Draws()) drawn.push_back(Describe(draw));
    EXPECT_EQ(drawn.back(), "ball 2");
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "plate 2"), 1);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "background"), 0);
}

}  // namespace
