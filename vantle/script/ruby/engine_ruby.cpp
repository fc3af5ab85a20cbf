#include "vantle/script/ruby/engine_ruby.h"

#include "vantle/core/log.h"
#include "vantle/script/ruby/functions_ruby.h"
#include "vantle/script/ruby/ruby_api.h"
#include "vantle/script/ruby/value_ruby.h"

namespace script {

namespace {

const char kSourceName[] = "eval";

core::ptr<IValue> Wrap(VALUE value) {
    return core::ptr<IValue>(new ValueRuby(value));
}

void LogError() {
    core::Log::instance()->Write("EngineRuby: %s", rubyapi::TakeErrorMessage().c_str());
}

// The Ruby value behind a value of this engine; nil for anything else.
VALUE Unwrap(const core::ptr<IValue>& value) {
    if (!value) return Qnil;
    const ValueRuby* ruby = dynamic_cast<const ValueRuby*>(value.get());
    if (ruby) return ruby->GetValue();
    core::Log::instance()->Write("EngineRuby: a value of another engine reads as nil");
    return Qnil;
}

std::string UpToZero(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

// UTF-8 source, so that string literals are UTF-8 too; bytes that are not valid UTF-8 are read as
// binary, which still runs where UTF-8 source would fail with "invalid multibyte char".
VALUE SourceString(const char* bytes, long length) {
    const VALUE source = rb_utf8_str_new(bytes, length);
    if (rb_enc_str_coderange(source) == ENC_CODERANGE_BROKEN)
        rb_enc_associate(source, rb_ascii8bit_encoding());
    return source;
}

}  // namespace

EngineRuby::EngineRuby() {
    rubyapi::StartInterpreter();
    DefineGlobalFunctions();
}

void EngineRuby::MarkStackBase(void* base) {
    ruby_init_stack(static_cast<volatile VALUE*>(base));
}

core::ptr<IValue> EngineRuby::CreateValue(const std::string& text) {
    return core::ptr<IValue>(new ValueRuby(text));
}

core::ptr<IValue> EngineRuby::CreateValue(int number) {
    return core::ptr<IValue>(new ValueRuby(number));
}

core::ptr<IValue> EngineRuby::CreateValue(float number) {
    return core::ptr<IValue>(new ValueRuby(number));
}

void EngineRuby::Set(const std::string& name, const core::ptr<IValue>& value) {
    const std::string global = UpToZero(name);
    const char* global_name = global.c_str();
    const VALUE assigned = Unwrap(value);
    // Read-only globals such as "$$" raise.
    auto assign = [&] { rb_gv_set(global_name, assigned); };
    if (rubyapi::Protect(assign) != 0) LogError();
}

core::ptr<IValue> EngineRuby::Get(const std::string& name) {
    const std::string global = UpToZero(name);
    const char* global_name = global.c_str();
    VALUE result = Qnil;
    auto read = [&] { result = rb_gv_get(global_name); };
    if (rubyapi::Protect(read) != 0) {
        LogError();
        result = Qnil;
    }
    return Wrap(result);
}

core::ptr<IValue> EngineRuby::Eval(const std::string& code) {
    const std::string source = UpToZero(code);
    const char* bytes = source.data();
    const long length = static_cast<long>(source.size());
    VALUE result = Qnil;
    // Kernel#eval with a binding of its own: without one it would run in the scope of whatever script
    // called the function that got here ("require", "gui_load"), and could change its locals. The
    // arguments live out here: an error leaves the body's frame without unwinding it.
    VALUE arguments[] = {Qnil, Qnil, Qnil, INT2FIX(1)};
    auto evaluate = [&] {
        arguments[0] = SourceString(bytes, length);
        arguments[1] = rubyapi::NewTopLevelBinding();
        arguments[2] = rb_str_new_cstr(kSourceName);
        result = rb_funcallv(rubyapi::TopSelf(), rb_intern("eval"), 4, arguments);
    };
    if (rubyapi::Protect(evaluate) != 0) {
        LogError();
        result = Qnil;
    }
    return Wrap(result);
}

core::ptr<IValue> EngineRuby::CallFunction(const std::string& name, const core::ptr<IValue>& argument) {
    const std::string method = UpToZero(name);
    const char* method_name = method.c_str();
    const VALUE passed = Unwrap(argument);
    VALUE result = Qnil;
    auto call = [&] {
        const VALUE receiver = rb_gv_get("$Kernel");
        result = rb_funcallv(receiver, rb_intern(method_name), 1, &passed);
    };
    if (rubyapi::Protect(call) != 0) {
        LogError();
        result = Qnil;
    }
    return Wrap(result);
}

void EngineRuby::RunGC() {
    core::Log::instance()->Write("EngineRuby: RunGC called");
    Eval("GC.start");
}

}  // namespace script
