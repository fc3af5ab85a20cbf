#pragma once

#include <cstdint>
#include <string>

#include "vantle/script/value.h"

namespace script {

// Ruby's value word (VALUE), as wide as a pointer, named here so that callers need not include Ruby.
using RubyValue = std::uintptr_t;

// One Ruby value. It stays alive while this object holds it, whatever the scripts do: the collector is
// told of it for the object's lifetime. Main thread only, after the interpreter has started.
class ValueRuby : public IValue {
public:
    explicit ValueRuby(RubyValue value);
    // nil for the empty text; otherwise a UTF-8 String of the bytes before the first zero byte.
    explicit ValueRuby(const std::string& text);
    explicit ValueRuby(int number);
    explicit ValueRuby(float number);
    ~ValueRuby() override;
    ValueRuby(const ValueRuby&) = delete;
    ValueRuby& operator=(const ValueRuby&) = delete;

    RubyValue GetValue() const { return _value; }

    // A String's bytes, zero bytes included; the empty text for every other value.
    std::string to_string() const override;
    // Integers (cut to the int range), floats (truncated), true 1; everything else 0.
    int to_int() const override;
    // Numbers; everything else 0.
    float to_float() const override;
    // False for false and the integer 0 only: nil is true.
    bool to_bool() const override;

private:
    // Tells the collector to mark whatever _value holds, for as long as this object lives.
    void Register();

    RubyValue _value;
    bool _held = false;
};

}  // namespace script
