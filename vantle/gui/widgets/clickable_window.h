#pragma once

#include <string>

#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/math/vec2.h"

class TiXmlElement;

namespace gui {

// A drawable window that follows the pointer and the left button through its click state, and turns the
// mouse events its container passes on into OnMouseDown, OnMouseUp and OnClick, with positions relative
// to its own top-left corner. A click is a left press and release over the window without leaving it in
// between; after OnClick the layout's handler "on_click" runs. Enabled from the start.
class ClickableWindow : public DrawableWindow {
public:
    enum ClickState { STATE_DEFAULT = 0, STATE_ACTIVE = 1, STATE_PRESSED = 2 };

    explicit ClickableWindow(TiXmlElement* element);
    ClickableWindow(const std::string& id, const math::Rect& rect);

    void OnEvent(const Event& event) override;

    // Hooks for subclasses, empty here. OnMouseDown sees every button; OnMouseUp every left release over
    // the window, pressed there or not.
    virtual void OnClick(const math::Vector2& pos);
    virtual void OnMouseDown(const math::Vector2& pos);
    virtual void OnMouseUp(const math::Vector2& pos);
    // Runs before every change of the click state that an event makes, also one to the same state, so
    // click_state still holds the old state.
    virtual void OnChangeState();

    int GetClickState() const { return click_state; }

    // Registers "clickable", a bare rectangle that only reacts to clicks, with the window factory.
    static void Register();

protected:
    int click_state = STATE_DEFAULT;

private:
    void ChangeState(int state);
    void OnLeftRelease(const math::Vector2& pos);
};

// The factory's creator for "clickable".
Window* CreateClickable(TiXmlElement* element);

}  // namespace gui
