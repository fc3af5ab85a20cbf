#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/widgets/number.h"

namespace {

using render::Render;

class NumberTest : public test::GuiTest {};

constexpr int kNoChange = -1;

struct Frame {
    unsigned int t;
    int value;  // written to the key before the frame, or kNoChange
    unsigned int shown;
};

TEST_F(NumberTest, TheFigureRollsLinearlyToEachNewValueAndNeverPastIt) {
    const struct {
        const char* what;
        const char* attributes;
        std::vector<Frame> frames;
    } cases[] = {
        {"value 500 from 0",
         "value='500'",
         {{0, kNoChange, 0}, {500, kNoChange, 250}, {1000, kNoChange, 500}, {1500, kNoChange, 500}}},
        {"up",
         "roto_time='100'",
         {{0, 100, 0},
          {100, kNoChange, 100},
          {110, 200, 100},
          {160, kNoChange, 150},
          {209, kNoChange, 199},
          {210, kNoChange, 200},
          {400, kNoChange, 200}}},
        {"down",
         "roto_time='100'",
         {{0, 200, 0},
          {100, kNoChange, 200},
          {110, 100, 200},
          {160, kNoChange, 150},
          {209, kNoChange, 101},
          {210, kNoChange, 100},
          {400, kNoChange, 100}}},
        {"restart mid-run",
         "",
         {{0, 100, 0}, {500, kNoChange, 50}, {501, 300, 50}, {1001, kNoChange, 175}, {1501, kNoChange, 300}}},
        {"roto time 0", "value='500' roto_time='0'", {{0, kNoChange, 500}, {10, 7, 7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clock.Start();
        core::Context::instance()->Set("score", core::Value(0u));
        gui::Number number(Parse(std::string("<number value_key='score' ") + c.attributes + "/>"));
        for (const Frame& frame : c.frames) {
            SCOPED_TRACE(frame.t);
            // Start() stands the clock at 0 already.
            if (frame.t > 0) clock.At(frame.t);
            if (frame.value != kNoChange)
                core::Context::instance()->Set("score", core::Value(unsigned(frame.value)));
            number.Render();
            EXPECT_EQ(frame.shown, number.GetShownValue());
        }
    }
}

TEST_F(NumberTest, TheFigureIsLaidOutOnlyWhileItRollsAndKeepsItsAnchor) {
    const struct {
        Render::TextAlign align;
        float anchor_factor;  // where the anchor falls across the figure
    } cases[] = {{Render::LEFT, 0.0f}, {Render::RIGHT, 1.0f}, {Render::CENTER, 0.5f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        clock.Start();
        core::ptr<test::FakeFont> font(new test::FakeFont());
        gui::Number number("n", math::Rect(400, 100, 400, 100), 0, font, 12, c.align);
        std::vector<std::string> laid_out;
        for (const unsigned int t : {0u, 10u, 20u, 520u, 1020u, 1030u, 1040u}) {
            if (t > 0) clock.At(t);
            if (t == 20) number.SetValue(core::Value(500u));
            number.Render();
            const math::Rect& rect = number.GetRect();
            EXPECT_FLOAT_EQ(400, rect.left + c.anchor_factor * rect.Width()) << t;
        }
        for (const auto& layout : font->layouts) {
            laid_out.push_back(layout.text);
            EXPECT_EQ(12u, layout.size);
        }
        EXPECT_EQ((std::vector<std::string>{"0", "0", "250", "500"}), laid_out);
        EXPECT_EQ(30, number.GetRect().Width());
    }
}

}  // namespace
