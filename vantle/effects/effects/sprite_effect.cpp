#include "vantle/effects/effects/sprite_effect.h"

#include "vantle/effects/effect_factory.h"
#include "vantle/game/sprite.h"
#include "vantle/xml/attributes.h"

namespace effects {

SpriteEffect::SpriteEffect(TiXmlElement* element) : Effect(element) {
    if (!element) return;
    if (const char* file_name = xml::FindText(element, "filename")) {
        sprite = core::ptr<game::Sprite>(new game::Sprite(std::string(file_name)));
    }
}

Effect* SpriteEffect::Clone() const {
    SpriteEffect* copy = new SpriteEffect(*this);
    copy->CloneChilds(this);
    return copy;
}

Effect* SpriteEffect::Clone(const std::string&) const {
    return Clone();
}

void SpriteEffect::Update(unsigned int time) {
    if (sprite) sprite->Update(time);
}

void SpriteEffect::Render() {
    if (!sprite) return;
    sprite->MoveTo(position);
    sprite->Render();
}

bool SpriteEffect::IsPlaying() const {
    return running != 0;
}

void SpriteEffect::Register() {
    EffectFactory::instance()->Register("sprite", &SpriteEffectCreate);
}

Effect* SpriteEffectCreate(TiXmlElement* element) {
    return new SpriteEffect(element);
}

}  // namespace effects
