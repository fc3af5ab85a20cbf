#include <gtest/gtest.h>

#include "vantle/gui/event.h"

namespace {

using gui::Event;

TEST(GuiEvent, TypeNumbersAreFixed) {
    const Event::Type types[] = {Event::MOUSE_ENTER, Event::MOUSE_LEAVE, Event::MOUSE_MOVE, Event::MOUSE_DOWN,
                                 Event::MOUSE_UP,    Event::KEY_DOWN,    Event::KEY_UP,     Event::CHAR};
    for (int number = 0; number < 8; ++number) EXPECT_EQ(types[number], number);
}

TEST(GuiEvent, EventsWithoutAButtonOrKeyCarryMinusOneAndOnePositionServesAsBoth) {
    EXPECT_EQ(Event(Event::MOUSE_ENTER).param, -1);
    EXPECT_EQ(Event(Event::MOUSE_MOVE, math::Vector2(3, 4)).param, -1);
    const Event press(Event::MOUSE_DOWN, 2, math::Vector2(3, 4));
    EXPECT_EQ(press.param, 2);
    EXPECT_EQ(press.abs_pos, press.pos);
    const Event moved(Event::MOUSE_MOVE, math::Vector2(3, 4), math::Vector2(103, 204));
    EXPECT_EQ(moved.abs_pos, math::Vector2(103, 204));
    EXPECT_EQ(Event(Event::KEY_UP, 13).param, 13);
    EXPECT_EQ(Event(Event::CHAR, 'q').ch, 'q');
}

}  // namespace
