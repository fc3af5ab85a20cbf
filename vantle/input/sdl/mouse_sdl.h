#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "vantle/input/mouse.h"

union SDL_Event;

namespace input {

// The mouse as SDL reports it. The state is sampled at every Update; the button changes are also kept
// from SDL's events, so that a press and release between two updates (a touchpad tap) is not lost.
class MouseSDL : public IMouse {
public:
    // Changes kept between two takes; past it the oldest go, and the sampled state still tells where the
    // buttons are.
    static constexpr std::size_t kMaxChanges = 64;

    // Samples the state together with the button changes up to it: those the main loop kept since the last
    // update and those still in SDL's queue. Changes and state agree, so a change the state shows is never
    // offered only later.
    void Update() override;
    int GetPositionX() override { return _x; }
    int GetPositionY() override { return _y; }
    math::Vector2 GetPosition() override;
    // Indices 0 to 7 of SDL's button mask (3 and 4 are the wheel); any other index reads as released.
    int GetButtonState(int button) override;
    // The cursor is not moved.
    void SetPosition(int, int) override {}
    // The changes up to the last Update.
    std::vector<ButtonChange> TakeButtonChanges() override;
    // As SDL's mouse focus stood at the last Update.
    bool IsInside() override { return _inside; }

    // Keeps a button event the main loop took from SDL's queue, for the next Update; events of other kinds
    // are ignored.
    void Keep(const SDL_Event& event);

private:
    static void Append(std::deque<ButtonChange>& changes, const SDL_Event& event);

    unsigned char _buttons = 0;
    int _x = 0;
    int _y = 0;
    bool _inside = true;
    std::deque<ButtonChange> _arrived;
    std::deque<ButtonChange> _changes;
};

}  // namespace input
