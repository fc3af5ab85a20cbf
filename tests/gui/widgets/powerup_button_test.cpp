#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../../game/powerup_table.h"
#include "support/gui_fixture.h"
#include "support/probe_effect.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/gui/container.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/powerup_button.h"

namespace {

using gui::Event;
using math::Vector2;
using test::ProbeEffect;
using test::RecordingRender;

// Every step of "bomb" charges in 1200 ms, so 100 ms is a twelfth.
const char kTable[] = R"(<powerups><powerup name="bomb">
  <level><filling_time><level time="1200"/></filling_time></level>
  <level><filling_time><level time="1200"/></filling_time></level></powerup></powerups>)";

// Tiles are told apart by their red component, which indexes these names.
const char* const kNames[] = {"",        "unavailable", "disabled", "back0", "front0",
                              "normal0", "active0",     "pressed0", "back1", "front1",
                              "normal1", "active1",     "pressed1"};

std::string Tile(const char* element, int name) {
    const char digits[] = "0123456789abcdef";
    return std::string("<") + element + " color='" + digits[name / 16] + digits[name % 16] + "0000'/>";
}

class PowerupButtonTest : public test::GuiTest {
protected:
    static void SetUpTestSuite() { test::LoadPowerupTable("data/bomb_powerups.xml", kTable); }

    void SetUp() override {
        GuiTest::SetUp();
        ProbeEffect::Register();
    }

    // 40 by 20 at (100, 50), centred on (120, 60).
    core::ptr<gui::PowerupButton> Make(const std::string& looks = "", int level_records = 2) {
        std::string levels;
        for (int i = 0, name = 3; i < level_records; ++i, name += 5) {
            levels += "<level>" + Tile("back", name) + Tile("front", name + 1) + Tile("normal", name + 2) +
                      Tile("active", name + 3) + Tile("pressed", name + 4) + "</level>";
        }
        return core::ptr<gui::PowerupButton>(new gui::PowerupButton(Parse(
            "<powerup_button powerup='bomb' x='100' y='50' w='40' h='20'>" + looks + "<levels>" + levels +
            "<other/></levels><ready_effect><probe name='ready'/></ready_effect><not_ready_effect><probe "
            "name='not_ready'/></not_ready_effect><mouse_effect><probe "
            "name='mouse'/></mouse_effect><handlers>"
            "<handler name='on_activate'>activated</handler></handlers></powerup_button>")));
    }

    // A fresh "bomb" owned up to max_level (none for -1), the set updated at each time after the origin.
    void Charge(int max_level, const std::vector<unsigned int>& times) {
        clock.Start();
        ProbeEffect::Journal().clear();
        Set()->Load("");
        Set()->Select("");
        if (max_level >= 0) Set()->Load("bomb:" + std::to_string(max_level));
        for (const unsigned int t : times) Set()->Update(clock.At(t));
    }

    std::string Frame(gui::PowerupButton& button) {
        std::string drawn;
        for (const RecordingRender::Draw& draw : DrawnBy(button))
            drawn += draw.kind == RecordingRender::TRI
                         ? "tri "
                         : kNames[std::lround(draw.color.r * 255)] + std::string(" ");
        return drawn;
    }

    static game::CurrentPowerupSet* Set() { return game::CurrentPowerupSet::instance(); }
};

TEST_F(PowerupButtonTest, EachChargeStateDrawsItsTilesInOrder) {
    const std::string both = Tile("unavailable", 1) + Tile("disabled", 2);
    const struct {
        const char* what;
        std::string looks;
        int level_records, max_level;
        std::vector<unsigned int> times;
        const char* drawn;
    } cases[] = {
        {"not held", both, 2, -1, {}, "unavailable "},
        {"not held, no unavailable tile", Tile("disabled", 2), 2, -1, {}, "disabled "},
        {"not held, no tiles", "", 2, -1, {}, ""},
        // The wipe marks one sector per started twelfth; at 0 one degenerate one.
        {"level 0 empty", both, 2, 1, {}, "disabled back0 tri front0 "},
        {"level 0, a twelfth", both, 2, 1, {100}, "disabled back0 tri front0 "},
        {"level 0, a quarter", both, 2, 1, {300}, "disabled back0 tri tri tri front0 "},
        {"level 0 charged", both, 2, 0, {1200}, "disabled back0 front0 normal0 "},
        {"level 1 charging", both, 2, 1, {1200, 1500}, "back1 tri tri tri front1 normal0 "},
        {"level 1 charged", both, 2, 1, {1200, 2400}, "back1 front1 normal1 "},
        {"level 1 without its record", both, 1, 1, {1200, 1500}, ""},
        {"level 0 without records", both, 0, 1, {300}, "disabled "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Charge(c.max_level, c.times);
        core::ptr<gui::PowerupButton> button = Make(c.looks, c.level_records);
        button->Update();
        EXPECT_EQ(c.drawn, Frame(*button));
    }
    // The overlay follows the pointer.
    Charge(1, {1200, 2400});
    core::ptr<gui::PowerupButton> button = Make();
    button->Update();
    button->OnEvent(Event(Event::MOUSE_ENTER, Vector2(110, 55)));
    EXPECT_EQ("back1 front1 active1 ", Frame(*button));
}

// Its own elements are not windows: nothing of them is logged as unknown, while a window element beside
// them still becomes a child.
TEST_F(PowerupButtonTest, ItsOwnElementsAreNotTakenForUnknownWindows) {
    gui::Container::Register();
    core::ptr<gui::PowerupButton> button(new gui::PowerupButton(
        Parse("<powerup_button powerup='bomb'>" + Tile("disabled", 2) + Tile("unavailable", 1) +
              "<levels/><ready_effect/><not_ready_effect/><mouse_effect/><container id='inside'/>"
              "<handlers/></powerup_button>")));
    EXPECT_FALSE(log.Contains("Unknown window element"));
    EXPECT_TRUE(button->GetChild("inside"));
}

TEST_F(PowerupButtonTest, TheReadyEffectStartsOncePerCompletedCharge) {
    const struct {
        const char* what;
        int max_level;
        std::vector<unsigned int> frames;
        bool found_late;
        int starts;
    } cases[] = {
        {"charging", 1, {100, 600, 1100}, false, 0},
        {"full at the last level, many frames", 0, {600, 1200, 1300, 5000}, false, 1},
        {"level rises, fill restarts", 1, {600, 1200, 1300}, false, 1},
        {"both charges", 1, {1200, 1300, 2400, 2500}, false, 2},
        {"found already charged", 0, {1200, 1300}, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Charge(-1, {});
        core::ptr<gui::PowerupButton> button = Make();
        Set()->Load("bomb:" + std::to_string(c.max_level));
        for (const unsigned int t : c.frames) {
            Set()->Update(clock.At(t));
            if (!c.found_late || t == c.frames.back()) button->Update();
        }
        const auto& journal = ProbeEffect::Journal();
        EXPECT_EQ(c.starts, std::count(journal.begin(), journal.end(), "start ready"));
    }
}

TEST_F(PowerupButtonTest, APressActivatesAReadyPowerupAndOnlyShakesOneThatIsNot) {
    const struct {
        const char* what;
        int max_level;
        std::vector<unsigned int> times;
        int mouse_button;
        const char* selected_before;
        const char* effect;
    } cases[] = {
        {"not ready", 1, {300}, 0, "", "start not_ready"},
        {"ready, left", 0, {1200}, 0, "", "start mouse"},
        {"ready, right", 0, {1200}, 2, "", "start mouse"},
        {"a banked charge", 1, {1200, 1300}, 0, "", "start mouse"},
        {"already selected", 0, {1200}, 0, "bomb", "start mouse"},
        {"not held", -1, {}, 0, "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Charge(c.max_level, c.times);
        Set()->Select(c.selected_before);
        script.calls.clear();
        mouse->position = Vector2(7, 9);
        Make()->OnEvent(Event(Event::MOUSE_DOWN, c.mouse_button, Vector2(110, 55)));
        const bool activated = c.effect && std::string(c.effect) == "start mouse";
        EXPECT_EQ(activated, script.calls == std::vector<std::string>{"Eval activated"});
        EXPECT_EQ(activated ? "bomb" : c.selected_before, Set()->GetSelectedName());
        EXPECT_EQ(c.effect ? std::vector<std::string>{c.effect} : std::vector<std::string>{},
                  ProbeEffect::Journal());
        if (activated) {
            EXPECT_EQ(Vector2(7, 9),
                      effects::EffectManager::instance()->GetMouseEffect().GetEffect()->GetPos());
        }
    }
}

}  // namespace
