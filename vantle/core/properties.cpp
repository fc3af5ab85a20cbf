#include "vantle/core/properties.h"

namespace core {

void Properties::Add(const std::string& name, BaseProperty* property) {
    _properties[name] = ptr<BaseProperty>(property);
}

Value Properties::Get(const std::string& name) const {
    auto found = _properties.find(name);
    if (found == _properties.end() || !found->second) return Value();
    return found->second->Get();
}

void Properties::Set(const std::string& name, const Value& value) {
    auto found = _properties.find(name);
    if (found == _properties.end() || !found->second) return;
    found->second->Set(value);
}

}  // namespace core
