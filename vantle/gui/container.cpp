#include "vantle/gui/container.h"

#include "vantle/gui/event.h"
#include "vantle/gui/root_services.h"
#include "vantle/gui/window_factory.h"
#include "vantle/xml/attributes.h"

namespace gui {

Container::Container(const std::string& id, const math::Rect& rect) : Window(id, rect) {
    visible = true;
    enabled = true;
    clip = true;
}

Container::Container(TiXmlElement* element) : Window(element) {
    enabled = true;
    clip = xml::ReadBool(element, "clip", true);
    _own_tooltip = tooltip;
    LoadChilds(element, false);
}

Window* CreateContainer(TiXmlElement* element) {
    return new Container(element);
}

void Container::Register() {
    WindowFactory::instance()->Register("container", &CreateContainer);
}

void Container::Render() {
    if (visible) Window::Render();
}

void Container::Update() {
    if (enabled) Window::Update();
}

// Every call into a child may run a handler that loads another screen. Each step holds the window it
// calls and stops once a screen was loaded: the windows it would go on with are no longer shown.
void Container::OnEvent(const Event& event) {
    switch (event.type) {
        case Event::MOUSE_ENTER:
            return;
        case Event::MOUSE_LEAVE:
            if (!hovered) return;
            LeaveHovered(Event(Event::MOUSE_LEAVE));
            RootServices::DisableTooltip();
            return;
        case Event::MOUSE_MOVE:
            RouteMove(event);
            return;
        case Event::MOUSE_DOWN:
        case Event::MOUSE_UP:
            RouteButton(event);
            return;
        default:
            break;
    }
    const core::ptr<Window> target = hovered;
    if (target) target->OnEvent(event);
}

void Container::RouteMove(const Event& event) {
    const math::Vector2 local = event.pos - rect.TopLeft();
    const core::ptr<Window> under = childs.Get(local);
    const Event leave(Event::MOUSE_LEAVE, local, event.abs_pos);
    if (!under) {
        // Over this container itself: its own tooltip again, not the last child's.
        tooltip = _own_tooltip;
        if (!hovered) return;
        LeaveHovered(leave);
        RootServices::DisableTooltip();
        return;
    }
    const ReloadWatch reload;
    if (under != hovered) {
        EnterChild(under, Event(Event::MOUSE_ENTER, local, event.abs_pos), leave);
        if (reload.Reloaded()) return;
    }
    under->OnEvent(Event(Event::MOUSE_MOVE, event.param, local, event.abs_pos));
    if (reload.Reloaded()) return;
    ShowTooltipOf(*under, event.abs_pos);
}

void Container::LeaveHovered(const Event& leave) {
    const core::ptr<Window> left = hovered;
    hovered.reset();
    const ReloadWatch reload;
    left->OnEvent(leave);
    if (!reload.Reloaded()) left->CallHandler("on_mouse_leave");
}

void Container::EnterChild(const core::ptr<Window>& child, const Event& enter, const Event& leave) {
    const ReloadWatch reload;
    if (hovered) LeaveHovered(leave);
    if (reload.Reloaded()) return;
    hovered = child;
    child->OnEvent(enter);
    if (!reload.Reloaded()) child->CallHandler("on_mouse_enter");
}

void Container::ShowTooltipOf(const Window& child, const math::Vector2& abs_pos) {
    const core::ptr<Window> tip = child.IsEnabled() ? child.GetTooltip() : child.GetDisabledTooltip();
    if (!tip) {
        RootServices::DisableTooltip();
        tooltip.reset();
        return;
    }
    RootServices::SetTooltip(tip, abs_pos);
    tooltip = tip;
}

// No hit test: the press goes to the child that the last move made hovered.
void Container::RouteButton(const Event& event) {
    const core::ptr<Window> target = hovered;
    if (!target) return;
    const ReloadWatch reload;
    target->OnEvent(Event(event.type, event.param, event.pos - rect.TopLeft()));
    if (event.type != Event::MOUSE_DOWN || reload.Reloaded()) return;
    if (target->GrabsOnPress()) RootServices::SetGrabMouse(target, abs_rect);
}

}  // namespace gui
