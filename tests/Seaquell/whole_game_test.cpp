// The whole game in this process on its real back ends (SDL window, OpenGL, Ruby, SDL audio on the
// dummy driver), with a scripted mouse in the mouse facade: from the main menu into a level won by
// clicking balls, then Next into a two-second level that is lost. Windows are found by id. Needs DISPLAY.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Seaquell/game.h"
#include "Seaquell/zeph.h"
#include "support/fake_input.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/core/context.h"
#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/users.h"
#include "vantle/gui/root_window.h"
#include "vantle/platform/platform.h"
#include "vantle/platform/sdl/platform_sdl.h"
#include "vantle/render/render.h"
#include "vantle/script/ruby/engine_ruby.h"

namespace {

const int kWidth = 800;
const int kHeight = 600;
// Enough frames for any wait here at the game's frame limit, even under the sanitizers.
const int kPatience = 3000;
// Every cell below the emitters' row.
const int kFullBoard = 22 * 15;

// Layers of a 22 by 16 map: every cell, emitters along the top row, plates on the given rows.
std::string Map(int first_plate_row, int last_plate_row) {
    std::string cells(22 * 16, '1'), emitters(22 * 16, '0'), plates(22 * 16, '0');
    std::fill(emitters.begin(), emitters.begin() + 22, '1');
    for (int row = first_plate_row; row <= last_plate_row; ++row)
        std::fill(plates.begin() + row * 22, plates.begin() + row * 22 + 22, '1');
    return cells + ";" + emitters + ";" + plates;
}

// One colour, so the first click takes the whole board; then a level of two seconds.
std::string LocalizedLevels() {
    return "<levelset><level name='One colour' uid='1'><options><option name='time_limit' value='600'/>"
           "<option name='colors' value='1'/><option name='background' value='01_01'/><option name='map' "
           "value='" +
           Map(10, 14) +
           "'/></options></level><level name='Two seconds' uid='2'><options><option name='time_limit' "
           "value='2'/><option name='colors' value='4'/><option name='background' value='02_01'/><option "
           "name='map' value='" +
           Map(5, 14) + "'/></options></level></levelset>";
}

std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class WholeGame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        run = new test::TempDir;
        const std::string command = "cp -R '" SEAQUELL_SOURCE_DIR "/data' '" + run->Path() +
                                    "/' && python3 '" + SEAQUELL_SOURCE_DIR "/tools/make_data.py' '" +
                                    run->Path() + "' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        run->Write("home/.Moravane/log.txt", "");
        run->Write("home/.Moravane/config.cfg", "localized_data = loc/\n");
        run->Write("loc/data/levels.xml", LocalizedLevels());
        setenv("HOME", run->File("home").c_str(), 1);
    }

    // One frame of the game's loop.
    void Frame() { app->Loop(); }
    // Frames until the condition holds; false when patience runs out.
    bool RunUntil(const std::function<bool()>& condition) {
        for (int i = 0; i < kPatience; ++i) {
            if (condition()) return true;
            Frame();
            Watch();
        }
        return condition();
    }
    // The score the screen showed when the level ended, as the frame that ended it published it.
    void Watch() {
        cm::Game* game = Board();
        if (!game || !game->board.finished || !scored.insert(game->level_id).second) return;
        shown_scores.push_back(core::Context::instance()->Get("game_score").as_uint32());
    }
    static gui::Window* Find(const std::string& path) {
        return gui::RootWindow::instance()->GetChild(path).get();
    }
    static bool Shown(const std::string& path) {
        gui::Window* window = Find(path);
        return window && window->IsVisible();
    }
    static int BallCount() {
        const cm::Board& board = Board()->board;
        int count = 0;
        for (int x = 0; x < board.balls.width; ++x)
            for (int y = 0; y < board.balls.height; ++y) count += board.balls.Get(x, y) ? 1 : 0;
        return count;
    }
    static cm::Game* Board() { return dynamic_cast<cm::Game*>(Find("board")); }
    // A left click at a screen point: press over one frame, release over the next.
    void Click(const math::Vector2& point) {
        mouse->SetPosition(static_cast<int>(point.x), static_cast<int>(point.y));
        Frame();
        mouse->buttons[0] = 1;
        Frame();
        mouse->buttons[0] = 0;
        Frame();
    }
    void ClickWindow(const std::string& path) {
        gui::Window* window = Find(path);
        ASSERT_TRUE(window) << path;
        const math::Rect rect = window->GetAbsRect();
        Click(math::Vector2((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    }
    // How many colours the screen shows, counted on a coarse grid of a frame drawn as the loop draws it
    // and read before the buffers swap; the picture is kept beside the run for a look.
    static size_t ColoursShown(const std::string& png) {
        render::Render::Implementation* renderer = render::Render::instance()->GetImplementation();
        renderer->BeginScene();
        gui::RootWindow::instance()->Render();
        effects::EffectManager::instance()->Render();
        std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        renderer->EndScene();
        std::vector<std::uint8_t> rows(pixels.size());
        for (int y = 0; y < kHeight; ++y)
            std::copy_n(&pixels[(kHeight - 1 - y) * kWidth * 4], kWidth * 4, &rows[y * kWidth * 4]);
        test::WriteFile(png, test::EncodePng(kWidth, kHeight, rows));
        std::set<std::uint32_t> colours;
        for (int i = 0; i < kWidth * kHeight; i += 97)
            colours.insert(rows[i * 4] << 16 | rows[i * 4 + 1] << 8 | rows[i * 4 + 2]);
        return colours.size();
    }

    static test::TempDir* run;
    ZEDoz* app = nullptr;
    test::FakeMouse* mouse = nullptr;
    std::set<unsigned int> scored;
    std::vector<unsigned int> shown_scores;
};

test::TempDir* WholeGame::run = nullptr;

TEST_F(WholeGame, FromTheMenuALevelIsWonByClickingThenNextLeadsToALevelThatIsLost) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    const test::WorkingDirectory cwd(run->Path());
    auto sdl = std::make_unique<platform::PlatformSDL>();
    if (platform::Platform::instance()->SetImplementation(sdl.get())) sdl.release();
    ZEDoz::Backends backends = ZEDoz::GameBackends();
    backends.mouse = [this] { return mouse = new test::FakeMouse; };
    static ZEDoz game(backends);
    app = &game;
    core::Log::instance()->SetWriter(CreateLogWriter(core::CommandLine(), run->File("home/.Moravane")));
    app->Init();
    ASSERT_TRUE(app->IsRunning());

    ASSERT_TRUE(RunUntil([] { return Find("play") != nullptr; })) << "no main menu";
    ClickWindow("play");
    ASSERT_TRUE(RunUntil([] { return Board() && Board()->frame_count > 0; })) << "no game screen";
    EXPECT_EQ(Board()->level_id, 0u);
    EXPECT_TRUE(Find("back/picture")) << "the level's background";

    // Once the board is full, any ball takes the whole one-coloured board with it.
    ASSERT_TRUE(RunUntil([] { return BallCount() == kFullBoard && !Board()->board.balls_moving; }));
    const cm::Board& board = Board()->board;
    const math::Rect area = Board()->GetAbsRect();
    Click(math::Vector2(area.left + board.cell_width * 10.5f, area.top + board.cell_height * 12.5f));
    ASSERT_TRUE(RunUntil([] { return Shown("win_panel"); })) << "no win panel";
    EXPECT_TRUE(Board()->board.won);
    EXPECT_GT(ColoursShown(run->File("won.png")), 50u) << "the screen looks blank";

    ClickWindow("win_panel/next");
    ASSERT_TRUE(RunUntil([] { return Board() && Board()->level_id == 1; })) << "Next led elsewhere";
    ASSERT_TRUE(RunUntil([] { return Shown("lose_panel"); })) << "no loss panel";
    EXPECT_FALSE(Board()->board.won);

    // Two lines after the header, each with the score the screen showed at its end.
    const std::vector<std::string> lines =
        core::str_split(Read(run->File("home/.Moravane/playing_stat.csv")), "\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "username;level_id;level_uid;level_revision;score;play_time;win");
    ASSERT_EQ(shown_scores.size(), 2u);
    const std::vector<std::string> won = core::str_split(lines[1], ";");
    const std::vector<std::string> lost = core::str_split(lines[2], ";");
    ASSERT_EQ(won.size(), 8u);
    ASSERT_EQ(lost.size(), 8u);
    EXPECT_EQ(won[1], "0");
    EXPECT_EQ(won[4], std::to_string(shown_scores[0]));
    EXPECT_GT(shown_scores[0], 0u);
    EXPECT_EQ(won[6], "true");
    EXPECT_EQ(lost[1], "1");
    EXPECT_EQ(lost[4], std::to_string(shown_scores[1]));
    EXPECT_EQ(lost[6], "false");

    // The progress reached the players file.
    game::Users::SetFilename(run->File("home/.Moravane/users.dat"));
    const game::Users saved;
    const core::ptr<game::User> player = saved.GetSelectedUser();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Get("max_level").as_uint32(), 1u);
    EXPECT_EQ(player->Get("last_level").as_uint32(), 0u);

    app->Exit();
    core::Log::instance()->SetWriter(nullptr);
    EXPECT_FALSE(app->IsRunning());
}

}  // namespace

int main(int argc, char** argv) {
    // The interpreter's collector scans the stack from here down.
    void* stack_base = nullptr;
    script::EngineRuby::MarkStackBase(&stack_base);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
