#include "vantle/gui/widgets/link.h"

#include <tinyxml.h>

#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

Link::Link(TiXmlElement* element) : ClickableWindow(element) {
    LoadData(element);
}

Link::Link(const std::string& id, const math::Rect& rect) : ClickableWindow(id, rect) {}

Window* CreateLink(TiXmlElement* element) {
    return new Link(element);
}

void Link::Register() {
    WindowFactory::instance()->Register("link", &CreateLink);
}

void Link::LoadData(TiXmlElement* element) {
    size = xml::ReadFloat(element, "size", size);
    std::string caption = xml::ReadText(element, "text");
    if (!xml::Has(element, "text") && element && element->GetText()) caption = element->GetText();
    align = ReadAlign(element);
    const render::Color colors[kClickStates] = {color, render::ReadColor(element, "color_active", color),
                                                render::ReadColor(element, "color_pressed", color)};
    if (const char* name = xml::FindText(element, "font")) font = render::FontCache::instance()->Get(name);
    const math::Vector2 anchor = rect.TopLeft();
    rect = math::Rect(anchor.x, anchor.y, anchor.x, anchor.y);
    if (!font) return;
    for (int state = 0; state < kClickStates; ++state) {
        captions[state] = font->RenderText(caption, FontSize(size), colors[state]);
    }
    if (!captions[STATE_DEFAULT]) return;
    const math::Vector2 box = captions[STATE_DEFAULT]->size;
    rect.Resize(box);
    if (align == render::Render::RIGHT) rect.Move(-box.x, 0.0f);
    if (align == render::Render::CENTER) rect.Move(-box.x * 0.5f, 0.0f);
}

void Link::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    const core::ptr<render::IFont::RenderedText>& caption = captions[click_state];
    if (!caption) return;
    render::IRender& renderer = Renderer();
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    renderer.DrawVertexBuffer(caption->vertices, caption->texture.get());
}

}  // namespace gui
