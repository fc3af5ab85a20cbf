#pragma once

// The Ruby library's own header, for the Ruby back end's sources only: it redefines snprintf and must not
// reach the rest of the engine.

#include <ruby.h>
#include <ruby/encoding.h>
#undef snprintf
#undef vsnprintf

#include <string>

namespace script {
namespace rubyapi {

// Starts the interpreter on the first call; later calls do nothing. Main thread only.
void StartInterpreter();

// The top-level object "main", on which code strings are evaluated.
VALUE TopSelf();

// A new binding at the top level, on "main", with no local variables of its own: code evaluated in it
// neither sees nor changes the locals of a script that is running further up the stack. May raise.
VALUE NewTopLevelBinding();

template <class Body>
VALUE RunBody(VALUE body) {
    (*reinterpret_cast<Body*>(body))();
    return Qnil;
}

// Runs body() under rb_protect, so that a Ruby error inside it returns here instead of unwinding C++
// frames. A Ruby error leaves body's frame without unwinding it: body creates no C++ objects that need
// destroying and takes no addresses of locals of its own (AddressSanitizer would keep them poisoned).
// 0 when body ran through, otherwise Ruby's non-zero state; the error then waits in TakeErrorMessage.
template <class Body>
int Protect(Body& body) {
    int state = 0;
    rb_protect(&RunBody<Body>, reinterpret_cast<VALUE>(&body), &state);
    return state;
}

// The text of the error that ended the latest protected call, which is then cleared. Converting the
// error runs script code that may fail in turn; the error's class name stands in then.
std::string TakeErrorMessage();

// All bytes of a String; the empty text for any other value.
std::string StringBytes(VALUE value);

}  // namespace rubyapi
}  // namespace script
