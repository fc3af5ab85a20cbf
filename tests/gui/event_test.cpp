#include <gtest/gtest.h>

#include "vantle/gui/event.h"

namespace {

using gui::Event;

// Button 0 is the left one, so "no button" must differ from it; containers read abs_pos from events made
// with one position.
TEST(GuiEvent, EventsWithoutAButtonOrKeyCarryMinusOneAndOnePositionServesAsBoth) {
    EXPECT_EQ(Event(Event::MOUSE_ENTER).param, -1);
    EXPECT_EQ(Event(Event::MOUSE_MOVE, math::Vector2(3, 4)).param, -1);
    const Event press(Event::MOUSE_DOWN, 2, math::Vector2(3, 4));
    EXPECT_EQ(press.abs_pos, press.pos);
}

}  // namespace
