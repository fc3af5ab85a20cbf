#pragma once

#include "vantle/core/singleton.h"
#include "vantle/utils/element_factory.h"

namespace effects {

class Effect;

// Makes effect nodes by XML element name: Create returns a new node (the caller owns it) or null.
class EffectFactory : public utils::ElementFactory<Effect>, public core::Singleton<EffectFactory> {};

}  // namespace effects
