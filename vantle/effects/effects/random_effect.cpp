#include "vantle/effects/effects/random_effect.h"

#include <tinyxml.h>

#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/attributes.h"

namespace effects {

RandomEffect::RandomEffect(TiXmlElement* element) : Effect(element) {
    if (!element) return;
    if (TiXmlElement* list = element->FirstChildElement("running_effects")) {
        EffectFactory* factory = EffectFactory::instance();
        for (TiXmlElement* child = list->FirstChildElement(); child; child = child->NextSiblingElement()) {
            if (Effect* candidate = factory->Create(child))
                candidates.push_back(core::ptr<Effect>(candidate));
        }
    }
    ReadFlagAttribute(element, "loop", loop);
    ReadFlagAttribute(element, "no_move", noMove);
    ReadUnsignedAttribute(element, "period", period);
    ReadBurstCount(element, "effects", count);
    ReadUnsignedAttribute(element, "cycles_count", cyclesCount);
    running = 0;
}

Effect* RandomEffect::Clone() const {
    return new RandomEffect(*this);
}

Effect* RandomEffect::Clone(const std::string&) const {
    return Clone();
}

void RandomEffect::OnStart() {
    cycles = 0;
    running = 1;
    timer.SetInterval(period);
    timer.reset();
    StartEffect();
}

void RandomEffect::StartEffect() {
    core::Random* random = core::Random::instance();
    for (unsigned int i = 0; i < count && !candidates.empty(); ++i) {
        const int last = static_cast<int>(candidates.size()) - 1;
        const core::ptr<Effect>& prototype = candidates[static_cast<size_t>(random->GetInt(0, last))];
        Effect* copy = prototype->Clone();
        if (!noMove) copy->SetPos(position);
        copy->Start(false);
        AddChild(copy);
    }
    ++cycles;
    if (cycles >= cyclesCount && !loop) running = 0;
}

void RandomEffect::Update(unsigned int time) {
    if (running && timer.test()) StartEffect();
    UpdateChilds(time);
}

bool RandomEffect::IsPlaying() const {
    return running != 0 || HasChilds();
}

void RandomEffect::Register() {
    EffectFactory::instance()->Register("random_effect", &RandomEffectCreate);
}

Effect* RandomEffectCreate(TiXmlElement* element) {
    return new RandomEffect(element);
}

}  // namespace effects
