#include "vantle/core/functor_factory.h"

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"

namespace core {

void FunctorChain::Add(const ptr<Functor>& functor) {
    _functors.push_back(functor);
}

void FunctorChain::operator()() {
    // Indexed with a held copy: an entry may change the chain or drop the last other reference to itself.
    for (std::size_t i = 0; i < _functors.size(); ++i) {
        ptr<Functor> functor = _functors[i];
        if (functor.empty()) {
            Log::instance()->Write(std::string("Warning: invalid functor in FunctorChain()"));
            continue;
        }
        (*functor)();
    }
}

void FunctorFactory::Register(const std::string& name, const ptr<Functor>& functor) {
    _entries[name].instance = functor;
}

void FunctorFactory::Register(const std::string& name, Creator creator) {
    _entries[name].creator = creator;
}

void FunctorFactory::Unregister(const std::string& name, const ptr<Functor>& functor) {
    const auto found = _entries.find(name);
    if (found == _entries.end() || found->second.instance.empty()) return;
    if (found->second.instance != functor) return;
    found->second.instance.reset();
    if (!found->second.creator) _entries.erase(found);
}

ptr<Functor> FunctorFactory::Create(const std::string& command) {
    const std::vector<std::string> parts = str_split(command, ";");
    if (parts.size() <= 1) return CreateSingle(command);
    ptr<FunctorChain> chain(new FunctorChain());
    for (const std::string& part : parts) chain->Add(CreateSingle(part));
    return chain;
}

ptr<Functor> FunctorFactory::CreateSingle(const std::string& command) {
    const std::vector<std::string> parts = str_split(command, "(");
    const std::string& name = parts[0];
    const std::string argument = parts.size() < 2 ? std::string() : str_split(parts[1], ")")[0];

    const auto found = _entries.find(name);
    if (found == _entries.end()) return ptr<Functor>();
    if (found->second.creator) return ptr<Functor>(found->second.creator(argument));
    return found->second.instance;
}

}  // namespace core
