#include "Seaquell/game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "put_ball.h"
#include "support/gui_fixture.h"
#include "support/probe_effect.h"
#include "support/temp_dir.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/effects/effects/register.h"
#include "vantle/game/levelset.h"
#include "vantle/game/users.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/widgets/register_widgets.h"
#include "vantle/gui/window_factory.h"
#include "vantle/io/loader.h"
#include "vantle/utils/config.h"

namespace {

const unsigned int kLevels = 205;
const unsigned int kFrame = 20;
// Every cell, emitters along the top row and one plate in the middle.
std::string Map() {
    std::string cells(22 * 16, '1'), emitters(22 * 16, '0'), plates(22 * 16, '0');
    std::fill(emitters.begin(), emitters.begin() + 22, '1');
    plates[8 * 22 + 11] = '1';
    return cells + ";" + emitters + ";" + plates;
}

// The board's handlers run as code naming themselves, so the fake engine lists them in firing order.
const char kHandlers[] =
    "on_first_level_start on_first_frame on_timeout powerups_tutorial default_appear remove_row_appear "
    "chain_appear after_first_remove timer_tutorial on_win on_lose after_win after_last_level";

std::string Screen() {
    std::string handlers;
    std::istringstream names(kHandlers);
    for (std::string name; names >> name;) handlers += "<handler name='" + name + "' code='" + name + "'/>";
    return "<gui><container id='back'/><qx_board id='board' x='10' y='20' w='220' h='160'><handlers>" +
           handlers + "</handlers></qx_board></gui>";
}

// The process-wide world: a home with the players file, a level set of many small levels, the window
// kinds registered.
struct Home {
    test::TempDir dir;
    Home() {
        dir.Write("Moravane/.keep", "");
        std::string set = "<levelset>";
        for (unsigned int i = 0; i < kLevels; ++i) {
            set += "<level name='L' uid='" + std::to_string(i + 1) +
                   "'><options><option name='time_limit' value='60'/><option name='colors' value='3'/>"
                   "<option name='background' value='bg" +
                   std::to_string(i) + "'/><option name='map' value='" + Map() + "'/></options></level>";
        }
        dir.Write("levels.xml", set + "</levelset>");
        utils::Config::SetFilename(dir.File("Moravane/config.cfg"));
        game::Users::SetFilename(dir.File("Moravane/users.dat"));
        gui::RegisterWidgets();
        effects::RegisterEffects();
        cm::Game::Register();
    }
};

Home& TheHome() {
    static Home home;
    return home;
}

class GameWindow : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        cwd = std::make_unique<test::WorkingDirectory>(TheHome().dir.Path());
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(TheHome().dir.Path() + "/")));
        game::LevelSet::instance()->Load("levels.xml");
        dir.Write("game.xml", Screen());
        dir.Write("data/gui/backgrounds/bg3.xml", "<gui><container id='bg3_picture'/></gui>");
        for (const char* key : {"fall_delay", "timeout_time", "cheats_enabled"})
            utils::Config::instance()->Set(key, core::Value(0u));
        core::Context::instance()->Set("custom_play", core::Value(false));
        game::Users* users = game::Users::instance();
        users->Remove("ann");
        users->Add(core::ptr<game::User>(new game::User("ann")));
        std::remove(Stats().c_str());
    }
    void TearDown() override {
        gui::RootWindow::instance()->Clear();
        cwd.reset();
        GuiTest::TearDown();
    }

    static std::string Stats() { return TheHome().dir.File("Moravane/playing_stat.csv"); }
    static core::ptr<game::User> Ann() { return game::Users::instance()->GetUser("ann"); }
    static void SetOption(const std::string& name, unsigned int value) {
        Ann()->Set(name, core::Value(value));
    }
    static unsigned int Option(const std::string& name) { return Ann()->Get(name).as_uint32(); }

    // The game screen loaded afresh; its board window.
    cm::Game* Start() {
        gui::RootWindow::instance()->Load("game.xml", true);
        script.calls.clear();
        return dynamic_cast<cm::Game*>(gui::RootWindow::instance()->GetChild("board").get());
    }
    // Frames through the root window, kFrame ms apart.
    void Frames(unsigned int count) {
        for (unsigned int i = 0; i < count; ++i) {
            now += kFrame;
            clock.At(now);
            gui::RootWindow::instance()->Update();
        }
    }
    size_t Fired(const std::string& handler) const {
        return static_cast<size_t>(std::count(script.calls.begin(), script.calls.end(), "Eval " + handler));
    }
    std::vector<std::string> Handlers() const {
        std::vector<std::string> fired;
        for (const std::string& call : script.calls)
            if (call.rfind("Eval ", 0) == 0) fired.push_back(call.substr(5));
        return fired;
    }
    static size_t StatLines() {
        std::ifstream file(Stats());
        size_t lines = 0;
        for (std::string line; std::getline(file, line);) ++lines;
        return lines;
    }

    std::unique_ptr<test::WorkingDirectory> cwd;
    unsigned int now = 0;
};

TEST_F(GameWindow, TheLevelComesFromTheProgressTheCustomFlagChoosesAndTheFirstOtherwise) {
    struct Case {
        const char* name;
        bool custom;
        unsigned int max_level, last_level, expected;
    };
    const Case cases[] = {{"progress", false, 3, 1, 3},
                          {"custom play", true, 3, 1, 1},
                          {"beyond the set", false, 999, 1, 0},
                          {"custom beyond the set", true, 3, 999, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::Context::instance()->Set("custom_play", core::Value(c.custom));
        SetOption("max_level", c.max_level);
        SetOption("last_level", c.last_level);
        cm::Game* game = Start();
        ASSERT_TRUE(game);
        EXPECT_EQ(game->level_id, c.expected);
        EXPECT_EQ(game->board.level->id, c.expected);
        // Only level 3's background exists; it is loaded into the screen's back.
        EXPECT_EQ(static_cast<bool>(gui::RootWindow::instance()->GetChild("back")->GetChild("bg3_picture")),
                  c.expected == 3);
    }
    game::Users::instance()->Remove("ann");
    // A pointer effect left running from the screen before goes with the new window.
    gui::RootWindow::instance()->Clear();
    core::ptr<effects::Effect> follower(new effects::Effect());
    follower->AddChild(new test::ProbeEffect("follower"));
    effects::EffectManager::instance()->StartMouseEffect(follower);
    ASSERT_TRUE(follower->IsRunning());
    EXPECT_EQ(Start()->level_id, 0u);
    EXPECT_FALSE(follower->IsRunning());
}

TEST_F(GameWindow, AMiddleReleaseForcesAnEmissionAndAFinishedLevelIgnoresInput) {
    cm::Game* game = Start();
    game->board.generate_counter = 0;
    game->OnEvent(gui::Event(gui::Event::MOUSE_UP, 2, math::Vector2(50, 50)));
    game->OnEvent(gui::Event(gui::Event::MOUSE_DOWN, 1, math::Vector2(50, 50)));
    EXPECT_EQ(game->board.generate_counter, 0u);
    game->OnEvent(gui::Event(gui::Event::MOUSE_UP, 1, math::Vector2(50, 50)));
    EXPECT_NE(game->board.generate_counter, 0u);
    // Moves reach the board relative to the window.
    game->OnEvent(gui::Event(gui::Event::MOUSE_MOVE, math::Vector2(15, 27)));
    EXPECT_EQ(game->board.cursor, math::Vector2(5, 7));

    game->board.finished = true;
    game->OnEvent(gui::Event(gui::Event::MOUSE_MOVE, math::Vector2(100, 100)));
    utils::Config::instance()->Set("cheats_enabled", core::Value(1u));
    game->OnEvent(gui::Event(gui::Event::KEY_UP, static_cast<int>('w')));
    EXPECT_EQ(game->board.cursor, math::Vector2(5, 7));
    EXPECT_FALSE(log.Contains("Game: KEY_DOWN"));
}

// Rested on a group, the pointer leaves the board in one move, over the screen or out of the program's
// window: nothing stays lit or hovered until it comes back.
TEST_F(GameWindow, TheHoverEndsWhenThePointerLeavesTheBoardOrTheWindow) {
    cm::Game* game = Start();
    cm::Board& board = game->board;
    const math::Vector2 cell(board.cell_width, board.cell_height);
    // No two neighbours alike, but for a row of three 4s.
    for (int x = 0; x < board.balls.width; ++x)
        for (int y = 0; y < board.balls.height; ++y)
            test::PutBall(board, static_cast<char>('1' + (x + 2 * y) % 3), x, y, cell);
    for (int x = 5; x <= 7; ++x) test::PutBall(board, '4', x, 10, cell);
    const core::ptr<cm::Ball> hovered = board.balls.Get(6, 10);
    const math::Vector2 on_group(10 + 65, 20 + 105), beside_board(5, 5);
    struct Step {
        const char* name;
        math::Vector2 at;
        bool inside;
        bool lit;
    };
    const Step steps[] = {
        {"on the group", on_group, true, true},
        {"over the screen beside the board", beside_board, true, false},
        {"back on the group", on_group, true, true},
        {"out of the window, last seen on the group", on_group, false, false},
        {"back into the window", on_group, true, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        mouse->position = step.at;
        mouse->inside = step.inside;
        Frames(4);
        int lit = 0;
        for (int x = 0; x < board.balls.width; ++x)
            for (int y = 0; y < board.balls.height; ++y) lit += board.balls.Get(x, y)->IsOver() ? 1 : 0;
        EXPECT_EQ(lit, step.lit ? 3 : 0);
        EXPECT_EQ(hovered->IsMouseOver(), step.lit);
    }
}

TEST_F(GameWindow, DeveloperKeysCleanAndGivePowerupsOnlyWithCheatsOn) {
    for (const bool cheats : {false, true}) {
        SCOPED_TRACE(cheats);
        utils::Config::instance()->Set("cheats_enabled", core::Value(cheats ? 1u : 0u));
        Ann()->Set("powerups", core::Value(""));
        cm::Game* game = Start();
        game->OnEvent(gui::Event(gui::Event::KEY_UP, static_cast<int>('w')));
        game->OnEvent(gui::Event(gui::Event::KEY_UP, static_cast<int>('z')));
        EXPECT_EQ(game->board.GetFillRate() == 0.0f, cheats);
        EXPECT_EQ(Ann()->Get("powerups").as_string().empty(), !cheats);
    }
    // No player: the power-up key changes nobody.
    game::Users::instance()->Remove("ann");
    Start()->OnEvent(gui::Event(gui::Event::KEY_UP, static_cast<int>('z')));
    EXPECT_TRUE(game::Users::instance()->GetNames().empty());
}

TEST_F(GameWindow, ASecondWindowTakesTheFunctorsAndADeadWindowsAreGone) {
    cm::Game* first = Start();
    {
        const core::ptr<gui::Window> second =
            gui::WindowFactory::instance()->Create(Parse("<qx_board x='0' y='0' w='220' h='160'/>"));
        auto* game = dynamic_cast<cm::Game*>(second.get());
        ASSERT_TRUE(game);
        (*core::FunctorFactory::instance()->Create("game_pause"))();
        EXPECT_TRUE(game->board.paused);
        EXPECT_FALSE(first->board.paused);
    }
    for (const char* name : {"game_reset", "game_pause", "game_resume", "game_stop_effect"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(core::FunctorFactory::instance()->Create(name));
    }
}

TEST_F(GameWindow, TheFirstFrameFiresItsHandlersAndTheFirstLevelAlsoItsStart) {
    for (const unsigned int level : {0u, 1u}) {
        SCOPED_TRACE(level);
        SetOption("max_level", level);
        Start();
        Frames(2);
        const std::vector<std::string> expected =
            level == 0 ? std::vector<std::string>{"on_first_level_start", "on_first_frame"}
                       : std::vector<std::string>{"on_first_frame"};
        EXPECT_EQ(Handlers(), expected);
    }
    // A reset makes the next frame a first frame again.
    (*core::FunctorFactory::instance()->Create("game_reset"))();
    Frames(1);
    EXPECT_EQ(Fired("on_first_frame"), 2u);
}

TEST_F(GameWindow, AnOverlayOpenedByAHandlerLetsTheFrameGoOn) {
    dir.Write("overlay.xml", "<gui><container id='overlay'/></gui>");
    const core::ptr<effects::Effect> no_effect = cm::Game::win_effect;
    cm::Game::win_effect = core::ptr<effects::Effect>(new effects::Effect());
    cm::Game::win_effect->AddChild(new test::ProbeEffect("win"));
    for (const char* opener : {"on_first_frame", "on_win"}) {
        SCOPED_TRACE(opener);
        cm::Game* game = Start();
        script.on_eval = [opener](const std::string& code) {
            if (code == opener) gui::RootWindow::instance()->Load("overlay.xml", false);
        };
        Frames(3);
        game->board.Clean();
        game->board.OnChanges();
        Frames(3);
        script.on_eval = nullptr;
        EXPECT_EQ(Fired("on_first_frame"), 1u);
        EXPECT_EQ(Fired("on_win"), 1u);
        EXPECT_EQ(Fired("after_win"), 0u) << "the win effect plays first";
        EXPECT_TRUE(game->win_puppy.IsAlive());
        EXPECT_EQ(gui::RootWindow::instance()->GetChild("board").get(), game);
    }
    cm::Game::win_effect = no_effect;
}

TEST_F(GameWindow, ATimeoutFiresEveryFrameInsteadOfTheTutorialsAndAppearances) {
    utils::Config::instance()->Set("timeout_time", core::Value(120000u));
    cm::Game* game = Start();
    Frames(1);
    script.calls.clear();
    game->board.generated_balls.push_back(game->board.factory.CreateBall());
    Frames(100);
    EXPECT_EQ(Handlers(), std::vector<std::string>(100, "on_timeout"));
}

TEST_F(GameWindow, AnnouncedBallsAppearOnePerFrameOnceNothingMoves) {
    cm::Game* game = Start();
    Frames(1);
    for (int i = 0; i < 1000 && game->board.balls_moving; ++i) Frames(1);
    ASSERT_FALSE(game->board.balls_moving);
    script.calls.clear();
    core::ptr<cm::Ball> locked = game->board.factory.CreateBall();
    locked->locked = true;
    game->board.generated_balls.push_back(game->board.factory.CreateBall());
    game->board.generated_balls.push_back(locked);
    Frames(1);
    EXPECT_EQ(Handlers(), std::vector<std::string>{"default_appear"});
    Frames(1);
    EXPECT_EQ(Handlers(), (std::vector<std::string>{"default_appear", "chain_appear"}));
}

TEST_F(GameWindow, TheFifthScoreChangeOfTheFirstLevelAndTenSecondsPlayedFireTheirTutorialsOnce) {
    cm::Game* game = Start();
    Frames(1);
    for (unsigned int change = 1; change <= 7; ++change) {
        game->board.score += 10;
        Frames(1);
        EXPECT_EQ(Fired("after_first_remove"), change >= 5 ? 1u : 0u) << change;
        EXPECT_EQ(core::Context::instance()->Get("game_score").as_uint32(), game->board.score);
    }
    EXPECT_EQ(Fired("timer_tutorial"), 0u);
    Frames(cm::Game::kTimerTutorialTime / kFrame + 5);
    EXPECT_EQ(Fired("timer_tutorial"), 1u);
}

TEST_F(GameWindow, AWinMovesTheProgressOnAndPaysTheTokensOnce) {
    struct Case {
        const char* name;
        unsigned int max_level, expected_max, expected_last;
        const char* after;
    };
    const Case cases[] = {{"a middle level", 7, 8, 7, "after_win"},
                          {"the last level", kLevels - 1, kLevels - 1, 0, "after_last_level"},
                          {"the last regular level", 202, 203, 202, "after_win"},
                          {"the first level past it", 203, 204, 203, "after_last_level"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(Stats().c_str());
        SetOption("max_level", c.max_level);
        SetOption("tokens", 100);
        cm::Game* game = Start();
        Frames(1);
        game->board.Clean();
        game->board.OnChanges();
        game->board.collected_tokens = 12;
        Frames(20);
        EXPECT_EQ(Option("max_level"), c.expected_max);
        EXPECT_EQ(Option("last_level"), c.expected_last);
        EXPECT_EQ(Option("tokens"), 112u);
        EXPECT_EQ(core::Context::instance()->Get("total_tokens_count").as_uint32(), 112u);
        EXPECT_EQ(Fired("on_win"), 1u);
        EXPECT_EQ(Fired(c.after), 1u);
        EXPECT_EQ(StatLines(), 2u);
    }
}

TEST_F(GameWindow, ALostLevelIsBookedOnceAlsoWhenItsHandlerChangesTheScreen) {
    dir.Write("other.xml", "<gui/>");
    for (const bool leaves : {false, true}) {
        SCOPED_TRACE(leaves);
        std::remove(Stats().c_str());
        SetOption("tokens", 5);
        cm::Game* game = Start();
        script.on_eval = [&](const std::string& code) {
            if (leaves && code == "on_lose") gui::RootWindow::instance()->Load("other.xml", true);
        };
        Frames(1);
        game->board.time_limit = 100;
        game->board.collected_tokens = 3;
        Frames(30);
        script.on_eval = nullptr;
        EXPECT_EQ(Fired("on_lose"), 1u);
        EXPECT_EQ(StatLines(), 2u);
        EXPECT_EQ(Option("tokens"), 5u);
    }
}

}  // namespace
