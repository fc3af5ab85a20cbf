#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "vantle/script/engine.h"
#include "vantle/script/ruby/value_ruby.h"

namespace {

script::Engine* Engine() {
    return script::Engine::instance();
}

struct Conversion {
    const char* name;
    core::ptr<script::IValue> value;
    std::string text;
    int integer;
    float number;
    bool flag;
};

void ExpectConversions(const std::vector<Conversion>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.value);
        EXPECT_EQ(c.value->to_string(), c.text);
        EXPECT_EQ(c.value->to_int(), c.integer);
        EXPECT_FLOAT_EQ(c.value->to_float(), c.number);
        EXPECT_EQ(c.value->to_bool(), c.flag);
    }
}

TEST(ValueRuby, ValuesMadeByTheEngineConvertBack) {
    script::Engine* e = Engine();
    ExpectConversions({
        {"empty text is nil", e->CreateValue(std::string()), "", 0, 0.0f, true},
        {"text", e->CreateValue(std::string("ab c")), "ab c", 0, 0.0f, true},
        {"text up to a zero byte", e->CreateValue(std::string("ab\0cd", 5)), "ab", 0, 0.0f, true},
        {"text of digits is not a number", e->CreateValue(std::string("12")), "12", 0, 0.0f, true},
        {"zero", e->CreateValue(0), "", 0, 0.0f, false},
        {"negative", e->CreateValue(-17), "", -17, -17.0f, true},
        {"largest int keeps its top bit", e->CreateValue(INT_MAX), "", INT_MAX, 2147483648.0f, true},
        {"smallest int", e->CreateValue(INT_MIN), "", INT_MIN, -2147483648.0f, true},
        {"float", e->CreateValue(2.75f), "", 2, 2.75f, true},
        {"float beyond a small float", e->CreateValue(3.0e38f), "", INT_MAX, 3.0e38f, true},
        {"float zero is not the integer 0", e->CreateValue(0.0f), "", 0, 0.0f, true},
    });
    EXPECT_EQ(Engine()->Eval("$x = nil")->to_int(), 0);
    Engine()->Set("$made", Engine()->CreateValue(INT_MIN));
    EXPECT_EQ(Engine()->Eval("$made == -2**31 ? 1 : 0")->to_int(), 1);
}

TEST(ValueRuby, ScriptResultsConvertByTheirKind) {
    test::CaptureLog log;
    script::Engine* e = Engine();
    ExpectConversions({
        {"nil", e->Eval("nil"), "", 0, 0.0f, true},
        {"true", e->Eval("true"), "", 1, 0.0f, true},
        {"false", e->Eval("false"), "", 0, 0.0f, false},
        {"integer", e->Eval("6 * 7"), "", 42, 42.0f, true},
        {"integer text stays text", e->Eval("42.to_s"), "42", 0, 0.0f, true},
        {"string with a zero byte", e->Eval("\"a\\0b\""), std::string("a\0b", 3), 0, 0.0f, true},
        {"binary string", e->Eval("\"\\xFF\\xFE\".b"), "\xFF\xFE", 0, 0.0f, true},
        {"float", e->Eval("-3.75"), "", -3, -3.75f, true},
        {"symbol", e->Eval(":name"), "", 0, 0.0f, true},
        {"array", e->Eval("[1, 2]"), "", 0, 0.0f, true},
        {"beyond 32 bits", e->Eval("2**40"), "", INT_MAX, 1099511627776.0f, true},
        {"below 32 bits", e->Eval("-2**40"), "", INT_MIN, -1099511627776.0f, true},
        {"bignum", e->Eval("2**100"), "", INT_MAX, 1.2676506e30f, true},
        {"negative bignum", e->Eval("-2**100"), "", INT_MIN, -1.2676506e30f, true},
    });
    EXPECT_TRUE(log.Contains("ValueRuby: ")) << "integers out of range are reported";

    const core::ptr<script::IValue> infinite = e->Eval("1.0 / 0");
    EXPECT_TRUE(std::isinf(infinite->to_float()));
    EXPECT_EQ(infinite->to_int(), INT_MAX);
    EXPECT_EQ(e->Eval("0.0 / 0")->to_int(), 0);
    EXPECT_TRUE(std::isinf(e->Eval("1e300")->to_float()));
}

// Many values whose only reference is the C++ side, then collections and fresh allocations that would
// reuse their slots if the collector had freed them.
TEST(ValueRuby, HeldValuesSurviveTheCollector) {
    std::vector<core::ptr<script::IValue>> held;
    for (int i = 0; i < 200; ++i) {
        const std::string text = "text " + std::to_string(i);
        held.push_back(i % 2 ? Engine()->Eval("'" + text + "'.dup") : Engine()->CreateValue(text));
        // Too large for an immediate float: a heap object like the strings.
        held.push_back(Engine()->Eval(std::to_string(i) + ".5e200"));
    }
    // A global that held a value lets go of it; the C++ copy still holds it.
    Engine()->Eval("$dropped = 'kept by C++ only'");
    const core::ptr<script::IValue> dropped = Engine()->Get("$dropped");
    Engine()->Eval("$dropped = nil");

    for (int round = 0; round < 3; ++round) {
        Engine()->Eval("GC.start(full_mark: true, immediate_sweep: true); GC.compact rescue nil");
        Engine()->Eval("50_000.times.map { |n| 'filler ' + n.to_s }; GC.start");
    }
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(held[2 * i]->to_string(), "text " + std::to_string(i));
        Engine()->Set("$held", held[2 * i + 1]);
        EXPECT_EQ(Engine()->Eval("$held == " + std::to_string(i) + ".5e200 ? 1 : 0")->to_int(), 1);
    }
    EXPECT_EQ(dropped->to_string(), "kept by C++ only");
    Engine()->Set("$back", dropped);
    EXPECT_EQ(Engine()->Eval("$back.length")->to_int(), 16);
}

// With a collection at every allocation, a value that is not held from the moment it is made would be
// freed before it is read.
TEST(ValueRuby, EngineOperationsHoldTheirValuesUnderAStressedCollector) {
    Engine()->Eval("def shout(text) text.upcase + '!' end");
    Engine()->Eval("GC.stress = true");
    const core::ptr<script::IValue> made = Engine()->CreateValue(std::string("made here"));
    const core::ptr<script::IValue> evaluated = Engine()->Eval("'eval' + 'uated'");
    const core::ptr<script::IValue> called = Engine()->CallFunction("shout", made);
    Engine()->Set("$stressed", Engine()->CreateValue(std::string("global")));
    const core::ptr<script::IValue> global = Engine()->Get("$stressed");
    Engine()->Eval("$stressed = nil; 'garbage' * 3");
    const core::ptr<script::IValue> big = Engine()->CreateValue(1.0e30f);
    Engine()->Eval("GC.stress = false");

    EXPECT_EQ(made->to_string(), "made here");
    EXPECT_EQ(evaluated->to_string(), "evaluated");
    EXPECT_EQ(called->to_string(), "MADE HERE!");
    EXPECT_EQ(global->to_string(), "global");
    EXPECT_FLOAT_EQ(big->to_float(), 1.0e30f);
}

}  // namespace
