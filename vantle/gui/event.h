#pragma once

#include <cstdint>

#include "vantle/math/vec2.h"

namespace gui {

// One input occurrence on its way to a window: made on the stack, handed to OnEvent by reference and
// dropped when that returns. Fields that a constructor does not set are zero, and no receiver reads them
// for the kinds that leave them unset.
struct Event {
    // The numbers are part of the contract: receivers and scripts compare them.
    enum Type : std::int32_t {
        MOUSE_ENTER = 0,
        MOUSE_LEAVE = 1,
        MOUSE_MOVE = 2,
        MOUSE_DOWN = 3,
        MOUSE_UP = 4,
        KEY_DOWN = 5,
        KEY_UP = 6,
        CHAR = 7,
    };

    // Hover events.
    explicit Event(const Type& type) : type(type) {}
    // With one position, the absolute position is the same point.
    Event(const Type& type, const math::Vector2& pos) : Event(type, pos, pos) {}
    Event(const Type& type, const math::Vector2& pos, const math::Vector2& abs_pos)
        : type(type), pos(pos), abs_pos(abs_pos) {}
    // Button events: param is the button, 0 left, 1 middle, 2 right.
    Event(const Type& type, int param, const math::Vector2& pos) : Event(type, param, pos, pos) {}
    Event(const Type& type, int param, const math::Vector2& pos, const math::Vector2& abs_pos)
        : type(type), pos(pos), abs_pos(abs_pos), param(param) {}
    // A typed character, printable ASCII.
    Event(const Type& type, char ch) : type(type), param(0), ch(ch) {}
    // Key events: param is the key code, 0 to 255.
    Event(const Type& type, int param) : type(type), param(param) {}

    Type type;
    // In the frame of the receiving window.
    math::Vector2 pos;
    // In screen units.
    math::Vector2 abs_pos;
    // The button or key code; -1 when the event carries neither.
    std::int32_t param = -1;
    char ch = 0;
};

}  // namespace gui
