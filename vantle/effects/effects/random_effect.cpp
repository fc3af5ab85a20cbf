#include "vantle/effects/effects/random_effect.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect_factory.h"

namespace effects {

namespace {

void ReadUnsigned(TiXmlElement* element, const char* name, unsigned int& value) {
    if (const char* text = element->Attribute(name)) value = core::str2unsigned(text);
}

void ReadFlag(TiXmlElement* element, const char* name, unsigned int& flag) {
    if (const char* text = element->Attribute(name)) flag = core::str2bool(text) ? 1 : 0;
}

// A burst larger than this would only exhaust memory and stall the frame.
const unsigned int kMaxCount = 10000;

void ReadCount(TiXmlElement* element, unsigned int& count) {
    ReadUnsigned(element, "count", count);
    if (count <= kMaxCount) return;
    core::Log::instance()->Write("Error: a burst of %u effects, keeping %u", count, kMaxCount);
    count = kMaxCount;
}

}  // namespace

RandomEffect::RandomEffect(TiXmlElement* element) : Effect(element) {
    if (!element) return;
    if (TiXmlElement* list = element->FirstChildElement("running_effects")) {
        EffectFactory* factory = EffectFactory::instance();
        for (TiXmlElement* child = list->FirstChildElement(); child; child = child->NextSiblingElement()) {
            if (Effect* candidate = factory->Create(child))
                candidates.push_back(core::ptr<Effect>(candidate));
        }
    }
    ReadFlag(element, "loop", loop);
    ReadFlag(element, "no_move", noMove);
    ReadUnsigned(element, "period", period);
    ReadCount(element, count);
    ReadUnsigned(element, "cycles_count", cyclesCount);
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
    timer.reset(0);
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
    if (running && timer.test(0)) StartEffect();
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
