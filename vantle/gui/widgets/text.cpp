#include "vantle/gui/widgets/text.h"

#include <tinyxml.h>

#include "vantle/core/properties.h"
#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/i18n/mtable.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

Text::Text(TiXmlElement* element) : DrawableWindow(element), core::Context::Link(element) {
    LoadData(element);
}

Text::Text(const std::string& id, const math::Rect& rect, const std::string& text,
           const core::ptr<render::IFont>& font, float size, render::Render::TextAlign align)
    : DrawableWindow(id, rect), layout_rect(rect), font(font), align(align), size(size) {
    RegisterProperty();
    SetValue(core::Value(text));
}

Window* CreateText(TiXmlElement* element) {
    return new Text(element);
}

void Text::Register() {
    WindowFactory::instance()->Register("text", &CreateText);
}

void Text::RegisterProperty() {
    properties.Add("text", new core::Property<Text>(this, &Text::GetText, &Text::SetText));
}

void Text::LoadData(TiXmlElement* element) {
    RegisterProperty();
    layout_rect = rect;
    size = xml::ReadFloat(element, "size", size);
    const char* key = xml::FindText(element, "text");
    if (!key && element) key = element->GetText();
    if (key) SetValue(core::Value(i18n::MessageTable::instance()->GetMsg(key)));
    align = ReadAlign(element);
    if (const char* name = xml::FindText(element, "font")) font = render::FontCache::instance()->Get(name);
}

void Text::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    const std::string text = GetValue().as_string();
    if (text != rendered_string) Prepare(text);
    if (!rendered_text) return;
    render::IRender& renderer = Renderer();
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    renderer.DrawVertexBuffer(rendered_text->vertices, rendered_text->texture.get());
}

void Text::Prepare(const std::string& text) {
    rendered_string = text;
    rendered_text = core::ptr<render::IFont::RenderedText>();
    if (text.empty() || !font) return;
    rendered_text = font->RenderText(text, FontSize(size), color);
    if (rendered_text) PlaceCaption(rendered_text->size);
}

void Text::PlaceCaption(const math::Vector2& caption) {
    rect = layout_rect;
    rect.Resize(caption);
    if (align == render::Render::RIGHT) rect.MoveTo(rect.left - caption.x, rect.top);
    if (align == render::Render::CENTER) rect.Move(-rect.Width() * 0.5f, 0.0f);
}

}  // namespace gui
