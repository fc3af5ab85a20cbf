#pragma once

#include <map>
#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/value.h"

namespace core {

// A value read and written by name on some object.
class BaseProperty {
public:
    virtual ~BaseProperty() = default;
    virtual Value Get() = 0;
    virtual void Set(const Value& value) = 0;
};

// A property through a getter and a setter of T; either may be null. Must not outlive its object.
template <class T>
class Property : public BaseProperty {
public:
    typedef Value (T::*Getter)();
    typedef Value (T::*ConstGetter)() const;
    typedef void (T::*Setter)(const Value&);

    Property(T* object, Getter getter, Setter setter) : _object(object), _getter(getter), _setter(setter) {}
    Property(T* object, ConstGetter getter, Setter setter)
        : _object(object), _const_getter(getter), _setter(setter) {}

    // UNSET without a getter.
    Value Get() override {
        if (_getter) return (_object->*_getter)();
        if (_const_getter) return (_object->*_const_getter)();
        return Value();
    }
    // Ignored without a setter.
    void Set(const Value& value) override {
        if (_setter) (_object->*_setter)(value);
    }

private:
    T* _object;
    Getter _getter = nullptr;
    ConstGetter _const_getter = nullptr;
    Setter _setter;
};

// The named properties of one object; owns them.
class Properties {
public:
    // Takes ownership; an earlier property of the name is released.
    void Add(const std::string& name, BaseProperty* property);
    // UNSET when no property has the name.
    Value Get(const std::string& name) const;
    // Nothing when no property has the name.
    void Set(const std::string& name, const Value& value);

private:
    std::map<std::string, ptr<BaseProperty>> _properties;
};

}  // namespace core
