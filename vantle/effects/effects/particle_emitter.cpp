#include "vantle/effects/effects/particle_emitter.h"

#include <tinyxml.h>

#include <cmath>
#include <limits>

#include "vantle/core/random.h"
#include "vantle/core/strutils.h"
#include "vantle/effects/effect_factory.h"
#include "vantle/effects/effects/attributes.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace effects {

namespace {

constexpr float kFullTurnDegrees = 360.0f;

float DegreesToRadians(float degrees) {
    return degrees * 2.0f * math::PI / kFullTurnDegrees;
}

// The plain name sets both ends, "_min" sets both ends, "_max" only the upper one.
void ReadRange(TiXmlElement* element, const std::string& name, float& low, float& high) {
    if (const auto both = xml::FindFloat(element, name.c_str())) low = high = *both;
    if (const auto both = xml::FindFloat(element, (name + "_min").c_str())) low = high = *both;
    high = xml::ReadFloat(element, (name + "_max").c_str(), high);
}

// A bound cut towards zero. Converting a float beyond int's range is undefined, so such bounds (and
// infinities) stop at the range's ends, and a bound that is no number counts as 0.
int WholeBound(float bound) {
    if (std::isnan(bound)) return 0;
    if (bound >= static_cast<float>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (bound <= static_cast<float>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(bound);
}

}  // namespace

ParticleEmitter::ParticleEmitter() : halfSpread(DegreesToRadians(kFullTurnDegrees) * 0.5f) {}

ParticleEmitter::ParticleEmitter(TiXmlElement* element)
    : Effect(element), halfSpread(DegreesToRadians(kFullTurnDegrees) * 0.5f) {
    if (!element) return;
    ReadBurstCount(element, "particles", count);
    if (const char* period = xml::FindText(element, "period")) {
        if (std::string(period) != "once") {
            once = false;
            scheduler.SetInterval(core::str2unsigned(period));
        }
    }
    delay = xml::ReadUnsigned(element, "delay", delay);
    ReadRange(element, "energy", energyMin, energyMax);
    if (TiXmlElement* area = element->FirstChildElement("position")) positionArea = math::Rect(area);
    if (TiXmlElement* speed = element->FirstChildElement("speed")) ReadSpeed(speed);
    if (TiXmlElement* acceleration = element->FirstChildElement("acceleration"))
        ReadAcceleration(acceleration);
    if (TiXmlElement* spin = element->FirstChildElement("spin")) {
        spinMin = xml::ReadFloat(spin, "min", spinMin);
        spinMax = xml::ReadFloat(spin, "max", spinMax);
    }
}

void ParticleEmitter::ReadSpeed(TiXmlElement* element) {
    if (const auto degrees = xml::FindFloat(element, "direction")) direction = DegreesToRadians(*degrees);
    if (const auto degrees = xml::FindFloat(element, "spread"))
        halfSpread = DegreesToRadians(*degrees) * 0.5f;
    speedMin = xml::ReadFloat(element, "min", speedMin);
    speedMax = xml::ReadFloat(element, "max", speedMax);
}

void ParticleEmitter::ReadAcceleration(TiXmlElement* element) {
    accelerationRange = math::Rect(element);
    ReadRange(element, "radial", radialMin, radialMax);
    ReadRange(element, "tangential", tangentialMin, tangentialMax);
}

Effect* ParticleEmitter::Clone() const {
    ParticleEmitter* copy = new ParticleEmitter(*this);
    copy->CloneChilds(this);
    return copy;
}

Effect* ParticleEmitter::Clone(const std::string&) const {
    return Clone();
}

void ParticleEmitter::OnStart() {
    scheduler.reset();
    startTime = utils::Timer::instance()->GetTime();
    if (once && delay == 0) {
        DoEmit(count);
        running = 0;
    }
}

void ParticleEmitter::Update(unsigned int time) {
    if (!running) return;
    if (!once) {
        if (scheduler.test(time - delay)) DoEmit(count);
        return;
    }
    if (time - startTime >= delay) {
        DoEmit(count);
        running = 0;
    }
}

void ParticleEmitter::Render() {}

bool ParticleEmitter::IsPlaying() const {
    return running != 0;
}

void ParticleEmitter::DoEmit(unsigned int n) {
    ParticleSystem* target = CurrentParticleSystem::instance()->Get();
    if (!target) return;
    core::Random* random = core::Random::instance();
    const math::Vector2 origin =
        position + CurrentEffectMatrix::instance()->GetMatrix() * math::Vector2::UNIT_SCALE;
    for (unsigned int i = 0; i < n; ++i) {
        ParticleSystem::Particle p;
        p.radial = random->GetFloat(radialMin, radialMax);
        p.tangential = random->GetFloat(tangentialMin, tangentialMax);
        p.life = p.energy = random->GetFloat(energyMin, energyMax);
        p.position.x = origin.x + random->GetFloat(positionArea.left, positionArea.right);
        p.position.y = origin.y + random->GetFloat(positionArea.top, positionArea.bottom);
        p.spin = random->GetFloat(spinMin, spinMax);
        p.angle = 0.0f;
        const float a = random->GetFloat(direction - halfSpread, direction + halfSpread);
        const float s = random->GetFloat(speedMin, speedMax);
        p.velocity = math::Vector2(s * std::cos(a), s * std::sin(a));
        // Accelerations are whole numbers, the bounds cut towards zero.
        p.acceleration.x = static_cast<float>(
            random->GetInt(WholeBound(accelerationRange.left), WholeBound(accelerationRange.right)));
        p.acceleration.y = static_cast<float>(
            random->GetInt(WholeBound(accelerationRange.top), WholeBound(accelerationRange.bottom)));
        target->Emit(p);
    }
}

void ParticleEmitter::Register() {
    EffectFactory* factory = EffectFactory::instance();
    factory->Register("particle_emitter", &ParticleEmitterCreate);
    factory->Register("emitter", &ParticleEmitterCreate);
}

Effect* ParticleEmitterCreate(TiXmlElement* element) {
    return new ParticleEmitter(element);
}

}  // namespace effects
