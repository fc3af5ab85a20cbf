#include "vantle/effects/effects/image_effect.h"

#include "vantle/effects/effect_factory.h"
#include "vantle/render/render.h"

namespace effects {

ImageEffect::ImageEffect(TiXmlElement* element)
    : Effect(element),
      tile(element),
      rect(element),
      halfSize((rect.right - rect.left) * 0.5f, (rect.bottom - rect.top) * 0.5f) {}

Effect* ImageEffect::Clone() const {
    ImageEffect* copy = new ImageEffect(*this);
    copy->CloneChilds(this);
    return copy;
}

Effect* ImageEffect::Clone(const std::string&) const {
    return Clone();
}

void ImageEffect::Update(unsigned int) {}

void ImageEffect::Render() {
    rect.MoveTo(position.x - halfSize.x, position.y - halfSize.y);
    tile.SetColor(CurrentEffectMatrix::instance()->GetColor());
    render::Renderer().DrawRect(rect, tile);
}

bool ImageEffect::IsPlaying() const {
    return running != 0;
}

void ImageEffect::Register() {
    EffectFactory::instance()->Register("image", &ImageEffectCreate);
}

Effect* ImageEffectCreate(TiXmlElement* element) {
    return new ImageEffect(element);
}

}  // namespace effects
