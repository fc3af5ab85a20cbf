#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/gui/widgets/progress_button.h"

namespace {

const char* const kLook =
    "x='100' y='300' w='200' h='50' default='a.png' active='b.png' pressed='c.png' "
    "shadow='a.png' switch1='100' switch2='200' text='caption'";
const char* const kUpdate =
    "<handlers><handler name='on_update'>updated</handler></handlers><states><state name='away' x='0' y='0' "
    "w='10' h='10'/></states>";

class ProgressButtonWidget : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePictures({"a.png", "b.png", "c.png"});
        _look = Style("<text_adjust_active x='2' y='-1'/>", core::ptr<render::IFont>(new test::FakeFont()));
    }

    template <class Kind>
    core::ptr<gui::Window> Make() {
        return core::ptr<gui::Window>(
            new Kind(Parse("<b style='" + _look + "' " + kLook + ">" + kUpdate + "</b>")));
    }

    // Every draw of one frame with what it drew where, and how.
    std::string Frame(gui::Window& window) {
        std::ostringstream out;
        for (const auto& d : DrawnBy(window)) {
            const math::Vector2 at = d.world * d.rect.TopLeft();
            out << d.kind << " " << d.texture << " " << at.x << "," << at.y << " " << d.rect.Width() << " "
                << d.color.a << " " << d.count << "; ";
        }
        return out.str();
    }

    std::string _look;
};

TEST_F(ProgressButtonWidget, LooksAndFadesLikeAButtonFrameForFrame) {
    core::ptr<gui::Window> button = Make<gui::Button>(), progress = Make<gui::ProgressButton>();
    clock.Start();
    const struct {
        unsigned int at;
        const char* event;
    } steps[] = {{0, ""},     {10, "enter"},  {60, ""},  {120, "down"},
                 {130, "up"}, {150, "leave"}, {200, ""}, {400, ""}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.at);
        if (step.at != 0) clock.At(step.at);  // Start stands at 0; the clock only moves forward
        for (gui::Window* window : {button.get(), progress.get()}) Send(*window, step.event, {150, 320});
        const std::string frame = Frame(*button);
        EXPECT_FALSE(frame.empty());
        EXPECT_EQ(frame, Frame(*progress));
    }
}

TEST_F(ProgressButtonWidget, ItsUpdateRunsNoHandlerAndNoTimedStateChange) {
    core::ptr<gui::Window> progress = Make<gui::ProgressButton>(), button = Make<gui::Button>();
    clock.Start();
    progress->SetState("away", 100);
    button->SetState("away", 100);
    clock.At(200);
    script.calls.clear();
    progress->Update();
    EXPECT_TRUE(script.calls.empty());
    EXPECT_EQ(math::Rect(100, 300, 300, 350), progress->GetRect());
    button->Update();
    EXPECT_EQ(std::vector<std::string>{"Eval updated"}, script.calls);
    EXPECT_EQ(math::Rect(0, 0, 10, 10), button->GetRect());
}

}  // namespace
