#include "vantle/gui/widgets/progress_button.h"

#include "vantle/gui/window_factory.h"

namespace gui {

ProgressButton::ProgressButton(TiXmlElement* element) : ClickableWindow(element) {
    LoadData(element);
}

ProgressButton::ProgressButton(const std::string& id, const math::Rect& rect,
                               const core::ptr<render::ITexture>& normal,
                               const core::ptr<render::ITexture>& active,
                               const core::ptr<render::ITexture>& pressed)
    : ClickableWindow(id, rect) {
    look.SetTextures(normal, active, pressed);
}

Window* CreateProgressButton(TiXmlElement* element) {
    return new ProgressButton(element);
}

void ProgressButton::Register() {
    WindowFactory::instance()->Register("progress_button", &CreateProgressButton);
}

void ProgressButton::LoadData(TiXmlElement* element) {
    look.Load(element, style.get(), rect);
}

void ProgressButton::OnChangeState() {
    look.StartFade(click_state);
}

void ProgressButton::Render() {
    RenderScope scope(*this);
    if (scope) look.Draw(Renderer(), rect, click_state, enabled);
}

}  // namespace gui
