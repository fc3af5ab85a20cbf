#include "vantle/effects/effects/register.h"

#include "vantle/effects/effect.h"
#include "vantle/effects/effects/affine.h"
#include "vantle/effects/effects/fly.h"
#include "vantle/effects/effects/image_effect.h"
#include "vantle/effects/effects/particle_emitter.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/effects/effects/random_effect.h"
#include "vantle/effects/effects/random_runner.h"
#include "vantle/effects/effects/sound.h"

namespace effects {

void RegisterEffects() {
    Effect::Register();
    SoundEffect::Register();
    ParticleSystem::Register();
    ParticleEmitter::Register();
    AffineEffect::Register();
    ImageEffect::Register();
    RandomRunner::Register();
    RandomEffect::Register();
    FlyEffect::Register();
}

}  // namespace effects
