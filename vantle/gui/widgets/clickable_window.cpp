#include "vantle/gui/widgets/clickable_window.h"

#include "vantle/gui/event.h"
#include "vantle/gui/window_factory.h"

namespace gui {

namespace {

constexpr int kLeftButton = 0;

}  // namespace

ClickableWindow::ClickableWindow(TiXmlElement* element) : DrawableWindow(element) {
    enabled = true;
}

ClickableWindow::ClickableWindow(const std::string& id, const math::Rect& rect) : DrawableWindow(id, rect) {
    enabled = true;
}

Window* CreateClickable(TiXmlElement* element) {
    return new ClickableWindow(element);
}

void ClickableWindow::Register() {
    WindowFactory::instance()->Register("clickable", &CreateClickable);
}

void ClickableWindow::OnClick(const math::Vector2&) {}
void ClickableWindow::OnMouseDown(const math::Vector2&) {}
void ClickableWindow::OnMouseUp(const math::Vector2&) {}
void ClickableWindow::OnChangeState() {}

void ClickableWindow::ChangeState(int state) {
    OnChangeState();
    click_state = state;
}

void ClickableWindow::OnEvent(const Event& event) {
    const math::Vector2 local(event.pos.x - rect.left, event.pos.y - rect.top);
    switch (event.type) {
        case Event::MOUSE_ENTER:
            // A pressed window stays pressed.
            if (click_state != STATE_PRESSED) ChangeState(STATE_ACTIVE);
            return;
        case Event::MOUSE_LEAVE:
            ChangeState(STATE_DEFAULT);
            return;
        case Event::MOUSE_DOWN:
            if (event.param == kLeftButton) ChangeState(STATE_PRESSED);
            OnMouseDown(local);
            return;
        case Event::MOUSE_UP:
            if (event.param == kLeftButton) OnLeftRelease(local);
            return;
        default:
            return;
    }
}

void ClickableWindow::OnLeftRelease(const math::Vector2& pos) {
    OnMouseUp(pos);
    if (click_state != STATE_PRESSED) return;
    ChangeState(STATE_ACTIVE);
    OnClick(pos);
    CallHandler("on_click");
}

}  // namespace gui
