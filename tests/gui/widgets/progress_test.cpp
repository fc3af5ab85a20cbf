#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/widgets/progress.h"

namespace {

const char kTiles[] = "<back color='ff0000'/><front color='00ff00'/><shadow color='0000ff'/>";

class ProgressTest : public test::GuiTest {
protected:
    core::ptr<gui::Progress> Make(const std::string& attributes, const std::string& tiles = kTiles) {
        return core::ptr<gui::Progress>(new gui::Progress(
            Parse("<progress value_key='fill' " + attributes + ">" + tiles + "</progress>")));
    }

    static void SetFill(float value) { core::Context::instance()->Set("fill", core::Value(value)); }

    // The tiles by colour; the front with its rectangle and texture rectangle.
    std::string Frame(gui::Progress& bar) {
        std::ostringstream out;
        for (const auto& d : DrawnBy(bar)) {
            out << (d.color.r == 1 ? "back " : d.color.b == 1 ? "shadow " : "front ");
            if (d.color.g == 1)
                out << d.rect.right << "," << d.rect.top << " " << d.texture_rect.right << ","
                    << d.texture_rect.top << " ";
        }
        return out.str();
    }
};

TEST_F(ProgressTest, TheFrontFillsFromTheLeftOrFromTheBottomAndHidesAtZeroOrLess) {
    const struct {
        const char* what;
        const char* attributes;
        std::string tiles;
        float loaded, value;
        const char* drawn;
    } cases[] = {
        {"horizontal", "w='200' h='20'", kTiles, 1, 0.25f, "back front 50,0 0.25,0 shadow "},
        {"vertical", "w='20' h='200'", kTiles, 1, 0.25f, "back front 20,150 1,0.75 shadow "},
        {"square", "w='200' h='200'", kTiles, 1, 0.5f, "back front 100,0 0.5,0 shadow "},
        {"above 1", "w='200' h='20'", kTiles, 1, 1.5f, "back front 200,0 1,0 shadow "},
        {"negative", "w='200' h='20'", kTiles, 1, -0.5f, "back "},
        {"zero while gliding down", "w='200' h='20' animation_time='500'", kTiles, 1, 0, "back "},
        {"gliding, too small a first value", "w='200' h='20' animation_time='500'", kTiles, 0.005f, 0.005f,
         "back front 0,0 0,0 shadow "},
        {"no back", "w='200' h='20'", "<front color='00ff00'/>", 1, 1, "front 200,0 1,0 "},
        {"no front", "w='200' h='20'", "<back color='ff0000'/>", 1, 1, "back "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetFill(c.loaded);
        core::ptr<gui::Progress> bar = Make(c.attributes, c.tiles);
        SetFill(c.value);
        bar->Update();
        EXPECT_EQ(c.drawn, Frame(*bar));
    }
}

TEST_F(ProgressTest, AnAnimatedBarGlidesToTheNewValueAndStopsThere) {
    const struct {
        const char* what;
        const char* attributes;
        // A frame at t, then the value written (below 0: none); what the bar shows then, and whether it
        // glides.
        std::vector<std::tuple<unsigned int, float, float, bool>> frames;
    } cases[] = {
        {"time 2 jumps", "animation_time='2'", {{10, 0.5f, 0.5f, false}}},
        {"halfway",
         "animation_time='500'",
         {{10, 0.5f, 0, true}, {260, -1, 0.25f, true}, {505, -1, 0.5f, false}}},
        {"small changes ignored",
         "animation_time='500'",
         {{10, 0.5f, 0, true}, {20, 0.505f, 0.01f, true}, {260, 0.495f, 0.25f, true}}},
        {"a larger change restarts",
         "animation_time='500'",
         {{10, 0.5f, 0, true}, {260, 0.75f, 0.25f, true}, {510, -1, 0.5f, true}, {760, -1, 0.75f, false}}},
        {"a step across the target ends",
         "animation_time='500'",
         {{10, 1, 0, true}, {110, -1, 0.2f, true}, {610, -1, 1, false}, {700, -1, 1, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clock.Start();
        SetFill(0);
        core::ptr<gui::Progress> bar = Make(std::string("w='100' h='10' ") + c.attributes);
        for (const auto& [t, value, shown, animating] : c.frames) {
            SCOPED_TRACE(t);
            clock.At(t);
            bar->Update();
            if (value >= 0) SetFill(value);
            EXPECT_NEAR(shown, bar->GetShownValue(), 1e-4f);
            EXPECT_EQ(animating, bar->IsAnimating());
            EXPECT_NEAR(shown * 100, bar->GetBarRect().right, 1e-2f);
        }
    }
}

}  // namespace
