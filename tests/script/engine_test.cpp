#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/capture_log.h"
#include "vantle/script/engine.h"

namespace {

class TextValue : public script::IValue {
public:
    explicit TextValue(const std::string& text) : _text(text) {}
    std::string to_string() const override { return _text; }
    int to_int() const override { return 0; }
    float to_float() const override { return 0.0f; }
    bool to_bool() const override { return true; }

private:
    std::string _text;
};

// Writes down every call it gets, with its arguments as text.
class RecordingEngine : public script::IEngine {
public:
    explicit RecordingEngine(bool* destroyed = nullptr) : _destroyed(destroyed) {}
    ~RecordingEngine() override {
        if (_destroyed) *_destroyed = true;
    }

    core::ptr<script::IValue> CreateValue(const std::string& text) override { return Made("s:" + text); }
    core::ptr<script::IValue> CreateValue(int number) override { return Made("i:" + std::to_string(number)); }
    core::ptr<script::IValue> CreateValue(float number) override {
        return Made("f:" + std::to_string(number));
    }
    void Set(const std::string& name, const core::ptr<script::IValue>& value) override {
        calls.push_back("Set " + name + " " + (value ? value->to_string() : "<empty>"));
    }
    core::ptr<script::IValue> Get(const std::string& name) override { return Made("Get " + name); }
    core::ptr<script::IValue> Eval(const std::string& code) override { return Made("Eval " + code); }
    core::ptr<script::IValue> CallFunction(const std::string& name,
                                           const core::ptr<script::IValue>& argument) override {
        return Made("CallFunction " + name + " " + argument->to_string());
    }
    void RunGC() override { calls.push_back("RunGC"); }

    std::vector<std::string> calls;

private:
    core::ptr<script::IValue> Made(const std::string& text) {
        calls.push_back(text);
        return core::ptr<script::IValue>(new TextValue(text));
    }

    bool* _destroyed;
};

// The facade is one per process: its first state is checked before anything is installed.
TEST(ScriptEngine, WithoutABackEndNothingRunsAndResultsAreEmpty) {
    test::CaptureLog log;
    script::Engine* engine = script::Engine::instance();
    ASSERT_EQ(engine->GetImplementation(), nullptr);
    EXPECT_TRUE(engine->Eval("anything").empty());
    EXPECT_TRUE(engine->CallFunction("on_click", core::ptr<script::IValue>()).empty());
    engine->RunGC();
    EXPECT_TRUE(log.Lines().empty());

    EXPECT_TRUE(engine->CreateValue(1).empty());
    EXPECT_TRUE(engine->CreateValue(std::string("x")).empty());
    EXPECT_TRUE(engine->Get("$x").empty());
    engine->Set("$x", 1);
    EXPECT_EQ(log.Lines().size(), 4u) << "calls the back end would have answered are reported";
}

TEST(ScriptEngine, ForwardsToTheLatestBackEndWithoutDeletingTheEarlierOne) {
    bool first_destroyed = false;
    RecordingEngine first(&first_destroyed);
    RecordingEngine second;
    script::Engine* engine = script::Engine::instance();
    engine->SetImplementation(&first);
    EXPECT_EQ(engine->Eval("1")->to_string(), "Eval 1");
    engine->SetImplementation(&second);
    EXPECT_FALSE(first_destroyed);
    EXPECT_EQ(engine->GetImplementation(), &second);

    EXPECT_EQ(engine->Get("$g")->to_string(), "Get $g");
    EXPECT_EQ(engine->CallFunction("f", engine->CreateValue(std::string("a")))->to_string(),
              "CallFunction f s:a");
    engine->RunGC();
    // The typed sets ask the back end for a value of their type.
    engine->Set("$i", 5);
    engine->Set("$f", 0.5f);
    engine->Set("$s", std::string("text"));
    EXPECT_EQ(second.calls,
              (std::vector<std::string>{"Get $g", "s:a", "CallFunction f s:a", "RunGC", "i:5", "Set $i i:5",
                                        "f:0.500000", "Set $f f:0.500000", "s:text", "Set $s s:text"}));
    EXPECT_EQ(first.calls, std::vector<std::string>{"Eval 1"});
    engine->SetImplementation(nullptr);
}

}  // namespace
