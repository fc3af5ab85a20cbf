#include "vantle/script/ruby/functions_ruby.h"

#include <exception>
#include <limits>
#include <map>

#include "vantle/core/log.h"
#include "vantle/script/function.h"
#include "vantle/script/ruby/global_functions.h"
#include "vantle/script/ruby/ruby_api.h"

namespace script {

namespace {

// What a call hands back: its value, or the state of a Ruby error to raise again.
struct Outcome {
    VALUE value;
    int state;
};

// The row behind each defined name: Ruby calls every function through one trampoline per arity.
std::map<ID, Function>& Defined() {
    static std::map<ID, Function> defined;
    return defined;
}

float NarrowToFloat(double number) {
    const double largest = std::numeric_limits<float>::max();
    if (number > largest) return std::numeric_limits<float>::infinity();
    if (number < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(number);
}

void ReadText(VALUE text, Argument& argument) {
    argument.kind = Argument::Kind::String;
    argument.text.assign(RSTRING_PTR(text), static_cast<std::size_t>(RSTRING_LEN(text)));
}

// Never raises but for a warning about a huge integer, which runs script code.
void Classify(VALUE given, Argument& argument) {
    if (NIL_P(given)) {
        argument.kind = Argument::Kind::Nil;
    } else if (given == Qfalse) {
        argument.kind = Argument::Kind::False;
    } else if (given == Qtrue) {
        argument.kind = Argument::Kind::True;
    } else if (FIXNUM_P(given)) {
        argument.kind = Argument::Kind::Integer;
        argument.number = static_cast<double>(FIX2LONG(given));
    } else if (RB_TYPE_P(given, T_BIGNUM)) {
        argument.kind = Argument::Kind::Integer;
        argument.number = rb_big2dbl(given);
    } else if (RB_FLOAT_TYPE_P(given)) {
        argument.kind = Argument::Kind::Float;
        argument.number = rb_float_value(given);
    } else if (RB_TYPE_P(given, T_STRING)) {
        ReadText(given, argument);
    } else {
        argument.kind = Argument::Kind::Other;
    }
}

// May raise. A String made by to_str replaces the given value, where the collector still sees it.
void ReadArgument(Parameter parameter, VALUE& given, Argument& argument) {
    switch (parameter) {
        case Parameter::TextOrNil:
            if (NIL_P(given)) return Classify(given, argument);
            StringValue(given);
            return ReadText(given, argument);
        case Parameter::Text:
            StringValue(given);
            return ReadText(given, argument);
        case Parameter::Number:
            argument.kind = Argument::Kind::Float;
            argument.number = NarrowToFloat(rb_num2dbl(given));
            return;
        case Parameter::Any:
            return Classify(given, argument);
    }
}

// Up to the first zero byte, as UTF-8. May raise.
VALUE NewText(const std::string& text) {
    const std::string::size_type zero = text.find('\0');
    const std::size_t length = zero == std::string::npos ? text.size() : zero;
    return rb_utf8_str_new(text.data(), static_cast<long>(length));
}

// Indexes rather than iterators: an error raised here must find no locals whose address was taken.
VALUE NewRows(const std::vector<std::vector<std::string>>& rows) {
    const VALUE list = rb_ary_new_capa(static_cast<long>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const VALUE texts = rb_ary_new_capa(static_cast<long>(rows[r].size()));
        rb_ary_push(list, texts);
        for (std::size_t t = 0; t < rows[r].size(); ++t) rb_ary_push(texts, NewText(rows[r][t]));
    }
    return list;
}

// May raise.
VALUE ToRuby(const Result& result) {
    switch (result.kind) {
        case Result::Kind::Nil:
            return Qnil;
        case Result::Kind::Bool:
            return result.flag ? Qtrue : Qfalse;
        case Result::Kind::Integer:
            return INT2NUM(static_cast<int>(result.number));
        case Result::Kind::Float:
            return DBL2NUM(result.number);
        case Result::Kind::String:
            return NewText(result.text);
        case Result::Kind::Rows:
            return NewRows(result.rows);
    }
    return Qnil;
}

Result RunBody(const Function& row, const Arguments& arguments) {
    try {
        return row.body(arguments);
    } catch (const std::exception& error) {
        core::Log::instance()->Write("%s: %s", row.name.c_str(), error.what());
    } catch (...) {
        core::Log::instance()->Write("%s: unknown exception", row.name.c_str());
    }
    return Result();
}

// Every C++ object of a call lives in this frame, which always returns normally.
Outcome Invoke(ID name, VALUE first, VALUE second, VALUE third) {
    const auto found = Defined().find(name);
    if (found == Defined().end()) return {Qnil, 0};
    const Function& row = found->second;
    VALUE given[Function::kMaxParameters] = {first, second, third};
    Arguments arguments(row.parameters.size());
    bool converted = false;
    auto convert = [&] {
        try {
            for (std::size_t i = 0; i < row.parameters.size(); ++i)
                ReadArgument(row.parameters[i], given[i], arguments[i]);
            converted = true;
        } catch (...) {
        }
    };
    int state = rubyapi::Protect(convert);
    if (state != 0) return {Qnil, state};
    if (!converted) {
        core::Log::instance()->Write("%s: arguments could not be read", row.name.c_str());
        return {Qnil, 0};
    }
    const Result result = RunBody(row, arguments);
    VALUE value = Qnil;
    auto back = [&] { value = ToRuby(result); };
    state = rubyapi::Protect(back);
    return {state == 0 ? value : Qnil, state};
}

// The trampolines take no addresses of their own, so raising through them leaves nothing poisoned.
VALUE Finish(Outcome outcome) {
    if (outcome.state != 0) rb_jump_tag(outcome.state);
    return outcome.value;
}

VALUE Call0(VALUE) {
    return Finish(Invoke(rb_frame_this_func(), Qnil, Qnil, Qnil));
}

VALUE Call1(VALUE, VALUE first) {
    return Finish(Invoke(rb_frame_this_func(), first, Qnil, Qnil));
}

VALUE Call2(VALUE, VALUE first, VALUE second) {
    return Finish(Invoke(rb_frame_this_func(), first, second, Qnil));
}

VALUE Call3(VALUE, VALUE first, VALUE second, VALUE third) {
    return Finish(Invoke(rb_frame_this_func(), first, second, third));
}

void Define(const Function& row) {
    const char* name = row.name.c_str();
    const std::size_t arity = row.parameters.size();
    if (arity > Function::kMaxParameters || !row.body) {
        core::Log::instance()->Write("EngineRuby: can't define %s", name);
        return;
    }
    ID id = 0;
    auto define = [&] {
        id = rb_intern(name);
        switch (arity) {
            case 0:
                rb_define_global_function(name, &Call0, 0);
                break;
            case 1:
                rb_define_global_function(name, &Call1, 1);
                break;
            case 2:
                rb_define_global_function(name, &Call2, 2);
                break;
            case 3:
                rb_define_global_function(name, &Call3, 3);
                break;
        }
    };
    if (rubyapi::Protect(define) != 0) {
        core::Log::instance()->Write("EngineRuby: can't define %s: %s", name,
                                     rubyapi::TakeErrorMessage().c_str());
        return;
    }
    Defined()[id] = row;
}

}  // namespace

void DefineGlobalFunctions() {
    static bool defined = false;
    if (defined) return;
    defined = true;
    for (const Function& row : GlobalFunctions()) Define(row);
}

}  // namespace script
