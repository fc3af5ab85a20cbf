#include "vantle/effects/effects/register.h"

#include "vantle/effects/effect.h"
#include "vantle/effects/effects/affine.h"
#include "vantle/effects/effects/boids.h"
#include "vantle/effects/effects/fly.h"
#include "vantle/effects/effects/image_effect.h"
#include "vantle/effects/effects/particle_emitter.h"
#include "vantle/effects/effects/particle_system.h"
#include "vantle/effects/effects/random_effect.h"
#include "vantle/effects/effects/random_runner.h"
#include "vantle/effects/effects/sound.h"
#include "vantle/effects/effects/sprite_effect.h"
#include "vantle/effects/effects/text_effect.h"

namespace effects {

void RegisterEffects() {
    Effect::Register();
    SoundEffect::Register();
    ParticleSystem::Register();
    ParticleEmitter::Register();
    AffineEffect::Register();
    ImageEffect::Register();
    RandomRunner::Register();
    TextEffect::Register();
    RandomEffect::Register();
    FlyEffect::Register();
    SpriteEffect::Register();
    BoidsEffect::Register();
}

}  // namespace effects
