#include "vantle/effects/effects/register.h"

#include "vantle/effects/effect.h"

namespace effects {

void RegisterEffects() {
    Effect::Register();
}

}  // namespace effects
