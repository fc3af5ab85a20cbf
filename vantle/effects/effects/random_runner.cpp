#include "vantle/effects/effects/random_runner.h"

#include <tinyxml.h>

#include "vantle/core/random.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/attributes.h"
#include "vantle/xml/attributes.h"

namespace effects {

RandomRunner::RandomRunner(TiXmlElement* element) : BatchEffect(element) {
    if (!element) return;
    if (TiXmlElement* list = element->FirstChildElement("points")) {
        for (TiXmlElement* point = list->FirstChildElement(); point; point = point->NextSiblingElement()) {
            points.push_back(math::Vector2(point));
        }
    }
    if (TiXmlElement* prototype = element->FirstChildElement("running_effect")) {
        runningEffect = core::ptr<Effect>(new Effect(prototype));
    }
    loop = xml::ReadBool(element, "loop", loop != 0) ? 1 : 0;
    period = xml::ReadUnsigned(element, "period", period);
    ReadBurstCount(element, "effects", count);
    cyclesCount = xml::ReadUnsigned(element, "cycles_count", cyclesCount);
    running = 0;
}

Effect* RandomRunner::Clone() const {
    return new RandomRunner(*this);
}

Effect* RandomRunner::Clone(const std::string&) const {
    return Clone();
}

void RandomRunner::OnStart() {
    BeginCycles();
    nextPoint = 0;
    if (points.empty()) return;
    const int last = static_cast<int>(points.size()) - 1;
    nextPoint = static_cast<unsigned int>(core::Random::instance()->GetInt(0, last));
}

Effect* RandomRunner::NextCopy() {
    if (!runningEffect || points.empty()) return nullptr;
    Effect* copy = runningEffect->Clone();
    copy->MoveTo(position + points[nextPoint]);
    nextPoint = (nextPoint + 1) % points.size();
    return copy;
}

unsigned int RandomRunner::CopyWeight() const {
    return runningEffect && !points.empty() ? runningEffect->Weight() : 0;
}

void RandomRunner::Register() {
    EffectFactory::instance()->Register("random_runner", &RandomRunnerCreate);
}

Effect* RandomRunnerCreate(TiXmlElement* element) {
    return new RandomRunner(element);
}

}  // namespace effects
