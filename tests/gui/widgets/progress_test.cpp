#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/widgets/progress.h"

namespace {

using math::Rect;

const char kTiles[] = "<back color='ff0000'/><front color='00ff00'/><shadow color='0000ff'/>";

class ProgressTest : public test::GuiTest {
protected:
    core::ptr<gui::Progress> Make(const std::string& attributes, const std::string& tiles = kTiles) {
        return core::ptr<gui::Progress>(new gui::Progress(
            Parse("<progress value_key='fill' " + attributes + ">" + tiles + "</progress>")));
    }

    static void SetFill(float value) { core::Context::instance()->Set("fill", core::Value(value)); }

    // The draws as "back", "front" or "shadow", with the front's rectangle and texture rectangle.
    std::string Frame(gui::Progress& bar) {
        renderer.ClearRecord();
        bar.Render();
        std::string drawn;
        for (const auto& draw : renderer.Draws()) {
            if (draw.color.r == 1) drawn += "back ";
            if (draw.color.b == 1) drawn += "shadow ";
            if (draw.color.g != 1) continue;
            drawn += "front " + Text(draw.rect) + " " + Text(draw.texture_rect) + " ";
        }
        return drawn;
    }

    static std::string Text(const Rect& r) {
        char text[64];
        std::snprintf(text, sizeof text, "(%g,%g,%g,%g)", r.left, r.top, r.right, r.bottom);
        return text;
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
        {"horizontal", "w='200' h='20'", kTiles, 1, 0.25f, "back front (0,0,50,20) (0,0,0.25,1) shadow "},
        {"vertical", "w='20' h='200'", kTiles, 1, 0.25f, "back front (0,150,20,200) (0,0.75,1,1) shadow "},
        {"square", "w='200' h='200'", kTiles, 1, 0.5f, "back front (0,0,100,200) (0,0,0.5,1) shadow "},
        {"above 1", "w='200' h='20'", kTiles, 1, 1.5f, "back front (0,0,200,20) (0,0,1,1) shadow "},
        {"negative", "w='200' h='20'", kTiles, 1, -0.5f, "back "},
        {"zero while gliding down", "w='200' h='20' animation_time='500'", kTiles, 1, 0, "back "},
        {"gliding, a first value too small to start", "w='200' h='20' animation_time='500'", kTiles, 0.005f,
         0.005f, "back front (0,0,0,20) (0,0,0,1) shadow "},
        {"no back", "w='200' h='20'", "<front color='00ff00'/>", 1, 1, "front (0,0,200,20) (0,0,1,1) "},
        {"no front", "w='200' h='20'", "<back color='ff0000'/>", 1, 1, "back "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clock.Start();
        SetFill(c.loaded);
        core::ptr<gui::Progress> bar = Make(c.attributes, c.tiles);
        SetFill(c.value);
        bar->Update();
        EXPECT_EQ(c.drawn, Frame(*bar));
    }
}

struct Step {
    unsigned int t;
    float value;  // written to the key after the frame's update, or below 0 for none
    float shown;
    bool animating;
};

TEST_F(ProgressTest, AnAnimatedBarGlidesToTheNewValueAndStopsThere) {
    const struct {
        const char* what;
        const char* attributes;
        std::vector<Step> steps;
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
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.t);
            clock.At(step.t);
            bar->Update();
            if (step.value >= 0) SetFill(step.value);
            EXPECT_NEAR(step.shown, bar->GetShownValue(), 1e-4f);
            EXPECT_EQ(step.animating, bar->IsAnimating());
            EXPECT_NEAR(step.shown * 100, bar->GetBarRect().right, 1e-2f);
        }
    }
}

}  // namespace
