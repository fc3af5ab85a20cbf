#pragma once

#include <string>

namespace script {

// A value of the script language as native code sees it; shared through core::ptr<IValue>.
class IValue {
public:
    virtual ~IValue() = default;

    virtual std::string to_string() const = 0;
    virtual int to_int() const = 0;
    virtual float to_float() const = 0;
    virtual bool to_bool() const = 0;
};

}  // namespace script
