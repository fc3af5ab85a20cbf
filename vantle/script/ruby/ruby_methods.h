#pragma once

// Pieces shared by the script classes' methods. Ruby raises by jumping over C++ frames without unwinding
// them, so a method checks its arguments first with non-raising tests, raising only through rb_raise
// before any C++ object exists, and then does its work inside Contained, where C++ exceptions stop.

#include <exception>
#include <string>

#include "vantle/core/log.h"
#include "vantle/script/ruby/ruby_api.h"

namespace script {
namespace rubymethods {

// Named as Ruby's own type errors name them.
inline const char* TypeName(VALUE value) {
    if (NIL_P(value)) return "nil";
    if (value == Qtrue) return "true";
    if (value == Qfalse) return "false";
    return rb_obj_classname(value);
}

[[noreturn]] inline void RaiseWrongType(VALUE value, const char* expected) {
    rb_raise(rb_eTypeError, "wrong argument type %s (expected %s)", TypeName(value), expected);
}

// Only a String: no conversion runs script code.
inline void CheckString(VALUE value) {
    if (!RB_TYPE_P(value, T_STRING)) RaiseWrongType(value, "String");
}

// Every byte of a checked String.
inline std::string Text(VALUE string) {
    return std::string(RSTRING_PTR(string), static_cast<std::size_t>(RSTRING_LEN(string)));
}

inline VALUE Utf8(const std::string& text) {
    return rb_utf8_str_new(text.data(), static_cast<long>(text.size()));
}

inline VALUE Bool(bool flag) {
    return flag ? Qtrue : Qfalse;
}

// Runs the work of a method, turning a C++ exception into a log line and nil.
template <class Work>
VALUE Contained(const char* method, Work work) noexcept {
    try {
        return work();
    } catch (const std::exception& error) {
        core::Log::instance()->Write("EngineRuby: %s: %s", method, error.what());
    } catch (...) {
        core::Log::instance()->Write("EngineRuby: %s failed", method);
    }
    return Qnil;
}

// Defines classes once the interpreter runs; a script may have taken a class's name for something else
// already, which is logged.
template <class Define>
void DefineProtected(Define define) {
    rubyapi::StartInterpreter();
    if (rubyapi::Protect(define) != 0) {
        core::Log::instance()->Write("EngineRuby: %s", rubyapi::TakeErrorMessage().c_str());
    }
}

}  // namespace rubymethods
}  // namespace script
