#pragma once

#include <map>
#include <string>

#include "vantle/core/singleton.h"

class TiXmlElement;

namespace effects {

class Effect;

// Makes effect nodes by XML element name. Names match exactly, letter case included.
class EffectFactory : public core::Singleton<EffectFactory> {
public:
    // Returns a new node (the caller owns it) or null.
    using Creator = Effect* (*)(TiXmlElement*);

    // The last registration of a name wins.
    void Register(const std::string& name, Creator creator);
    // A new node of the kind named by the element's tag; null for a null element or an unknown name.
    Effect* Create(TiXmlElement* element);
    // The same with the kind named by name instead of the tag.
    Effect* Create(TiXmlElement* element, const std::string& name);
    bool IsRegistered(const std::string& name) const { return _creators.count(name) != 0; }

private:
    std::map<std::string, Creator> _creators;
};

}  // namespace effects
