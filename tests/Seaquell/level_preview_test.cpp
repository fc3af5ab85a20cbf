#include "Seaquell/level_preview.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Seaquell/level_view_frames.h"
#include "effects/effect_kinds_fixture.h"
#include "game/powerup_table.h"
#include "support/capture_log.h"
#include "support/fake_script_engine.h"
#include "support/png_writer.h"
#include "support/temp_dir.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/levelset.h"
#include "vantle/game/users.h"
#include "vantle/gui/event.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/texture_cache.h"
#include "vantle/script/engine.h"
#include "vantle/utils/config.h"
#include "vantle/utils/timer.h"

namespace {

const char kMinibacks[] = "data/gfx/backgrounds/minibacks/";
const char kPreview[] =
    "<level_preview x='100' y='50' w='176' h='128'><handlers><handler name='on_update' code='tick'/>"
    "</handlers></level_preview>";

// Level k of the set carries a plate of level 3 in cell (k, 0) only, and the background "back<k>".
std::string LevelSetXml(int count) {
    std::string xml = "<levelset><episode id='1'>";
    for (int k = 0; k < count; ++k) {
        std::string plates(22 * 16, '0');
        plates[k] = '3';
        xml += "<level><options><option name='background' value='back" + std::to_string(k) +
               "'/><option name='time_limit' value='60'/><option name='map' value='" +
               std::string(22 * 16, '1') + ";" + std::string(22 * 16, '0') + ";" + plates +
               "'/></options></level>";
    }
    return xml + "</episode></levelset>";
}

class LevelPreviewTest : public test::EffectKindsTest {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<test::TempDir>();
        utils::Config::SetFilename(dir->File("config.cfg"));
        game::Users::SetFilename(dir->File("users.dat"));
        test::LoadPowerupTable("preview_powerups.xml");
        const core::ptr<game::User> ann(new game::User("ann"));
        ann->Set("powerups", core::Value("remove_row:0"));
        game::Users::instance()->Add(ann);
        game::Users::instance()->Select("ann");
        dir->Write("levels.xml", LevelSetXml(4));
    }
    static void TearDownTestSuite() { dir.reset(); }

    void SetUp() override {
        EffectKindsTest::SetUp();
        script::Engine::instance()->SetImplementation(&script);
        cm::LevelPreview::Register();
        const std::vector<std::uint8_t> png = test::EncodePng(4, 4, std::vector<std::uint8_t>(64, 0xFF));
        const std::string bytes(png.begin(), png.end());
        for (const char* name : {"board_01", "board_02", "board_03", "board_04", "t_01h", "t_02h", "t_03h"})
            dir->Write(std::string("data/gfx/board/") + name + ".png", bytes);
        for (const char* file : cm::frames::kPieceFiles) dir->Write(file, bytes);
        game::LevelSet::instance()->Load("levels.xml");
        cm::LevelView::Unload();
        cm::Board::Unload();
    }
    void TearDown() override {
        preview.reset();
        cm::LevelView::Unload();
        cm::Board::Unload();
        render::TextureCache::instance()->Clear();
        script::Engine::instance()->SetImplementation(nullptr);
        EffectKindsTest::TearDown();
    }

    cm::LevelPreview& Make() {
        preview = gui::WindowFactory::instance()->Create(Parse(kPreview));
        EXPECT_TRUE(dynamic_cast<cm::LevelPreview*>(preview.get()));
        return dynamic_cast<cm::LevelPreview&>(*preview);
    }
    static std::string Picture(const std::string& name) { return kMinibacks + name + ".png"; }

    static std::unique_ptr<test::TempDir> dir;
    test::WorkingDirectory cwd{dir->Path()};
    test::CaptureLog log;
    test::FakeScriptEngine script;
    core::ptr<gui::Window> preview;
};

std::unique_ptr<test::TempDir> LevelPreviewTest::dir;

TEST_F(LevelPreviewTest, ALevelIdShowsThatLevelOnItsPictureOrTheFallbackAndAnUnknownIdKeepsTheOld) {
    struct Case {
        const char* name;
        std::vector<std::string> pictures;  // present under the minibacks, by name
        std::vector<const char*> ids;       // set in turn
        int shown;                          // level shown after the last, -1 for none
        std::string picture;                // the background, empty for none
        bool logged;                        // an id was refused
    };
    const Case cases[] = {
        {"its own picture", {"back3", "01_01"}, {"3"}, 3, "back3", false},
        {"the fallback", {"01_01"}, {"2"}, 2, "01_01", false},
        {"neither picture", {}, {"1"}, 1, "", false},
        {"an id beyond the set keeps the old", {"back1"}, {"1", "4"}, 1, "back1", true},
        {"a negative id keeps the old", {"back1"}, {"1", "-1"}, 1, "back1", true},
        {"the same id twice", {"back0"}, {"0", "0"}, 0, "back0", false},
        {"no id yet", {"01_01"}, {}, -1, "", false},
    };
    const std::vector<std::uint8_t> png = test::EncodePng(2, 2, std::vector<std::uint8_t>(16, 0x80));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        render::TextureCache::instance()->Clear();
        for (const char* name : {"back0", "back1", "back2", "back3", "01_01"})
            std::remove(dir->File(Picture(name)).c_str());
        for (const std::string& name : c.pictures)
            dir->Write(Picture(name), std::string(png.begin(), png.end()));
        cm::LevelPreview& p = Make();
        log.Clear();
        for (const char* id : c.ids) p.SetProperty("level_id", core::Value(id));
        EXPECT_EQ(p.GetProperty("level_id").as_string(), c.shown < 0 ? "" : std::to_string(c.shown));
        ASSERT_EQ(static_cast<bool>(p.board.level), c.shown >= 0);
        if (c.shown >= 0) {
            EXPECT_EQ(p.board.level->id, static_cast<unsigned int>(c.shown));
            EXPECT_EQ(p.board.back_board.Get(c.shown, 0).plate, 3) << "built from the level's map";
            EXPECT_TRUE(p.board.paused);
            EXPECT_TRUE(p.view.back_vb) << "the view rebuilt";
        }
        if (c.picture.empty())
            EXPECT_FALSE(p.back_texture);
        else
            EXPECT_EQ(p.back_texture, render::TextureCache::instance()->Get(Picture(c.picture)));
        EXPECT_EQ(log.Contains("LevelPreview: no level"), c.logged);
    }
}

TEST_F(LevelPreviewTest, TheBackgroundFollowsTheRectShiftedWhileTheBoardStaysAtTheParentsOrigin) {
    const std::vector<std::uint8_t> png = test::EncodePng(2, 2, std::vector<std::uint8_t>(16, 0x80));
    dir->Write(Picture("back2"), std::string(png.begin(), png.end()));
    cm::LevelPreview& p = Make();
    p.SetProperty("level_id", core::Value("2"));
    renderer.ClearRecord();
    p.Render();
    const auto& draws = renderer.Draws();
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[0].texture, p.back_texture.get());
    EXPECT_EQ(draws[0].rect, math::Rect(100, 50, 276, 178));
    EXPECT_TRUE(test::NearPoint(test::Apply(draws[0].world, 0, 0), -4, 3));
    EXPECT_EQ(draws[0].color, render::Color(1.0f, 1.0f, 1.0f, 1.0f));
    for (size_t i = 1; i < draws.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(test::NearPoint(test::Apply(draws[i].world, 0, 0), 0, 0));
    }
    EXPECT_FLOAT_EQ(p.view.cell_width, 8.0f);
    EXPECT_FLOAT_EQ(p.board.cell_height, 8.0f) << "the board's cells match the view's";
}

TEST_F(LevelPreviewTest, TheBoardStaysFrozenWithoutUpdateHandlerOrEventsAndAGameLevelChargesPowerupsAgain) {
    cm::LevelPreview& p = Make();
    clock.At(10);
    p.SetProperty("level_id", core::Value("1"));
    const core::ptr<game::Powerup> row = game::CurrentPowerupSet::instance()->Get("remove_row");
    ASSERT_TRUE(row);
    const unsigned int played = p.board.play_time;
    for (unsigned int t : {100u, 1100u, 2100u}) {
        clock.At(t);
        p.Update();
        p.OnEvent(gui::Event(gui::Event::MOUSE_DOWN, 0, math::Vector2(120, 60)));
        p.OnEvent(gui::Event(gui::Event::MOUSE_UP, 0, math::Vector2(120, 60)));
        game::CurrentPowerupSet::instance()->Update(t);
    }
    EXPECT_EQ(p.board.play_time, played);
    EXPECT_TRUE(script.calls.empty()) << script.calls.front();
    EXPECT_FLOAT_EQ(row->GetFill(), 0.0f) << "the preview paused the power-ups";
    // A game's level start after the map: its board's reset charges the power-ups from zero.
    cm::Board game(22, 16);
    game.LoadLevel(game::LevelSet::instance()->GetLevel(0));
    const core::ptr<game::Powerup> charging = game::CurrentPowerupSet::instance()->Get("remove_row");
    clock.At(3100);
    game::CurrentPowerupSet::instance()->Update(utils::Timer::instance()->GetTime());
    EXPECT_NEAR(charging->GetFill(), 0.5f, 1e-3f);
}

}  // namespace
