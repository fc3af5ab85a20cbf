#include <gtest/gtest.h>

#include <string>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/widgets/spin_box.h"

namespace {

const char* const kHandler = "<handlers><handler name='on_change'>changed</handler></handlers>";

class SpinBoxWidget : public test::GuiTest {
protected:
    core::ptr<gui::SpinBox> Make(const std::string& attributes, const core::Value& value,
                                 const std::string& style = "") {
        core::Context::instance()->Set("spin", value);
        return core::ptr<gui::SpinBox>(new gui::SpinBox(
            Parse("<spinbox value_key='spin' " + attributes + style + ">" + kHandler + "</spinbox>")));
    }

    core::Context* context = core::Context::instance();
};

TEST_F(SpinBoxWidget, AClickInASquareStepsWithinTheBoundsAndAlwaysWritesAndReports) {
    const char* const kBox = "x='0' y='0' w='60' h='20' ";
    const struct {
        std::string attributes;
        core::Value value;
        float x;
        const char* written;  // the key, "$" and on_change's $value; "" when nothing is written
    } cases[] = {
        {kBox + std::string("step='2' max='6'"), core::Value(5), 50, "5"},
        {kBox + std::string("step='2' min='4'"), core::Value(5), 10, "5"},
        {kBox + std::string("step='2' min='3'"), core::Value(5), 10, "3"},
        {kBox + std::string("step='2'"), core::Value(5), 30, ""},
        // Each square checks its own bound, whatever the sign of the step.
        {kBox + std::string("step='-2' min='4' max='10'"), core::Value(5), 50, "3"},
        {kBox + std::string("step='-2' min='4' max='6'"), core::Value(5), 10, "7"},
        {kBox + std::string("max='10'"), core::Value("7"), 60, "8"},
        {kBox, core::Value(), 40, "1"},
        {kBox, core::Value(100), 50, "100"},
        {kBox, core::Value(0), 0, "0"},
        {"x='0' y='0' w='30' h='20'", core::Value(5), 15, "6"},
        {kBox + std::string("max='2147483647'"), core::Value(2147483647), 50, "2147483647"},
        {kBox + std::string("min='-2147483648' step='2147483647'"), core::Value(-2), 10, "-2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes + " at " + std::to_string(c.x));
        core::ptr<gui::SpinBox> box = Make(c.attributes, c.value);
        context->Set("$", core::Value("untouched"));
        script.calls.clear();
        box->OnClick(math::Vector2(c.x, 10));
        const std::string written = c.written;
        EXPECT_EQ(written.empty() ? c.value.as_string() : written, context->Get("spin").as_string());
        EXPECT_EQ(written.empty() ? "untouched" : written, context->Get("$").as_string());
        const std::vector<std::string> calls =
            written.empty() ? std::vector<std::string>()
                            : std::vector<std::string>{"Set $value " + written, "Eval changed"};
        EXPECT_EQ(calls, script.calls);
    }
}

TEST_F(SpinBoxWidget, TheValueStandsCentredAtTheTopInTheStyleFontAndNeedsIt) {
    const std::string look = " style='" + Style("", core::ptr<test::FakeFont>(new test::FakeFont())) + "'";
    const struct {
        std::string style;
        core::Value value;
        const char* frame;
    } cases[] = {
        {look, core::Value(7), "rect@100,50 rect@100,50 rect@140,50 text@125,50"},
        {look, core::Value(), "rect@100,50 rect@100,50 rect@140,50"},
        {"", core::Value(7), "rect@100,50 rect@100,50 rect@140,50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        core::ptr<gui::SpinBox> box = Make("x='100' y='50' w='60' h='20'", c.value, c.style);
        std::string frame;
        for (const auto& draw : DrawnBy(*box)) {
            const math::Vector2 at = draw.world * draw.rect.TopLeft();
            frame += std::string(frame.empty() ? "" : " ") +
                     (draw.kind == test::RecordingRender::VERTICES ? "text@" : "rect@") +
                     std::to_string(int(at.x)) + "," + std::to_string(int(at.y));
        }
        EXPECT_EQ(c.frame, frame);
    }
    EXPECT_TRUE(log.Contains("no font"));
}

}  // namespace
