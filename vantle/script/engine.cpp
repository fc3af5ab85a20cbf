#include "vantle/script/engine.h"

#include "vantle/core/log.h"

namespace script {

bool Engine::HasImplementation(const char* operation) const {
    if (_implementation) return true;
    core::Log::instance()->Write("script::Engine: %s before a back end was installed", operation);
    return false;
}

core::ptr<IValue> Engine::CreateValue(const std::string& text) {
    return HasImplementation("CreateValue") ? _implementation->CreateValue(text) : core::ptr<IValue>();
}

core::ptr<IValue> Engine::CreateValue(int number) {
    return HasImplementation("CreateValue") ? _implementation->CreateValue(number) : core::ptr<IValue>();
}

core::ptr<IValue> Engine::CreateValue(float number) {
    return HasImplementation("CreateValue") ? _implementation->CreateValue(number) : core::ptr<IValue>();
}

void Engine::Set(const std::string& name, const core::ptr<IValue>& value) {
    if (HasImplementation("Set")) _implementation->Set(name, value);
}

core::ptr<IValue> Engine::Get(const std::string& name) {
    return HasImplementation("Get") ? _implementation->Get(name) : core::ptr<IValue>();
}

core::ptr<IValue> Engine::Eval(const std::string& code) {
    return _implementation ? _implementation->Eval(code) : core::ptr<IValue>();
}

core::ptr<IValue> Engine::CallFunction(const std::string& name, const core::ptr<IValue>& argument) {
    return _implementation ? _implementation->CallFunction(name, argument) : core::ptr<IValue>();
}

void Engine::RunGC() {
    if (_implementation) _implementation->RunGC();
}

void Engine::Set(const std::string& name, int number) {
    if (HasImplementation("Set")) _implementation->Set(name, _implementation->CreateValue(number));
}

void Engine::Set(const std::string& name, float number) {
    if (HasImplementation("Set")) _implementation->Set(name, _implementation->CreateValue(number));
}

void Engine::Set(const std::string& name, const std::string& text) {
    if (HasImplementation("Set")) _implementation->Set(name, _implementation->CreateValue(text));
}

}  // namespace script
