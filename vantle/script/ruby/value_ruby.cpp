#include "vantle/script/ruby/value_ruby.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "vantle/core/log.h"
#include "vantle/script/ruby/ruby_api.h"

namespace script {

static_assert(std::is_same<RubyValue, VALUE>::value, "RubyValue must be Ruby's VALUE");

namespace {

const long kIntMin = std::numeric_limits<int>::min();
const long kIntMax = std::numeric_limits<int>::max();

int ClampToInt(double number) {
    if (std::isnan(number)) return 0;
    if (number <= static_cast<double>(kIntMin)) return static_cast<int>(kIntMin);
    if (number >= static_cast<double>(kIntMax)) return static_cast<int>(kIntMax);
    return static_cast<int>(number);
}

float NarrowToFloat(double number) {
    const double largest = std::numeric_limits<float>::max();
    if (number > largest) return std::numeric_limits<float>::infinity();
    if (number < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(number);
}

void LogOutOfRange(double number) {
    core::Log::instance()->Write("ValueRuby: %g is beyond the integer range", number);
}

}  // namespace

ValueRuby::ValueRuby(RubyValue value) : _value(Qnil) {
    if (!SPECIAL_CONST_P(value)) Register();
    _value = value;
    // Registering allocates and so may collect: until then the parameter is what keeps the value alive.
    RB_GC_GUARD(value);
}

ValueRuby::ValueRuby(const std::string& text) : _value(Qnil) {
    if (text.empty()) return;
    Register();
    const std::string::size_type zero = text.find('\0');
    const long length = static_cast<long>(zero == std::string::npos ? text.size() : zero);
    const char* bytes = text.data();
    auto make = [&] { _value = rb_utf8_str_new(bytes, length); };
    if (rubyapi::Protect(make) != 0) {
        core::Log::instance()->Write("ValueRuby: %s", rubyapi::TakeErrorMessage().c_str());
        _value = Qnil;
    }
}

ValueRuby::ValueRuby(int number) : _value(INT2NUM(number)) {}

ValueRuby::ValueRuby(float number) : _value(Qnil) {
    Register();
    const double wide = number;
    auto make = [&] { _value = DBL2NUM(wide); };
    if (rubyapi::Protect(make) != 0) {
        core::Log::instance()->Write("ValueRuby: %s", rubyapi::TakeErrorMessage().c_str());
        _value = Qnil;
    }
}

ValueRuby::~ValueRuby() {
    if (_held) rb_gc_unregister_address(&_value);
}

// Before a new object is stored: the collector then sees it from the moment it exists.
void ValueRuby::Register() {
    auto hold = [&] {
        rb_gc_register_address(&_value);
        _held = true;
    };
    if (rubyapi::Protect(hold) != 0) {
        core::Log::instance()->Write("ValueRuby: %s", rubyapi::TakeErrorMessage().c_str());
    }
}

std::string ValueRuby::to_string() const {
    return rubyapi::StringBytes(_value);
}

int ValueRuby::to_int() const {
    if (_value == Qtrue) return 1;
    if (FIXNUM_P(_value)) {
        const long number = FIX2LONG(_value);
        if (number >= kIntMin && number <= kIntMax) return static_cast<int>(number);
        LogOutOfRange(static_cast<double>(number));
        return number < 0 ? static_cast<int>(kIntMin) : static_cast<int>(kIntMax);
    }
    if (RB_TYPE_P(_value, T_BIGNUM)) {
        LogOutOfRange(rb_big_sign(_value) ? HUGE_VAL : -HUGE_VAL);
        return rb_big_sign(_value) ? static_cast<int>(kIntMax) : static_cast<int>(kIntMin);
    }
    if (RB_FLOAT_TYPE_P(_value)) {
        const double number = rb_float_value(_value);
        if (!(number > static_cast<double>(kIntMin) - 1 && number < static_cast<double>(kIntMax) + 1)) {
            LogOutOfRange(number);
        }
        return ClampToInt(number);
    }
    return 0;
}

float ValueRuby::to_float() const {
    if (FIXNUM_P(_value)) return static_cast<float>(FIX2LONG(_value));
    if (RB_FLOAT_TYPE_P(_value)) return NarrowToFloat(rb_float_value(_value));
    if (!RB_TYPE_P(_value, T_BIGNUM)) return 0.0f;
    // Converting a huge integer may warn through script code, which may fail.
    double number = 0.0;
    const VALUE value = _value;
    auto convert = [&] { number = rb_big2dbl(value); };
    if (rubyapi::Protect(convert) != 0) {
        core::Log::instance()->Write("ValueRuby: %s", rubyapi::TakeErrorMessage().c_str());
        return 0.0f;
    }
    return NarrowToFloat(number);
}

bool ValueRuby::to_bool() const {
    if (_value == Qfalse) return false;
    return !(FIXNUM_P(_value) && FIX2LONG(_value) == 0);
}

}  // namespace script
