#include <gtest/gtest.h>

#include <vector>

#include "vantle/gui/event.h"

namespace {

using gui::Event;
using math::Vector2;

TEST(GuiEvent, TypeNumbersAreFixed) {
    const std::vector<std::pair<Event::Type, int>> numbers = {
        {Event::MOUSE_ENTER, 0}, {Event::MOUSE_LEAVE, 1}, {Event::MOUSE_MOVE, 2}, {Event::MOUSE_DOWN, 3},
        {Event::MOUSE_UP, 4},    {Event::KEY_DOWN, 5},    {Event::KEY_UP, 6},     {Event::CHAR, 7},
    };
    for (const auto& number : numbers) EXPECT_EQ(static_cast<int>(number.first), number.second);
    EXPECT_EQ(sizeof(Event::Type), 4u);
}

TEST(GuiEvent, EachConstructorFillsWhatItsKindCarries) {
    const Vector2 pos(3, 4);
    const Vector2 abs_pos(103, 204);
    struct Case {
        const char* name;
        Event event;
        Vector2 pos;
        Vector2 abs_pos;
        int param;
        char ch;
    };
    const Case cases[] = {
        {"hover", Event(Event::MOUSE_ENTER), Vector2(), Vector2(), -1, 0},
        {"move with one position", Event(Event::MOUSE_MOVE, pos), pos, pos, -1, 0},
        {"move with both positions", Event(Event::MOUSE_MOVE, pos, abs_pos), pos, abs_pos, -1, 0},
        {"button with one position", Event(Event::MOUSE_DOWN, 2, pos), pos, pos, 2, 0},
        {"button with both positions", Event(Event::MOUSE_UP, 0, pos, abs_pos), pos, abs_pos, 0, 0},
        {"key", Event(Event::KEY_DOWN, 13), Vector2(), Vector2(), 13, 0},
        {"character", Event(Event::CHAR, 'q'), Vector2(), Vector2(), 0, 'q'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.event.pos, c.pos);
        EXPECT_EQ(c.event.abs_pos, c.abs_pos);
        EXPECT_EQ(c.event.param, c.param);
        EXPECT_EQ(c.event.ch, c.ch);
    }
}

}  // namespace
