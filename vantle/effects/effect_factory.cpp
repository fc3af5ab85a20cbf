#include "vantle/effects/effect_factory.h"

#include <tinyxml.h>

namespace effects {

void EffectFactory::Register(const std::string& name, Creator creator) {
    _creators.erase(name);
    if (creator) _creators.emplace(name, creator);
}

Effect* EffectFactory::Create(TiXmlElement* element) {
    if (!element) return nullptr;
    return Create(element, element->ValueStr());
}

Effect* EffectFactory::Create(TiXmlElement* element, const std::string& name) {
    auto found = _creators.find(name);
    if (found == _creators.end()) return nullptr;
    return found->second(element);
}

}  // namespace effects
