// A newcomer's tour by mouse (and Escape where a player would use it) from the main menu through every
// screen and back, on the game's own data: each screen shows something, and nothing the screens name fails
// to load. Each screen's picture is kept under "screens/" beside the test for a look.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Seaquell/jigsaw.h"
#include "game_session.h"
#include "jigsaw_pieces.h"
#include "vantle/audio/device.h"
#include "vantle/core/context.h"
#include "vantle/game/scores.h"
#include "vantle/game/users.h"
#include "vantle/gui/widgets/list_box.h"
#include "vantle/gui/widgets/text.h"

namespace {

const int kEscape = 27;
const int kReturn = 13;
// The player list is 232 high, its rows 29: eight fit exactly.
const size_t kRowsShown = 8;
const int kMostTyped = 20;
// Frames for a screen to settle after it appears: fades and first effects.
const int kSettleFrames = 30;
// A drawn screen shows more colours than this on the coarse grid; a blank or single-picture failure fewer.
const size_t kFewestColours = 8;

// Tours from the menu and back: each step clicks a window, then waits for one only the screen it leads to
// has and names its picture; "back" from the last screen leads to the menu.
struct Step {
    const char* click;
    const char* mark;
    const char* name;
};
const std::vector<std::vector<Step>> kTours = {
    {{"help", "goal", "help"}},
    {{"players", "new_name", "players"}},
    {{"scores", "head_score", "scores"}},
    {{"shop", "tokens_label", "shop"}},
    {{"custom", "level0", "custom"}},
    // With cheats on, the board editor behind the options.
    {{"options", "sfx", "options"},
     {"developer", "editor", "board_editor"},
     {"back", "sfx", "options_again"}},
    // The three gardens in a ring.
    {{"garden", "lily_left", "garden"},
     {"next_garden", "night", "garden2"},
     {"next_garden", "dawn", "garden3"}},
    {{"map", "episode1", "map"}},
};

// The game and the jigsaw both call their board "board"; only the jigsaw has a "done" caption.
bool IsJigsaw() {
    return test::GameSession::Shown("board") && test::GameSession::Find("done");
}

std::string Text(const std::string& path) {
    const auto* text = dynamic_cast<const gui::Text*>(test::GameSession::Find(path));
    return text ? text->GetText().as_string() : "<no text window " + path + ">";
}

math::Rect Box(const std::string& path) {
    const gui::Window* window = test::GameSession::Find(path);
    return window ? window->GetAbsRect() : math::Rect();
}

// A click on the middle of the jigsaw's cell.
void ClickPiece(test::GameSession& session, const cm::Jigsaw& jigsaw, int x, int y) {
    const math::Rect area = jigsaw.GetAbsRect();
    const float width = area.Width() / cm::Jigsaw::kColumns, height = area.Height() / cm::Jigsaw::kRows;
    session.Click(math::Vector2(area.left + width * (x + 0.5f), area.top + height * (y + 0.5f)));
}

class EveryScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        run = new test::TempDir;
        test::GameSession::Assemble(*run, "cheats_enabled = 1\nmaster_volume = 0.7\n");
        game::Scores table;
        table.Add(core::ptr<game::Scores::Entry>(new game::Scores::Entry("Ann", 4200, 1700000000)));
        table.Add(
            core::ptr<game::Scores::Entry>(new game::Scores::Entry("Bartholomew Oxford", 3100, 1700000100)));
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
    // Names typed into the players screen fill its list until the screen refuses one with a short
    // message; players beyond that, made elsewhere, are cut off at the list's box rather than drawn over
    // the field below it.
    void FillThePlayerList() {
        const std::vector<std::uint8_t> before = test::GameSession::Screen(shots + "/players.png");
        for (int i = 0; i < kMostTyped && Text("new_hint") != "The list is full."; ++i) {
            session.Type("P" + std::to_string(i));
            session.Press(kReturn);
        }
        EXPECT_EQ(Text("new_hint"), "The list is full.");
        const auto* list = dynamic_cast<const gui::ListBox*>(test::GameSession::Find("list"));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->GetItems().size(), kRowsShown);
        for (const char* name : {"Extra1", "Extra2", "Extra3"})
            game::Users::instance()->Add(core::ptr<game::User>(new game::User(name)));
        ASSERT_EQ(list->GetItems().size(), kRowsShown + 3);
        for (int i = 0; i < kSettleFrames; ++i) session.Frame();
        const std::vector<std::uint8_t> after = test::GameSession::Screen(shots + "/players_full.png");
        // From just below the list's box (the clip may take a pixel more) to the label under it.
        const math::Rect& box = list->GetAbsRect();
        const math::Rect& label = test::GameSession::Find("new_label")->GetAbsRect();
        size_t changed = 0;
        for (int y = static_cast<int>(box.bottom) + 2; y < static_cast<int>(label.top) - 2; ++y) {
            for (int x = static_cast<int>(box.left); x < static_cast<int>(box.right); ++x) {
                const size_t at = (static_cast<size_t>(y) * test::GameSession::kWidth + x) * 4;
                changed += std::equal(&before[at], &before[at] + 3, &after[at]) ? 0 : 1;
            }
        }
        EXPECT_EQ(changed, 0u) << "rows drawn below the list";
    }
    void BackToTheMenu(const std::string& from) {
        ASSERT_TRUE(session.RunUntil([] { return test::GameSession::Shown("play"); }))
            << "no way back to the menu from " << from;
    }

    // Saved as 0.7 before this start, the master volume shows as 7 and sets what is heard; a click on the
    // plus end makes it 8 and saves that. The mixer reports the mean over its channels, the music's own
    // lower volume included.
    void MasterVolumeKeptOverARestart() {
        EXPECT_EQ(Text("volume_value"), "7");
        EXPECT_NEAR(audio::Device::instance()->GetSfxVolume(), 0.7f, 0.03f);
        const math::Rect spin = Box("volume");
        session.Click(math::Vector2(spin.right - 8, (spin.top + spin.bottom) / 2));
        EXPECT_EQ(Text("volume_value"), "8");
        EXPECT_NEAR(audio::Device::instance()->GetSfxVolume(), 0.8f, 0.03f);
        EXPECT_NE(run->Read("home/.Moravane/config.cfg").find("master_volume = 0.8\r\n"), std::string::npos);
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

    for (const std::vector<Step>& tour : kTours) {
        for (const Step& step : tour) {
            session.ClickWindow(step.click);
            Reach(step.mark, step.name);
        }
        if (std::string(tour.back().name) == "players") FillThePlayerList();
        if (std::string(tour.back().name) == "scores") {
            // The table written above, best first, a long name cut to a player name's length, and no line
            // saying there is no table.
            EXPECT_EQ((std::vector<std::string>{Text("name0"), Text("score0"), Text("name1"), Text("score1"),
                                                Text("score2")}),
                      (std::vector<std::string>{"Ann", "4200", "Bartholomew Ox", "3100", ""}));
            EXPECT_LT(Box("name1").right, Box("score1").left) << "the name runs into the score";
            EXPECT_FALSE(test::GameSession::Shown("none"));
        }
        if (std::string(tour.front().name) == "options") MasterVolumeKeptOverARestart();
        session.ClickWindow("back");
        BackToTheMenu(tour.back().name);
    }

    // The jigsaw, from the gallery and from the campaign map.
    session.ClickWindow("gallery");
    Reach("pick0", "gallery");
    session.ClickWindow("jigsaw");
    ReachWhen(IsJigsaw, "jigsaw");
    session.Press(kEscape);
    BackToTheMenu("jigsaw");
    session.ClickWindow("map");
    ASSERT_TRUE(session.RunUntil([] { return test::GameSession::Shown("episode1"); }));
    session.ClickWindow("jigsaw");
    ReachWhen(IsJigsaw, "jigsaw_from_map");
    // Made whole by a last swap, the jigsaw says so in place of its hint.
    auto* jigsaw = dynamic_cast<cm::Jigsaw*>(test::GameSession::Find("board"));
    ASSERT_TRUE(jigsaw);
    test::PutEveryPieceHome(*jigsaw);
    jigsaw->Swap(math::Position(cm::Jigsaw::kColumns - 1, cm::Jigsaw::kRows - 1),
                 math::Position(cm::Jigsaw::kColumns - 2, cm::Jigsaw::kRows - 1));
    ClickPiece(session, *jigsaw, cm::Jigsaw::kColumns - 1, cm::Jigsaw::kRows - 1);
    ClickPiece(session, *jigsaw, cm::Jigsaw::kColumns - 2, cm::Jigsaw::kRows - 1);
    Reach("done", "jigsaw_won");
    EXPECT_FALSE(test::GameSession::Shown("hint"));
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
