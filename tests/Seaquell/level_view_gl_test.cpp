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

// Each layer in a colour of its own: frame green, background blue, plates red, plate borders clear.
class LevelViewGL : public test::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        utils::Config::SetFilename(dir.File("config.cfg"));
        Write("data/gfx/board/board_01.png", {0, 0, 255, 255});
        Write("data/gfx/board/board_02.png", {255, 0, 0, 255});
        Write("data/gfx/board/t_01h.png", {0, 0, 0, 0});
        for (const char* file : cm::frames::kPieceFiles) Write(file, {0, 255, 0, 255});
    }
    // A 4 x 4 picture of one colour.
    void Write(const std::string& file, const std::vector<std::uint8_t>& rgba) {
        std::vector<std::uint8_t> pixels;
        for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), rgba.begin(), rgba.end());
        const std::vector<std::uint8_t> png = test::EncodePng(4, 4, pixels);
        dir.Write(file, std::string(png.begin(), png.end()));
    }
    void TearDown() override {
        cm::LevelView::Unload();
        cm::Board::Unload();
        render::TextureCache::instance()->Clear();
        GLTest::TearDown();
    }

    test::TempDir dir;
    test::WorkingDirectory cwd{dir.Path()};
};

TEST_F(LevelViewGL, ASmallBoardShowsItsFramePlatesAndBallsWhereTheyLie) {
    // 3 x 3 cells of 40 units with a hole in the middle, a plate in the top-left cell and a yellow ball
    // made by the board's factory in the bottom-right one, drawn with the origin at (100, 100).
    cm::Board board(3, 3);
    board.back_board.Get(1, 1).exists = false;
    board.back_board.Get(0, 0).plate = 1;
    cm::LevelView view(math::Rect(0, 0, 120, 120), &board, false);
    TiXmlDocument sprite;
    sprite.Parse(
        "<sprite w='10' h='10'><animation name='a' default='1'><frame color='FFFF00'/></animation></sprite>");
    board.factory.SetProb(1, core::ptr<game::Sprite>(new game::Sprite(sprite.RootElement())), 1, 0);
    board.balls.Set(2, 2, board.factory.CreateBall(1u));
    board.balls.Get(2, 2)->MoveTo(2, 2);
    view.Update();
    {
        const render::WorldMatrixScope origin(Renderer(), math::Translation(math::Vector2(100, 100)));
        view.Render();
    }
    ExpectPixels({
        {80, 80, 0, 255, 0},      // frame: the corner, top left of the board
        {160, 80, 0, 255, 0},     // above the board
        {240, 160, 0, 255, 0},    // right of the board
        {160, 245, 0, 255, 0},    // below the board
        {160, 160, 0, 255, 0},    // the hole
        {120, 120, 255, 0, 0},    // the plate
        {160, 120, 0, 0, 255},    // a cell without plate
        {200, 200, 255, 255, 0},  // the ball over its cell
        {218, 218, 255, 255, 0},  // resized to the whole cell
        {50, 50, 0, 0, 0},        // beyond the frame
        {270, 200, 0, 0, 0},
    });
}

}  // namespace
