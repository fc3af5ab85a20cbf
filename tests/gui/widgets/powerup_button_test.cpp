#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "../../game/powerup_table.h"
#include "support/gui_fixture.h"
#include "support/probe_effect.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/powerup_button.h"

namespace {

using gui::Event;
using math::Vector2;
using test::ProbeEffect;
using test::RecordingRender;

// Every step of "bomb" charges in 1200 ms, so 100 ms is a twelfth.
const char kTable[] = R"(<powerups><powerup name="bomb">
  <level price="1"><filling_time><level time="1200"/></filling_time></level>
  <level price="2"><filling_time><level time="1200"/></filling_time></level>
</powerup></powerups>)";

// Tiles told apart by their red component.
const std::map<int, std::string> kTileNames = {
    {1, "unavailable"}, {2, "disabled"}, {10, "back0"},  {11, "front0"},  {12, "normal0"}, {13, "active0"},
    {14, "pressed0"},   {20, "back1"},   {21, "front1"}, {22, "normal1"}, {23, "active1"}, {24, "pressed1"}};

std::string Tile(const char* name, int red) {
    char color[8];
    std::snprintf(color, sizeof color, "%02x0000", red);
    return std::string("<") + name + " color='" + color + "'/>";
}

std::string Level(int base) {
    return "<level>" + Tile("back", base) + Tile("front", base + 1) + Tile("normal", base + 2) +
           Tile("active", base + 3) + Tile("pressed", base + 4) + "</level>";
}

class PowerupButtonTest : public test::GuiTest {
protected:
    static void SetUpTestSuite() { test::LoadPowerupTable("data/bomb_powerups.xml", kTable); }

    void SetUp() override {
        GuiTest::SetUp();
        ProbeEffect::Register();
        ProbeEffect::Journal().clear();
        Set()->Load("");
        Set()->Select("");
    }

    static game::CurrentPowerupSet* Set() { return game::CurrentPowerupSet::instance(); }

    // 40 by 20 at (100, 50): the centre is (120, 60).
    core::ptr<gui::PowerupButton> Make(const std::string& looks, int level_records = 2) {
        std::string levels;
        for (int i = 0; i < level_records; ++i) levels += Level(10 * (i + 1));
        return core::ptr<gui::PowerupButton>(new gui::PowerupButton(Parse(
            "<powerup_button powerup='bomb' x='100' y='50' w='40' h='20'>" + looks + "<levels>" + levels +
            "<other/></levels><ready_effect><probe name='ready'/></ready_effect><not_ready_effect><probe "
            "name='not_ready'/></not_ready_effect><mouse_effect><probe "
            "name='mouse'/></mouse_effect><handlers>"
            "<handler name='on_activate'>activated</handler></handlers></powerup_button>")));
    }

    // The set holds a fresh "bomb" owned up to max_level, charged for the times after the origin in turn.
    void Charge(unsigned int max_level, const std::vector<unsigned int>& times) {
        clock.Start();
        Set()->Load("");
        Set()->Load("bomb:" + std::to_string(max_level));
        for (const unsigned int t : times) Set()->Update(clock.At(t));
    }

    // The draws by tile name, masking triangles as "tri".
    std::string DrawList() const {
        std::string list;
        for (const RecordingRender::Draw& draw : renderer.Draws()) {
            if (!list.empty()) list += " ";
            if (draw.kind == RecordingRender::TRI) {
                list += "tri";
                continue;
            }
            const auto name = kTileNames.find(int(std::lround(draw.color.r * 255)));
            list += name == kTileNames.end() ? "?" : name->second;
        }
        return list;
    }

    int Journal(const std::string& line) const {
        const auto& journal = ProbeEffect::Journal();
        return int(std::count(journal.begin(), journal.end(), line));
    }
};

TEST_F(PowerupButtonTest, EachChargeStateDrawsItsTilesInOrder) {
    const std::string both = Tile("unavailable", 1) + Tile("disabled", 2);
    const struct {
        const char* what;
        std::string looks;
        int level_records;
        int max_level;  // -1: the set holds no "bomb"
        std::vector<unsigned int> times;
        bool pointer_over;
        const char* drawn;
    } cases[] = {
        {"not held", both, 2, -1, {}, false, "unavailable"},
        {"not held, no unavailable tile", Tile("disabled", 2), 2, -1, {}, false, "disabled"},
        {"not held, no tiles", "", 2, -1, {}, false, ""},
        {"level 0 charging", both, 2, 1, {300}, false, "disabled back0 tri tri tri front0"},
        {"level 0 charged", both, 2, 0, {1200}, false, "disabled back0 front0 normal0"},
        {"level 0 charged, pointer over", both, 2, 0, {1200}, true, "disabled back0 front0 active0"},
        {"level 1 charging", both, 2, 1, {1200, 1500}, false, "back1 tri tri tri front1 normal0"},
        {"level 1 charged", both, 2, 1, {1200, 2400}, false, "back1 front1 normal1"},
        {"level 1 without its record", both, 1, 1, {1200, 1500}, false, ""},
        {"level 0 without records", both, 0, 1, {300}, false, "disabled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Set()->Load("");
        if (c.max_level >= 0) Charge(unsigned(c.max_level), c.times);
        core::ptr<gui::PowerupButton> button = Make(c.looks, c.level_records);
        button->Update();
        if (c.pointer_over) button->OnEvent(Event(Event::MOUSE_ENTER, Vector2(110, 55)));
        renderer.ClearRecord();
        button->Render();
        EXPECT_EQ(c.drawn, DrawList());
    }
}

TEST_F(PowerupButtonTest, TheWipeMarksOneSectorPerStartedTwelfthClockwiseFromTwelve) {
    const float reach = 1.5f * 20;
    const struct {
        std::vector<unsigned int> ms;
        size_t sectors;
        float turn;  // where the last sector ends, in turns clockwise from twelve
    } cases[] = {
        {{}, 1, 0.0f},
        {{100}, 1, 1 / 12.0f},
        {{300}, 3, 0.25f},
        // Six steps summed in single precision fall just short of the half turn: a seventh, thin sector.
        {{600}, 7, 0.5f},
        {{1199}, 12, 1199 / 1200.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sectors);
        Charge(1, c.ms);
        core::ptr<gui::PowerupButton> button = Make("");
        button->Update();
        renderer.ClearRecord();
        button->Render();
        std::vector<RecordingRender::Draw> tris;
        for (const auto& draw : renderer.Draws()) {
            if (draw.kind == RecordingRender::TRI) tris.push_back(draw);
        }
        ASSERT_EQ(c.sectors, tris.size());
        EXPECT_EQ(RecordingRender::BLEND_KEEP, tris[0].blending);
        EXPECT_EQ(RecordingRender::BLEND_ALPHA, renderer.Draws().back().blending);
        EXPECT_EQ(Vector2(120, 60 - reach), tris[0].points[1]);
        for (size_t i = 1; i < tris.size(); ++i) EXPECT_EQ(tris[i - 1].points[2], tris[i].points[1]);
        const Vector2 end = tris.back().points[2] - Vector2(120, 60);
        const float angle = c.turn * 2 * float(M_PI);
        EXPECT_NEAR(reach * std::sin(angle), end.x, 0.01f);
        EXPECT_NEAR(-reach * std::cos(angle), end.y, 0.01f);
        EXPECT_EQ((std::vector<std::string>{"ClearStencil", "EnableStencil", "StencilSetWriteMode",
                                            "StencilSetUseMode", "DisableStencil"}),
                  renderer.Calls());
    }
}

TEST_F(PowerupButtonTest, TheReadyEffectStartsOncePerCompletedCharge) {
    const struct {
        const char* what;
        unsigned int max_level;
        bool found_late;
        std::vector<unsigned int> frames;
        int starts;
    } cases[] = {
        {"charging", 1, false, {100, 600, 1100}, 0},
        {"full at the last level, many frames", 0, false, {600, 1200, 1300, 5000}, 1},
        {"level rises, fill restarts", 1, false, {600, 1200, 1300}, 1},
        {"both charges", 1, false, {1200, 1300, 2400, 2500}, 2},
        {"found already charged", 0, true, {1200, 1300}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProbeEffect::Journal().clear();
        Set()->Load("");
        clock.Start();
        // Made before the set holds the power-up: it is found by an update.
        core::ptr<gui::PowerupButton> button = Make("");
        Set()->Load("bomb:" + std::to_string(c.max_level));
        for (const unsigned int t : c.frames) {
            Set()->Update(clock.At(t));
            if (!c.found_late || t == c.frames.back()) button->Update();
        }
        EXPECT_EQ(c.starts, Journal("start ready"));
    }
}

TEST_F(PowerupButtonTest, APressActivatesAReadyPowerupAndOnlyShakesOneThatIsNot) {
    const struct {
        const char* what;
        int max_level;  // -1: not held
        std::vector<unsigned int> times;
        int button;
        const char* selected_before;
        bool activated;
        const char* effect;
    } cases[] = {
        {"not ready", 1, {300}, 0, "", false, "start not_ready"},
        {"ready, left", 0, {1200}, 0, "", true, "start mouse"},
        {"ready, right", 0, {1200}, 2, "", true, "start mouse"},
        {"a banked charge", 1, {1200, 1300}, 0, "", true, "start mouse"},
        {"already selected", 0, {1200}, 0, "bomb", true, "start mouse"},
        {"not held", -1, {}, 0, "", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProbeEffect::Journal().clear();
        script.calls.clear();
        Set()->Load("");
        if (c.max_level >= 0) Charge(unsigned(c.max_level), c.times);
        Set()->Select(c.selected_before);
        core::ptr<gui::PowerupButton> button = Make("");
        mouse->position = Vector2(7, 9);
        button->OnEvent(Event(Event::MOUSE_DOWN, c.button, Vector2(110, 55)));
        EXPECT_EQ(c.activated, std::count(script.calls.begin(), script.calls.end(), "Eval activated") == 1);
        EXPECT_EQ(c.activated ? "bomb" : c.selected_before, Set()->GetSelectedName());
        EXPECT_EQ(std::string(c.effect), ProbeEffect::Journal().empty() ? "" : ProbeEffect::Journal()[0]);
        if (c.activated) {
            EXPECT_EQ(Vector2(7, 9),
                      effects::EffectManager::instance()->GetMouseEffect().GetEffect()->GetPos());
        }
    }
}

}  // namespace
