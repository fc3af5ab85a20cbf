#include "vantle/gui/widgets/checkable_window.h"

namespace gui {

CheckableWindow::CheckableWindow(TiXmlElement* element)
    : ClickableWindow(element), core::Context::Link(element) {
    Load(element);
}

CheckableWindow::CheckableWindow(const std::string& id, const math::Rect& rect) : ClickableWindow(id, rect) {}

void CheckableWindow::Load(TiXmlElement*) {
    checked = GetValue().as_bool() ? 1 : 0;
}

void CheckableWindow::OnCheck() {}
void CheckableWindow::OnUncheck() {}

void CheckableWindow::OnClick(const math::Vector2&) {
    if (!GetValue().as_bool()) {
        checked = 1;
        SetValue(core::Value(true));
        OnCheck();
        CallHandler("on_check");
        return;
    }
    checked = 0;
    SetValue(core::Value(false));
    OnUncheck();
    CallHandler("on_uncheck");
}

}  // namespace gui
