#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/window.h"

class TiXmlElement;

namespace gui {

// A window that holds other windows and passes the events it receives on to them: a move to the child
// under the pointer, which becomes the hovered child (with enter and leave events and the handlers
// "on_mouse_enter" and "on_mouse_leave"); presses, releases, keys and characters to the hovered child.
// Positions reach a child in its parent's frame. A container also shows the tooltip of the innermost
// window under the pointer and starts the mouse grab for a pressed child that asks for it, both through
// the root window (RootServices). It clips its children to its rect unless told otherwise; while it is
// disabled its whole subtree stands still but is drawn.
class Container : public Window {
public:
    Container(const std::string& id, const math::Rect& rect);
    // The window element, the attribute "clip" (true when absent) and the child windows.
    explicit Container(TiXmlElement* element);
    ~Container() override = default;

    void Render() override;
    void Update() override;
    void OnEvent(const Event& event) override;

    // Registers "container" with the window factory.
    static void Register();

protected:
    // The child that received the last move; empty while the pointer is over no child. The root window
    // forgets it when it brings back a screen.
    core::ptr<Window> hovered;

private:
    void RouteMove(const Event& event);
    // The hovered child gets the leave event and its handler, and stops being hovered.
    void LeaveHovered(const Event& leave);
    // The new child under the pointer gets enter and its handler, after the old one has left.
    void EnterChild(const core::ptr<Window>& child, const Event& enter, const Event& leave);
    void ShowTooltipOf(const Window& child, const math::Vector2& abs_pos);
    void RouteButton(const Event& event);

    // The tooltip the layout gave this container. The tooltip field itself carries the tip of the
    // innermost window under the pointer up to the parent, and takes this one back over empty space.
    core::ptr<Window> _own_tooltip;
};

// The factory's creator for "container".
Window* CreateContainer(TiXmlElement* element);

}  // namespace gui
