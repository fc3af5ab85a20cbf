#include "vantle/gui/widgets/drawable_window.h"

#include "vantle/render/render.h"
#include "vantle/xml/attributes.h"

namespace gui {

DrawableWindow::DrawableWindow(TiXmlElement* element) : Window(element), render(render::Render::instance()) {
    LoadColor(element);
}

DrawableWindow::DrawableWindow(const std::string& id, const math::Rect& rect)
    : Window(id, rect), render(render::Render::instance()) {}

void DrawableWindow::LoadColor(TiXmlElement* element) {
    if (xml::Has(element, "color")) {
        color = render::ReadColor(element, "color", color);
        return;
    }
    color.r = xml::ReadFloat(element, "color_r", color.r);
    color.g = xml::ReadFloat(element, "color_g", color.g);
    color.b = xml::ReadFloat(element, "color_b", color.b);
    color.a = xml::ReadFloat(element, "color_a", color.a);
}

render::IRender& DrawableWindow::Renderer() const {
    return render->GetRenderer();
}

}  // namespace gui
