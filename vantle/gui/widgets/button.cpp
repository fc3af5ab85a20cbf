#include "vantle/gui/widgets/button.h"

#include "vantle/gui/window_factory.h"

namespace gui {

Button::Button(TiXmlElement* element) : ClickableWindow(element) {
    LoadData(element);
}

Button::Button(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& normal,
               const core::ptr<render::ITexture>& active, const core::ptr<render::ITexture>& pressed)
    : ClickableWindow(id, rect) {
    look.SetTextures(normal, active, pressed);
}

Window* CreateButton(TiXmlElement* element) {
    return new Button(element);
}

void Button::Register() {
    WindowFactory::instance()->Register("button", &CreateButton);
}

void Button::LoadData(TiXmlElement* element) {
    look.Load(element, style.get(), rect);
}

void Button::OnChangeState() {
    look.StartFade(click_state);
}

void Button::Render() {
    RenderScope scope(*this);
    if (scope) look.Draw(Renderer(), rect, click_state, enabled);
}

}  // namespace gui
