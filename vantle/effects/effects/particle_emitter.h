#pragma once

#include <string>

#include "vantle/effects/effect.h"
#include "vantle/math/rect.h"
#include "vantle/utils/sheduler.h"

class TiXmlElement;

namespace effects {

// Creates randomised particles in bursts, once or periodically, in the current particle system. Placed
// inside a particle system; with no current system it emits nothing.
class ParticleEmitter : public Effect {
public:
    ParticleEmitter();
    explicit ParticleEmitter(TiXmlElement* element);

    Effect* Clone() const override;
    Effect* Clone(const std::string& text) const override;
    using Effect::Update;
    void Update(unsigned int time) override;
    // Draws nothing.
    void Render() override;
    // While running: a single burst clears it, a periodic emitter runs until stopped.
    bool IsPlaying() const override;
    void OnStart() override;
    // The particles of one burst.
    unsigned int Weight() const override { return count > 0 ? count : 1; }

    // Emits count particles into the current particle system.
    void DoEmit(unsigned int count);

    unsigned int GetCount() const { return count; }
    bool IsOnce() const { return once; }
    unsigned int GetDelay() const { return delay; }

    // Enters "particle_emitter" and "emitter".
    static void Register();

private:
    ParticleEmitter(const ParticleEmitter&) = default;
    void ReadSpeed(TiXmlElement* element);
    void ReadAcceleration(TiXmlElement* element);

    unsigned int startTime = 0;
    math::Rect positionArea;
    float direction = 0.0f;
    float halfSpread;
    float speedMin = 100.0f;
    float speedMax = 100.0f;
    math::Rect accelerationRange;
    unsigned int count = 0;
    utils::Sheduler scheduler;
    bool once = true;
    float energyMin = 2.0f;
    float energyMax = 2.0f;
    float radialMin = 0.0f;
    float radialMax = 0.0f;
    float tangentialMin = 0.0f;
    float tangentialMax = 0.0f;
    float spinMin = 0.0f;
    float spinMax = 0.0f;
    unsigned int delay = 0;
};

Effect* ParticleEmitterCreate(TiXmlElement* element);

}  // namespace effects
