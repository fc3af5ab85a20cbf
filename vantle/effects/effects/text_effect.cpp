#include "vantle/effects/effects/text_effect.h"

#include <tinyxml.h>

#include "vantle/effects/effect_factory.h"
#include "vantle/i18n/mtable.h"
#include "vantle/math/mat4.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace effects {

namespace {

const unsigned int kDefaultSize = 10;

int ParseAlignment(const std::string& text) {
    if (text == "left") return TextEffect::ALIGN_LEFT;
    if (text == "right") return TextEffect::ALIGN_RIGHT;
    return TextEffect::ALIGN_CENTER;
}

// The message key: the "text" attribute, else the element's text content.
std::string ReadKey(TiXmlElement* element) {
    const char* key = xml::FindText(element, "text");
    if (!key) key = element->GetText();
    return key ? key : "";
}

}  // namespace

TextEffect::TextEffect(TiXmlElement* element) : Effect(element) {
    if (!element) return;
    const unsigned int size = xml::ReadUnsigned(element, "size", kDefaultSize);
    std::string key = ReadKey(element);
    std::string message = key.empty() ? key : i18n::MessageTable::instance()->GetMsg(key);
    if (const char* text = xml::FindText(element, "align")) alignment = ParseAlignment(text);
    color = render::ReadColor(element, "color", color);
    if (const char* text = xml::FindText(element, "font")) font = render::FontCache::instance()->Get(text);
    if (!message.empty() && font) renderedText = font->RenderText(message, size, color);
}

TextEffect::~TextEffect() {
    // The laid-out text goes before the font that made it.
    renderedText.reset();
    font.reset();
}

Effect* TextEffect::Clone() const {
    TextEffect* copy = new TextEffect(*this);
    copy->CloneChilds(this);
    return copy;
}

Effect* TextEffect::Clone(const std::string& text) const {
    TextEffect* copy = new TextEffect(*this);
    copy->CloneChilds(this, text);
    if (!text.empty() && font) copy->renderedText = font->RenderText(text, kDefaultSize, color);
    return copy;
}

float TextEffect::AlignmentOffset() const {
    const float width = renderedText->size.x;
    if (alignment == ALIGN_LEFT) return 0.0f;
    if (alignment == ALIGN_RIGHT) return -width;
    return -0.5f * width;
}

void TextEffect::Render() {
    if (!renderedText || !renderedText->vertices) return;
    render::IRender& renderer = render::Renderer();
    math::Matrix4 move;
    move.Move(position.x + AlignmentOffset(), position.y, 0.0f);
    render::WorldMatrixScope moved(renderer, move);
    renderer.DrawVertexBuffer(renderedText->vertices, renderedText->texture.get());
}

void TextEffect::Register() {
    EffectFactory::instance()->Register("text", &TextEffectCreate);
}

Effect* TextEffectCreate(TiXmlElement* element) {
    return new TextEffect(element);
}

}  // namespace effects
