#include "vantle/effects/effects/random_effect.h"

#include <tinyxml.h>

#include <algorithm>

#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/attributes.h"
#include "vantle/xml/attributes.h"

namespace effects {

RandomEffect::RandomEffect(TiXmlElement* element) : BatchEffect(element) {
    if (!element) return;
    if (TiXmlElement* list = element->FirstChildElement("running_effects")) {
        EffectFactory* factory = EffectFactory::instance();
        for (TiXmlElement* child = list->FirstChildElement(); child; child = child->NextSiblingElement()) {
            if (Effect* candidate = factory->Create(child))
                candidates.push_back(core::ptr<Effect>(candidate));
        }
    }
    loop = xml::ReadBool(element, "loop", loop != 0) ? 1 : 0;
    noMove = xml::ReadBool(element, "no_move", noMove != 0) ? 1 : 0;
    period = xml::ReadUnsigned(element, "period", period);
    ReadBurstCount(element, "effects", count);
    cyclesCount = xml::ReadUnsigned(element, "cycles_count", cyclesCount);
    running = 0;
}

Effect* RandomEffect::Clone() const {
    return new RandomEffect(*this);
}

Effect* RandomEffect::Clone(const std::string&) const {
    return Clone();
}

void RandomEffect::OnStart() {
    BeginCycles();
    RunBatch();
}

Effect* RandomEffect::NextCopy() {
    if (candidates.empty()) return nullptr;
    const int last = static_cast<int>(candidates.size()) - 1;
    const core::ptr<Effect>& prototype =
        candidates[static_cast<size_t>(core::Random::instance()->GetInt(0, last))];
    Effect* copy = prototype->Clone();
    if (!noMove) copy->SetPos(position);
    return copy;
}

unsigned int RandomEffect::CopyWeight() const {
    unsigned int heaviest = 0;
    for (const auto& candidate : candidates) heaviest = std::max(heaviest, candidate->Weight());
    return heaviest;
}

void RandomEffect::Register() {
    EffectFactory::instance()->Register("random_effect", &RandomEffectCreate);
}

Effect* RandomEffectCreate(TiXmlElement* element) {
    return new RandomEffect(element);
}

}  // namespace effects
