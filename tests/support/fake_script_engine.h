#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vantle/script/engine.h"

namespace test {

// A script engine that runs nothing and writes down what it is asked to run, one line per call:
// "Set <name> <value>", "Eval <code>", "Call <function> <argument>", "RunGC". Values print as the text
// they were made from ("0.5", "7", "text"). A test can react to an evaluation through on_eval, for
// instance to do what a handler's script would do.
class FakeScriptEngine : public script::IEngine {
public:
    core::ptr<script::IValue> CreateValue(const std::string& text) override;
    core::ptr<script::IValue> CreateValue(int number) override;
    core::ptr<script::IValue> CreateValue(float number) override;
    void Set(const std::string& name, const core::ptr<script::IValue>& value) override;
    // The last value Set under the name; nil (an empty text) otherwise.
    core::ptr<script::IValue> Get(const std::string& name) override;
    core::ptr<script::IValue> Eval(const std::string& code) override;
    core::ptr<script::IValue> CallFunction(const std::string& name,
                                           const core::ptr<script::IValue>& argument) override;
    void RunGC() override;

    std::vector<std::string> calls;
    std::function<void(const std::string& code)> on_eval;

private:
    std::vector<std::pair<std::string, core::ptr<script::IValue>>> _globals;
};

}  // namespace test
