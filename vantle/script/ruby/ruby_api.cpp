#include "vantle/script/ruby/ruby_api.h"

namespace script {
namespace rubyapi {

namespace {

VALUE top_self = Qnil;
// A lambda made at the top level that returns its own binding: each call gives a fresh local scope whose
// self and method definitions are those of the top level.
VALUE binding_maker = Qnil;

bool IsException(VALUE value) {
    return !SPECIAL_CONST_P(value) && BUILTIN_TYPE(value) == T_OBJECT &&
           RTEST(rb_obj_is_kind_of(value, rb_eException));
}

}  // namespace

void StartInterpreter() {
    static bool started = false;
    if (started) return;
    started = true;
    // On Linux Ruby finds the main thread's whole stack itself; this only matters elsewhere.
    RUBY_INIT_STACK;
    ruby_init();
    // Without processing options the core classes stay half set up (obj.class, GC.start raise).
    static char program[] = "vantle", no_gems[] = "--disable=gems,rubyopt", inline_code[] = "-e",
                nothing[] = "";
    static char* arguments[] = {program, no_gems, inline_code, nothing, nullptr};
    ruby_options(4, arguments);
    ruby_script(program);
    rb_enc_set_default_external(rb_enc_from_encoding(rb_utf8_encoding()));
    top_self = rb_eval_string("self");
    rb_gc_register_address(&top_self);
    binding_maker = rb_eval_string("TOPLEVEL_BINDING.eval('lambda { binding }')");
    rb_gc_register_address(&binding_maker);
}

VALUE TopSelf() {
    return top_self;
}

VALUE NewTopLevelBinding() {
    return rb_funcallv(binding_maker, rb_intern("call"), 0, nullptr);
}

std::string TakeErrorMessage() {
    const VALUE error = rb_errinfo();
    rb_set_errinfo(Qnil);
    if (!IsException(error)) return "non-local exit";
    VALUE text = Qnil;
    auto as_string = [&] { text = rb_obj_as_string(error); };
    if (Protect(as_string) == 0) return StringBytes(text);
    rb_set_errinfo(Qnil);
    auto class_name = [&] { text = rb_class_name(CLASS_OF(error)); };
    if (Protect(class_name) == 0) return StringBytes(text);
    rb_set_errinfo(Qnil);
    return "exception";
}

std::string StringBytes(VALUE value) {
    if (!RB_TYPE_P(value, T_STRING)) return std::string();
    return std::string(RSTRING_PTR(value), static_cast<std::size_t>(RSTRING_LEN(value)));
}

}  // namespace rubyapi
}  // namespace script
