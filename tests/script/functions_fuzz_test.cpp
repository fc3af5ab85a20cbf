#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "functions_fixture.h"
#include "support/capture_log.h"
#include "vantle/script/engine.h"
#include "vantle/script/function_table.h"
#include "vantle/script/ruby/global_functions.h"

namespace {

// Values of every kind a script might pass by mistake, including ones whose conversions fail.
const std::vector<std::string> kValues = {
    "nil",
    "true",
    "false",
    "0",
    "-1",
    "2**40",
    "-(2**90)",
    "1.5",
    "Float::NAN",
    "-Float::INFINITY",
    "1e40",
    "1r",
    "'text'",
    "''",
    "\"a\\0b\"",
    "'../up'",
    "'x' * 5000",
    "\"\\xff\\xfe\"",
    ":symbol",
    "[1, 'a']",
    "{key: 1}",
    "Object.new",
    "BasicObject.new",
    "Class.new { def to_str; raise 'to_str failed'; end }.new",
    "Class.new { def to_f; raise 'to_f failed'; end }.new",
    "Class.new { def to_str; 'converted'; end }.new",
    "method(:puts)",
};

const int kCalls = 3000;
const int kMostArguments = 4;

using ScriptFunctionsFuzz = test::ScriptFunctionsTest;

TEST_F(ScriptFunctionsFuzz, ThousandsOfCallsWithWrongArgumentsNeverBreakTheInterpreter) {
    script::SetScoreTablesDir(Dir().Path());
    std::vector<std::string> names;
    for (const script::Function& row : script::GlobalFunctions()) names.push_back(row.name);
    for (const script::Function& row : script::FunctionTable::instance()->Rows()) names.push_back(row.name);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick_name(0, names.size() - 1);
    std::uniform_int_distribution<std::size_t> pick_value(0, kValues.size() - 1);
    std::uniform_int_distribution<int> pick_count(0, kMostArguments);

    test::CaptureLog log;
    for (int call = 0; call < kCalls; ++call) {
        std::string code = names[pick_name(random)] + "(";
        const int count = pick_count(random);
        for (int i = 0; i < count; ++i) code += (i ? ", " : "") + kValues[pick_value(random)];
        code += ")";
        script::Engine::instance()->Eval(code);
        ASSERT_EQ(script::Engine::instance()->Eval("6 * 7")->to_int(), 42) << code;
    }
    EXPECT_TRUE(log.Contains("wrong number of arguments"));
    EXPECT_TRUE(log.Contains("no implicit conversion"));
    EXPECT_TRUE(log.Contains("to_str failed"));
}

}  // namespace
