#pragma once

#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"

namespace core {

// A named action. Input comes from the context store (such as the key "$"), not from arguments.
class Functor {
public:
    virtual ~Functor() = default;
    virtual void operator()() {}
};

// Calls a member function of an object it does not own.
template <class T>
class ObjectFunctor : public Functor {
public:
    typedef void (T::*Method)();

    ObjectFunctor(T* object, Method method) : _object(object), _method(method) {}
    void operator()() override {
        if (_object && _method) (_object->*_method)();
    }

private:
    T* _object;
    Method _method;
};

// Runs its entries in order; an empty entry is reported and skipped, never stopping the rest.
class FunctorChain : public Functor {
public:
    void Add(const ptr<Functor>& functor);
    void operator()() override;

    std::size_t size() const { return _functors.size(); }

private:
    std::vector<ptr<Functor>> _functors;
};

// Actions by name, built from command strings such as "a", "f(5)" or "a;b(x);c".
class FunctorFactory : public Singleton<FunctorFactory> {
public:
    typedef Functor* (*Creator)(const std::string& argument);

    struct FInfo {
        Creator creator = nullptr;
        ptr<Functor> instance;
    };

    // Sets the shared instance; a creator under the same name stays in force and wins.
    void Register(const std::string& name, const ptr<Functor>& functor);
    void Register(const std::string& name, Creator creator);
    // Drops the shared instance only while the entry still holds this functor, so an object can withdraw
    // its own action on destruction without removing a successor's. Objects destroyed at process exit
    // call it only while FunctorFactory::exists().
    void Unregister(const std::string& name, const ptr<Functor>& functor);

    // A command string of several ";"-separated parts always gives a chain; one part gives CreateSingle.
    ptr<Functor> Create(const std::string& command);
    // "name" or "name(argument)"; an unknown name gives an empty pointer.
    ptr<Functor> CreateSingle(const std::string& command);

private:
    friend class Singleton<FunctorFactory>;
    FunctorFactory() = default;
    ~FunctorFactory() = default;

    std::map<std::string, FInfo> _entries;
};

}  // namespace core
