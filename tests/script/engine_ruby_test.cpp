#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "vantle/script/engine.h"
#include "vantle/script/ruby/engine_ruby.h"

namespace {

script::Engine* Engine() {
    return script::Engine::instance();
}

std::string EvalText(const std::string& code) {
    return Engine()->Eval(code)->to_string();
}

struct FailingCode {
    const char* name;
    const char* code;
    const char* message;
};

// A failure gives an empty result, not none, and exactly one log line starting with the message.
void ExpectContained(const core::ptr<script::IValue>& result, const test::CaptureLog& log,
                     const char* message) {
    ASSERT_TRUE(result);
    EXPECT_EQ(result->to_string(), "");
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].rfind(message, 0), 0u) << log.Lines()[0];
}

TEST(EngineRuby, FailingCodeLogsOneLineGivesNilAndTheNextEvalWorks) {
    const std::vector<FailingCode> cases = {
        {"syntax error", "1 +", "EngineRuby: eval:1: syntax error"},
        {"syntax error on a later line", "x = 1\ny = 2\nz = (", "EngineRuby: eval:3: syntax error"},
        {"unknown name", "no_such_name", "EngineRuby: undefined local variable or method `no_such_name'"},
        {"raise", "raise 'boom'", "EngineRuby: boom"},
        {"division by zero", "1 / 0", "EngineRuby: divided by 0"},
        {"exit", "exit 3", "EngineRuby: exit"},
        {"uncaught throw", "throw :away", "EngineRuby: uncaught throw :away"},
        {"return at the top", "return 1", "EngineRuby: unexpected return"},
        {"break outside a loop", "break", "EngineRuby: eval:1: Can't escape from eval with break"},
        {"endless recursion", "def deeper(n) deeper(n + 1) end; deeper(0)",
         "EngineRuby: stack level too deep"},
        {"message that raises itself", "raise Class.new(StandardError) { def to_s; raise 'again'; end }",
         "EngineRuby: #<Class:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::CaptureLog log;
        const core::ptr<script::IValue> result = Engine()->Eval(c.code);
        ExpectContained(result, log, c.message);
        EXPECT_TRUE(result && result->to_bool()) << "nil reads as true";
        EXPECT_EQ(Engine()->Eval("20 + 22")->to_int(), 42);
        EXPECT_EQ(log.Lines().size(), 1u);
    }
}

TEST(EngineRuby, EvalRunsAtTheTopLevelWhereMethodsAndGlobalsLastButLocalsDoNot) {
    test::CaptureLog log;
    Engine()->Eval("def twice(x) x * 2 end; $kept = 5; local = 7");
    EXPECT_EQ(Engine()->Eval("twice($kept)")->to_int(), 10);
    EXPECT_EQ(EvalText("self.to_s"), "main");
    EXPECT_EQ(Engine()->Eval(std::string("6 * 7\0 + 1000", 13))->to_int(), 42) << "code ends at a zero byte";
    EXPECT_TRUE(log.Lines().empty());
    Engine()->Eval("local");
    EXPECT_TRUE(log.Contains("undefined local variable or method `local'"));
}

TEST(EngineRuby, SourceAndTextAreUtf8) {
    EXPECT_EQ(Engine()->Eval("'\xC3\xA9t\xC3\xA9'.length")->to_int(), 3);
    EXPECT_EQ(EvalText("'\xC3\xA9'.encoding.to_s"), "UTF-8");
    Engine()->Set("$word", std::string("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(Engine()->Eval("$word.length")->to_int(), 3);
    EXPECT_FALSE(Engine()->Eval("$word == '\xC3\xA9t\xC3\xA9' ? 1 : 0")->to_int() == 0);
    EXPECT_EQ(EvalText("$word.upcase"), "\xC3\x89T\xC3\x89");
    test::CaptureLog log;
    EXPECT_EQ(EvalText("'\xFF\xC3\xA9'.encoding.to_s"), "ASCII-8BIT")
        << "code that is not UTF-8 runs as bytes";
    EXPECT_EQ(Engine()->Eval("'\xFF\xC3\xA9'.length")->to_int(), 3);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(EngineRuby, GlobalsAreTheSameWithOrWithoutTheDollar) {
    Engine()->Set("plain_name", Engine()->CreateValue(11));
    EXPECT_EQ(Engine()->Get("$plain_name")->to_int(), 11);
    Engine()->Set("$plain_name", Engine()->CreateValue(12));
    EXPECT_EQ(Engine()->Get("plain_name")->to_int(), 12);
    EXPECT_EQ(Engine()->Eval("$plain_name")->to_int(), 12);

    Engine()->Eval("$from_script = 'set by a script'");
    EXPECT_EQ(Engine()->Get("from_script")->to_string(), "set by a script");
    EXPECT_EQ(Engine()->Eval("$never_set.nil? ? 1 : 0")->to_int(), 1);
    EXPECT_EQ(Engine()->Get("$never_set")->to_string(), "");
}

TEST(EngineRuby, ARefusedAssignmentOrAnEmptyValueIsContained) {
    test::CaptureLog log;
    Engine()->Set("$$", Engine()->CreateValue(1));
    EXPECT_TRUE(log.Contains("EngineRuby: $$ is a read-only variable")) << log.Lines().size();
    Engine()->Set("$emptied", Engine()->CreateValue(3));
    Engine()->Set("$emptied", core::ptr<script::IValue>());
    EXPECT_EQ(EvalText("$emptied.inspect"), "nil");
}

TEST(EngineRuby, CallFunctionCallsTheNamedMethodOfTheGlobalKernelOrATopLevelOne) {
    test::CaptureLog log;
    Engine()->Eval("def on_probe(value) $probe_self = self; value.to_s + '!' end");
    EXPECT_EQ(Engine()->CallFunction("on_probe", Engine()->CreateValue(7))->to_string(), "7!");
    EXPECT_EQ(EvalText("$probe_self.inspect"), "nil");
    EXPECT_EQ(Engine()->CallFunction("on_probe", core::ptr<script::IValue>())->to_string(), "!");

    Engine()->Eval("class Receiver; def greet(name) 'hello ' + name end; end; $Kernel = Receiver.new");
    EXPECT_EQ(Engine()->CallFunction("greet", Engine()->CreateValue(std::string("you")))->to_string(),
              "hello you");
    Engine()->Eval("$Kernel = nil");
    EXPECT_TRUE(log.Lines().empty());
}

TEST(EngineRuby, CallFunctionOfAMissingOrFailingFunctionLogsAndGivesNil) {
    Engine()->Eval(
        "def fails(value) raise ArgumentError, 'bad ' + value.to_s end\n"
        "def takes_two(a, b) a end");
    const std::vector<FailingCode> cases = {
        {"missing", "no_such_handler", "EngineRuby: undefined method `no_such_handler'"},
        {"raises", "fails", "EngineRuby: bad 4"},
        {"wrong argument count", "takes_two", "EngineRuby: wrong number of arguments (given 1, expected 2)"},
        {"empty name", "", "EngineRuby: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::CaptureLog log;
        const core::ptr<script::IValue> result = Engine()->CallFunction(c.code, Engine()->CreateValue(4));
        EXPECT_EQ(Engine()->Eval("1")->to_int(), 1);
        ExpectContained(result, log, c.message);
    }
}

TEST(EngineRuby, AMissingMethodOnAReceiverThatCannotBeShownStillLogs) {
    test::CaptureLog log;
    Engine()->Eval(
        "$Kernel = BasicObject.new\n"
        "class << $Kernel; def inspect; raise 'no inspect'; end; def to_s; raise 'no to_s'; end; end");
    EXPECT_EQ(Engine()->CallFunction("anything", Engine()->CreateValue(1))->to_int(), 0);
    Engine()->Eval("$Kernel = nil");
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].rfind("EngineRuby: ", 0), 0u);
}

TEST(EngineRuby, ASecondEngineSharesTheRunningInterpreter) {
    Engine()->Eval("$shared = 99");
    script::EngineRuby second;
    EXPECT_EQ(second.Eval("$shared")->to_int(), 99);
    EXPECT_EQ(second.Eval("[1, 2, 3].sum")->to_int(), 6);
}

}  // namespace
