#include "vantle/core/context.h"

#include "vantle/xml/attributes.h"

namespace core {

Value Context::Get(const std::string& key) const {
    const auto found = _values.find(key);
    return found == _values.end() ? Value() : found->second;
}

void Context::Set(const std::string& key, const Value& value) {
    _values[key] = value;
    const auto found = _observers.find(key);
    if (found != _observers.end()) found->second.Notify();
}

void Context::Subscribe(const std::string& key, Observer* observer) {
    _observers[key].AttachObserver(observer);
}

void Context::Unsubscribe(const std::string& key, Observer* observer) {
    const auto found = _observers.find(key);
    if (found != _observers.end()) found->second.DetachObserver(observer);
}

Context::Link::Link() = default;

Context::Link::Link(TiXmlElement* element) {
    if (const char* key = xml::FindText(element, "value_key")) Connect(key);
}

Context::Link::Link(const std::string& key) {
    Connect(key);
}

Context::Link::~Link() {
    if (_connected && Context::exists()) Context::instance()->Unsubscribe(_key, this);
}

void Context::Link::Connect(const std::string& key) {
    Context* context = Context::instance();
    if (_connected) context->Unsubscribe(_key, this);
    _connected = true;
    _key = key;
    context->Set(key, context->Get(key));
    context->Subscribe(key, this);
    UpdateFromContext();
}

void Context::Link::SetValue(const Value& value) {
    _value = value;
    if (_connected) Context::instance()->Set(_key, _value);
}

void Context::Link::UpdateFromContext() {
    _value = Context::instance()->Get(_key);
}

void Context::Link::OnUpdate() {
    UpdateFromContext();
}

}  // namespace core
