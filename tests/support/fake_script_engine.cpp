#include "support/fake_script_engine.h"

#include "vantle/core/strutils.h"

namespace test {

namespace {

class FakeValue : public script::IValue {
public:
    explicit FakeValue(const std::string& text) : _text(text) {}
    std::string to_string() const override { return _text; }
    int to_int() const override { return core::str2int(_text); }
    float to_float() const override { return core::str2float(_text); }
    bool to_bool() const override { return core::str2bool(_text); }

private:
    std::string _text;
};

core::ptr<script::IValue> Made(const std::string& text) {
    return core::ptr<script::IValue>(new FakeValue(text));
}

std::string Text(const core::ptr<script::IValue>& value) {
    return value ? value->to_string() : "<none>";
}

}  // namespace

core::ptr<script::IValue> FakeScriptEngine::CreateValue(const std::string& text) {
    return Made(text);
}

core::ptr<script::IValue> FakeScriptEngine::CreateValue(int number) {
    return Made(std::to_string(number));
}

core::ptr<script::IValue> FakeScriptEngine::CreateValue(float number) {
    return Made(core::float2str(number));
}

void FakeScriptEngine::Set(const std::string& name, const core::ptr<script::IValue>& value) {
    calls.push_back("Set " + name + " " + Text(value));
    _globals.emplace_back(name, value);
}

core::ptr<script::IValue> FakeScriptEngine::Get(const std::string& name) {
    for (auto global = _globals.rbegin(); global != _globals.rend(); ++global) {
        if (global->first == name) return global->second;
    }
    return Made("");
}

core::ptr<script::IValue> FakeScriptEngine::Eval(const std::string& code) {
    calls.push_back("Eval " + code);
    if (on_eval) on_eval(code);
    return Made("");
}

core::ptr<script::IValue> FakeScriptEngine::CallFunction(const std::string& name,
                                                         const core::ptr<script::IValue>& argument) {
    calls.push_back("Call " + name + " " + Text(argument));
    return Made("");
}

void FakeScriptEngine::RunGC() {
    calls.push_back("RunGC");
}

}  // namespace test
