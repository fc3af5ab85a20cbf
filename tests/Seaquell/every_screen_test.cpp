// A newcomer's tour by mouse (and Escape where a player would use it) from the main menu through every
// screen and back, on the game's own data: each screen shows something, and nothing the screens name fails
// to load. Each screen's picture is kept under "screens/" beside the test for a look.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "game_session.h"
#include "vantle/core/context.h"
#include "vantle/game/scores.h"
#include "vantle/gui/widgets/text.h"

namespace {

const int kEscape = 27;
// Frames for a screen to settle after it appears: fades and first effects.
const int kSettleFrames = 30;
// A drawn screen shows more colours than this on the coarse grid; a blank or single-picture failure fewer.
const size_t kFewestColours = 8;

// Screens one click from the menu: the menu's link, a window only that screen has, and its way back.
struct Visit {
    const char* link;
    const char* mark;
    const char* back;
};
const Visit kBesideTheMenu[] = {
    {"help", "goal", "back"},         {"players", "new_name", "back"}, {"scores", "head_score", "back"},
    {"shop", "tokens_label", "back"}, {"custom", "level0", "back"},
};

// The game and the jigsaw both call their board "board"; only the jigsaw has a "done" caption.
bool IsJigsaw() {
    return test::GameSession::Shown("board") && test::GameSession::Find("done");
}

std::string Text(const std::string& path) {
    const auto* text = dynamic_cast<const gui::Text*>(test::GameSession::Find(path));
    return text ? text->GetText().as_string() : "<no text window " + path + ">";
}

class EveryScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        run = new test::TempDir;
        test::GameSession::Assemble(*run, "cheats_enabled = 1\n");
        game::Scores table;
        table.Add(core::ptr<game::Scores::Entry>(new game::Scores::Entry("Ann", 4200, 1700000000)));
        table.Add(core::ptr<game::Scores::Entry>(new game::Scores::Entry("Bob", 3100, 1700000100)));
        table.Save(run->File("home/.Moravane/scores.sc"));
    }

    // Frames until the screen's own window shows, then a picture of it once it has settled.
    void Reach(const std::string& mark, const std::string& name) {
        ReachWhen([mark] { return test::GameSession::Shown(mark); }, name);
    }
    void ReachWhen(const std::function<bool()>& shown, const std::string& name) {
        ASSERT_TRUE(session.RunUntil(shown)) << name << " never showed";
        for (int i = 0; i < kSettleFrames; ++i) session.Frame();
        const auto rows = test::GameSession::Screen(shots + "/" + name + ".png");
        EXPECT_GT(test::GameSession::ColoursShown(rows), kFewestColours) << name << " looks blank";
    }
    void BackToTheMenu(const std::string& from) {
        ASSERT_TRUE(session.RunUntil([] { return test::GameSession::Shown("play"); }))
            << "no way back to the menu from " << from;
    }

    static test::TempDir* run;
    test::GameSession session;
    std::string shots = (std::filesystem::current_path() / "screens").string();
};

test::TempDir* EveryScreen::run = nullptr;

TEST_F(EveryScreen, EveryScreenIsReachedFromTheMenuAndLoadsAllItNames) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    std::filesystem::create_directories(shots);
    ASSERT_TRUE(session.Start(*run));
    Reach("play", "main");

    for (const Visit& visit : kBesideTheMenu) {
        session.ClickWindow(visit.link);
        Reach(visit.mark, visit.link);
        if (std::string(visit.link) == "scores") {
            // The table written above, best first, and no "no scores yet" line.
            EXPECT_EQ(Text("name0"), "Ann");
            EXPECT_EQ(Text("score0"), "4200");
            EXPECT_EQ(Text("name1"), "Bob");
            EXPECT_EQ(Text("score1"), "3100");
            EXPECT_EQ(Text("score2"), "");
            EXPECT_FALSE(test::GameSession::Shown("none"));
        }
        session.ClickWindow(visit.back);
        BackToTheMenu(visit.link);
    }

    // Options, and with cheats on the board editor behind them.
    session.ClickWindow("options");
    Reach("sfx", "options");
    session.ClickWindow("developer");
    Reach("editor", "board_editor");
    session.ClickWindow("back");
    Reach("sfx", "options_again");
    session.ClickWindow("back");
    BackToTheMenu("options");

    // The three gardens in a ring.
    session.ClickWindow("garden");
    Reach("lily_left", "garden");
    session.ClickWindow("next_garden");
    Reach("night", "garden2");
    session.ClickWindow("next_garden");
    Reach("dawn", "garden3");
    session.ClickWindow("back");
    BackToTheMenu("garden3");

    // The jigsaw, from the gallery and from the campaign map.
    session.ClickWindow("gallery");
    Reach("pick0", "gallery");
    session.ClickWindow("jigsaw");
    ReachWhen(IsJigsaw, "jigsaw");
    session.Press(kEscape);
    BackToTheMenu("jigsaw");
    session.ClickWindow("map");
    Reach("episode1", "map");
    session.ClickWindow("back");
    BackToTheMenu("map");
    session.ClickWindow("map");
    ASSERT_TRUE(session.RunUntil([] { return test::GameSession::Shown("episode1"); }));
    session.ClickWindow("jigsaw");
    ReachWhen(IsJigsaw, "jigsaw_from_map");
    session.ClickWindow("back");
    BackToTheMenu("jigsaw from the map");

    // A level, paused by Escape, resumed, paused again and left for the menu.
    session.ClickWindow("play");
    Reach("time", "game");
    session.Press(kEscape);
    Reach("pause_resume", "pause");
    session.ClickWindow("pause_resume");
    ASSERT_TRUE(session.RunUntil([] { return test::GameSession::Shown("time"); })) << "no way back to play";
    session.Press(kEscape);
    ASSERT_TRUE(session.RunUntil([] { return test::GameSession::Shown("pause_menu"); }));
    session.ClickWindow("pause_menu");
    BackToTheMenu("pause");

    session.ClickWindow("quit");
    EXPECT_FALSE(session.IsRunning());
    session.Exit();

    const std::string log = run->Read("home/.Moravane/log.txt");
    EXPECT_EQ(log.find("Error loading"), std::string::npos) << log;
    EXPECT_EQ(log.find("Can't load"), std::string::npos) << log;
}

}  // namespace
