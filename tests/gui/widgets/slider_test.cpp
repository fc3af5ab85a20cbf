#include <gtest/gtest.h>

#include <string>

#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/event.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/widgets/register_widgets.h"
#include "vantle/gui/widgets/slider.h"

namespace {

using gui::Event;
using math::Vector2;

// 220 wide at x 30, with a 20-wide knob.
const char kSlider[] =
    "<slider id='s' x='30' y='10' w='220' h='40' value_key='volume'><handlers><handler name='on_change'>"
    "changed</handler></handlers><back h='10'/><front h='10' color='ff0000'/><key w='20' h='30'/></slider>";

class SliderTest : public test::GuiTest {
protected:
    // The front bar's draw, or nothing.
    bool FrontDrawn(gui::Slider& slider) {
        for (const auto& draw : DrawnBy(slider)) {
            if (draw.color == render::Color(1, 0, 0, 1)) return true;
        }
        return false;
    }
};

TEST_F(SliderTest, AGrabbedMoveStoresTheValueUnderThePointerAndDrawsItClamped) {
    const struct {
        float x;  // in the slider's own frame
        float value;
        float knob_left;
        bool front;
    } cases[] = {
        {110, 0.5f, 130, true},
        {10, 0, 30, false},
        {-20, -0.15f, 30, false},
        {230, 1.1f, 230, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        core::Context::instance()->Set("volume", core::Value(0.25f));
        gui::Slider slider(Parse(kSlider));
        EXPECT_EQ(30 + 0.25f * 200, slider.GetKnobRect().left);
        script.calls.clear();
        slider.OnEvent(Event(Event::MOUSE_DOWN, 0, Vector2(50, 20)));
        EXPECT_EQ(0.25f, core::Context::instance()->Get("volume").as_float()) << "a press alone";
        slider.OnEvent(Event(Event::MOUSE_MOVE, Vector2(c.x, 5)));
        EXPECT_FLOAT_EQ(c.value, core::Context::instance()->Get("volume").as_float());
        EXPECT_FLOAT_EQ(c.knob_left, slider.GetKnobRect().left);
        EXPECT_EQ(c.front, FrontDrawn(slider));
        EXPECT_EQ(2u, script.calls.size());
    }
}

TEST_F(SliderTest, OnlyAPressStartsADragAndTheReleaseEndsTheGrab) {
    const struct {
        const char* events;
        const char* value;
        bool grabs;
    } cases[] = {
        {"move", "0.25", false},
        {"rdown rup move", "0.25", false},
        {"rdown leave move", "0.25", true},
        {"rdown leave rup", "0.25", false},
        {"rdown move", "0.5", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        core::Context::instance()->Set("volume", core::Value(0.25f));
        gui::Slider slider(Parse(kSlider));
        Send(slider, c.events, Vector2(110, 0));
        EXPECT_EQ(c.value, core::Context::instance()->Get("volume").as_string());
        EXPECT_EQ(c.grabs, slider.GrabsOnPress());
    }
}

TEST_F(SliderTest, ThroughTheRootWindowMovesArriveRelativeToTheGrabbedSlider) {
    gui::RegisterWidgets();
    dir.Write("s.xml", std::string("<gui><container x='100' y='50' w='400' h='100'>") + kSlider +
                           "</container></gui>");
    gui::RootWindow* root = gui::RootWindow::instance();
    root->Load("s.xml", true);
    const struct {
        Vector2 pointer;
        bool held;
        const char* value;
    } frames[] = {
        {{150, 70}, true, "0"},  // a press does not move the value
        {{240, 300}, true, "0.5"},
        {{390, 300}, false, "1.25"},
        {{240, 70}, false, "1.25"},
    };
    core::Context::instance()->Set("volume", core::Value(0));
    for (const auto& frame : frames) {
        mouse->position = frame.pointer;
        mouse->buttons[0] = frame.held;
        root->Update();
        EXPECT_EQ(frame.value, core::Context::instance()->Get("volume").as_string()) << frame.pointer.x;
    }
    root->Clear();
}

}  // namespace
