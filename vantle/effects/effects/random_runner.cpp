#include "vantle/effects/effects/random_runner.h"

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

RandomRunner::RandomRunner(TiXmlElement* element) : Effect(element) {
    if (!element) return;
    if (TiXmlElement* list = element->FirstChildElement("points")) {
        for (TiXmlElement* point = list->FirstChildElement(); point; point = point->NextSiblingElement()) {
            points.push_back(math::Vector2(point));
        }
    }
    if (TiXmlElement* prototype = element->FirstChildElement("running_effect")) {
        runningEffect = core::ptr<Effect>(new Effect(prototype));
    }
    ReadFlag(element, "loop", loop);
    ReadUnsigned(element, "period", period);
    ReadCount(element, count);
    ReadUnsigned(element, "cycles_count", cyclesCount);
    running = 0;
}

Effect* RandomRunner::Clone() const {
    return new RandomRunner(*this);
}

Effect* RandomRunner::Clone(const std::string&) const {
    return Clone();
}

void RandomRunner::OnStart() {
    cycles = 0;
    running = 1;
    nextPoint = 0;
    if (!points.empty()) {
        const int last = static_cast<int>(points.size()) - 1;
        nextPoint = static_cast<unsigned int>(core::Random::instance()->GetInt(0, last));
    }
    timer.SetInterval(period);
    timer.reset(0);
}

void RandomRunner::StartBatch() {
    for (unsigned int i = 0; i < count && runningEffect && !points.empty(); ++i) {
        Effect* copy = runningEffect->Clone();
        const math::Vector2 place = position + points[nextPoint];
        ++nextPoint;
        copy->MoveTo(place);
        if (nextPoint >= points.size()) nextPoint = 0;
        copy->Start(false);
        AddChild(copy);
    }
    ++cycles;
    if (cycles >= cyclesCount && !loop) running = 0;
}

void RandomRunner::Update(unsigned int time) {
    if (running && timer.test(0)) StartBatch();
    UpdateChilds(time);
}

bool RandomRunner::IsPlaying() const {
    return running != 0 || HasChilds();
}

void RandomRunner::Register() {
    EffectFactory::instance()->Register("random_runner", &RandomRunnerCreate);
}

Effect* RandomRunnerCreate(TiXmlElement* element) {
    return new RandomRunner(element);
}

}  // namespace effects
