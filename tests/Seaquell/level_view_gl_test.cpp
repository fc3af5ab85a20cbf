#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Seaquell/board.h"
#include "Seaquell/level_view.h"
#include "Seaquell/level_view_frames.h"
#include "support/gl_window.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/game/sprite.h"
#include "vantle/math/mat4.h"
#include "vantle/render/scopes.h"
#include "vantle/render/texture_cache.h"
#include "vantle/utils/config.h"

namespace {

const float kCell = 40.0f;
const float kOrigin = 100.0f;

class LevelViewGL : public test::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        utils::Config::SetFilename(dir.File("config.cfg"));
        // Each layer in a colour of its own: frame green, background blue, plates red, borders clear.
        WritePicture("data/gfx/board/board_01.png", {0, 0, 255, 255});
        for (const char* file :
             {"data/gfx/board/board_02.png", "data/gfx/board/board_03.png", "data/gfx/board/board_04.png"})
            WritePicture(file, {255, 0, 0, 255});
        for (const char* file :
             {"data/gfx/board/t_01h.png", "data/gfx/board/t_02h.png", "data/gfx/board/t_03h.png"})
            WritePicture(file, {0, 0, 0, 0});
        for (const char* file : cm::frames::kPieceFiles) WritePicture(file, {0, 255, 0, 255});
    }
    void TearDown() override {
        cm::LevelView::Unload();
        cm::Board::Unload();
        render::TextureCache::instance()->Clear();
        GLTest::TearDown();
    }

    void WritePicture(const std::string& file, const std::vector<std::uint8_t>& rgba) {
        std::vector<std::uint8_t> pixels;
        for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), rgba.begin(), rgba.end());
        const std::vector<std::uint8_t> png = test::EncodePng(4, 4, pixels);
        dir.Write(file, std::string(png.begin(), png.end()));
    }

    test::TempDir dir;
    test::WorkingDirectory cwd{dir.Path()};
};

TEST_F(LevelViewGL, ASmallBoardShowsItsFramePlatesAndBallsWhereTheyLie) {
    // 3 x 3 cells of 40 units with a hole in the middle, a plate in the top-left cell and a yellow ball
    // in the bottom-right one, drawn with the origin at (100, 100).
    cm::Board board(3, 3);
    board.back_board.Get(1, 1).exists = false;
    board.back_board.Get(0, 0).plate = 1;
    cm::LevelView view(math::Rect(0, 0, 3 * kCell, 3 * kCell), &board, false);
    TiXmlDocument sprite;
    sprite.Parse(
        "<sprite w='10' h='10'><animation name='default' default='1' loop='1'><frame color='FFFF00'/>"
        "</animation></sprite>");
    board.factory.SetProb(1, core::ptr<game::Sprite>(new game::Sprite(sprite.RootElement())), 1, 0);
    const core::ptr<cm::Ball> ball = board.factory.CreateBall(1u);
    ASSERT_TRUE(ball);
    ball->MoveTo(2, 2);
    board.balls.Set(2, 2, ball);

    view.Update();
    {
        const render::WorldMatrixScope origin(Renderer(), math::Translation(math::Vector2(kOrigin, kOrigin)));
        view.Render();
    }
    ExpectPixels({
        {80, 80, 0, 255, 0},      // frame corner, top left of the board
        {160, 80, 0, 255, 0},     // frame above the board
        {240, 160, 0, 255, 0},    // frame right of the board
        {160, 245, 0, 255, 0},    // frame below the board
        {160, 160, 0, 255, 0},    // the hole
        {120, 120, 255, 0, 0},    // the plate
        {160, 120, 0, 0, 255},    // a cell without plate
        {200, 200, 255, 255, 0},  // the ball, over its cell
        {218, 218, 255, 255, 0},  // resized to the whole cell
        {50, 50, 0, 0, 0},        // beyond the frame
        {270, 200, 0, 0, 0},
    });
}

}  // namespace
