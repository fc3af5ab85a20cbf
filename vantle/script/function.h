#pragma once

#include <string>
#include <vector>

namespace script {

// One argument of a global function, converted and checked by the back end before the function runs.
struct Argument {
    enum class Kind { Nil, False, True, Integer, Float, String, Other };

    Kind kind = Kind::Nil;
    // String: every byte, zero bytes included.
    std::string text;
    // Integer and Float: the value; a Number parameter holds it rounded to single precision.
    double number = 0.0;
};

using Arguments = std::vector<Argument>;

// What a global function gives back to the script.
struct Result {
    enum class Kind { Nil, Bool, Integer, Float, String, Rows };

    Result() = default;
    static Result Bool(bool flag);
    static Result Integer(int number);
    static Result Float(float number);
    // Reaches the script up to its first zero byte.
    static Result Text(const std::string& text);
    // A list of lists of texts, such as a table's rows.
    static Result Rows(const std::vector<std::vector<std::string>>& rows);

    Kind kind = Kind::Nil;
    bool flag = false;
    double number = 0.0;
    std::string text;
    std::vector<std::vector<std::string>> rows;
};

// How the back end checks a parameter. A check that fails raises the script language's type error in
// the calling script, and the function does not run.
enum class Parameter {
    // A String (or what converts to one implicitly): Argument::Kind::String.
    Text,
    // Anything numeric: Argument::Kind::Float.
    Number,
    // nil, or as Text.
    TextOrNil,
    // Any value, never refused; only a String's bytes are read.
    Any,
};

// A global function of the scripts: its name, its parameters (the script must pass exactly these) and
// the native code that runs it. The body may throw: the back end logs the exception and gives nil.
// Written without the script language, so any layer can describe its functions for the back end.
struct Function {
    using Body = Result (*)(const Arguments& arguments);

    // The most parameters a function may take.
    static const std::size_t kMaxParameters = 3;

    std::string name;
    std::vector<Parameter> parameters;
    Body body = nullptr;
};

}  // namespace script
